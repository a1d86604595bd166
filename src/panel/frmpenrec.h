#pragma once
// frmPENrec: the pen-recorder history window ("ペンレコーダ"). Eighteen narrow strips show the
// inside of the control loop (SV, error, P, I and D terms, MV, DV, feedforward, Kd·DV, disturbance
// path, PV, the process output before the sensor, the valve position, then the secondary
// controller's SV2, PV2 and its P, I and D terms) for the recorded samples of a run, each strip
// with its own range, like a multi-pen recorder. A secondary signal the loop does not have is
// recorded as -1000: its strip stays empty and its value box blank.
//
// Drawing one recorded sample i (Line_draw2; the points from ChartScale), with j0 = i - 1 (0 when
// i is 0), W the width of the first strip and T the graph time (ChartState::GraphTime):
//   x  = SampleTime[i] / T * W, rounded to nearest, ties to even (xOld likewise from j0);
//   per channel j, with hi and lo the numbers in its range texts and H the strip's height:
//   y  = H * (hi - v) / (hi - lo), evaluated as (-v / (hi - lo)) * H + (H / (hi - lo)) * hi and
//        rounded like x; then limited to 0 .. H - 50 (a value at the bottom of the range stays
//        visible 50 twips above the strip's lower edge);
//   the pen draws (xOld, yOld)-(xNew, yOld)-(xNew, yNew) in ChartState::HistoryPenColor: a
//   staircase that holds each value until the next sample; sample 0 is a dot.
// The range texts are read at every sample, so an edited range applies from the next sample on;
// samples already drawn keep their scale until the window is redrawn (resize).
//
// Grid (Pict_inz), with T the leading number of the panel's graph-time text and dt the control
// period: G = Int(T / 50 + 0.99) * W * dt / T drawing units per grid interval; per strip five
// dotted horizontal lines at 0, H/4, H/2, 3H/4, H and dotted vertical lines at X = Int(G / dt),
// X + G / dt, ... up to W, all in palette colour 8 (grey).
//
// Layout (twips; the client area, 15 twips per pixel, at least 4400 x 9200, 7545 x 12880 when
// the window opens, or as high as the screen has room for): the strips and their controls lie on
// a page that fills the window and scrolls vertically where the window is lower than eighteen
// strips of the least height (550, room for the legend, the value box and both range texts);
// on a page of height H, strip height h = (H - 820) / 18 - 60, strip j at top (h + 60) * j + 60,
// left 2230, width = page width - 2430; the legend label, the value box and the two range texts to
// the left of each strip; the pen-colour controls and the buttons below the last strip. Every
// resize redraws the grids and replays the record up to the first sample beyond the graph time.
//
// Errors are trapped per statement with the panel's report memory ("  P050" drawing, "  P056"
// grid, "  P055" resize, "  P020" OK): each error is reported once until Start, Clear or, for the
// drawing, an edit of a range text; the procedure goes on with the next statement. A range text
// that is not a number, or a range whose high equals its low, leaves that channel undrawn for the
// sample; no coordinate that is not finite is ever drawn.
//
// The window's own pen list and "ペン色自動" box mirror the set-up document's pen-recorder choice
// (the document advances them at the end of a run); they govern no drawing, the pens follow the
// panel's colour. The legend labels follow the document as the control type changes.
//
// The window is created on first use and hidden until shown. The owner that wants "closing
// discards it" sets Qt::WA_DeleteOnClose and keeps the pointer in a QPointer.

#include "analysis/runstore.h"
#include "core/messageservice.h"
#include "engine/appstate.h"
#include "setup/setupdocument.h"

#include <QPalette>
#include <QSize>
#include <QWidget>

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace kestrel {

class HelpLabel;
class PictureBox;

class frmPENrec : public QWidget {
    Q_OBJECT
public:
    static constexpr int kChannels = Recording::kPenChannels;

    frmPENrec(AppState& state, SetupDocument& document, MessageService& messages, QWidget* parent = nullptr);
    ~frmPENrec() override;

    /// Draws recorded sample i (0..500) on all the strips and shows its values ("  P050").
    void Line_draw2(std::int16_t i);
    /// Erases the strips and draws their grids ("  P056").
    void Pict_inz();
    /// "グラフ消去": strips and grids only; the record stays.
    void cmdClear_Click();
    /// Confirms the range texts: highs rewritten "###0", both saved as 16-bit integers, the
    /// edited marks cleared ("  P020").
    void OKButton_Click();
    /// "ｷｬﾝｾﾙ": the last confirmed ranges back into the texts ("###0"), then OK.
    void CancelButton_Click();
    /// Screen updates of the strips on or off (off during a fast run); drawing continues into
    /// the kept images either way.
    void setAutoRedraw(bool on);
    /// The kept runs a resize draws again (those drawn since the last "グラフ消去"); none when
    /// unset.
    void setKeptRuns(const RunStore* runs);
    /// Shows or hides the help label "?" (labelC7).
    void SetHelpPointer(bool visible);

    /// PicPEN(j), j = 0..17, and the page the strips and their controls lie on.
    PictureBox* strip(int j) const { return mPicPEN.at(j); }
    QLabel* Label1(int j) const { return mLabel1.at(j); }
    QLineEdit* Text1(int j) const { return mText1.at(j); }
    QLineEdit* txtRH(int j) const { return mTxtRH.at(j); }
    QLineEdit* txtRL(int j) const { return mTxtRL.at(j); }
    QWidget* page() const { return mPage; }
    /// Draws the strips again (the pen colours or run line styles changed).
    void redraw() { formResize(); }

signals:
    /// cmdPrint "ﾊｰﾄﾞｺﾋﾟｰ": the owner makes the hard copy of this window.
    void printRequested();
    /// labelC7 was clicked: open the help at `anchor` ("C7").
    void helpRequested(const QString& anchor);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildChannel(int j);
    void buildPenControls();
    void buildButtons();
    /// The resize procedure ("  P055"): layout, grid, replay.
    void formResize();
    /// Places the strips and controls for a client area of w x h twips.
    void layoutControls(double w, double h);
    /// Line_draw2; false when an error was met, so a replay does not repeat the report.
    bool drawSample(std::int16_t i);
    /// Every sample of a kept run in its pen; false when an error was met.
    bool drawRun(const KeptRun& kept, int overlay);
    void markEdited(QLineEdit* box);
    void restoreBackground(QLineEdit* box);
    void showPenLabels();
    void showPenChoice();

    AppState& mState;
    SetupDocument& mDocument;
    MessageService& mMessages;
    int mListenerId = 0;
    const RunStore* mRuns = nullptr;

    QScrollArea* mScroll = nullptr;
    QWidget* mPage = nullptr;

    std::array<PictureBox*, kChannels> mPicPEN{};
    std::array<QLabel*, kChannels> mLabel1{};
    std::array<QLineEdit*, kChannels> mText1{};
    std::array<QLineEdit*, kChannels> mTxtRH{};
    std::array<QLineEdit*, kChannels> mTxtRL{};
    QCheckBox* mChkQB = nullptr;
    QComboBox* mCmbQB = nullptr;
    QPushButton* mOKButton = nullptr;
    QPushButton* mCancelButton = nullptr;
    QPushButton* mCmdClear = nullptr;
    QPushButton* mCmdPrint = nullptr;
    HelpLabel* mLabelC7 = nullptr;

    /// Last confirmed range of each channel.
    std::array<std::int16_t, kChannels> mSavedHigh{};
    std::array<std::int16_t, kChannels> mSavedLow{};
    /// Width of the strips in whole twips, for the horizontal grid lines. Kept in 32 bits: a
    /// maximised window on a wide screen is more than 32767 twips wide.
    std::int32_t mStripWidth = 0;

    QPalette mNormalBox;      ///< the range texts' palette when not edited
    QSize mLaidOut;           ///< client size of the last layout (pixels)
    bool mSyncingPen = false; ///< the pen controls are being set from the document
    bool mFitted = false;     ///< the first show has fitted the window to the screen
    int mRecordOverlay = 0;   ///< which run on the strips since their last clear the record is
};

} // namespace kestrel
