#pragma once
// SecondaryFaceplate: the compact face of the secondary controller of a cascade loop, a small
// tool window "二次調節計" beside the controller panel. It shows the secondary's set-point SV2,
// its measurement PV2 (text and a bar over 0..100 with a green mark at SV2) and the valve command
// MV, with the mode lamps M, A, CAS, OK and an MV slider.
//
// The learner's operations act on the secondary alone: in automatic mode OK sets the local
// set-point SV2, in manual mode OK and the slider set MV; a lamp changes the secondary's mode
// through the set-up document (bumpless, the rest of the loop untouched). A field that is not in
// force for the mode is disabled, and OK applies only the field that is. A text that is no number
// is reported ("  P059") and changes nothing: the secondary keeps its value and the field shows
// it again.
//
// The window is shown only while the loop is a cascade loop (LOOP 1) and the panel is shown; the
// panel calls follow() on every set-up change and when it is shown or hidden. Closed by the
// learner, it stays closed until the panel is shown again or the loop structure changes.
// Geometry in twips.

#include "engine/appstate.h"
#include "engine/errortrap.h"
#include "setup/setupdocument.h"

#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrel {

class HelpLabel;
class MvSlider;

class SecondaryFaceplate : public QWidget {
    Q_OBJECT
public:
    SecondaryFaceplate(AppState& state, SetupDocument& document, MessageService& messages, QWidget* panel);

    /// Shows the window while `panelShown` and the loop is a cascade loop, unless the learner
    /// closed it and `reopen` is false; hides it otherwise. Lamps, fields and values for the mode
    /// in force. Placed beside the panel the first time.
    void follow(bool panelShown, bool reopen);
    /// After each step: SV2, PV2 and its bar, MV and the slider. A field being typed in keeps the
    /// typed text.
    void showValues();

    // The learner's operations.
    void setMode(int mode);
    void OKButton_Click();
    /// The slider's mouse events, x in twips from its left edge.
    void sliderPressed(double x);
    void sliderReleased();

    void SetHelpPointer(bool visible);

signals:
    /// The help label was clicked: open the help at `anchor`.
    void helpRequested(const QString& anchor);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void applyMode();
    void placeBesidePanel();
    void showBar();
    /// The number in `field` limited to 0..100, or false (reported) when it is none.
    bool readField(QLineEdit* field, double& value);

    AppState& mState;
    SetupDocument& mDocument;
    MessageService& mMessages;

    QLineEdit *mTxtSV2 = nullptr, *mTxtPV2 = nullptr, *mTxtMV = nullptr;
    QPushButton* mOKButton = nullptr;
    QFrame *mBar = nullptr, *mBarFill = nullptr, *mSvMark = nullptr;
    std::array<QFrame*, 3> mLamp{};
    std::array<QLabel*, 3> mLampLabel{};
    MvSlider* mSlider = nullptr;
    HelpLabel* mHelp = nullptr;
    bool mPlaced = false;
    bool mClosed = false; ///< closed by the learner
};

} // namespace kestrel
