#pragma once
// The Japanese ANSI code page of the settings, lesson and project files (CP932), and the UTF-8 the
// rest of the simulator works in.
//
// CP932 is single-byte for ASCII (0x00-0x7F) and half-width katakana (0xA1-0xDF) and double-byte
// for everything else: a lead byte 0x81-0x9F or 0xE0-0xFC followed by a trail byte 0x40-0x7E or
// 0x80-0xFC. Trail bytes overlap ASCII ('A', ']', '\\' and others), so byte-wise work on CP932 text
// must step a character at a time. The conversion goes through iconv's "CP932" (not "SHIFT_JIS",
// which lacks the circled digits, the row-13 and extension characters and the wave dash mapping the texts
// use).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

/// True for the first byte of a CP932 double-byte character.
inline bool isCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

/// Length in bytes (1 or 2) of the CP932 character that starts at `pos` of `text`. A lead byte at
/// the very end of the text counts as one byte.
inline std::size_t cp932CharLength(std::string_view text, std::size_t pos) {
    return isCp932LeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

/// The longest prefix of a CP932 text that is at most `maxBytes` long and does not end in the
/// middle of a double-byte character.
std::string_view cp932Prefix(std::string_view cp932, std::size_t maxBytes);

/// A pair of open iconv conversions, for code that converts many short texts in a row (a profile
/// file read compares every key name of a section). Not copyable; one per thread.
class Cp932Codec {
public:
    /// Throws std::runtime_error when the C library offers no CP932 conversion.
    Cp932Codec();
    ~Cp932Codec();
    Cp932Codec(const Cp932Codec&) = delete;
    Cp932Codec& operator=(const Cp932Codec&) = delete;

    /// Decodes CP932 to UTF-8. Never fails: a byte sequence that is not CP932 becomes U+FFFD (a
    /// lead byte with a valid trail byte counts as one character), so a damaged file still reads.
    std::string toUtf8(std::string_view cp932);

    /// Encodes UTF-8 to CP932; nothing when the text is not valid UTF-8 or holds a character
    /// CP932 does not have.
    std::optional<std::string> fromUtf8(std::string_view utf8);

private:
    void* mToUtf8;
    void* mFromUtf8;
};

/// UTF-8 to CP932. On failure (a character CP932 does not have, or invalid UTF-8) returns the
/// empty text and sets *ok to false; *ok is true otherwise. `ok` may be null.
std::string utf8ToCp932(std::string_view utf8, bool* ok = nullptr);

/// CP932 to UTF-8; bytes that are not CP932 come back as U+FFFD.
std::string cp932ToUtf8(std::string_view cp932);

} // namespace kestrel
