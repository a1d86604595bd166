#pragma once
// frmController, the controller panel: the faceplate of a single-loop controller (SV, PV, MV,
// the mode buttons M, A, C, the MV slider, the SV pointer on the PV bar), the DV pointer and the
// two-strip trend chart with its range and graph-time settings and the run buttons.
//
// The panel is the display of the simulation step and the host of run control: its pacing timer
// steps the loop, its charts draw the recorded samples like a pen recorder.

#include "engine/appstate.h"
#include "engine/display.h"
#include "engine/runcontrol.h"
#include "engine/simulator.h"
#include "setup/controlloop.h"
#include "setup/headlesspanel.h"
#include "setup/setupdocument.h"
#include "widgets/helplabel.h"
#include "widgets/picturebox.h"

#include <QElapsedTimer>
#include <QFont>
#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

namespace kestrel {

class frmPENrec;
class MvSlider;
class PointerImage;

class frmController : public QWidget, public HeadlessPanel, public Display {
    Q_OBJECT
public:
    frmController(AppState& state, SetupDocument& document, MessageService& messages, QWidget* parent = nullptr);
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

    // --- Operations of the panel -----------------------------------------------------------------
    void LabelM_Click();
    void LabelA_Click();
    void LabelC_Click();
    void OKButton_Click();
    void Option1_Click(int index);
    void ShiftUp_Click();
    void ShiftDown_Click();
    void cmdStart_Click();
    void cmdPause_Click();
    void cmdFast_Click();
    void cmdClear_Click();
    /// The slider's mouse events, x in twips from its left edge.
    void sliderPressed(double x);
    void sliderReleased();
    /// Mouse on the SV pointer, the frame and the DV pointer (y / Y in twips, as the Parts give).
    void svpMouseDown();
    void svpMouseMove(double y);
    void svpMouseUp();
    void Frame1_MouseDown(double x, double y);
    void Frame1_MouseUp();
    void DvpMouseDown();
    void DvpMouseMove(double y);
    void DvpMouseUp();
    void Form_MouseDown(double x, double y);
    /// Lays the panel out for its size and replays the selected graph.
    void Form_Resize();
    /// The panel opens (hidden at start-up): the loop at steady state, manual mode.
    void Form_Load();
    /// The main window's menu opens the panel: shown in front, the loop live and initialised.
    void openFromMenu();
    /// Shows or hides the help labels.
    void SetHelpPointer(bool visible);

    /// The pen recorder, created on first use.
    frmPENrec& penRecorder();
    bool hasPenRecorder() const { return !mPenRec.isNull(); }

    /// Marks the trend chart like the book figure `id` at the end of a lesson run (only while the
    /// step's parameters are in force and the run was started from the study window).
    void Note_draw(const std::string& id);

    // Widgets by their names, for the windows that work with the panel and for tests.
    PictureBox* Picture1(int k) { return mPicture1[k]; }
    PictureBox* Picture2(int k) { return mPicture2[k]; }
    QLabel* Tcoment(int n) { return mTcoment[n - 1]; }
    QPushButton* cmdTip() { return mCmdTip; }
    /// Top of the SV and DV pointers in twips.
    double svpTop() const { return mSvpTop; }
    double dvpTop() const { return mDvpTop; }

signals:
    /// The pen recorder was created (on first use): its owner connects its buttons.
    void penRecorderCreated(frmPENrec* recorder);
    void printRequested();
    void lessonRequested();
    void helpRequested(const QString& anchor);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void bindDocument();
    void onDocumentChanged(SetupChange what);
    void applyMode();
    void placeSvp();
    void placeDvp();
    void updatePenColour();
    double svFromPointer(double extra);
    /// The panel's error trap: "description" + code once per fault (ReportMemory).
    ErrorTrap trap(const char* code) { return ErrorTrap(mMessages, code, mState.chart.Reported); }

    AppState& mState;
    MessageService& mMessages;
    std::unique_ptr<ControlLoop> mLoop;
    QPointer<frmPENrec> mPenRec;

    QTimer* mTimer1 = nullptr; // pacing
    QTimer* mTimer2 = nullptr; // display flags, 500 ms
    QTimer* mTimer3 = nullptr; // end of run, 100 ms

    QGroupBox* mFrame1 = nullptr;
    QLineEdit *mTxtSV = nullptr, *mTxtPV = nullptr, *mTxtMV = nullptr;
    std::array<QLabel*, 3> mLabel1{};
    QPushButton* mOKButton = nullptr;
    QFrame *mPVbar0 = nullptr, *mPVbar1 = nullptr;
    std::array<QFrame*, 5> mLine1{};
    PointerImage* mSvp = nullptr;
    std::array<QFrame*, 3> mShapeMode{};
    QLabel *mLabelM = nullptr, *mLabelA = nullptr, *mLabelC = nullptr;
    MvSlider* mSliderMV = nullptr;
    PointerImage* mDvp = nullptr;
    std::array<QLabel*, 2> mLblDvp{};
    QLabel* mLabTYPE = nullptr;
    std::array<PictureBox*, 2> mPicture1{}, mPicture2{};
    std::array<QRadioButton*, 2> mOption1{};
    QLineEdit *mTxtRH = nullptr, *mTxtRL = nullptr, *mTxtTM = nullptr;
    QLabel* mLabTM = nullptr;
    QPushButton *mShiftUp = nullptr, *mShiftDown = nullptr;
    QCheckBox *mChrRHAuto = nullptr, *mChkQB = nullptr;
    QComboBox* mCmbQB = nullptr;
    QPushButton *mCmdStart = nullptr, *mCmdPause = nullptr, *mCmdFast = nullptr, *mCmdClear = nullptr,
                *mCmdPrint = nullptr, *mCmdTip = nullptr;
    std::array<QLabel*, 7> mTcoment{};
    std::array<HelpLabel*, 5> mHelp{}; // labelC51 .. labelC55
    std::vector<std::pair<QLineEdit*, QFont>> mValueBoxes; // value boxes and their usual face

    double mSvpTop = 2340.0, mDvpTop = 2000.0; // twips
    bool mSvDragging = false, mDvDragging = false;
    std::vector<double> mUpperGridY; // grid positions of the upper strip, slot 0 the bottom edge
    std::array<double, 5> mLowerGridY{};
    bool mLoading = false;
    QElapsedTimer mSinceEvents; ///< since the last time pending events ran during a fast run
    int mListener = 0;
};

} // namespace kestrel
