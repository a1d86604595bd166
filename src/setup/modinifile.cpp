#include "setup/modinifile.h"

#include "core/convert.h"
#include "setup/cp932.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrel {

namespace fs = std::filesystem;

namespace {

// The profile value buffer holds 1024 bytes with the terminating zero.
constexpr std::size_t kMaxValueBytes = kMaxProfileValueBytes;

bool isProfileBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\x1A';
}

// Blank bytes are all below 0x40, so they never occur as the trail byte of a CP932 character and
// the ends of a CP932 text can be trimmed byte by byte; the same holds for UTF-8.
std::string_view trimProfileBlanks(std::string_view text) {
    while (!text.empty() && isProfileBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isProfileBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// In UTF-8 every byte below 0x80 is an ASCII character of its own, so folding bytes folds exactly
// the ASCII letters.
bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

// Compares names from the file (CP932) with names asked for (UTF-8). Names are decoded before the
// comparison because a CP932 trail byte may look like an ASCII letter, and because some characters
// have two CP932 codes. The converter is opened only when a non-ASCII name turns up.
class NameMatcher {
public:
    bool matches(std::string_view fileName, std::string_view wanted) {
        if (isAscii(fileName)) return equalIgnoringAsciiCase(fileName, wanted);
        return equalIgnoringAsciiCase(codec().toUtf8(fileName), wanted);
    }
    Cp932Codec& codec() {
        if (!mCodec) mCodec.emplace();
        return *mCodec;
    }

private:
    std::optional<Cp932Codec> mCodec;
};

enum class LineKind { Blank, Comment, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Blank;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // key value, trimmed; empty for a key line without '='
};

ParsedLine parseLine(std::string_view line) {
    const std::string_view text = trimProfileBlanks(line);
    if (text.empty()) return {};
    if (text.front() == ';') return {LineKind::Comment, {}, {}};
    if (text.front() == '[') {
        // ']' can be the trail byte of a double-byte character: step a character at a time.
        std::size_t close = std::string_view::npos;
        for (std::size_t pos = 1; pos < text.size(); pos += cp932CharLength(text, pos))
            if (text[pos] == ']') close = pos;
        if (close != std::string_view::npos)
            return {LineKind::Section, trimProfileBlanks(text.substr(1, close - 1)), {}};
    }
    // '=' is never a trail byte.
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) return {LineKind::Key, text, {}};
    return {LineKind::Key, trimProfileBlanks(text.substr(0, eq)), trimProfileBlanks(text.substr(eq + 1))};
}

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
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        const std::size_t newline = bytes.find('\n', begin);
        const std::size_t end = newline == std::string_view::npos ? bytes.size() : newline + 1;
        std::size_t contentEnd = newline == std::string_view::npos ? bytes.size() : newline;
        if (contentEnd > begin && bytes[contentEnd - 1] == '\r') --contentEnd;
        const ParsedLine line = parseLine(bytes.substr(begin, contentEnd - begin));
        if (line.kind == LineKind::Section) {
            if (inSection) break; // only the first section of the name counts
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
                break;
            }
        }
        begin = end;
    }
    return loc;
}

std::string_view stripMatchingQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : mFd(fd) {}
    ~FileDescriptor() {
        if (mFd >= 0) ::close(mFd);
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

std::optional<std::string> readWholeFile(const fs::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n == 0) return bytes;
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Writes `bytes` to a new file beside `target` and renames it over `target`. `mode` carries the
// permissions of the file being replaced; a new file gets the process's default ones.
bool replaceFileAtomically(const fs::path& target, std::string_view bytes, std::optional<mode_t> mode) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
        const fs::path temp = folder / ("." + target.filename().string() + suffix);
        FileDescriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.get() < 0) {
            if (errno == EEXIST) continue;
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
        if (dir.get() >= 0) ::fsync(dir.get());
        return true;
    }
    return false;
}

// Ends the last line of `text` with a line break when it has none.
void terminateLastLine(std::string& text) {
    if (text.empty() || text.back() == '\n') return;
    text += text.back() == '\r' ? "\n" : "\r\n";
}

bool holdsLineBreakOrZero(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

} // namespace

std::string ReadProfileValue(const fs::path& file, std::string_view section, std::string_view key) {
    section = trimProfileBlanks(section);
    key = trimProfileBlanks(key);
    if (section.empty() || key.empty()) return {};
    const std::optional<std::string> bytes = readWholeFile(file);
    if (!bytes) return {};
    NameMatcher names;
    const Location loc = locate(*bytes, section, key, names);
    if (!loc.keyFound) return {};
    const std::string_view value = cp932Prefix(stripMatchingQuotes(loc.value), kMaxValueBytes);
    if (isAscii(value)) return std::string(value);
    return names.codec().toUtf8(value);
}

bool WriteProfileValue(const fs::path& file, std::string_view section, std::string_view key,
                       std::string_view value) {
    section = trimProfileBlanks(section);
    key = trimProfileBlanks(key);
    value = trim(value); // the blanks the learner sees: spaces, tabs, full-width spaces
    if (section.empty() || key.empty() || holdsLineBreakOrZero(section) || holdsLineBreakOrZero(key) ||
        holdsLineBreakOrZero(value))
        return false;
    if (key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';') return false;

    NameMatcher names;
    Cp932Codec& codec = names.codec();
    const std::optional<std::string> sectionBytes = codec.fromUtf8(section);
    const std::optional<std::string> keyBytes = codec.fromUtf8(key);
    const std::optional<std::string> valueBytes = codec.fromUtf8(value);
    if (!sectionBytes || !keyBytes || !valueBytes) return false;

    // Through a symbolic link the file it names is replaced, not the link.
    std::error_code error;
    fs::path target = file;
    if (fs::is_symlink(file, error)) {
        target = fs::canonical(file, error);
        if (error) return false;
    }

    std::string old;
    std::optional<mode_t> mode;
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        // A file without any write permission bit is read-only, as the platform's read-only
        // attribute, even for the administrator, who could otherwise rename over it.
        if (!S_ISREG(info.st_mode) || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
            ::access(target.c_str(), W_OK) != 0)
            return false;
        std::optional<std::string> bytes = readWholeFile(target);
        if (!bytes) return false;
        old = std::move(*bytes);
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return false;
    }

    const Location loc = locate(old, section, key, names);
    const std::string_view bytes = old;
    std::string out;
    out.reserve(old.size() + sectionBytes->size() + keyBytes->size() + valueBytes->size() + 8);
    if (loc.keyFound) {
        out.append(bytes.substr(0, loc.keyBegin));
        out.append(loc.keyName);
        out += '=';
        out += *valueBytes;
        out.append(bytes.substr(loc.keyEnd));
    } else if (loc.sectionFound) {
        out.append(bytes.substr(0, loc.insertAt));
        terminateLastLine(out);
        out += *keyBytes + "=" + *valueBytes + "\r\n";
        out.append(bytes.substr(loc.insertAt));
    } else {
        out = old;
        terminateLastLine(out);
        out += "[" + *sectionBytes + "]\r\n" + *keyBytes + "=" + *valueBytes + "\r\n";
    }
    return replaceFileAtomically(target, out, mode);
}

std::optional<std::size_t> storedValueBytes(std::string_view shown) {
    const std::string stored = newlineToBr(shown);
    if (isAscii(stored)) return stored.size();
    bool ok = false;
    const std::string bytes = utf8ToCp932(stored, &ok);
    if (!ok) return std::nullopt;
    return bytes.size();
}

std::string brToNewline(std::string_view stored) {
    constexpr std::string_view kBr = "<BR>";
    std::string out;
    out.reserve(stored.size());
    std::size_t pos = 0;
    for (std::size_t hit; (hit = stored.find(kBr, pos)) != std::string_view::npos; pos = hit + kBr.size()) {
        out.append(stored.substr(pos, hit - pos));
        out += "\r\n";
    }
    out.append(stored.substr(pos));
    return out;
}

std::string newlineToBr(std::string_view shown) {
    std::string out;
    out.reserve(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == '\r') {
            if (i + 1 < shown.size() && shown[i + 1] == '\n') ++i;
            out += "<BR>";
        } else if (shown[i] == '\n') {
            out += "<BR>";
        } else {
            out += shown[i];
        }
    }
    return out;
}

} // namespace kestrel
