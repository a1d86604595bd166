#pragma once
// frmSvDis, the SV/DV program editor ("SV折線、DV折線"): the two time programs that drive the set
// value ("設定値") and the disturbance ("外乱") in cascade mode, each a polyline of up to nine
// points, with a column of time fields, a column of value fields, an apply button "更新" and a
// graph of the program over the chart's time span.
//
// Fields. txtCSVv(i), txtCSVt(i), txtCDVv(i), txtCDVt(i) show point i (0..8) and are views of the
// set-up document's program fields (kSvValue + i, kSvTime + i, kDvValue + i, kDvTime + i): typing
// changes the document, a change in the document (a lesson step loading a program) shows in the
// field. The time fields of point 0 are disabled and show "0". The texts reach ParameterSet only
// through the applies (Command1_/Command2_ of the document), exactly as typed.
//
// Graph scale. W and H are the width and height of the picture (twips); RH and RL the numbers in
// the panel's range texts and TM the number in its graph-time text (leading-number rule; TM whole
// seconds within 10..300, as the chart takes it); dt the control period. The DV graph uses the
// fixed range +50 (top) .. -50 (bottom) instead of RH..RL.
//   x of simulated time t  = W * t / TM;  one control period is step = W * dt / TM twips
//   y of value v           = H * (top - v) / (top - bottom), in single precision
// Curve (CSV_draw, CDV_draw): from x = 0 at the value of point 0, for k = 0, 1, ... while
// x = k * step <= W + step, the program is evaluated at t = k * dt by the engine's program rule
// (evaluateProgram) and the curve steps there: a horizontal line at the previous height to x,
// then a vertical line at x to the new height; a last horizontal line reaches the right edge.
// So the drawn value over each control period is the value the step uses in that period.
// Values outside the range are drawn on the edge they pass, as on the panel's chart.
// Grid (PictSV_inz, PictDV_inz): dotted grey lines at the quarters of the height and at whole
// seconds over TM (1, 2, 5, 10, 20, 30 or 60 s apart, at most ten intervals); axis labels RH at
// the top, (RH - RL) / 2 + RL ("##0") in the middle and RL at the bottom (DV: +50, 0, -50), and
// 0 and TM under the time axis.
// The graphs are drawn when the window opens and when a program is applied; a change of the
// panel's range or graph time shows at the next apply or opening.
//
// Errors. Each drawing step runs under its own trap: "  P005" SV grid, "  P006" DV grid,
// "  P007" SV curve, "  P008" DV curve (OK only; the drawing continues with its next step). A
// failure met at every control period (a time text that is not a number, a range whose ends are
// equal) is reported once per drawing, not once per period.
//
// Lifecycle. The window keeps a fixed size of 9015 x 7500 twips. Opening (construction, and a
// show after a close) fills the fields from the applied programs of ParameterSet, point 0's times
// "0", and draws both graphs. A field whose text differs from the applied program is light
// yellow. While the window is shown but not active, Timer1 (30 s) runs; when it fires the window
// closes unless a field is yellow (then it waits another period); becoming active stops it.
// Closing leaves the applied programs as they are and puts them back into the document's program
// fields, so texts typed but not applied are lost and a step save or the next opening sees the
// applied programs.

#include "core/messageservice.h"
#include "engine/appstate.h"
#include "engine/errortrap.h"
#include "engine/programs.h"
#include "setup/setupdocument.h"

#include <QWidget>

#include <array>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace kestrel {

class HelpLabel;
class PictureBox;

/// Scale of a program graph: `width` x `height` twips showing `graphTime` seconds horizontally and
/// `top` (upper edge) .. `bottom` (lower edge) percent vertically; `dt` is the control period.
struct ProgramGraphScale {
    double width = 0, height = 0;
    double graphTime = 50, dt = 0.1;
    double top = 100, bottom = 0;
};

/// A corner of the staircase curve, in twips.
struct StairPoint {
    double x = 0, y = 0;
};

/// The staircase of a program on a graph. Element 0 is the start (x = 0, height of point 0's
/// value); element k + 1 is the stair of control period k (x = k * step, height of the program's
/// value at t = k * dt). A value whose height cannot be computed keeps the previous height.
/// Failures go to `trap`; a scale that allows no stair (a zero vertical span, no positive step)
/// yields an empty curve.
std::vector<StairPoint> programStairs(const ProgramTexts& values, const ProgramTexts& times,
                                      const ProgramGraphScale& scale, ErrorTrap& trap);

class frmSvDis : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPoints = 9;
    /// Interval of the auto-close timer, ms.
    static constexpr int kAutoCloseMs = 30000;

    frmSvDis(AppState& state, SetupDocument& document, MessageService& messages, QWidget* parent = nullptr);
    ~frmSvDis() override;

    /// "更新" of the SV program: apply (the document's Command1_, which redraws through its
    /// change notice), then ParaSetDone cleared.
    void Command1_Click();
    /// "更新" of the DV program.
    void Command2_Click();

    /// Erases pictSV and draws its grid and axis labels ("  P005").
    void PictSV_inz();
    /// Erases pictDV and draws its grid and axis labels ("  P006").
    void PictDV_inz();
    /// Draws the applied SV program on pictSV ("  P007").
    void CSV_draw();
    /// Draws the applied DV program on pictDV ("  P008").
    void CDV_draw();

    /// Shows or hides the help label "?" (labelC6).
    void SetHelpPointer(bool visible);

    QLineEdit* txtCSVv(int i) const { return mTxtCSVv.at(i); }
    QLineEdit* txtCSVt(int i) const { return mTxtCSVt.at(i); }
    QLineEdit* txtCDVv(int i) const { return mTxtCDVv.at(i); }
    QLineEdit* txtCDVt(int i) const { return mTxtCDVt.at(i); }
    PictureBox* pictSV() const { return mPictSV; }
    PictureBox* pictDV() const { return mPictDV; }
    QTimer* Timer1() const { return mTimer1; }

signals:
    /// cmdPrint "ﾊｰﾄﾞｺﾋﾟｰ": the owner makes the hard copy of this window.
    void printRequested();
    /// labelC6 was clicked: open the help at `anchor` ("C6").
    void helpRequested(const QString& anchor);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    /// One program's controls.
    struct ProgramView {
        QGroupBox* frame = nullptr;
        PictureBox* pict = nullptr;
        QLabel* high = nullptr; ///< value at the top edge
        QLabel* mid = nullptr;
        QLabel* low = nullptr;
        QLabel* timeStart = nullptr; ///< "0" under the left edge
        QLabel* timeEnd = nullptr;   ///< graph time under the right edge
    };

    void buildControls();
    ProgramView buildProgram(bool sv, std::array<QLineEdit*, kPoints>& values,
                             std::array<QLineEdit*, kPoints>& times, QPushButton*& apply);
    /// Opening: fields from the applied programs, both graphs drawn.
    void load();
    /// The applied programs back into the document's fields (what closing does to typed texts).
    void fillFieldsFromApplied();
    void showProgramField(int index);
    QLineEdit* fieldBox(int index) const;
    /// The field's text differs from the applied program (shown light yellow).
    bool unapplied(int index) const;
    bool anyUnapplied() const;
    void showUnappliedMark(int index);
    void showUnappliedMarks();
    void drawGrid(const ProgramView& view, bool sv, const char* code);
    void drawCurve(PictureBox* pict, bool sv, const char* code);

    AppState& mState;
    SetupDocument& mDocument;
    MessageService& mMessages;
    int mListenerId = 0;

    std::array<QLineEdit*, kPoints> mTxtCSVv{}, mTxtCSVt{}, mTxtCDVv{}, mTxtCDVt{};
    ProgramView mSv, mDv;
    PictureBox* mPictSV = nullptr;
    PictureBox* mPictDV = nullptr;
    QPushButton* mCommand1 = nullptr;
    QPushButton* mCommand2 = nullptr;
    QPushButton* mCmdPrint = nullptr;
    HelpLabel* mLabelC6 = nullptr;
    QTimer* mTimer1 = nullptr;
    /// The window was closed: the next show opens it afresh.
    bool mReloadOnShow = false;
};

} // namespace kestrel
