#pragma once
// The learner-facing message boxes on Qt: title "Kestrel", OK only, Yes/No, Retry/Cancel.

#include "core/messageservice.h"

#include <QString>

class QWidget;

namespace kestrel {

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
