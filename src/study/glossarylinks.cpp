#include "study/glossarylinks.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <set>

namespace kestrel {

namespace {

bool asciiWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = lower(c);
    return out;
}

/// Elements whose text is never linked (the table of contents is a list of headings).
constexpr std::array<std::string_view, 15> kUnlinked = {"a",     "pre",    "code", "kbd",    "title",
                                                        "style", "script", "h1",   "h2",     "h3",
                                                        "h4",    "h5",     "h6",   "header", "nav"};

struct Spelling {
    std::string text; ///< ASCII letters in lower case
    size_t term;
};

struct Link {
    size_t begin, end, term;
};

constexpr size_t kNoTerm = static_cast<size_t>(-1);

class Linker {
public:
    explicit Linker(const std::vector<GlossaryLinkTerm>& terms) : mTerms(terms) {
        for (size_t t = 0; t < terms.size(); ++t)
            for (const std::string& s : terms[t].spellings)
                if (!s.empty())
                    mSpellings.push_back({lowered(s), t});
        std::stable_sort(mSpellings.begin(), mSpellings.end(),
                         [](const Spelling& a, const Spelling& b) { return a.text.size() > b.text.size(); });
    }

    std::string run(std::string_view html) {
        std::string out;
        out.reserve(html.size() + html.size() / 8);
        size_t pos = 0;
        while (pos < html.size()) {
            const char c = html[pos];
            size_t end;
            if (html.substr(pos, 4) == "<!--") {
                const size_t close = html.find("-->", pos + 4);
                end = close == std::string_view::npos ? html.size() : close + 3;
            } else if (c == '<') {
                end = tagEnd(html, pos);
                noteTag(html.substr(pos, end - pos));
            } else if (c == '&') {
                end = entityEnd(html, pos);
            } else {
                end = std::min(html.find('<', pos), html.find('&', pos));
                if (end == std::string_view::npos)
                    end = html.size();
                if (mClosedDepth == 0) {
                    linkText(html.substr(pos, end - pos), out);
                    pos = end;
                    continue;
                }
            }
            out.append(html.substr(pos, end - pos));
            pos = end;
        }
        return out;
    }

private:
    static size_t tagEnd(std::string_view html, size_t pos) {
        char quote = 0;
        for (size_t i = pos + 1; i < html.size(); ++i) {
            const char c = html[i];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                return i + 1;
            }
        }
        return html.size();
    }

    /// The end of an entity ("&amp;", "&#8722;") at `pos`, or just past the "&" when none starts there.
    static size_t entityEnd(std::string_view html, size_t pos) {
        for (size_t i = pos + 1; i < html.size() && i < pos + 34; ++i) {
            if (html[i] == ';')
                return i > pos + 1 ? i + 1 : pos + 1;
            if (!asciiWordChar(html[i]) && html[i] != '#')
                break;
        }
        return pos + 1;
    }

    void noteTag(std::string_view tag) {
        size_t i = 1;
        const bool closing = i < tag.size() && tag[i] == '/';
        if (closing)
            ++i;
        std::string name;
        while (i < tag.size() && asciiWordChar(tag[i]))
            name += lower(tag[i++]);
        const auto it = std::find(kUnlinked.begin(), kUnlinked.end(), name);
        if (it == kUnlinked.end())
            return;
        int& depth = mDepth[static_cast<size_t>(it - kUnlinked.begin())];
        const bool selfClosing = tag.size() >= 2 && tag[tag.size() - 2] == '/';
        if (closing && depth > 0) {
            --depth;
            --mClosedDepth;
        } else if (!closing && !selfClosing) {
            ++depth;
            ++mClosedDepth;
            if (name == "h2")
                mLinked.clear(); // a new section
        }
    }

    bool wholeWord(std::string_view text, size_t at, std::string_view word) const {
        if (asciiWordChar(word.front()) && at > 0 && asciiWordChar(text[at - 1]))
            return false;
        const size_t after = at + word.size();
        if (asciiWordChar(word.back()) && after < text.size() && asciiWordChar(text[after])) {
            // An English plural: "set points" still shows the term "set point".
            const bool plural =
                lower(text[after]) == 's' && (after + 1 == text.size() || !asciiWordChar(text[after + 1]));
            return plural && word.back() >= 'a' && word.back() <= 'z';
        }
        return true;
    }

    void linkText(std::string_view text, std::string& out) {
        // Every place a longer spelling is written stays whole, linked or not: the "ゲイン" of a
        // "比例ゲイン" never becomes a link of its own.
        std::vector<Link> taken;
        const std::string folded = lowered(text);
        for (const Spelling& s : mSpellings) {
            for (size_t at = folded.find(s.text); at != std::string::npos; at = folded.find(s.text, at + 1)) {
                const size_t end = at + s.text.size();
                if (!wholeWord(text, at, s.text) ||
                    std::any_of(taken.begin(), taken.end(),
                                [&](const Link& l) { return at < l.end && l.begin < end; }))
                    continue;
                const bool link = mLinked.insert(s.term).second;
                taken.push_back({at, end, link ? s.term : kNoTerm});
            }
        }
        std::vector<Link> links;
        std::copy_if(taken.begin(), taken.end(), std::back_inserter(links),
                     [](const Link& l) { return l.term != kNoTerm; });
        std::sort(links.begin(), links.end(), [](const Link& a, const Link& b) { return a.begin < b.begin; });
        size_t pos = 0;
        for (const Link& l : links) {
            out.append(text.substr(pos, l.begin - pos));
            out += "<a class=\"term\" href=\"glossary:";
            out += mTerms[l.term].id;
            out += "\">";
            out.append(text.substr(l.begin, l.end - l.begin));
            out += "</a>";
            pos = l.end;
        }
        out.append(text.substr(pos));
    }

    const std::vector<GlossaryLinkTerm>& mTerms;
    std::vector<Spelling> mSpellings;
    std::array<int, kUnlinked.size()> mDepth{};
    int mClosedDepth = 0;
    std::set<size_t> mLinked; ///< terms linked in the current section
};

} // namespace

std::vector<GlossaryLinkTerm> glossaryLinkTerms(const Glossary& glossary, bool english) {
    std::vector<GlossaryLinkTerm> out;
    for (const GlossaryTerm& t : glossary.terms())
        out.push_back({t.id, glossarySpellings(english ? t.english : t.japanese)});
    return out;
}

bool isEnglishPage(std::string_view fileName) {
    constexpr std::string_view suffix = "_en.html";
    return fileName.size() >= suffix.size() && fileName.substr(fileName.size() - suffix.size()) == suffix;
}

std::string linkGlossaryTerms(std::string_view html, const std::vector<GlossaryLinkTerm>& terms) {
    return Linker(terms).run(html);
}

} // namespace kestrel
