#pragma once
// The glossary: the textbook terms the program and its help use, each in Japanese (with its
// reading) and in English, with a one-sentence definition in each language.
//
// The terms are read from Doc/glossary.tsv: UTF-8, one term per line with six tab-separated
// columns (id, Japanese, reading, English, Japanese definition, English definition); lines that
// start with "#" and blank lines are comments. The Japanese and English columns may give other
// spellings after " / ".

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

struct GlossaryTerm {
    std::string id; ///< ASCII, used in links ("glossary:<id>")
    std::string japanese, reading, english;
    std::string definitionJa, definitionEn;
};

/// The spellings a name column gives: the column split at " / ", each trimmed and without a closing
/// part in brackets ("目標値（SV）" gives "目標値", "set point (SV)" gives "set point").
std::vector<std::string> glossarySpellings(std::string_view column);

/// `text` folded for searching: ASCII letters in lower case, full-width ASCII and the ideographic
/// space as their half-width forms, half-width katakana (with their voiced marks) and hiragana as
/// full-width katakana. Invalid UTF-8 bytes are kept as they are.
std::string foldForSearch(std::string_view text);

class Glossary {
public:
    /// The terms of a glossary file's text. A line without six columns, with an empty id, Japanese
    /// or English, or with an id used before is left out and its number (from 1) kept in badLines().
    static Glossary parse(std::string_view text);
    /// The terms of the file; an empty glossary when it cannot be read.
    static Glossary load(const std::filesystem::path& file);

    const std::vector<GlossaryTerm>& terms() const { return mTerms; }
    const std::vector<int>& badLines() const { return mBadLines; }

    /// The term with that id, or null.
    const GlossaryTerm* term(std::string_view id) const;

    /// The terms whose Japanese, reading, English or either definition holds `query` (compared
    /// after foldForSearch, blanks around it ignored): first those found in a name, then those
    /// found only in a definition, each in file order. Every term for a blank query.
    std::vector<const GlossaryTerm*> search(std::string_view query) const;

private:
    std::vector<GlossaryTerm> mTerms;
    std::vector<int> mBadLines;
};

} // namespace kestrel
