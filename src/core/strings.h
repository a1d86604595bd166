#pragma once
// Small text helpers shared by every layer: ASCII character classes and case folding on UTF-8 or
// CP932 bytes (every byte below 0x80 there is an ASCII character of its own in UTF-8), and the
// full-width space the learner's texts use as a blank.

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrel {

/// U+3000 in UTF-8.
inline constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";

constexpr bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

/// True when every byte of the text is below 0x80.
constexpr bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

/// Byte-wise comparison with the ASCII letters folded; every other byte compares exactly.
constexpr bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

/// The text ends in `suffix`, ASCII letters compared without regard to case (a file extension).
constexpr bool endsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           equalIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

/// Appends the code point `c` to `out` in UTF-8.
inline void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace kestrel
