#pragma once
// Texts between the Qt-free layers (UTF-8 std::string) and the windows (QString).

#include <QByteArray>
#include <QFile>
#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrel {

/// A UTF-8 text as a QString.
inline QString qtext(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

/// A file path as a QString, decoded as the file system stores names.
inline QString qpath(const std::filesystem::path& p) {
    return QFile::decodeName(QByteArray::fromStdString(p.string()));
}

} // namespace kestrel
