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

bool QtMessageService::askYesNo(const std::string& text) { return askYesNo(text, mTitle.toStdString()); }

void QtMessageService::showMessage(const std::string& text, const std::string& title) {
    QMessageBox::information(mParent, q(title), q(text), QMessageBox::Ok);
}

bool QtMessageService::askYesNo(const std::string& text, const std::string& title) {
    return QMessageBox::question(mParent, q(title), q(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtMessageService::askRetryCancel(const std::string& text) {
    return QMessageBox::critical(mParent, mTitle, q(text), QMessageBox::Retry | QMessageBox::Cancel,
                                 QMessageBox::Retry) == QMessageBox::Retry;
}

void QtMessageService::beep() { QApplication::beep(); }

} // namespace kestrel
