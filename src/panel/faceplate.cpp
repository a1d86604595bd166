#include "panel/faceplate.h"

#include "core/convert.h"
#include "core/runtimeerror.h"
#include "core/vbformat.h"
#include "panel/panelwidgets.h"
#include "panel/pointerimage.h"
#include "setup/headlesspanel.h"

#include "widgets/halfwidthinput.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

namespace kestrel {

namespace {

constexpr Rgb kLampOff = rgb(192, 192, 192);
// The PV bar stands far enough left for the value fields to hold "-100.0" in the panel's font.
constexpr double kBarLeft = 240;
constexpr double kLabelWidth = 300, kValueWidth = 720;

/// The loop's value in a field, rewritten only when its text changes.
void showValue(QLineEdit* e, double v) {
    const QString t = qtext(formatNumber(v, "###.0"));
    if (e->text() != t)
        e->setText(t);
}

/// SV, PV and MV read 50.0 until the loop's first step shows its own values; SV is the panel's start SV.
QLineEdit* valueField(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(HeadlessPanel::kStartSv, parent);
    e->setObjectName(name);
    return e;
}

} // namespace

Faceplate::Faceplate(AppState& state, SetupDocument& document, MessageService& messages, QWidget* parent)
    : QGroupBox(tr("コントローラ"), parent), mState(state), mDocument(document), mMessages(messages) {
    setObjectName("Frame1");
    place(this, 120, 120, 1635, 5355);
    buildBar();
    buildFields();
    buildModeLamps();
    mSliderMV = new MvSlider(this);
    mSliderMV->setObjectName("SliderMV");
    connect(mSliderMV, &MvSlider::pressed, this, &Faceplate::sliderPressed);
    connect(mSliderMV, &MvSlider::released, this, &Faceplate::sliderReleased);
    for (QLineEdit* e : {mTxtSV, mTxtPV, mTxtMV}) {
        mValueBoxes.emplace_back(e, e->font());
        connect(e, &QLineEdit::textChanged, this, [e, base = e->font()] { fitText(e, base); });
    }
}

// --- Construction --------------------------------------------------------------------------------

void Faceplate::buildBar() {
    mPVbar0 = new QFrame(this);
    mPVbar0->setObjectName("PVbar0");
    mPVbar0->setFrameShape(QFrame::Box);
    mPVbar0->setStyleSheet("QFrame#PVbar0 { background: black; border: 1px solid gray; }");
    place(mPVbar0, kBarLeft, 420, 135, 4335);
    mPVbar1 = new QFrame(this);
    mPVbar1->setObjectName("PVbar1");
    place(mPVbar1, kBarLeft, 2000, 135, 2755);
    for (int i = 0; i < 5; ++i) {
        mLine1[i] = new QFrame(this);
        mLine1[i]->setObjectName(QString("Line1_%1").arg(i));
        mLine1[i]->setStyleSheet("background: gray;");
    }
    mSvp = new PointerImage(12, 14, true, kSvPenColor, this);
    mSvp->setObjectName("svp");
    mPVbar0->setAccessibleName(tr("PVバー"));
    mPVbar0->setAccessibleDescription(tr("プロセス値（PV）をグラフのレンジの目盛りで示す棒"));
    mSvp->setAccessibleName(tr("SVポインタ"));
    mSvp->setAccessibleDescription(tr("目標値（SV）。上下の矢印キーで 1、Page Up／Page Down で 10 動く"));
    connect(mSvp, &PointerImage::mouseDown, this, &Faceplate::svpMouseDown);
    connect(mSvp, &PointerImage::mouseMove, this, &Faceplate::svpMouseMove);
    connect(mSvp, &PointerImage::mouseUp, this, &Faceplate::svpMouseUp);
    connect(mSvp, &PointerImage::stepped, this, &Faceplate::svpStep);
}

void Faceplate::buildFields() {
    const char* names[] = {"SV", "PV", "MV"};
    const char* colours[] = {"rgb(0,160,0)", "rgb(0,0,0)", "rgb(220,0,0)"};
    for (int i = 0; i < 3; ++i) {
        mLabel1[i] = new QLabel(names[i], this);
        mLabel1[i]->setObjectName(QString("Label1_%1").arg(i));
        mLabel1[i]->setStyleSheet(QString("color: %1; font-weight: bold;").arg(colours[i]));
    }
    mTxtSV = valueField("txtSV", this);
    mTxtPV = valueField("txtPV", this);
    mTxtPV->setReadOnly(true);
    mTxtPV->setFocusPolicy(Qt::NoFocus);
    mTxtPV->setStyleSheet("background: rgb(192,192,192);");
    mTxtMV = valueField("txtMV", this);
    for (QLineEdit* e : {mTxtSV, mTxtPV, mTxtMV}) {
        acceptFullWidthNumbers(e);
        e->setAlignment(Qt::AlignRight);
        e->setTextMargins(0, 0, 0, 0);
        e->installEventFilter(this);
        place(e, 900, 600, 495, 270);
    }
    connect(mTxtSV, &QLineEdit::returnPressed, this, &Faceplate::OKButton_Click);
    connect(mTxtMV, &QLineEdit::returnPressed, this, &Faceplate::OKButton_Click);
    mOKButton = new QPushButton("OK", this);
    mOKButton->setObjectName("OKButton");
    place(mOKButton, 900, 1620, 495, 255);
    connect(mOKButton, &QPushButton::clicked, this, &Faceplate::OKButton_Click);
}

void Faceplate::buildModeLamps() {
    const char* lampNames[] = {"shapeMode0", "shapeMode1", "shapeMode2"};
    for (int i = 0; i < 3; ++i) {
        mShapeMode[i] = new QFrame(this);
        mShapeMode[i]->setObjectName(lampNames[i]);
        mShapeMode[i]->setFrameShape(QFrame::Box);
        mShapeMode[i]->setAutoFillBackground(true);
        place(mShapeMode[i], 780, 2520, 615, 495);
    }
    const char* captions[] = {" M ", " A ", " C  "};
    const char* labelNames[] = {"LabelM", "LabelA", "LabelC"};
    // The primary's cascade is a programmed SV, not the secondary's CAS (set-point from the primary).
    const QString tips[] = {tr("手動"), tr("自動"), tr("カスケード：目標値 SV がプログラムに従います")};
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(captions[i], this);
        l->setObjectName(labelNames[i]);
        l->setToolTip(tips[i]);
        l->setCursor(Qt::PointingHandCursor);
        l->setStyleSheet("font-weight: bold; font-size: 12pt;");
        l->installEventFilter(this);
        mModeLabel[i] = l;
    }
    // The lamps are buttons for the keyboard too: Tab reaches them, Space or Enter presses them.
    const QString names[] = {tr("手動 (M)"), tr("自動 (A)"), tr("カスケード (C)")};
    for (int i = 0; i < 3; ++i) {
        mModeLabel[i]->setFocusPolicy(Qt::TabFocus);
        mModeLabel[i]->setAccessibleName(names[i]);
    }
}

// --- Layout --------------------------------------------------------------------------------------

void Faceplate::layOut() {
    const double sliderH = 330, svpH = heightOf(mSvp);
    const double S = toInt16(heightOf(this) - sliderH - svpH - 120);
    place(mSliderMV, 150, S + svpH, 1350, sliderH);

    mBarHeight = S * 0.95 - 200;
    place(mPVbar0, kBarLeft, kBarTop, 135, mBarHeight);
    mSvp->move(px(kBarLeft + 135), mSvp->y());
    const double step = toInt16(mBarHeight / 4);
    for (int i = 0; i < 5; ++i)
        place(mLine1[i], kBarLeft - 60, kBarTop + i * step, 60, 15);

    placeFields(kBarLeft + 135 + widthOf(mSvp) + 30, kBarTop);
    placeLamps(kBarTop + mBarHeight);
    for (const auto& [box, base] : mValueBoxes)
        fitText(box, base);
}

void Faceplate::placeFields(double colLeft, double top) {
    QLineEdit* fields[] = {mTxtSV, mTxtPV, mTxtMV};
    for (int i = 0; i < 3; ++i) {
        place(mLabel1[i], colLeft, top, kLabelWidth, 270);
        place(fields[i], colLeft + kLabelWidth, top, kValueWidth, 270);
        top += 270 + 60;
    }
    place(mOKButton, colLeft + kLabelWidth, topOf(mTxtMV) + heightOf(mTxtMV) + 60, kValueWidth, 300);
}

void Faceplate::placeLamps(double barBottom) {
    const double lampLeft = kBarLeft + 135 + widthOf(mSvp) + 180;
    // Near the minimum height the stack of lamps would cover OK; there the lamps get lower.
    const double okBottom = topOf(mOKButton) + heightOf(mOKButton);
    const double lampH = std::min(495.0, (barBottom - okBottom - 120 - 2 * 120) / 3);
    const double captionDrop = std::min(120.0, (lampH - 300) / 2);
    for (int i = 0; i < 3; ++i) {
        const double top = barBottom - lampH - i * (lampH + 120);
        place(mShapeMode[i], lampLeft, top, 615, lampH);
        place(mModeLabel[i], lampLeft + 100, top + captionDrop, 500, 300);
        mModeLabel[i]->raise();
    }
}

// --- What the step shows -------------------------------------------------------------------------

void Faceplate::PvBarUpdate() {
    const auto& chart = mState.chart;
    auto t = trap("  P045");
    t([&] {
        const double top = topOf(mPVbar0), h = heightOf(mPVbar0);
        if (chart.RH == chart.RL)
            throw RuntimeError::divisionByZero();
        double y = toInt32(h * (chart.RH - mState.sim.PV[0]) / (chart.RH - chart.RL));
        if (y > h)
            y = h;
        if (y < 0)
            y = 0;
        const double barTop = toInt16(top + y);
        const double height = h - y >= 0 ? h - y : 0;
        const QRect r(px(leftOf(mPVbar0)), px(barTop), mPVbar0->width(), px(height));
        if (mPVbar1->geometry() != r)
            mPVbar1->setGeometry(r);
        mPVbar1->raise();
        mSvp->raise();
    });
}

void Faceplate::MvSliderUpdate() {
    try {
        mSliderMV->setValue(toInt32(output()));
    } catch (const RuntimeError&) {
        // the slider keeps its place; the MV text still shows the value
    }
}

void Faceplate::SvPointerUpdate() {
    auto t = trap("  P046");
    t([&] {
        const auto& chart = mState.chart;
        const double top = topOf(mPVbar0), h = heightOf(mPVbar0), p = heightOf(mSvp);
        if (chart.RH == chart.RL)
            throw RuntimeError::divisionByZero();
        mSvpTop =
            checkFinite(top + h + (p / 2 - 200) - (mState.sim.SV[0] - chart.RL) / (chart.RH - chart.RL) * h);
        placeSvp();
    });
}

void Faceplate::placeSvp() {
    mSvp->move(mSvp->x(), px(mSvpTop));
}

void Faceplate::showSv(double sv) {
    showValue(mTxtSV, sv);
}
void Faceplate::showMv(double mv) {
    showValue(mTxtMV, mv);
}
void Faceplate::showPv(double pv) {
    showValue(mTxtPV, pv);
}

void Faceplate::applyMode() {
    const int mode = mState.params.MODE;
    const Rgb on[] = {rgb(255, 0, 0), rgb(0, 0, 255), rgb(255, 255, 0)};
    for (int i = 0; i < 3; ++i) {
        QPalette pal = mShapeMode[i]->palette();
        pal.setColor(QPalette::Window, toQColor(i == mode ? on[i] : kLampOff));
        mShapeMode[i]->setPalette(pal);
        // The caption stays readable on the blue lamp.
        const bool blue = i == mode && static_cast<Mode>(i) == Mode::Automatic;
        // With the keyboard's focus a lamp's caption is framed.
        mModeLabel[i]->setStyleSheet(QString("QLabel { font-weight: bold; font-size: 12pt; color: %1; }"
                                             " QLabel:focus { border: 1px dotted %1; }")
                                         .arg(blue ? "white" : "black"));
    }
    const Mode m = mState.params.mode();
    // With a secondary controller the field and the slider are the primary's output OP; while
    // the secondary is not in cascade OP tracks SV2, and nothing the learner sets would stay.
    const bool cascadeLoop = mState.params.cascadeLoop();
    const bool tracking = cascadeLoop && mState.params.secondaryMode() != SecondaryMode::Cascade;
    mLabel1[2]->setText(cascadeLoop ? "OP" : "MV");
    mLabel1[2]->setToolTip(cascadeLoop ? tr("主調節計の出力 OP：二次調節計の目標値 SV2 になります")
                                       : QString());
    const bool outputSettable = m == Mode::Manual && !tracking;
    setFieldColour(mTxtSV, m < Mode::Cascade);
    setFieldColour(mTxtMV, outputSettable);
    // A disabled field cannot be typed in: it shows the loop's value again.
    if (m >= Mode::Cascade)
        mState.sim.SvDisplayLive = true;
    if (!outputSettable)
        mState.sim.MvDisplayLive = true;
    mSliderMV->setEnabled(outputSettable);
}

void Faceplate::showPenColour() {
    const QColor c = toQColor(penShown(penChoiceColor(mDocument.penChoice()), mState.chart.SafeColours));
    mSvp->setColour(penShown(kSvPenColor, mState.chart.SafeColours));
    mPVbar1->setStyleSheet(QString("background: %1;").arg(c.name()));
}

void Faceplate::holdTypedText() {
    if (mTxtSV->hasFocus())
        mState.sim.SvDisplayLive = false;
    if (mTxtMV->hasFocus())
        mState.sim.MvDisplayLive = false;
}

QString Faceplate::svText() const {
    return mTxtSV->text();
}

// --- The learner's operations --------------------------------------------------------------------

void Faceplate::LabelM_Click() {
    mDocument.setMode(0);
}
void Faceplate::LabelA_Click() {
    mDocument.setMode(1);
}
void Faceplate::LabelC_Click() {
    mDocument.setMode(2);
}

void Faceplate::OKButton_Click() {
    auto& sim = mState.sim;
    ErrorTrap t(mMessages, "  P031");
    auto apply = [&](QLineEdit* field) {
        double x = 0.0;
        t([&] { x = toDouble(field->text().toStdString()); }); // a text that is no number is applied as 0
        if (x > 100)
            x = 100;
        if (x < 0)
            x = 0;
        field->setText(qtext(numberText(x)));
        return x;
    };
    sim.SV[0] = apply(mTxtSV);
    SvPointerUpdate();
    output() = apply(mTxtMV);
    MvSliderUpdate();
    sim.SvDisplayLive = true;
    sim.MvDisplayLive = true;
}

void Faceplate::sliderPressed(double x) {
    if (!mSliderMV->isEnabled())
        return;
    auto t = trap("  P034A");
    t([&] {
        // Outside the track the slider stops at its ends.
        mSliderMV->setValue(toInt32((x - MvSlider::kTrackStart) / MvSlider::kTrackLength * 100.0));
        output() = mSliderMV->value();
        mTxtMV->setText(qtext(formatNumber(output(), "###.0")));
    });
}

void Faceplate::sliderReleased() {
    if (!mSliderMV->isEnabled())
        return;
    auto t = trap("  P034");
    t([&] {
        output() = mSliderMV->value();
        mTxtMV->setText(qtext(formatNumber(output(), "###.0")));
    });
}

double Faceplate::svFromPointer(double extra) {
    const auto& chart = mState.chart;
    const double bottom = topOf(mPVbar0) + heightOf(mPVbar0), h = heightOf(mPVbar0), p = heightOf(mSvp);
    const double raw = chart.RL + (bottom - mSvpTop + p / 2 - 200) * (chart.RH - chart.RL) / h + extra;
    return toDouble(formatNumber(checkFinite(raw), "###.0"));
}

void Faceplate::showSvText() {
    mTxtSV->setText(qtext(formatNumber(mState.sim.SV[0], "###.0")));
}

void Faceplate::svpMouseDown() {
    mSvDragging = mState.params.mode() < Mode::Cascade;
}
void Faceplate::svpMouseUp() {
    mSvDragging = false;
}

void Faceplate::svpMouseMove(double y) {
    if (!mSvDragging)
        return;
    auto t = trap("  P046");
    t([&] {
        const double top = topOf(mPVbar0), bottom = top + heightOf(mPVbar0), p = heightOf(mSvp);
        mSvpTop += y;
        if (mSvpTop > bottom - p / 2)
            mSvpTop = bottom - p / 2;
        if (mSvpTop < top - p / 2)
            mSvpTop = top - p / 2;
        mState.sim.SV[0] = svFromPointer(0.0);
        SvPointerUpdate();
        showSvText();
    });
}

void Faceplate::svpStep(int units) {
    const auto& chart = mState.chart;
    if (chart.RH <= chart.RL)
        return;
    svpMouseDown();
    svpMouseMove(-units * heightOf(mPVbar0) / (chart.RH - chart.RL));
    svpMouseUp();
}

void Faceplate::Frame1_MouseDown(double x, double y) {
    auto t = trap("  P035");
    t([&] {
        const double top = topOf(mPVbar0), bottom = top + heightOf(mPVbar0), p = heightOf(mSvp);
        const double left = leftOf(mSvp), w = widthOf(mSvp);
        if (mState.params.mode() >= Mode::Cascade || !(left < x && x < left + w) ||
            !(top < y && y < bottom - (p / 2 - 200)))
            return;
        mSvpTop = y - p / 2;
        mState.sim.SV[0] = svFromPointer(0.5);
        showSvText();
        SvPointerUpdate();
    });
}

void Faceplate::Frame1_MouseUp() {
    auto t = trap("  P027");
    t([&] {
        mState.sim.SV[0] = svFromPointer(0.0);
        showSvText();
    });
}

// --- Events --------------------------------------------------------------------------------------

void Faceplate::mousePressEvent(QMouseEvent* event) {
    Frame1_MouseDown(event->position().x() * kTwipsPerPixel, event->position().y() * kTwipsPerPixel);
    QGroupBox::mousePressEvent(event);
}

void Faceplate::mouseReleaseEvent(QMouseEvent* event) {
    Frame1_MouseUp();
    QGroupBox::mouseReleaseEvent(event);
}

bool Faceplate::eventFilter(QObject* watched, QEvent* event) {
    auto& sim = mState.sim;
    const auto lamp = std::find(mModeLabel.begin(), mModeLabel.end(), watched);
    if (lamp != mModeLabel.end()) {
        // A mode button takes its own mouse events; the frame under it must not re-read SV.
        if (event->type() == QEvent::MouseButtonPress) {
            mDocument.setMode(static_cast<int>(lamp - mModeLabel.begin()));
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick)
            return true;
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
                mDocument.setMode(static_cast<int>(lamp - mModeLabel.begin()));
                return true;
            }
        }
    } else if (event->type() == QEvent::FocusIn) {
        if (watched == mTxtSV)
            sim.SvDisplayLive = false;
        else if (watched == mTxtMV)
            sim.MvDisplayLive = false;
    } else if (event->type() == QEvent::FocusOut) {
        // Leaving a field brings its live display back, by way of the display timer.
        if ((watched == mTxtSV || watched == mTxtMV) && (!sim.SvDisplayLive || !sim.MvDisplayLive))
            emit fieldLeft();
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace kestrel
