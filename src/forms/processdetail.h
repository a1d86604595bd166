#pragma once
// frmProcessDetail: the "プロセス詳細" group in a window of its own (the main window's fixed
// size leaves no room for a fifth group). It edits the measurement noise and its seed, the sensor
// filter, the valve stages (deadband, backlash, stick-slip, valve lag), the process type and the
// second lag Tpl2, with OK and Cancel like the main window's four groups.
//
// Fields show the document's texts with the same light-yellow marker for edited fields; the
// process type is stored as soon as an option is clicked, as the calculation form is. While a
// challenge hides the process, the process type, Tpl2 and the valve fields show "？" and cannot be
// edited; the noise and filter fields stay visible.

#include "setup/setupdocument.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrel {

class HelpLabel;

class frmProcessDetail : public QWidget {
    Q_OBJECT
public:
    frmProcessDetail(SetupDocument& document, QWidget* parent = nullptr);
    ~frmProcessDetail() override;

    QLineEdit* field(DetailField d) { return mFields[d]; }
    /// Shows the window in front, as the menu item and the main window's button do.
    void open();

    /// The group's help label ("?" into the help page's section), shown with the main window's.
    void SetHelpPointer(bool visible);

    /// Whether a detail field belongs to the process a challenge hides (the valve and Tpl2).
    static bool isHiddenWithProcess(DetailField d) { return d != PvNoise && d != NoiseSeed && d != PvFilter; }

signals:
    void helpRequested(const QString& anchor);

private:
    void onDocumentChanged(SetupChange what, int index);
    void showDetail(DetailField d);
    void showProcessType();
    /// A field that shows "？" now.
    bool hiddenField(DetailField d) const;

    SetupDocument& mDocument;
    int mListener = 0;
    std::array<QLineEdit*, DetailCount> mFields{};
    std::array<QRadioButton*, 3> mOptProcType{};
    HelpLabel* mHelp = nullptr;
    QLabel* mHiddenType = nullptr; // "？" in place of the options while the process is hidden
};

} // namespace kestrel
