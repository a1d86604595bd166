#pragma once
// Failures of the file system in the learner's language: the system's own texts are English
// ("File name too long"), which reads badly inside a Japanese message.

#include <string>
#include <system_error>

namespace kestrel {

/// The cause of a failed file operation as a short phrase in the learner's language, preceded by `fileName`
/// and "：" when a name is given ("P1.txt：ファイル名が長すぎます"). The common causes (name too long, name
/// taken, no permission, disk full, missing folder) have their own phrase; any other keeps the
/// system's text after a lead-in. Meant to stand inside a message, without a closing "。".
std::string systemErrorText(const std::error_code& error, const std::string& fileName);

} // namespace kestrel
