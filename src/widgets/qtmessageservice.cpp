#include "widgets/qtmessageservice.h"

#include <QApplication>
#include <QMessageBox>

namespace kestrel {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
} // namespace

void QtMessageService::showMessage(const std::string& text) {
    QMessageBox::information(mParent, mTitle, q(text), QMessageBox::Ok);
}

bool QtMessageService::askYesNo(const std::string& text) { return askYesNo(text, mTitle); }

bool QtMessageService::askYesNo(const std::string& text, const QString& title) {
    return QMessageBox::question(mParent, title, q(text), QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

bool QtMessageService::askRetryCancel(const std::string& text) {
    return QMessageBox::critical(mParent, mTitle, q(text), QMessageBox::Retry | QMessageBox::Cancel,
                                 QMessageBox::Retry) == QMessageBox::Retry;
}

void QtMessageService::beep() { QApplication::beep(); }

} // namespace kestrel
