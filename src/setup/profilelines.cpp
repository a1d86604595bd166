#include "setup/profilelines.h"

#include <cerrno>

namespace kestrel::profile {

bool isProfileBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view trimProfileBlanks(std::string_view text) {
    while (!text.empty() && isProfileBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isProfileBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string foldedName(std::string_view utf8) {
    std::string folded(utf8);
    for (char& c : folded)
        c = asciiLower(c);
    return folded;
}

ParsedLine parseLine(std::string_view line) {
    const std::string_view text = trimProfileBlanks(line);
    if (text.empty())
        return {};
    if (text.front() == ';')
        return {LineKind::Comment, {}, {}};
    if (text.front() == '[') {
        // ']' can be the trail byte of a double-byte character: step a character at a time.
        std::size_t close = std::string_view::npos;
        for (std::size_t pos = 1; pos < text.size(); pos += cp932CharLength(text, pos))
            if (text[pos] == ']')
                close = pos;
        if (close != std::string_view::npos)
            return {LineKind::Section, trimProfileBlanks(text.substr(1, close - 1)), {}};
    }
    // '=' is never a trail byte.
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos)
        return {LineKind::Key, text, {}};
    return {LineKind::Key, trimProfileBlanks(text.substr(0, eq)), trimProfileBlanks(text.substr(eq + 1))};
}

std::optional<std::string> readAll(int fd) {
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            return bytes;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

} // namespace kestrel::profile
