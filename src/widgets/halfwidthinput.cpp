#include "widgets/halfwidthinput.h"

#include "core/convert.h"
#include "widgets/qtext.h"

#include <QEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace kestrel {

namespace {

/// Lives as a child of its field. The rewrite runs after the edit's own signals have been
/// delivered, so every listener first sees the typed text and then the half-width one.
class HalfWidthNumbers : public QObject {
public:
    explicit HalfWidthNumbers(QLineEdit* edit) : QObject(edit), mEdit(edit) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this] { schedule(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == mEdit && event->type() == QEvent::InputMethod) {
            // The event's pre-edit string is what the input method still composes after it.
            mComposing = !static_cast<QInputMethodEvent*>(event)->preeditString().isEmpty();
            if (!mComposing)
                schedule(); // a composition ended: what it committed may need the rewrite
        }
        return false;
    }

private:
    void schedule() {
        if (mPending)
            return;
        mPending = true;
        QTimer::singleShot(0, this, [this] {
            mPending = false;
            rewrite();
        });
    }

    void rewrite() {
        if (mComposing || !mEdit)
            return;
        const QString typed = mEdit->text();
        const QString read = qtext(halfWidthNumberText(typed.toStdString()));
        if (read == typed)
            return;
        // Each replaced character is one UTF-16 unit, as its replacement: the cursor stays valid.
        const int cursor = mEdit->cursorPosition();
        mEdit->selectAll();
        mEdit->insert(read); // an edit: textEdited carries the new text to the field's owner
        mEdit->setCursorPosition(cursor);
    }

    QPointer<QLineEdit> mEdit;
    bool mComposing = false;
    bool mPending = false;
};

} // namespace

void acceptFullWidthNumbers(QLineEdit* edit) {
    if (edit)
        new HalfWidthNumbers(edit);
}

} // namespace kestrel
