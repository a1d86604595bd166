// Writing profile files: one line changed in the file's bytes, the file replaced atomically.

#include "setup/modinifile.h"

#include "core/convert.h"
#include "setup/profilelines.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrel {

namespace fs = std::filesystem;
using namespace profile;

namespace {

// Where a key is, or where it would go, in a file's bytes.
struct Location {
    bool sectionFound = false;
    std::size_t insertAt = 0; // just after the section's last key line, or its header line
    bool keyFound = false;
    std::size_t keyBegin = 0; // the key's line, without its line end
    std::size_t keyEnd = 0;
    std::string_view keyName; // as spelled in the file
    std::string_view value;
};

Location locate(std::string_view bytes, std::string_view section, std::string_view key, NameMatcher& names) {
    Location loc;
    bool inSection = false;
    forEachLine(bytes,
                [&](const ParsedLine& line, std::size_t begin, std::size_t contentEnd, std::size_t end) {
                    if (line.kind == LineKind::Section) {
                        if (inSection)
                            return false; // only the first section of the name counts
                        if (names.matches(line.name, section)) {
                            inSection = true;
                            loc.sectionFound = true;
                            loc.insertAt = end;
                        }
                    } else if (inSection && line.kind == LineKind::Key) {
                        loc.insertAt = end;
                        if (names.matches(line.name, key)) {
                            loc.keyFound = true;
                            loc.keyBegin = begin;
                            loc.keyEnd = contentEnd;
                            loc.keyName = line.name;
                            loc.value = line.value;
                            return false;
                        }
                    }
                    return true;
                });
    return loc;
}
std::optional<std::string> readWholeFile(const fs::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return std::nullopt;
    return readAll(fd.get());
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Temporary files of `target` are named "." + its name + "." + eight hex digits + ".tmp".
std::string temporaryName(const fs::path& target, unsigned number) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", number);
    return "." + target.filename().string() + suffix;
}

bool isTemporaryOf(const std::string& name, const std::string& targetName) {
    const std::string prefix = "." + targetName + ".";
    constexpr std::string_view kSuffix = ".tmp";
    if (name.size() != prefix.size() + 8 + kSuffix.size() || !name.starts_with(prefix) ||
        !name.ends_with(kSuffix))
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()),
                       name.end() - static_cast<std::ptrdiff_t>(kSuffix.size()),
                       [](char c) { return isAsciiDigit(c) || (c >= 'a' && c <= 'f'); });
}

// Removes the temporary files of `target` that a write killed before its rename left behind. Only
// plain files of exactly that name pattern go; nothing else in the folder is touched.
void removeLeftoverTemporaries(const fs::path& folder, const fs::path& target) {
    const std::string targetName = target.filename().string();
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& path = it->path();
        if (!isTemporaryOf(path.filename().string(), targetName))
            continue;
        std::error_code sec;
        if (fs::is_regular_file(it->symlink_status(sec)) && !sec)
            ::unlink(path.c_str());
    }
}

// Writes `bytes` to a new file beside `target` and renames it over `target`. `mode` carries the
// permissions of the file being replaced; a new file gets the process's default ones.
bool replaceFileAtomically(const fs::path& target, std::string_view bytes, std::optional<mode_t> mode) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path temp = folder / temporaryName(target, static_cast<unsigned>(random()));
        FileDescriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.get() < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        const bool written = (!mode || ::fchmod(fd.get(), *mode) == 0) && writeAll(fd.get(), bytes) &&
                             ::fsync(fd.get()) == 0 && fd.close() &&
                             ::rename(temp.c_str(), target.c_str()) == 0;
        if (!written) {
            ::unlink(temp.c_str());
            return false;
        }
        // Makes the rename itself survive a power loss; the new content is in place either way.
        FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.get() >= 0)
            ::fsync(dir.get());
        removeLeftoverTemporaries(folder, target);
        return true;
    }
    return false;
}

// A file without any write permission bit is read-only, as the platform's read-only attribute, even
// for the administrator, who could otherwise rename over it.
bool takesWrites(const fs::path& file, const struct stat& info) {
    return S_ISREG(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
           ::access(file.c_str(), W_OK) == 0;
}

// Holds an exclusive advisory lock for one read-modify-write of `target`. Two copies of the program
// writing one file at once would otherwise each read the old content, and the later rename would
// drop what the earlier one wrote. The lock is taken on ".<name>.lock" beside the file, not on the
// file itself, because every write replaces the file with a new one. The lock file stays: removing
// it could let a writer that already opened it lock a file nobody else finds. Where no lock file
// can be opened (a folder this process may not write) the write goes on unlocked and fails at its
// own step.
class WriteLock {
public:
    explicit WriteLock(const fs::path& target) : mFd(openLockFile(target)) {
        if (mFd.get() >= 0)
            while (::flock(mFd.get(), LOCK_EX) != 0 && errno == EINTR) {
            }
    }

private:
    static int openLockFile(const fs::path& target) {
        const fs::path lock = target.parent_path() / ("." + target.filename().string() + ".lock");
        const int flags = O_CREAT | O_NOFOLLOW | O_CLOEXEC;
        const int fd = ::open(lock.c_str(), O_RDWR | flags, 0666);
        // Another user's lock file in a shared folder may be open to reading only; that is
        // enough for the lock.
        return fd >= 0 ? fd : ::open(lock.c_str(), O_RDONLY | flags, 0666);
    }

    FileDescriptor mFd;
};

// Ends the last line of `text` with a line break when it has none.
void terminateLastLine(std::string& text) {
    if (text.empty() || text.back() == '\n')
        return;
    text += text.back() == '\r' ? "\n" : "\r\n";
}

bool holdsLineBreakOrZero(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// One entry of a write, checked and in CP932.
struct EncodedEntry {
    std::string_view section, key; // trimmed UTF-8, for comparing with the file's names
    std::string sectionBytes, keyBytes, valueBytes;
};

std::optional<EncodedEntry> encodeEntry(std::string_view section, std::string_view key,
                                        std::string_view value, Cp932Codec& codec) {
    section = trimProfileBlanks(section);
    key = trimProfileBlanks(key);
    value = trim(value); // the blanks the learner sees: spaces, tabs, full-width spaces
    if (section.empty() || key.empty() || holdsLineBreakOrZero(section) || holdsLineBreakOrZero(key) ||
        holdsLineBreakOrZero(value))
        return std::nullopt;
    if (key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';')
        return std::nullopt;
    std::optional<std::string> sectionBytes = codec.fromUtf8(section);
    std::optional<std::string> keyBytes = codec.fromUtf8(key);
    std::optional<std::string> valueBytes = codec.fromUtf8(value);
    if (!sectionBytes || !keyBytes || !valueBytes)
        return std::nullopt;
    return EncodedEntry{section, key, std::move(*sectionBytes), std::move(*keyBytes), std::move(*valueBytes)};
}

// The file's content with one value written into it.
std::string applyEntry(const std::string& old, const EncodedEntry& e, NameMatcher& names) {
    const Location loc = locate(old, e.section, e.key, names);
    const std::string_view bytes = old;
    std::string out;
    out.reserve(old.size() + e.sectionBytes.size() + e.keyBytes.size() + e.valueBytes.size() + 8);
    if (loc.keyFound) {
        out.append(bytes.substr(0, loc.keyBegin));
        out.append(loc.keyName);
        out += '=';
        out += e.valueBytes;
        out.append(bytes.substr(loc.keyEnd));
    } else if (loc.sectionFound) {
        out.append(bytes.substr(0, loc.insertAt));
        terminateLastLine(out);
        out += e.keyBytes + "=" + e.valueBytes + "\r\n";
        out.append(bytes.substr(loc.insertAt));
    } else {
        out = old;
        terminateLastLine(out);
        out += "[" + e.sectionBytes + "]\r\n" + e.keyBytes + "=" + e.valueBytes + "\r\n";
    }
    return out;
}

} // namespace

bool WriteProfileValue(const fs::path& file, std::string_view section, std::string_view key,
                       std::string_view value) {
    return WriteProfileValues(file,
                              {ProfileEntry{std::string(section), std::string(key), std::string(value)}});
}

bool WriteProfileValues(const fs::path& file, const std::vector<ProfileEntry>& entries) {
    if (entries.empty())
        return true;
    NameMatcher names;
    std::vector<EncodedEntry> encoded;
    encoded.reserve(entries.size());
    for (const ProfileEntry& e : entries) {
        std::optional<EncodedEntry> entry = encodeEntry(e.section, e.key, e.value, names.codec());
        if (!entry)
            return false;
        encoded.push_back(std::move(*entry));
    }

    // Through a symbolic link the file it names is replaced, not the link.
    std::error_code error;
    fs::path target = file;
    if (fs::is_symlink(file, error)) {
        target = fs::canonical(file, error);
        if (error)
            return false;
    }

    // A file that refuses the write is refused before a lock file is made beside it.
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && !takesWrites(target, info))
        return false;
    const WriteLock lock(target);
    std::string content;
    std::optional<mode_t> mode;
    if (::stat(target.c_str(), &info) == 0) {
        if (!takesWrites(target, info))
            return false;
        std::optional<std::string> bytes = readWholeFile(target);
        if (!bytes)
            return false;
        content = std::move(*bytes);
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return false;
    }

    for (const EncodedEntry& e : encoded)
        content = applyEntry(content, e, names);
    if (!replaceFileAtomically(target, content, mode))
        return false;
    forget(file, target);
    return true;
}
} // namespace kestrel
