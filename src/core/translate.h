#pragma once
// The learner's language for the texts of the Qt-free layers. The Japanese texts in the code are
// the source texts; a translation replaces them where a text is made for the learner. The windows
// install Qt's translator here; kestrel-sim installs a catalog read from the same compiled
// translation file. With nothing installed every text is the Japanese source, unchanged.
//
// lupdate reads both macros as QT_TRANSLATE_NOOP(context, text) (scripts/update-translations.sh).

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

/// A text translated where it is made: `KESTREL_TR("Metrics", "行き過ぎ量")` is a std::string.
#define KESTREL_TR(context, text) ::kestrel::translate(context, text)
/// A text marked for translation and left as it is (tables of constants); translate it where it
/// is shown with `kestrel::translate` and the same context.
#define KESTREL_TR_NOOP(context, text) text

namespace kestrel {

/// Looks a source text up in the learner's language; returns the source when it has no translation.
using Translator = std::function<std::string(const char* context, const char* source)>;

/// The text in the learner's language: the installed translator's answer, or `source` itself.
std::string translate(const char* context, const char* source);

/// Makes `translator` the one every later `translate` asks; an empty one restores the Japanese.
/// Set once at start-up and when the learner switches the language, before texts are made.
void installTranslator(Translator translator);

/// Whether a translator is installed (the texts are not the Japanese sources).
bool translatorInstalled();

/// `text` with "%1" … "%9" replaced by the arguments in order, as Qt's QString::arg numbers them;
/// a marker without an argument stays.
std::string trArgs(std::string_view text, std::initializer_list<std::string_view> args);

} // namespace kestrel
