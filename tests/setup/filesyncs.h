#pragma once
// Counts the renames and flushes to disk of this test program, and can play a full disk, so tests
// see how often a save touches the disk and what a failure in the middle of it leaves behind.

#include <sys/types.h>

namespace kestrel::test {

struct FileSyncs {
    int renames = 0;
    int fsyncs = 0;
};

/// Renames and flushes since the program started.
FileSyncs fileSyncs();

/// From now on a flush of a file larger than `bytes` fails as on a full disk (ENOSPC); a negative
/// value ends that.
void limitFileBytes(off_t bytes);

} // namespace kestrel::test
