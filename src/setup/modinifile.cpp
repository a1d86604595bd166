#include "setup/modinifile.h"

#include "core/convert.h"
#include "setup/cp932.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <mutex>
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
        return equalIgnoringAsciiCase(decoded(fileName), wanted);
    }
    Cp932Codec& codec() {
        if (!mCodec) mCodec.emplace();
        return *mCodec;
    }

private:
    // A write of several values looks through the same section names once per value.
    const std::string& decoded(std::string_view fileName) {
        auto it = mDecoded.find(std::string(fileName));
        if (it == mDecoded.end()) it = mDecoded.emplace(fileName, codec().toUtf8(fileName)).first;
        return it->second;
    }

    std::optional<Cp932Codec> mCodec;
    std::unordered_map<std::string, std::string> mDecoded;
};

// A name as compared, in UTF-8 (a name from the file decoded first): ASCII letters in lower case.
std::string foldedName(std::string_view utf8) {
    std::string folded(utf8);
    for (char& c : folded)
        c = asciiLower(c);
    return folded;
}

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

// Calls line(parsed) for each line of a file's bytes, with the line's begin, its end without the
// line break and its end with it; stops when line returns false.
template <class F> void forEachLine(std::string_view bytes, F&& line) {
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        const std::size_t newline = bytes.find('\n', begin);
        const std::size_t end = newline == std::string_view::npos ? bytes.size() : newline + 1;
        std::size_t contentEnd = newline == std::string_view::npos ? bytes.size() : newline;
        if (contentEnd > begin && bytes[contentEnd - 1] == '\r') --contentEnd;
        if (!line(parseLine(bytes.substr(begin, contentEnd - begin)), begin, contentEnd, end)) return;
        begin = end;
    }
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
    forEachLine(bytes,
                [&](const ParsedLine& line, std::size_t begin, std::size_t contentEnd, std::size_t end) {
                    if (line.kind == LineKind::Section) {
                        if (inSection) return false; // only the first section of the name counts
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

// What tells one state of a file from another without reading it.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{}, changed{};

    static FileIdentity of(const struct stat& info) {
        return {info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
    }
    bool operator==(const FileIdentity& o) const {
        auto same = [](const timespec& a, const timespec& b) {
            return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
        };
        return device == o.device && inode == o.inode && size == o.size && same(modified, o.modified) &&
               same(changed, o.changed);
    }
};

std::optional<std::string> readAll(int fd) {
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) return bytes;
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

std::optional<std::string> readWholeFile(const fs::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    return readAll(fd.get());
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
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// Removes the temporary files of `target` that a write killed before its rename left behind. Only
// plain files of exactly that name pattern go; nothing else in the folder is touched.
void removeLeftoverTemporaries(const fs::path& folder, const fs::path& target) {
    const std::string targetName = target.filename().string();
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& path = it->path();
        if (!isTemporaryOf(path.filename().string(), targetName)) continue;
        std::error_code sec;
        if (fs::is_regular_file(it->symlink_status(sec)) && !sec) ::unlink(path.c_str());
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
        removeLeftoverTemporaries(folder, target);
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
    if (!sectionBytes || !keyBytes || !valueBytes) return std::nullopt;
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

// --- Files read before -------------------------------------------------------------------------

// A file written this recently may be written again without its modification time moving (file
// times advance by the kernel's clock tick, not by the nanosecond), so it is not remembered yet.
constexpr long long kSettledNs = 100'000'000;

long long nanoseconds(const timespec& t) {
    return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

bool settled(const FileIdentity& id) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now) - nanoseconds(id.modified) > kSettledNs;
}

struct RememberedFile {
    std::string path;
    FileIdentity identity;
    std::shared_ptr<const ProfileSnapshot> snapshot;
};

// The settings file, the base set, the open lesson and one more.
constexpr std::size_t kRememberedFiles = 4;

std::mutex gRememberedMutex;
std::vector<RememberedFile> gRemembered; // most recently used first

std::shared_ptr<const ProfileSnapshot> remembered(const std::string& path, const FileIdentity& id) {
    std::lock_guard lock(gRememberedMutex);
    for (auto it = gRemembered.begin(); it != gRemembered.end(); ++it) {
        if (it->path != path) continue;
        if (!(it->identity == id)) {
            gRemembered.erase(it);
            return nullptr;
        }
        std::rotate(gRemembered.begin(), it, it + 1);
        return gRemembered.front().snapshot;
    }
    return nullptr;
}

void remember(const std::string& path, const FileIdentity& id,
              std::shared_ptr<const ProfileSnapshot> snapshot) {
    std::lock_guard lock(gRememberedMutex);
    std::erase_if(gRemembered, [&](const RememberedFile& f) { return f.path == path; });
    gRemembered.insert(gRemembered.begin(), RememberedFile{path, id, std::move(snapshot)});
    if (gRemembered.size() > kRememberedFiles) gRemembered.pop_back();
}

void forget(const fs::path& file, const fs::path& target) {
    std::lock_guard lock(gRememberedMutex);
    std::erase_if(gRemembered, [&](const RememberedFile& f) {
        return f.path == file.native() || f.path == target.native();
    });
}

} // namespace

// Builds a snapshot from a file's bytes, line by line as the reader of one key does.
class ProfileParser {
public:
    static std::shared_ptr<ProfileSnapshot> parse(std::string_view bytes) {
        auto snapshot = std::make_shared<ProfileSnapshot>();
        std::optional<Cp932Codec> codec;
        auto decoded = [&](std::string_view cp932) {
            if (isAscii(cp932)) return std::string(cp932);
            if (!codec) codec.emplace();
            return codec->toUtf8(cp932);
        };
        std::unordered_map<std::string, std::string>* section = nullptr;
        forEachLine(bytes, [&](const ParsedLine& line, std::size_t, std::size_t, std::size_t) {
            if (line.kind == LineKind::Section) {
                // A later section of a name already seen is never read.
                auto [it, added] = snapshot->mSections.try_emplace(foldedName(decoded(line.name)));
                section = added ? &it->second : nullptr;
            } else if (section && line.kind == LineKind::Key) {
                std::string key = foldedName(decoded(line.name));
                if (!section->contains(key)) // the first key of the name wins
                    section->emplace(std::move(key),
                                     decoded(cp932Prefix(stripMatchingQuotes(line.value), kMaxValueBytes)));
            }
            return true;
        });
        return snapshot;
    }
};

std::string ProfileSnapshot::value(std::string_view section, std::string_view key) const {
    section = trimProfileBlanks(section);
    key = trimProfileBlanks(key);
    if (section.empty() || key.empty()) return {};
    const auto s = mSections.find(foldedName(section));
    if (s == mSections.end()) return {};
    const auto k = s->second.find(foldedName(key));
    return k == s->second.end() ? std::string() : k->second;
}

std::shared_ptr<const ProfileSnapshot> ReadProfile(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        if (auto known = remembered(file.native(), FileIdentity::of(info))) return known;

    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::make_shared<ProfileSnapshot>();
    struct stat before {
    }, after{};
    const bool regular = ::fstat(fd.get(), &before) == 0 && S_ISREG(before.st_mode);
    const std::optional<std::string> bytes = readAll(fd.get());
    if (!bytes) return std::make_shared<ProfileSnapshot>();
    std::shared_ptr<const ProfileSnapshot> snapshot = ProfileParser::parse(*bytes);
    // Remembered only when nothing wrote to the file while it was read.
    if (regular && ::fstat(fd.get(), &after) == 0) {
        const FileIdentity id = FileIdentity::of(before);
        if (id == FileIdentity::of(after) && settled(id)) remember(file.native(), id, snapshot);
    }
    return snapshot;
}

std::string ReadProfileValue(const fs::path& file, std::string_view section, std::string_view key) {
    section = trimProfileBlanks(section);
    key = trimProfileBlanks(key);
    if (section.empty() || key.empty()) return {};
    return ReadProfile(file)->value(section, key);
}

bool WriteProfileValue(const fs::path& file, std::string_view section, std::string_view key,
                       std::string_view value) {
    return WriteProfileValues(file,
                              {ProfileEntry{std::string(section), std::string(key), std::string(value)}});
}

bool WriteProfileValues(const fs::path& file, const std::vector<ProfileEntry>& entries) {
    if (entries.empty()) return true;
    NameMatcher names;
    std::vector<EncodedEntry> encoded;
    encoded.reserve(entries.size());
    for (const ProfileEntry& e : entries) {
        std::optional<EncodedEntry> entry = encodeEntry(e.section, e.key, e.value, names.codec());
        if (!entry) return false;
        encoded.push_back(std::move(*entry));
    }

    // Through a symbolic link the file it names is replaced, not the link.
    std::error_code error;
    fs::path target = file;
    if (fs::is_symlink(file, error)) {
        target = fs::canonical(file, error);
        if (error) return false;
    }

    std::string content;
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
        content = std::move(*bytes);
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return false;
    }

    for (const EncodedEntry& e : encoded)
        content = applyEntry(content, e, names);
    if (!replaceFileAtomically(target, content, mode)) return false;
    forget(file, target);
    return true;
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
