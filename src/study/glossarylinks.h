#pragma once
// Links from the help page to the glossary.
//
// Before the help window shows a page, the first place in each section (the text from one <h2>
// to the next) where a glossary term is written becomes a link "glossary:<id>". Only running text
// is linked: never the inside of a tag or an entity, nor the text of headings (and of the page's
// <header>), existing links, <pre>, <code>, <kbd>, <title>, <style> or <script>. Longer spellings are tried
// first, so "比例ゲイン" is linked as a whole rather than its "ゲイン". A spelling that begins or ends with
// an ASCII letter or digit matches only as a whole word (ASCII letters in any case; an English
// plural "s" may follow). Every place a longer spelling is written stays whole, so a shorter term
// is never linked inside it.

#include "study/glossary.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

struct GlossaryLinkTerm {
    std::string id;
    std::vector<std::string> spellings;
};

/// The spellings to link for every term: the Japanese column's for a Japanese page, the English
/// column's for an English one.
std::vector<GlossaryLinkTerm> glossaryLinkTerms(const Glossary& glossary, bool english);

/// True for the English help page: a file name (or path, or URL) ending in "_en.html".
bool isEnglishPage(std::string_view fileName);

/// `html` with the terms linked as <a class="term" href="glossary:<id>">…</a>.
std::string linkGlossaryTerms(std::string_view html, const std::vector<GlossaryLinkTerm>& terms);

} // namespace kestrel
