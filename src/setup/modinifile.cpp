#include "setup/modinifile.h"

#include "core/convert.h"
#include "setup/profilelines.h"

#include <algorithm>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrel {

namespace fs = std::filesystem;
using namespace profile;

namespace {

std::string_view stripMatchingQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

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
        if (it->path != path)
            continue;
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
    if (gRemembered.size() > kRememberedFiles)
        gRemembered.pop_back();
}

} // namespace

namespace profile {

void forget(const fs::path& file, const fs::path& target) {
    std::lock_guard lock(gRememberedMutex);
    std::erase_if(gRemembered, [&](const RememberedFile& f) {
        return f.path == file.native() || f.path == target.native();
    });
}

} // namespace profile

// Builds a snapshot from a file's bytes, line by line as the reader of one key does.
class ProfileParser {
public:
    static std::shared_ptr<ProfileSnapshot> parse(std::string_view bytes) {
        auto snapshot = std::make_shared<ProfileSnapshot>();
        std::optional<Cp932Codec> codec;
        auto decoded = [&](std::string_view cp932) {
            if (isAscii(cp932))
                return std::string(cp932);
            if (!codec)
                codec.emplace();
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
    if (section.empty() || key.empty())
        return {};
    const auto s = mSections.find(foldedName(section));
    if (s == mSections.end())
        return {};
    const auto k = s->second.find(foldedName(key));
    return k == s->second.end() ? std::string() : k->second;
}

std::shared_ptr<const ProfileSnapshot> ReadProfile(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        if (auto known = remembered(file.native(), FileIdentity::of(info)))
            return known;

    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return std::make_shared<ProfileSnapshot>();
    struct stat before {
    }, after{};
    const bool regular = ::fstat(fd.get(), &before) == 0 && S_ISREG(before.st_mode);
    const std::optional<std::string> bytes = readAll(fd.get());
    if (!bytes)
        return std::make_shared<ProfileSnapshot>();
    std::shared_ptr<const ProfileSnapshot> snapshot = ProfileParser::parse(*bytes);
    // Remembered only when nothing wrote to the file while it was read.
    if (regular && ::fstat(fd.get(), &after) == 0) {
        const FileIdentity id = FileIdentity::of(before);
        if (id == FileIdentity::of(after) && settled(id))
            remember(file.native(), id, snapshot);
    }
    return snapshot;
}

std::string ReadProfileValue(const fs::path& file, std::string_view section, std::string_view key) {
    section = trimProfileBlanks(section);
    key = trimProfileBlanks(key);
    if (section.empty() || key.empty())
        return {};
    return ReadProfile(file)->value(section, key);
}
std::optional<std::size_t> storedValueBytes(std::string_view shown) {
    const std::string stored = newlineToBr(shown);
    if (isAscii(stored))
        return stored.size();
    bool ok = false;
    const std::string bytes = utf8ToCp932(stored, &ok);
    if (!ok)
        return std::nullopt;
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
            if (i + 1 < shown.size() && shown[i + 1] == '\n')
                ++i;
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
