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

    /// A Yes/No question with its own title ("確認").
    bool askYesNo(const std::string& text, const QString& title);

private:
    QWidget* mParent;
    QString mTitle;
};

} // namespace kestrel
