#pragma once
// Faceplate: the controller's face on the panel, the group box "コントローラ" (Frame1). The PV bar
// with its scale marks and the SV pointer beside it, the SV, PV and MV fields with OK, the mode
// lamps M, A, C and the MV slider (with a secondary controller in the loop the MV field and the
// slider are the primary's output OP, the secondary's set-point). It shows the loop's values (the panel's
// Display forwards to it) and turns the learner's operations into SV, MV and the mode: OK clamps both fields
// to 0..100, the slider sets MV in manual mode, dragging the SV pointer or clicking beside the bar sets SV
// below cascade mode.
//
// Geometry is in twips of the frame, laid out from its height (layOut); the bar spans the range
// RL..RH of the trend chart's upper strip, which the panel places level with it.

#include "engine/appstate.h"
#include "engine/errortrap.h"
#include "setup/setupdocument.h"

#include <QFont>
#include <QGroupBox>

#include <array>
#include <utility>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrel {

class MvSlider;
class PointerImage;

class Faceplate : public QGroupBox {
    Q_OBJECT
public:
    Faceplate(AppState& state, SetupDocument& document, MessageService& messages, QWidget* parent);

    /// Places the bar, pointer, fields, lamps and slider for the frame's present height.
    void layOut();
    /// Top and height of the PV bar in twips of the frame, as the last layOut computed them.
    static constexpr double kBarTop = 500;
    double barHeight() const { return mBarHeight; }

    // What the step shows.
    void PvBarUpdate();
    void MvSliderUpdate();
    void SvPointerUpdate();
    void showSv(double sv);
    void showMv(double mv);
    void showPv(double pv);
    /// Lamps, enabled fields and slider for the mode in force.
    void applyMode();
    /// The PV bar in the trend chart's pen colour.
    void showPenColour();
    /// A field the learner is typing in keeps the typed text (its live display stays off).
    void holdTypedText();
    QString svText() const;

    // The learner's operations.
    void LabelM_Click();
    void LabelA_Click();
    void LabelC_Click();
    void OKButton_Click();
    /// The slider's mouse events, x in twips from its left edge.
    void sliderPressed(double x);
    void sliderReleased();
    /// Mouse on the SV pointer and on the frame (y in twips).
    void svpMouseDown();
    void svpMouseMove(double y);
    void svpMouseUp();
    /// The SV pointer's arrow keys: moved by `units` of the bar's scale as a drag would move it.
    void svpStep(int units);
    void Frame1_MouseDown(double x, double y);
    void Frame1_MouseUp();
    /// Top of the SV pointer in twips of the frame.
    double svpTop() const { return mSvpTop; }

signals:
    /// The SV or MV field lost the focus while its live display was off.
    void fieldLeft();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildBar();
    void buildFields();
    void buildModeLamps();
    void placeFields(double colLeft, double top);
    void placeLamps(double barBottom);
    void placeSvp();
    double svFromPointer(double extra);
    void showSvText();
    /// The primary controller's output as the faceplate shows and sets it: OP with a secondary
    /// controller in the loop, MV otherwise.
    double& output() { return mState.sim.primaryOutput(mState.params.cascadeLoop()); }
    ErrorTrap trap(const char* code) { return ErrorTrap(mMessages, code, mState.chart.Reported); }

    AppState& mState;
    SetupDocument& mDocument;
    MessageService& mMessages;

    QFrame *mPVbar0 = nullptr, *mPVbar1 = nullptr;
    std::array<QFrame*, 5> mLine1{};
    PointerImage* mSvp = nullptr;
    std::array<QLabel*, 3> mLabel1{};
    QLineEdit *mTxtSV = nullptr, *mTxtPV = nullptr, *mTxtMV = nullptr;
    QPushButton* mOKButton = nullptr;
    std::array<QFrame*, 3> mShapeMode{};
    std::array<QLabel*, 3> mModeLabel{}; // LabelM, LabelA, LabelC
    MvSlider* mSliderMV = nullptr;
    std::vector<std::pair<QLineEdit*, QFont>> mValueBoxes; // the fields and their usual face

    double mSvpTop = 2340.0; // twips
    double mBarHeight = 0;
    bool mSvDragging = false;
};

} // namespace kestrel
