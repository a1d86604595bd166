#include "setup/filesyncs.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<int> gRenames{0}, gFsyncs{0};
std::atomic<off_t> gLimit{-1};

template <class Fn> Fn next(const char* name) {
    return reinterpret_cast<Fn>(::dlsym(RTLD_NEXT, name));
}

} // namespace

// The C library's own functions, wrapped: the program's definitions come first in the lookup.
extern "C" int rename(const char* from, const char* to) noexcept {
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    ++gRenames;
    return real(from, to);
}

extern "C" int fsync(int fd) {
    static const auto real = next<int (*)(int)>("fsync");
    ++gFsyncs;
    struct stat info {};
    const off_t limit = gLimit;
    if (limit >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > limit) {
        errno = ENOSPC;
        return -1;
    }
    return real(fd);
}

namespace kestrel::test {

FileSyncs fileSyncs() {
    return {gRenames, gFsyncs};
}

void limitFileBytes(off_t bytes) {
    gLimit = bytes;
}

} // namespace kestrel::test
