#pragma once
// The learner-facing message boxes on Qt: title "Kestrel", OK only, Yes/No, Retry/Cancel.
// A message that reports a failure carries the warning icon, any other message the information
// icon; questions carry the question icon.

#include "core/messageservice.h"

#include <QMessageBox>
#include <QString>

#include <string_view>

class QCoreApplication;
class QTranslator;
class QWidget;

namespace kestrel {

/// True when `text` reports a failure: a trapped error ending in its procedure's code
/// ("  P001", "  P034A"), or a text saying that something could not be done or found.
bool reportsFailure(std::string_view text);

/// A message box title in the learner's language: the titles the program passes in Japanese are
/// translated here, any other title is shown as it is.
QString boxTitle(const std::string& title);

/// The icon of an OK-only message: Warning for a failure, Information otherwise.
QMessageBox::Icon messageIcon(std::string_view text);

/// Installs Qt's own Japanese texts (the standard buttons' "はい", "いいえ", "キャンセル") from
/// Qt's translations folder. Returns the translator, owned by `app` (deleting it uninstalls it), or
/// nullptr when the translation is not installed; the buttons then keep their English texts.
QTranslator* installQtJapanese(QCoreApplication& app);

class QtMessageService : public MessageService {
public:
    explicit QtMessageService(QWidget* parent = nullptr, QString title = "Kestrel")
        : mParent(parent), mTitle(std::move(title)) {}

    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askRetryCancel(const std::string& text) override;
    void beep() override;

    void showMessage(const std::string& text, const std::string& title) override;
    bool askYesNo(const std::string& text, const std::string& title) override;

private:
    QWidget* mParent;
    QString mTitle;
};

} // namespace kestrel
