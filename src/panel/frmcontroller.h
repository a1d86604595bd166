#pragma once
// frmController, the controller panel window: the Faceplate of a single-loop controller (SV, PV,
// MV, mode lamps, MV slider, SV pointer on the PV bar) and the TrendChart (two graphs of two
// strips, the DV pointer, the figure labels), laid out side by side with the chart's range and
// graph-time settings, the pen choices and the run buttons.
//
// The window is the display of the simulation step (it forwards to its two parts) and the host of
// run control: its pacing timer steps the loop, its buttons start, pause, speed up and clear runs.

#include "analysis/runstore.h"
#include "engine/appstate.h"
#include "engine/display.h"
#include "engine/runcontrol.h"
#include "engine/simulator.h"
#include "panel/faceplate.h"
#include "panel/secondaryfaceplate.h"
#include "panel/trendchart.h"
#include "setup/controlloop.h"
#include "setup/headlesspanel.h"
#include "setup/setupdocument.h"
#include "widgets/helplabel.h"
#include "widgets/picturebox.h"

#include <QElapsedTimer>
#include <QFont>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace kestrel {

class Faceplate;
class frmPENrec;
class TrendChart;

/// What the chart strips' context menu writes of the runs on the current graph.
enum class RunExport { Csv, Image, Report };

class frmController : public QWidget, public HeadlessPanel, public Display {
    Q_OBJECT
public:
    frmController(AppState& state, SetupDocument& document, MessageService& messages,
                  QWidget* parent = nullptr);
    ~frmController() override;

    ControlLoop& loop() { return *mLoop; }
    RunControl& runControl() { return mLoop->run(); }
    Simulator& simulator() { return mLoop->simulator(); }

    // --- Display: what the step draws through ---------------------------------------------------
    void Line_draw1(std::int16_t i) override;
    void Line_draw2(std::int16_t i) override;
    void PvBarUpdate() override;
    void MvSliderUpdate() override;
    void SvPointerUpdate() override;
    void DvPointerUpdate() override;
    void showSv(double sv) override;
    void showMv(double mv) override;
    void showPv(double pv) override;
    void showSecondary() override;

    // --- RunHost: timers, buttons and charts for run control -------------------------------------
    void setPacingInterval(int ms) override;
    void setPacingTimerEnabled(bool on) override;
    void startEndOfRunTimer() override;
    void stopEndOfRunTimer() override;
    void stopDisplayTimer() override;
    void processEvents() override;
    double wallClockSeconds() override;
    void quitApplication() override;
    void setStartEnabled(bool on) override;
    void setPauseEnabled(bool on) override;
    void setFastEnabled(bool on) override;
    void setClearEnabled(bool on) override;
    void setPrintEnabled(bool on) override;
    void setPauseCaption(const std::string& caption) override;
    void focusStart() override;
    void focusFast() override;
    void setLessonButtonVisible(bool on) override;
    void focusLessonButton() override;
    void resetCaptionAndNotes() override;
    double chartWidth() override;
    double penRecorderWidth() override;
    void eraseCharts() override;
    void Pict_inz() override;
    void clearPenRecorder() override;
    void setPenRecorderRedraw(bool on) override;
    void PenColorAdvance() override;
    void drawLessonNotes() override;
    /// Keeps the run just completed, labelled with the lesson step's title when the study window
    /// started it.
    void runCompleted() override;

    /// The runs kept since the program started.
    RunStore& runs() { return mRuns; }

    // --- Operations of the panel -----------------------------------------------------------------
    void cmdStart_Click();
    void cmdPause_Click();
    void cmdFast_Click();
    void cmdClear_Click();
    /// A click on the panel (x, y in twips): beside the chart it moves the DV pointer there.
    void Form_MouseDown(double x, double y);
    /// Lays the panel out for its size and replays the selected graph.
    void Form_Resize();
    /// The panel opens (hidden at start-up): the loop at steady state, manual mode.
    void Form_Load();
    /// The main window's menu opens the panel: shown in front, the loop live and initialised.
    void openFromMenu();
    /// Shows or hides the help labels.
    void SetHelpPointer(bool visible);
    /// F5 Start, F6 Pause/resume, F7 Fast and F8 Clear while `window` is the active window and the
    /// panel is shown (the panel adds them for itself).
    void addRunShortcuts(QWidget* window);
    /// The pen colours or run line styles changed: the PV bar, the pointers, the graph and the
    /// pen recorder's strips are drawn again, kept runs included.
    void redrawCharts();

    /// The pen recorder, created on first use.
    frmPENrec& penRecorder();
    bool hasPenRecorder() const { return !mPenRec.isNull(); }

    /// Marks the trend chart like the book figure `id` at the end of a lesson run (only while the
    /// step's parameters are in force and the run was started from the study window).
    void Note_draw(const std::string& id);

    Faceplate& faceplate() { return *mFaceplate; }
    /// The secondary controller's faceplate, a tool window shown while the loop is a cascade loop.
    SecondaryFaceplate& secondaryFaceplate() { return *mSecondary; }
    TrendChart& trendChart() { return *mChart; }
    // Widgets by their names, for the windows that work with the panel and for tests.
    PictureBox* Picture1(int k) { return mChart->upper(k); }
    PictureBox* Picture2(int k) { return mChart->lower(k); }
    QLabel* Tcoment(int n) { return mChart->note(n); }
    QPushButton* cmdTip() { return mCmdTip; }

signals:
    /// A run was kept (its number in runs()).
    void runKept(int number);
    /// The pen recorder was created (on first use): its owner connects its buttons.
    void penRecorderCreated(frmPENrec* recorder);
    void printRequested();
    void lessonRequested();
    void helpRequested(const QString& anchor);
    /// "解析": the analysis window.
    void analysisRequested();
    /// The chart strips' context menu: write the runs drawn on the current graph since its last
    /// clear (their numbers in runs()).
    void runsExportRequested(RunExport kind, const QList<int>& numbers);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTimers();
    void buildRangeControls();
    void buildSettings();
    void buildRunButtons();
    void buildHelpLabels();
    void bindDocument();
    void onDocumentChanged(SetupChange what);
    /// The faceplates for the loop structure and the secondary's mode: the primary's output
    /// field, the secondary's window shown or hidden (`reopen`, or a new loop structure: shown
    /// again after the learner closed it).
    void followLoop(bool shown, bool reopen = false);
    void layOut(double W, double H);
    void placeSettings();
    void placeRangeColumn(double top, double height, double chartRight);
    void placeRunButtons(double top, double chartRight);
    void showStripMenu(QWidget* strip, const QPoint& at);
    void adoptChartWidth();
    void Option1_Click(int index);
    void ShiftUp_Click();
    void ShiftDown_Click();
    /// The panel's error trap: "description" + code once per fault (ReportMemory).
    ErrorTrap trap(const char* code) { return ErrorTrap(mMessages, code, mState.chart.Reported); }

    AppState& mState;
    MessageService& mMessages;
    RunStore mRuns;
    std::unique_ptr<ControlLoop> mLoop;
    QPointer<frmPENrec> mPenRec;

    QTimer* mTimer1 = nullptr; // pacing
    QTimer* mTimer2 = nullptr; // display flags, 500 ms
    QTimer* mTimer3 = nullptr; // end of run, 100 ms

    Faceplate* mFaceplate = nullptr;
    SecondaryFaceplate* mSecondary = nullptr;
    std::int16_t mShownLoop = -1, mShownMode2 = -1; ///< what followLoop last showed
    TrendChart* mChart = nullptr;
    QLabel* mLabTYPE = nullptr;
    std::array<QRadioButton*, 2> mOption1{};
    QLineEdit *mTxtRH = nullptr, *mTxtRL = nullptr, *mTxtTM = nullptr;
    QLabel* mLabTM = nullptr;
    QPushButton *mShiftUp = nullptr, *mShiftDown = nullptr;
    QCheckBox *mChrRHAuto = nullptr, *mChkQB = nullptr;
    QComboBox* mCmbQB = nullptr;
    QPushButton *mCmdStart = nullptr, *mCmdPause = nullptr, *mCmdFast = nullptr, *mCmdClear = nullptr,
                *mCmdPrint = nullptr, *mCmdTip = nullptr, *mCmdAnalysis = nullptr;
    std::array<HelpLabel*, 5> mHelp{};                     // labelC51 .. labelC55
    std::vector<std::pair<QLineEdit*, QFont>> mValueBoxes; // range and time boxes and their usual face

    bool mLoading = false;
    QElapsedTimer mSinceEvents; ///< since the last time pending events ran during a fast run
    int mListener = 0;
};

} // namespace kestrel
