#pragma once
// The learner-facing message boxes, questions and the beep. The windows use a Qt implementation;
// tests and the headless runner use their own, so nothing ever blocks on a real dialog.

#include <string>
#include <vector>

namespace kestrel {

class MessageService {
public:
    enum class Answer { Ok, Yes, No, Retry, Cancel };

    virtual ~MessageService() = default;

    /// An information or error message with only an OK button.
    virtual void showMessage(const std::string& text) = 0;
    /// A question with Yes and No.
    virtual bool askYesNo(const std::string& text) = 0;
    /// A failure the user may retry (true) or cancel (false).
    virtual bool askRetryCancel(const std::string& text) = 0;
    /// The system beep.
    virtual void beep() = 0;

    /// The same with a title of their own ("確認", "ﾍﾙﾌﾟ", "ﾊｰﾄﾞｺﾋﾟｰ"); by default the title is the
    /// program's.
    virtual void showMessage(const std::string& text, const std::string& /*title*/) { showMessage(text); }
    virtual bool askYesNo(const std::string& text, const std::string& /*title*/) { return askYesNo(text); }
};

/// The messages of a run without a window, each kept once; errors are answered with Retry (the
/// run goes on, as the panel's run after Retry, each fault reported once), questions with Yes.
class KeptMessages : public MessageService {
public:
    void showMessage(const std::string& text) override { keep(text); }
    bool askYesNo(const std::string&) override { return true; }
    bool askRetryCancel(const std::string& text) override {
        keep(text);
        return true;
    }
    void beep() override {}
    /// The first message, empty when there was none.
    std::string first() const { return messages.empty() ? std::string() : messages.front(); }

    std::vector<std::string> messages;

private:
    void keep(const std::string& text) {
        for (const std::string& m : messages)
            if (m == text)
                return;
        messages.push_back(text);
    }
};

/// The text of a trapped run-time error: its description followed by the procedure's code,
/// which starts with two blanks ("  P042").
inline std::string errorText(const std::string& description, const std::string& code) {
    return description + code;
}

} // namespace kestrel
