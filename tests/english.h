#pragma once
// Window tests in English: the build's compiled translation in force while a scope lives, and the
// texts of a window that do not fit the widget they are in.

#include "core/translate.h"
#include "widgets/language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTabWidget>
#include <QWidget>

#include <string>
#include <vector>

namespace kestrel::test {

/// While it lives, every text made (windows created, messages) is in English.
class EnglishScope {
public:
    EnglishScope() { mLoaded = applyLanguage(*QCoreApplication::instance(), "en", KESTREL_QM_FILE); }
    ~EnglishScope() { applyLanguage(*QCoreApplication::instance(), "", {}); }
    EnglishScope(const EnglishScope&) = delete;
    EnglishScope& operator=(const EnglishScope&) = delete;
    bool loaded() const { return mLoaded; }

private:
    bool mLoaded = false;
};

namespace detail {

inline int widestLine(const QFontMetrics& fm, QString text) {
    text.remove('&'); // mnemonics are not drawn
    int widest = 0;
    for (const QString& line : text.split('\n'))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

inline std::string describe(const QWidget* w, const QString& text, int need, int room) {
    return (w->objectName().isEmpty() ? std::string(w->metaObject()->className())
                                      : w->objectName().toStdString()) +
           " \"" + text.toStdString() + "\" needs " + std::to_string(need) + " px, has " +
           std::to_string(room);
}

} // namespace detail

/// The visible texts under `root` (itself included) that are cut by their widget: labels (a
/// wrapped label by its height), push buttons, check boxes, radio buttons, group box titles and
/// tab titles, each as "name "text" needs N px, has M".
inline std::vector<std::string> clippedTexts(QWidget* root) {
    std::vector<std::string> cut;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(root) && w != root)
            continue;
        const QFontMetrics fm = w->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            const QString text = label->text();
            if (text.isEmpty() || Qt::mightBeRichText(text) || label->textFormat() == Qt::RichText)
                continue;
            const int room =
                label->contentsRect().width() - 2 * label->margin() - std::max(label->indent(), 0);
            if (label->wordWrap()) {
                const int height = label->heightForWidth(label->width());
                if (height > label->height() + 1)
                    cut.push_back(detail::describe(w, text, height, label->height()) + " (height)");
            } else if (const int need = detail::widestLine(fm, text); need > room + 1) {
                cut.push_back(detail::describe(w, text, need, room));
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            const QString text = button->text();
            if (text.isEmpty())
                continue;
            int extra = 0;
            if (qobject_cast<QCheckBox*>(w))
                extra = w->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                        w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
            else if (qobject_cast<QRadioButton*>(w))
                extra = w->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                        w->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
            else if (qobject_cast<QPushButton*>(w))
                extra = 2 * w->style()->pixelMetric(QStyle::PM_ButtonMargin) / 2;
            else
                continue;
            const int need = detail::widestLine(fm, text) + extra;
            if (need > button->width() + 1)
                cut.push_back(detail::describe(w, text, need, button->width()));
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            const int need = detail::widestLine(fm, group->title()) + 8;
            if (!group->title().isEmpty() && need > group->width())
                cut.push_back(detail::describe(w, group->title(), need, group->width()));
        }
    }
    return cut;
}

} // namespace kestrel::test
