#pragma once
// frmSecondaryLoop: the "二次ループ" window, the settings of cascade control that the main
// window's fixed size leaves no room for. Its "二次調節計" group holds the secondary controller's
// type (P, PI, PID) and calculation form, its gain, integral and derivative times and its MV
// limits; its "内側プロセス" group the inner part of the process, from the process input to
// PV2 (Kin, Tin, Lin), and the inner disturbance from DV (Kdin, Tdin). OK and Cancel act on
// both groups at once, like the main window's groups.
//
// Fields show the document's texts with the light-yellow marker for edited fields; the type and
// form are stored as soon as an option is clicked, as the calculation form is. Ti2 takes input
// only from PI on, Td2 only for PID, and the limits only in the velocity forms (the position form
// has none). While a challenge hides the process, Kin, Tin and Lin show "？" and cannot be edited.
// The secondary's mode buttons (M, A, CAS) are on the controller panel, not here.

#include "setup/setupdocument.h"

#include <QWidget>

#include <array>

class QLineEdit;
class QRadioButton;

namespace kestrel {

class HelpLabel;

class frmSecondaryLoop : public QWidget {
    Q_OBJECT
public:
    frmSecondaryLoop(SetupDocument& document, QWidget* parent = nullptr);
    ~frmSecondaryLoop() override;

    QLineEdit* field(SecondaryField f) { return mFields[f]; }
    /// Shows the window in front, as the menu item and the main window's button do.
    void open();

    /// The window's help label ("?" into the help page's section), shown with the main window's.
    void SetHelpPointer(bool visible);

signals:
    void helpRequested(const QString& anchor);

private:
    void onDocumentChanged(SetupChange what, int index);
    void showField(SecondaryField f);
    void showOptions();
    /// A field that shows "？" now.
    bool hiddenField(SecondaryField f) const;

    SetupDocument& mDocument;
    int mListener = 0;
    std::array<QLineEdit*, SecondaryCount> mFields{};
    std::array<QRadioButton*, 3> mOptType{};
    std::array<QRadioButton*, 3> mOptForm{};
    HelpLabel* mHelp = nullptr;
};

} // namespace kestrel
