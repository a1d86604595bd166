#include "widgets/language.h"

#include "core/translate.h"
#include "widgets/qtmessageservice.h"

#include <QCoreApplication>
#include <QPointer>
#include <QString>
#include <QTranslator>

namespace kestrel {

namespace {

// The translators in force, owned by the application; the program has one language at a time.
struct Installed {
    QPointer<QTranslator> program; // the English of the program's texts
    QPointer<QTranslator> qtBase;  // the Japanese of Qt's standard buttons
    std::string language;
};

Installed& installed() {
    static Installed state;
    return state;
}

void remove(QPointer<QTranslator>& t) {
    if (t) {
        QCoreApplication::removeTranslator(t);
        delete t.data();
    }
    t = nullptr;
}

} // namespace

bool applyLanguage(QCoreApplication& app, const std::string& language,
                   const std::filesystem::path& translation) {
    Installed& s = installed();
    if (language == "en") {
        auto* english = new QTranslator(&app);
        if (!english->load(QString::fromStdString(translation.string()))) {
            delete english;
            return false;
        }
        remove(s.program);
        remove(s.qtBase); // Qt's buttons speak their own English
        QCoreApplication::installTranslator(english);
        s.program = english;
        installTranslator([](const char* context, const char* source) {
            return QCoreApplication::translate(context, source).toStdString();
        });
        s.language = "en";
        return true;
    }
    remove(s.program);
    if (!s.qtBase)
        s.qtBase = installQtJapanese(app);
    installTranslator({});
    s.language.clear();
    return true;
}

std::string currentLanguage() {
    return installed().language;
}

} // namespace kestrel
