#include "widgets/qtmessageservice.h"

#include "core/strings.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <string>

namespace kestrel {

namespace {

/// The text ends in a procedure code: two blanks, "P", digits and at most one capital letter.
bool endsWithProcedureCode(std::string_view text) {
    std::size_t end = text.size();
    if (end > 0 && text[end - 1] >= 'A' && text[end - 1] <= 'Z')
        --end;
    std::size_t digits = end;
    while (digits > 0 && isAsciiDigit(text[digits - 1]))
        --digits;
    return digits < end && digits >= 3 && text.substr(digits - 3, 3) == "  P";
}

} // namespace

bool reportsFailure(std::string_view text) {
    if (endsWithProcedureCode(text))
        return true;
    // The wordings of the failures reported without a code: something could not be done
    // ("〜ませんでした", "できません"), is missing, is not allowed or is too long.
    static constexpr std::string_view kFailureWords[] = {
        "ませんでした",   "できません", "出来ません", "できない", "出来ない", "書き込めません",
        "見つかりません", "使えません", "既に存在",   "すぎます", "エラー",   "失敗",
    };
    for (std::string_view word : kFailureWords)
        if (text.find(word) != std::string_view::npos)
            return true;
    // The same in the English texts.
    static constexpr std::string_view kEnglishFailureWords[] = {
        "could not", "cannot",   "can't", "not found", "not allowed", "already exists",
        "too long",  "too many", "error", "failed",    "fail",        "unable",
    };
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (std::string_view word : kEnglishFailureWords)
        if (lower.find(word) != std::string::npos)
            return true;
    return false;
}

/// The message box titles the program passes ("確認", "ﾍﾙﾌﾟ", "ﾊｰﾄﾞｺﾋﾟｰ") in the learner's
/// language; a title already translated, or the program's name, is shown as it is.
QString boxTitle(const std::string& title) {
    static constexpr const char* kTitles[] = {
        QT_TRANSLATE_NOOP("QtMessageService", "確認"),
        QT_TRANSLATE_NOOP("QtMessageService", "ﾍﾙﾌﾟ"),
        QT_TRANSLATE_NOOP("QtMessageService", "ﾊｰﾄﾞｺﾋﾟｰ"),
    };
    for (const char* known : kTitles)
        if (title == known)
            return QCoreApplication::translate("QtMessageService", known);
    return qtext(title);
}

QMessageBox::Icon messageIcon(std::string_view text) {
    return reportsFailure(text) ? QMessageBox::Warning : QMessageBox::Information;
}

QTranslator* installQtJapanese(QCoreApplication& app) {
    // Owned by the application, so it lives as long as the texts are needed.
    auto* translator = new QTranslator(&app);
    if (!translator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

void QtMessageService::showMessage(const std::string& text) {
    showMessage(text, mTitle.toStdString());
}

bool QtMessageService::askYesNo(const std::string& text) {
    return askYesNo(text, mTitle.toStdString());
}

void QtMessageService::showMessage(const std::string& text, const std::string& title) {
    QMessageBox box(messageIcon(text), boxTitle(title), qtext(text), QMessageBox::Ok, mParent);
    box.exec();
}

bool QtMessageService::askYesNo(const std::string& text, const std::string& title) {
    return QMessageBox::question(mParent, boxTitle(title), qtext(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtMessageService::askRetryCancel(const std::string& text) {
    return QMessageBox::critical(mParent, mTitle, qtext(text), QMessageBox::Retry | QMessageBox::Cancel,
                                 QMessageBox::Retry) == QMessageBox::Retry;
}

void QtMessageService::beep() {
    QApplication::beep();
}

} // namespace kestrel
