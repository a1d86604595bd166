#pragma once
// One row of a parameter group: the field's label and its number field, laid out in twips the
// same way in the main window's four groups and in the process-detail window.

#include "core/palette.h"
#include "setup/fieldtable.h"
#include "widgets/halfwidthinput.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <string>

namespace kestrel {

inline constexpr double kParameterRow = 315;        ///< twips between field rows
inline constexpr double kParameterFieldLeft = 2560; ///< the field column inside a group
inline constexpr double kParameterFieldWidth = 870;

struct ParameterRow {
    QLabel* label;
    QLineEdit* edit;
};

/// The field's label in the learner's language.
inline QString fieldLabel(const FieldDef& def) {
    return QCoreApplication::translate("Fields", std::string(def.label).c_str());
}

/// A caption of the setup tables (control-type tabs, options, lists) as shown; the tables hold
/// the Japanese, and the files store indexes, never the captions.
inline QString setupCaption(std::string_view caption) {
    return QCoreApplication::translate("SetupCaptions", std::string(caption).c_str());
}

/// The label and field of `def` at `row` (twips) in `box`, named after the field's widget; the
/// field reads the input method's full-width digits as half-width.
inline ParameterRow addParameterRow(QWidget* box, const FieldDef& def, double row, const QFont& labelFont) {
    auto* label = new QLabel(fieldLabel(def), box);
    label->setObjectName("Label_" + qtext(def.widget));
    label->setFont(labelFont);
    place(label, 90, row, kParameterFieldLeft - 120, 270);
    auto* edit = new QLineEdit(box);
    acceptFullWidthNumbers(edit);
    edit->setObjectName(qtext(def.widget));
    edit->setAlignment(Qt::AlignRight);
    place(edit, kParameterFieldLeft, row - 15, kParameterFieldWidth, 285);
    return {label, edit};
}

/// Shows a field's text ("？" read-only when hidden), keeping the typing position, and its
/// light-yellow marker when `edited`.
inline void showParameter(QLineEdit* e, const std::string& text, bool edited, bool hidden) {
    e->setReadOnly(hidden);
    const QString shown = hidden ? QString("？") : qtext(text);
    if (e->text() != shown) {
        const int cursor = e->cursorPosition();
        e->setText(shown);
        e->setCursorPosition(std::min(cursor, static_cast<int>(shown.size())));
    }
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base,
                 edited ? toQColor(kEditedFieldColor) : QApplication::palette().color(QPalette::Base));
    e->setPalette(pal);
}

} // namespace kestrel
