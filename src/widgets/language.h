#pragma once
// The language of the windows: Qt's translator with the program's English, Qt's own Japanese for
// the standard buttons, and the same English for the texts the Qt-free layers make.

#include <filesystem>
#include <string>

class QCoreApplication;

namespace kestrel {

/// Makes `language` ("en", or empty for Japanese) the program's from now on: every text made
/// after this call, in windows created after it and in messages, is in that language. English
/// needs `translation` (the compiled kestrel_en.qm); when it cannot be loaded the program stays
/// Japanese and false is returned.
bool applyLanguage(QCoreApplication& app, const std::string& language,
                   const std::filesystem::path& translation);

/// The language in force: "en" or empty.
std::string currentLanguage();

} // namespace kestrel
