#pragma once
// The line-level reading of profile files that the profile reader (modinifile.cpp) and the profile
// writer (profilewrite.cpp) share: blanks, names, the kinds of line, and whole-file reads. Internal
// to the set-up layer; modinifile.h is the interface.

#include "core/strings.h"
#include "setup/cp932.h"
#include "setup/modinifile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <unordered_map>

namespace kestrel::profile {

// The profile value buffer holds 1024 bytes with the terminating zero.
constexpr std::size_t kMaxValueBytes = kMaxProfileValueBytes;

bool isProfileBlank(char c);

// Blank bytes are all below 0x40, so they never occur as the trail byte of a CP932 character and
// the ends of a CP932 text can be trimmed byte by byte; the same holds for UTF-8.
std::string_view trimProfileBlanks(std::string_view text);

// Compares names from the file (CP932) with names asked for (UTF-8). Names are decoded before the
// comparison because a CP932 trail byte may look like an ASCII letter, and because some characters
// have two CP932 codes. The converter is opened only when a non-ASCII name turns up.
class NameMatcher {
public:
    bool matches(std::string_view fileName, std::string_view wanted) {
        if (isAscii(fileName))
            return equalIgnoringAsciiCase(fileName, wanted);
        return equalIgnoringAsciiCase(decoded(fileName), wanted);
    }
    Cp932Codec& codec() {
        if (!mCodec)
            mCodec.emplace();
        return *mCodec;
    }

private:
    // A write of several values looks through the same section names once per value.
    const std::string& decoded(std::string_view fileName) {
        auto it = mDecoded.find(std::string(fileName));
        if (it == mDecoded.end())
            it = mDecoded.emplace(fileName, codec().toUtf8(fileName)).first;
        return it->second;
    }

    std::optional<Cp932Codec> mCodec;
    std::unordered_map<std::string, std::string> mDecoded;
};

// A name as compared, in UTF-8 (a name from the file decoded first): ASCII letters in lower case.
std::string foldedName(std::string_view utf8);

enum class LineKind { Blank, Comment, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Blank;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // key value, trimmed; empty for a key line without '='
};

ParsedLine parseLine(std::string_view line);

// Calls line(parsed) for each line of a file's bytes, with the line's begin, its end without the
// line break and its end with it; stops when line returns false.
template <class F> void forEachLine(std::string_view bytes, F&& line) {
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        const std::size_t newline = bytes.find('\n', begin);
        const std::size_t end = newline == std::string_view::npos ? bytes.size() : newline + 1;
        std::size_t contentEnd = newline == std::string_view::npos ? bytes.size() : newline;
        if (contentEnd > begin && bytes[contentEnd - 1] == '\r')
            --contentEnd;
        if (!line(parseLine(bytes.substr(begin, contentEnd - begin)), begin, contentEnd, end))
            return;
        begin = end;
    }
}

/// A file descriptor closed when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : mFd(fd) {}
    ~FileDescriptor() {
        if (mFd >= 0)
            ::close(mFd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return mFd; }
    // Closes now so that the caller sees a failure of the last write-back.
    bool close() {
        const int fd = mFd;
        mFd = -1;
        return ::close(fd) == 0;
    }

private:
    int mFd;
};

/// Everything left to read from `fd`; nothing when a read fails.
std::optional<std::string> readAll(int fd);

/// Drops what the reader remembers of `file` and of `target`, the file it names, after a write.
void forget(const std::filesystem::path& file, const std::filesystem::path& target);

} // namespace kestrel::profile
