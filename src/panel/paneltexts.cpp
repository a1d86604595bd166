#include "panel/paneltexts.h"

#include <QCoreApplication>

#include <string>

namespace kestrel {

QString panelText(std::string_view text) {
    const std::string source(text);
    return QCoreApplication::translate("Fields", source.c_str());
}

} // namespace kestrel
