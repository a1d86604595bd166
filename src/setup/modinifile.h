#pragma once
// modINIfile: the only access to the settings file, the lesson files and the project files.
//
// The files are profile (INI) files in CP932 with CR LF line ends:
//
//     [section]
//     key=value
//
// Reading follows the classic profile reader, so files written by hand or by other tools read as
// the learner expects:
//  - Lines may end in CR LF or LF alone. Blanks (space, tab, CR, vertical tab, form feed, ^Z) at
//    both ends of a line, around a section name inside its brackets, around a key name and around
//    a value are ignored. A full-width space is not a blank here; it belongs to the text.
//  - A line whose first non-blank character is ';' is a comment. A line starting with '[' that has
//    a ']' is a section header (the last ']' closes the name; what follows it is ignored). Any
//    other non-blank line is a key: the name runs up to the first '=', the value follows it; a key
//    line without '=' is a key with an empty value. Key lines before the first header belong to no
//    section.
//  - Section and key names compare without regard to the case of ASCII letters; full-width
//    letters, kana and kanji compare exactly. The names asked for are trimmed like the file's.
//  - The first section with the name is the section; a later one of the same name is never read
//    or written. Within it the first key with the name wins.
//  - A value enclosed in a matching pair of double or single quotes comes back without them.
//  - A value longer than 1023 bytes (CP932) comes back cut to at most 1023 bytes, never in the
//    middle of a double-byte character.
//  - A missing file, section or key, and a key written as `key=`, all read as the empty text.
//
// Writing changes one line and keeps every other byte of the file as it was (order, comments,
// blank lines, other keys, their spelling and their line ends):
//  - an existing key's line becomes `key=value` (the key spelled as in the file, its line end kept);
//  - a new key goes right after the last key line of its section, before the blank lines and
//    comments that close the section, or right after the header when the section has no key;
//  - a new section goes at the end of the file as `[section]` and `key=value`;
//  - a missing file is created. New lines end in CR LF.
// The file is replaced atomically: the new content goes to a temporary file in the same folder,
// is flushed to disk and renamed over the old file, so a crash or power loss mid-save leaves
// either the old or the new file, never a damaged one. A temporary file that a process killed
// mid-write left behind is removed by the next successful write of the same file. Several values
// written together (a step save) are one such replacement: all of them or none reach the file.
// Each write holds an exclusive advisory lock (flock on ".<name>.lock" beside the file) from reading
// the file to replacing it, so two copies of the program writing one settings file at once keep
// every value both wrote.
//
// Reading remembers the parsed content of the last few files read, for as long as the file is
// unchanged (same device, inode, size, modification and change time), so reading every key of a
// long lesson parses it once. A file modified within the last moments is read afresh each time,
// because file times are coarser than the clock and a quick rewrite of the same size could
// otherwise keep its old times.
//
// Texts are UTF-8 on both sides of this interface and CP932 in the files.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kestrel {

/// The value of `key` in `section` of the profile file `file`, in UTF-8. The empty text when the
/// file, section or key is missing, when the value is empty, or when the file cannot be read.
/// Callers never tell a missing key from an empty one.
std::string ReadProfileValue(const std::filesystem::path& file, std::string_view section,
                             std::string_view key);

/// Stores `value` under `key` in `section` of the profile file `file`, leading and trailing blanks
/// of the value removed (space, tab and the full-width space U+3000); an empty value is written as
/// `key=`. Returns false, leaving the file as it was, when
///  - the section or key name is empty, or a name or the value holds a line break (which would
///    break the file into other lines), or a key name holds '=' or starts with '[' or ';' (it
///    would read back as another key, a header or a comment);
///  - a text has a character CP932 cannot store;
///  - the file is read-only (no write permission bit at all, as the platform's read-only
///    attribute: this holds even for the administrator), cannot be read, or is not a regular file;
///  - the folder is missing or not writable, or the disk is full.
bool WriteProfileValue(const std::filesystem::path& file, std::string_view section, std::string_view key,
                       std::string_view value);

/// One value of a write of several: `value` under `key` in `section`.
struct ProfileEntry {
    std::string section, key, value;
};

/// Applies every entry, in order, to the file's content exactly as WriteProfileValue would one
/// after the other, and replaces the file once. Returns false, leaving the file as it was, when one
/// entry could not be written (for any reason WriteProfileValue gives) or the file could not be
/// replaced. An empty list leaves the file alone and returns true.
bool WriteProfileValues(const std::filesystem::path& file, const std::vector<ProfileEntry>& entries);

/// A profile file read once: the values of the first section of each name, found by the same rules
/// as ReadProfileValue. A missing or unreadable file has no values.
class ProfileSnapshot {
public:
    /// As ReadProfileValue(file, section, key) at the time the file was read.
    std::string value(std::string_view section, std::string_view key) const;

private:
    friend class ProfileParser;
    // Section and key names as compared: UTF-8 with ASCII letters in lower case.
    std::unordered_map<std::string, std::unordered_map<std::string, std::string>> mSections;
};

/// The file as it is now; shared with other readers while the file stays unchanged.
std::shared_ptr<const ProfileSnapshot> ReadProfile(const std::filesystem::path& file);

/// Points the application's `IniPath` at another profile file for the lifetime of this object and
/// puts the previous file back when it ends, however the scope is left, so that `IniPath` names
/// the settings file whenever no lesson or project operation is running.
class IniPathSwitch {
public:
    IniPathSwitch(std::filesystem::path& iniPath, std::filesystem::path file)
        : mIniPath(iniPath), mPrevious(std::exchange(iniPath, std::move(file))) {}
    ~IniPathSwitch() { mIniPath = std::move(mPrevious); }
    IniPathSwitch(const IniPathSwitch&) = delete;
    IniPathSwitch& operator=(const IniPathSwitch&) = delete;

private:
    std::filesystem::path& mIniPath;
    std::filesystem::path mPrevious;
};

/// The longest value a profile line holds, in CP932 bytes; a longer one reads back cut.
inline constexpr std::size_t kMaxProfileValueBytes = 1023;

/// How many CP932 bytes a text shown with line breaks takes on its profile line (each line break
/// stored as "<BR>"); nothing when the text holds a character CP932 cannot store.
std::optional<std::size_t> storedValueBytes(std::string_view shown);

/// A stored text as shown: each "<BR>" (upper case, as stored) becomes a CR LF line break.
std::string brToNewline(std::string_view stored);

/// A shown text as stored on its single profile line: each line break (CR LF, LF alone or CR alone)
/// becomes "<BR>".
std::string newlineToBr(std::string_view shown);

} // namespace kestrel
