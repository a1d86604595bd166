#include "panel/secondaryfaceplate.h"

#include "core/convert.h"
#include "core/runtimeerror.h"
#include "core/vbformat.h"
#include "panel/panelwidgets.h"
#include "panel/pointerimage.h"
#include "widgets/halfwidthinput.h"
#include "widgets/helplabel.h"
#include "widgets/qtext.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace kestrel {

namespace {

// Geometry in twips: three value rows with OK, the PV2 bar right of them, the lamps in one row,
// the slider under them.
constexpr double kWidth = 2160, kHeight = 2520;
constexpr double kLabelLeft = 120, kLabelWidth = 480, kValueLeft = 600, kValueWidth = 720, kRowHeight = 270;
constexpr double kRowsTop = 120, kRowPitch = 330;
constexpr double kBarLeft = 1440, kBarWidth = 180, kBarTop = 120, kBarHeight = 1290;
constexpr double kLampTop = 1530, kLampWidth = 600, kLampHeight = 420, kLampPitch = 660;
constexpr double kSliderTop = 2070, kSliderWidth = 1350, kSliderHeight = 330;
/// The gap between the panel and this window, pixels.
constexpr int kBesideGap = 8;
constexpr const char* kCode = "  P059";

constexpr Rgb kLampOff = rgb(192, 192, 192);
constexpr Rgb kLampOn[] = {rgb(255, 0, 0), rgb(0, 0, 255), rgb(255, 255, 0)};

QString valueText(double v) {
    return qtext(formatNumber(v, "###.0"));
}

/// The loop's value in a field, unless the learner is typing in it.
void showValue(QLineEdit* e, double v) {
    if (e->isEnabled() && e->hasFocus())
        return;
    const QString t = valueText(v);
    if (e->text() != t)
        e->setText(t);
}

} // namespace

SecondaryFaceplate::SecondaryFaceplate(AppState& state, SetupDocument& document, MessageService& messages,
                                       QWidget* panel)
    : QWidget(panel, Qt::Tool), mState(state), mDocument(document), mMessages(messages) {
    setObjectName("frmSecondary");
    setWindowTitle(tr("二次調節計"));
    // Shown beside the panel as the loop becomes a cascade loop: the panel keeps the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);
    build();
    setFixedSize(px(kWidth), px(kHeight));
    applyMode();
}

void SecondaryFaceplate::build() {
    const char* names[] = {"SV2", "PV2", "MV"};
    const char* colours[] = {"rgb(0,160,0)", "rgb(0,0,0)", "rgb(220,0,0)"};
    const char* fieldNames[] = {"txtSV2", "txtPV2", "txtMV2"};
    QLineEdit* fields[3];
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(names[i], this);
        label->setObjectName(QString("Label2_%1").arg(i));
        label->setStyleSheet(QString("color: %1; font-weight: bold;").arg(colours[i]));
        const double top = kRowsTop + i * kRowPitch;
        place(label, kLabelLeft, top, kLabelWidth, kRowHeight);
        fields[i] = new QLineEdit(this);
        fields[i]->setObjectName(fieldNames[i]);
        fields[i]->setAlignment(Qt::AlignRight);
        fields[i]->setTextMargins(0, 0, 0, 0);
        acceptFullWidthNumbers(fields[i]);
        place(fields[i], kValueLeft, top, kValueWidth, kRowHeight);
    }
    mTxtSV2 = fields[0];
    mTxtPV2 = fields[1];
    mTxtMV = fields[2];
    mTxtPV2->setReadOnly(true);
    mTxtPV2->setFocusPolicy(Qt::NoFocus);
    mTxtPV2->setStyleSheet("background: rgb(192,192,192);");
    connect(mTxtSV2, &QLineEdit::returnPressed, this, &SecondaryFaceplate::OKButton_Click);
    connect(mTxtMV, &QLineEdit::returnPressed, this, &SecondaryFaceplate::OKButton_Click);
    mOKButton = new QPushButton("OK", this);
    mOKButton->setObjectName("OKButton2");
    place(mOKButton, kValueLeft, kRowsTop + 3 * kRowPitch, kValueWidth, 300);
    connect(mOKButton, &QPushButton::clicked, this, &SecondaryFaceplate::OKButton_Click);

    mBar = new QFrame(this);
    mBar->setObjectName("PVbar2");
    mBar->setAccessibleName(tr("PV2バー"));
    mBar->setAccessibleDescription(tr("二次ループのプロセス値（PV2）を 0～100 で示す棒"));
    mBar->setStyleSheet("QFrame#PVbar2 { background: black; border: 1px solid gray; }");
    mBar->setToolTip(tr("二次PV（PV2）、0～100"));
    place(mBar, kBarLeft, kBarTop, kBarWidth, kBarHeight);
    mBarFill = new QFrame(this);
    mBarFill->setObjectName("PVbar2Fill");
    mBarFill->setStyleSheet("background: white;");
    mBarFill->setAttribute(Qt::WA_TransparentForMouseEvents);
    mSvMark = new QFrame(this);
    mSvMark->setObjectName("SV2mark");
    mSvMark->setStyleSheet("background: rgb(0,255,0);");
    mSvMark->setAttribute(Qt::WA_TransparentForMouseEvents);

    const char* captions[] = {"M", "A", "CAS"};
    const char* lampNames[] = {"shape2Mode0", "shape2Mode1", "shape2Mode2"};
    const char* labelNames[] = {"Label2M", "Label2A", "Label2CAS"};
    const QString tips[] = {tr("手動：MV をスライダと OK で設定します"),
                            tr("自動：二次調節計が自分の目標値 SV2 で MV を決めます"),
                            tr("カスケード（主調節計から）：主調節計の出力 OP を目標値 SV2 にします")};
    for (int i = 0; i < 3; ++i) {
        mLamp[i] = new QFrame(this);
        mLamp[i]->setObjectName(lampNames[i]);
        mLamp[i]->setFrameShape(QFrame::Box);
        mLamp[i]->setAutoFillBackground(true);
        place(mLamp[i], kLabelLeft + i * kLampPitch, kLampTop, kLampWidth, kLampHeight);
        auto* caption = new QLabel(captions[i], this);
        caption->setObjectName(labelNames[i]);
        caption->setAlignment(Qt::AlignCenter);
        place(caption, kLabelLeft + i * kLampPitch, kLampTop, kLampWidth, kLampHeight);
        mLampLabel[i] = caption;
        for (QWidget* w : {static_cast<QWidget*>(mLamp[i]), static_cast<QWidget*>(caption)}) {
            w->setCursor(Qt::PointingHandCursor);
            w->setToolTip(tips[i]);
            w->installEventFilter(this);
        }
    }

    mSlider = new MvSlider(this);
    mSlider->setObjectName("SliderMV2");
    place(mSlider, (kWidth - kSliderWidth) / 2, kSliderTop, kSliderWidth, kSliderHeight);
    connect(mSlider, &MvSlider::pressed, this, &SecondaryFaceplate::sliderPressed);
    connect(mSlider, &MvSlider::released, this, &SecondaryFaceplate::sliderReleased);

    mHelp = new HelpLabel("C56", this);
    place(mHelp, kWidth - 120 - 240, kBarTop, 240, 240);
    connect(mHelp, &HelpLabel::activated, this, &SecondaryFaceplate::helpRequested);
}

// --- Shown with the cascade loop ---------------------------------------------------------------

void SecondaryFaceplate::follow(bool panelShown, bool reopen) {
    if (reopen)
        mClosed = false;
    if (!panelShown || !mState.params.cascadeLoop() || mClosed) {
        if (isVisible())
            hide();
        return;
    }
    applyMode();
    showValues();
    if (!isVisible()) {
        if (!mPlaced)
            placeBesidePanel();
        show();
    }
}

void SecondaryFaceplate::placeBesidePanel() {
    const QWidget* panel = parentWidget();
    if (!panel || !panel->isVisible())
        return;
    mPlaced = true;
    const QRect frame = panel->frameGeometry();
    const QScreen* screen = panel->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect(frame.topLeft(), QSize(1 << 20, 1 << 20));
    // Right of the panel, else left of it, else over the panel's top right corner.
    const int w = width() + (frameGeometry().width() - width());
    int x = frame.right() + 1 + kBesideGap;
    if (x + w > room.right() + 1)
        x = frame.left() - kBesideGap - w >= room.left() ? frame.left() - kBesideGap - w
                                                         : std::max(room.left(), frame.right() + 1 - w);
    move(x, std::max(room.top(), frame.top()));
}

void SecondaryFaceplate::applyMode() {
    const auto mode = mState.params.secondaryMode();
    for (int i = 0; i < 3; ++i) {
        const bool lit = i == static_cast<int>(mode);
        QPalette pal = mLamp[i]->palette();
        pal.setColor(QPalette::Window, toQColor(lit ? kLampOn[i] : kLampOff));
        mLamp[i]->setPalette(pal);
        // The caption stays readable on the blue lamp.
        const bool blue = lit && mode == SecondaryMode::Automatic;
        mLampLabel[i]->setStyleSheet(QString("font-weight: bold; color: %1;").arg(blue ? "white" : "black"));
    }
    setFieldColour(mTxtSV2, mode == SecondaryMode::Automatic);
    setFieldColour(mTxtMV, mode == SecondaryMode::Manual);
    mSlider->setEnabled(mode == SecondaryMode::Manual);
}

// --- What the step shows ---------------------------------------------------------------------

void SecondaryFaceplate::showValues() {
    const auto& s = mState.sim;
    showValue(mTxtSV2, s.SV2[0]);
    showValue(mTxtPV2, s.PV2[0]);
    showValue(mTxtMV, s.MV[0]);
    showBar();
    // In manual mode the slider is where the learner put it, and MV with it.
    if (mState.params.secondaryMode() != SecondaryMode::Manual) {
        try {
            mSlider->setValue(toInt32(s.MV[0]));
        } catch (const RuntimeError&) {
            // the slider keeps its place; the MV text still shows the value
        }
    }
}

void SecondaryFaceplate::showBar() {
    const QRect bar = mBar->geometry();
    auto level = [&](double v) { // pixels from the bar's top, 0..100 over its height
        const double f = std::isfinite(v) ? std::clamp(v / 100.0, 0.0, 1.0) : 0.0;
        return static_cast<int>(std::lround(bar.height() * (1.0 - f)));
    };
    const int top = level(mState.sim.PV2[0]);
    const QRect fill(bar.left() + 1, bar.top() + top, bar.width() - 2, bar.height() - top);
    if (mBarFill->geometry() != fill)
        mBarFill->setGeometry(fill);
    mBarFill->setVisible(fill.height() > 0);
    const int mark = std::min(level(mState.sim.SV2[0]), bar.height() - 2);
    const QRect markRect(bar.left() - 3, bar.top() + mark, bar.width() + 6, 2);
    if (mSvMark->geometry() != markRect)
        mSvMark->setGeometry(markRect);
    mBarFill->raise();
    mSvMark->raise();
}

// --- The learner's operations ----------------------------------------------------------------

void SecondaryFaceplate::setMode(int mode) {
    mDocument.setSecondaryMode(static_cast<std::int16_t>(mode));
    applyMode();
    showValues();
}

bool SecondaryFaceplate::readField(QLineEdit* field, double& value) {
    ErrorTrap t(mMessages, kCode);
    bool read = false;
    t([&] {
        value = checkFinite(toDouble(field->text().toStdString()));
        read = true;
    });
    if (read)
        value = std::clamp(value, 0.0, 100.0);
    return read;
}

void SecondaryFaceplate::OKButton_Click() {
    auto& s = mState.sim;
    double v = 0.0;
    switch (mState.params.secondaryMode()) {
    case SecondaryMode::Automatic:
        if (readField(mTxtSV2, v))
            s.SV2[0] = v;
        mTxtSV2->setText(valueText(s.SV2[0]));
        break;
    case SecondaryMode::Manual:
        if (readField(mTxtMV, v))
            s.MV[0] = v;
        mTxtMV->setText(valueText(s.MV[0]));
        mSlider->setValue(static_cast<int>(std::nearbyint(s.MV[0])));
        break;
    case SecondaryMode::Cascade:
        break; // SV2 is the primary's output, MV the secondary's: nothing here to set
    }
    showBar();
}

void SecondaryFaceplate::sliderPressed(double x) {
    if (!mSlider->isEnabled())
        return;
    // Outside the track the slider stops at its ends.
    mSlider->setValue(
        static_cast<int>(std::nearbyint((x - MvSlider::kTrackStart) / MvSlider::kTrackLength * 100.0)));
    sliderReleased();
}

void SecondaryFaceplate::sliderReleased() {
    if (!mSlider->isEnabled())
        return;
    mState.sim.MV[0] = mSlider->value();
    mTxtMV->setText(valueText(mState.sim.MV[0]));
}

void SecondaryFaceplate::SetHelpPointer(bool visible) {
    mHelp->setVisible(visible);
    mHelp->raise();
}

void SecondaryFaceplate::closeEvent(QCloseEvent* event) {
    mClosed = true;
    QWidget::closeEvent(event);
}

bool SecondaryFaceplate::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < 3; ++i) {
        if (watched != mLamp[i] && watched != mLampLabel[i])
            continue;
        if (event->type() == QEvent::MouseButtonPress) {
            setMode(i);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kestrel
