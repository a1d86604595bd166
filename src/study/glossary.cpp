#include "study/glossary.h"

#include "core/strings.h"

#include <fstream>
#include <iterator>

namespace kestrel {

namespace {

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> split(std::string_view s, std::string_view separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t at = s.find(separator);
        parts.push_back(s.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        s.remove_prefix(at + separator.size());
    }
}

/// Decodes one UTF-8 character at `i`, advancing `i`; a byte that starts no valid sequence is
/// returned as itself with `valid` false.
char32_t decode(std::string_view s, size_t& i, bool& valid) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    const int extra = lead < 0x80         ? 0
                      : (lead >> 5) == 6  ? 1
                      : (lead >> 4) == 14 ? 2
                      : (lead >> 3) == 30 ? 3
                                          : -1;
    valid = extra >= 0 && i + extra < s.size();
    char32_t c = extra == 0 ? lead : extra == 1 ? (lead & 0x1F) : extra == 2 ? (lead & 0x0F) : (lead & 0x07);
    for (int k = 1; valid && k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            valid = false;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (!valid) {
        ++i;
        return lead;
    }
    i += extra + 1;
    return c;
}

void encode(char32_t c, std::string& out) {
    appendUtf8(out, c);
}

/// The full-width katakana (or punctuation) of the half-width forms U+FF61..U+FF9D.
constexpr char16_t kHalfKana[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5,
    0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,
    0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC,
    0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4,
    0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3};

bool voiceable(char32_t k) {
    return (k >= 0x30AB && k <= 0x30C8) || (k >= 0x30CF && k <= 0x30DB);
}
bool hRow(char32_t k) {
    return k >= 0x30CF && k <= 0x30DB && (k - 0x30CF) % 3 == 0;
}

} // namespace

std::vector<std::string> glossarySpellings(std::string_view column) {
    std::vector<std::string> out;
    for (std::string_view part : split(column, " / ")) {
        part = trimmed(part);
        // A closing part in brackets, full-width or ASCII, is an abbreviation or a note.
        for (const std::string_view close : {std::string_view("）"), std::string_view(")")}) {
            const std::string_view open = close == ")" ? "(" : "（";
            if (part.size() > close.size() && part.substr(part.size() - close.size()) == close) {
                const size_t at = part.rfind(open);
                if (at != std::string_view::npos && at > 0)
                    part = trimmed(part.substr(0, at));
            }
        }
        if (!part.empty())
            out.emplace_back(part);
    }
    return out;
}

std::string foldForSearch(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    char32_t last = 0; // the last full-width katakana written, for a following voiced mark
    for (size_t i = 0; i < text.size();) {
        bool valid = true;
        char32_t c = decode(text, i, valid);
        if (!valid) {
            out += static_cast<char>(c);
            last = 0;
            continue;
        }
        if (c >= 0xFF01 && c <= 0xFF5E)
            c -= 0xFEE0;
        else if (c == 0x3000)
            c = ' ';
        if (c >= 'A' && c <= 'Z')
            c += 'a' - 'A';
        if ((c == 0xFF9E || c == 0xFF9F) && last) {
            // A voiced mark after a half-width kana makes one character: ｶﾞ is ガ, ﾊﾟ is パ.
            char32_t voiced = 0;
            if (c == 0xFF9E && last == 0x30A6)
                voiced = 0x30F4;
            else if (c == 0xFF9E && voiceable(last))
                voiced = last + 1;
            else if (c == 0xFF9F && hRow(last))
                voiced = last + 2;
            if (voiced) {
                out.resize(out.size() - 3); // every katakana takes three bytes
                encode(voiced, out);
                last = 0;
                continue;
            }
        }
        if (c >= 0xFF61 && c <= 0xFF9D)
            c = kHalfKana[c - 0xFF61];
        else if (c == 0xFF9E)
            c = 0x309B;
        else if (c == 0xFF9F)
            c = 0x309C;
        else if (c >= 0x3041 && c <= 0x3096)
            c += 0x60; // hiragana as katakana
        encode(c, out);
        last = (c >= 0x30A1 && c <= 0x30FA) ? c : 0;
    }
    return out;
}

Glossary Glossary::parse(std::string_view text) {
    Glossary g;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    int number = 0;
    for (std::string_view line : split(text, "\n")) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (trimmed(line).empty() || line.front() == '#')
            continue;
        const std::vector<std::string_view> columns = split(line, "\t");
        if (columns.size() != 6 || trimmed(columns[0]).empty() || trimmed(columns[1]).empty() ||
            trimmed(columns[3]).empty() || g.term(trimmed(columns[0]))) {
            g.mBadLines.push_back(number);
            continue;
        }
        GlossaryTerm t;
        std::string* fields[] = {&t.id,      &t.japanese,     &t.reading,
                                 &t.english, &t.definitionJa, &t.definitionEn};
        for (size_t k = 0; k < 6; ++k)
            *fields[k] = trimmed(columns[k]);
        g.mTerms.push_back(std::move(t));
    }
    return g;
}

Glossary Glossary::load(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parse(text);
}

const GlossaryTerm* Glossary::term(std::string_view id) const {
    for (const GlossaryTerm& t : mTerms)
        if (t.id == id)
            return &t;
    return nullptr;
}

std::vector<const GlossaryTerm*> Glossary::search(std::string_view query) const {
    const std::string q = foldForSearch(trimmed(query));
    std::vector<const GlossaryTerm*> names, definitions;
    for (const GlossaryTerm& t : mTerms) {
        const auto holds = [&](const std::string& field) {
            return foldForSearch(field).find(q) != std::string::npos;
        };
        if (holds(t.japanese) || holds(t.reading) || holds(t.english))
            names.push_back(&t);
        else if (holds(t.definitionJa) || holds(t.definitionEn))
            definitions.push_back(&t);
    }
    names.insert(names.end(), definitions.begin(), definitions.end());
    return names;
}

} // namespace kestrel
