#include "panel/frmcontroller.h"

#include "core/convert.h"
#include "core/runtimeerror.h"
#include "core/vbformat.h"
#include "panel/frmpenrec.h"
#include "panel/pointerimage.h"
#include "study/annotations.h"

#include "widgets/halfwidthinput.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"
#include "widgets/textroom.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <chrono>
#include <type_traits>
#include <variant>
#include <cmath>

namespace kestrel {

namespace {

constexpr double kDesignWidth = 12060, kDesignHeight = 7740; // client area, twips
constexpr double kMinWidth = 7800, kMinHeight = 6200;
constexpr Rgb kLampOff = rgb(192, 192, 192);
// The column between the faceplate and the chart holds the range boxes and, right of them, the
// DV pointer; the boxes are wide enough for "-100.0".
constexpr double kRangeLeft = 1770, kRangeWidth = 510;
constexpr double kDvpLeft = 2295;
constexpr double kChartLeft = 2580, kChartRightMargin = 400;
// The PV bar stands far enough left for the value fields to hold "-100.0" in the panel's font.
constexpr double kBarLeft = 240;
constexpr double kLabelWidth = 300, kValueWidth = 720;
constexpr double kNoteLabelHeight = 255; // lesson annotation labels

double leftOf(const QWidget* w) { return w->x() * kTwipsPerPixel; }
double topOf(const QWidget* w) { return w->y() * kTwipsPerPixel; }
double widthOf(const QWidget* w) { return w->width() * kTwipsPerPixel; }
double heightOf(const QWidget* w) { return w->height() * kTwipsPerPixel; }

/// A value that is wider than its box (a PV far off scale) is shown in a smaller face rather
/// than cut off at the left, where its sign and first digits are.
void fitText(QLineEdit* e, const QFont& base) {
    QFont f = base;
    const int room = textRoom(e);
    for (int size = QFontInfo(base).pixelSize(); size > 6 && QFontMetrics(f).horizontalAdvance(e->text()) > room;)
        f.setPixelSize(--size);
    if (e->font() != f)
        e->setFont(f);
}

void setFieldColour(QLineEdit* e, bool enabled) {
    e->setEnabled(enabled);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, enabled ? QApplication::palette().color(QPalette::Base)
                                         : QApplication::palette().color(QPalette::Window).darker(110));
    e->setPalette(pal);
}

/// Value to chart coordinate: y = H·(hi − v)/(hi − lo), as (−v/(hi − lo))·H + (H/(hi − lo))·hi,
/// rounded to a 32-bit integer (ties to even).
double scaleY(double v, double H, double lo, double hi) {
    if (hi == lo)
        throw RuntimeError::divisionByZero();
    return toInt32((-v / (hi - lo)) * H + (H / (hi - lo)) * hi);
}

} // namespace

frmController::frmController(AppState& state, SetupDocument& document, MessageService& messages, QWidget* parent)
    : QWidget(parent), HeadlessPanel(document), mState(state), mMessages(messages) {
    setObjectName("frmController");
    setWindowTitle("コントローラパネル");
    mLoop = std::make_unique<ControlLoop>(mState, mMessages, mDocument, *this, *this,
                                          ControlLoop::Settings::Stored);

    mTimer1 = new QTimer(this);
    mTimer1->setObjectName("Timer1");
    mTimer1->setTimerType(Qt::PreciseTimer);
    connect(mTimer1, &QTimer::timeout, this, [this] { runControl().PacingTick(); });
    mTimer2 = new QTimer(this);
    mTimer2->setObjectName("Timer2");
    mTimer2->setSingleShot(true);
    mTimer2->setInterval(500);
    connect(mTimer2, &QTimer::timeout, this, [this] {
        runControl().DisplayTimerTick();
        // A field the learner is typing in keeps the typed text.
        if (mTxtSV->hasFocus())
            mState.sim.SvDisplayLive = false;
        if (mTxtMV->hasFocus())
            mState.sim.MvDisplayLive = false;
    });
    mTimer3 = new QTimer(this);
    mTimer3->setObjectName("Timer3");
    mTimer3->setSingleShot(true);
    mTimer3->setInterval(100);
    connect(mTimer3, &QTimer::timeout, this, [this] { runControl().EndOfRunTick(); });

    buildControls();
    bindDocument();
    // Whole pixels at or above the minimum: 6200 twips is 413.3 px, so 414.
    setMinimumSize(static_cast<int>(std::ceil(kMinWidth / kTwipsPerPixel)),
                   static_cast<int>(std::ceil(kMinHeight / kTwipsPerPixel)));
    resize(px(kDesignWidth), px(kDesignHeight));
    Form_Load();
}

frmController::~frmController() {
    mDocument.removeListener(mListener);
    if (mPenRec)
        delete mPenRec.data();
}

// --- Construction --------------------------------------------------------------------------------

void frmController::buildControls() {
    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(name);
        return w;
    };

    mFrame1 = new QGroupBox("コントローラ", this);
    named(mFrame1, "Frame1");
    place(mFrame1, 120, 120, 1635, 5355);
    mFrame1->installEventFilter(this);

    mPVbar0 = new QFrame(mFrame1);
    named(mPVbar0, "PVbar0");
    mPVbar0->setFrameShape(QFrame::Box);
    mPVbar0->setStyleSheet("QFrame#PVbar0 { background: black; border: 1px solid gray; }");
    place(mPVbar0, kBarLeft, 420, 135, 4335);
    mPVbar1 = new QFrame(mFrame1);
    named(mPVbar1, "PVbar1");
    place(mPVbar1, kBarLeft, 2000, 135, 2755);
    for (int i = 0; i < 5; ++i) {
        mLine1[i] = new QFrame(mFrame1);
        mLine1[i]->setObjectName(QString("Line1_%1").arg(i));
        mLine1[i]->setStyleSheet("background: gray;");
    }

    mSvp = new PointerImage(12, 14, true, kSvPenColor, mFrame1);
    named(mSvp, "svp");
    connect(mSvp, &PointerImage::mouseDown, this, &frmController::svpMouseDown);
    connect(mSvp, &PointerImage::mouseMove, this, &frmController::svpMouseMove);
    connect(mSvp, &PointerImage::mouseUp, this, &frmController::svpMouseUp);

    const char* names[] = {"SV", "PV", "MV"};
    const char* colours[] = {"rgb(0,160,0)", "rgb(0,0,0)", "rgb(220,0,0)"};
    for (int i = 0; i < 3; ++i) {
        mLabel1[i] = new QLabel(names[i], mFrame1);
        mLabel1[i]->setObjectName(QString("Label1_%1").arg(i));
        mLabel1[i]->setStyleSheet(QString("color: %1; font-weight: bold;").arg(colours[i]));
    }
    mTxtSV = new QLineEdit(kStartSv, mFrame1);
    named(mTxtSV, "txtSV");
    mTxtPV = new QLineEdit("50.0", mFrame1);
    named(mTxtPV, "txtPV");
    mTxtPV->setReadOnly(true);
    mTxtPV->setFocusPolicy(Qt::NoFocus);
    mTxtPV->setStyleSheet("background: rgb(192,192,192);");
    mTxtMV = new QLineEdit("50.0", mFrame1);
    named(mTxtMV, "txtMV");
    for (QLineEdit* e : {mTxtSV, mTxtPV, mTxtMV}) {
        acceptFullWidthNumbers(e);
        e->setAlignment(Qt::AlignRight);
        e->setTextMargins(0, 0, 0, 0);
        e->installEventFilter(this);
        place(e, 900, 600, 495, 270);
    }
    connect(mTxtSV, &QLineEdit::returnPressed, this, &frmController::OKButton_Click);
    connect(mTxtMV, &QLineEdit::returnPressed, this, &frmController::OKButton_Click);
    mOKButton = new QPushButton("OK", mFrame1);
    named(mOKButton, "OKButton");
    place(mOKButton, 900, 1620, 495, 255);
    connect(mOKButton, &QPushButton::clicked, this, &frmController::OKButton_Click);

    const char* lampNames[] = {"shapeMode0", "shapeMode1", "shapeMode2"};
    for (int i = 0; i < 3; ++i) {
        mShapeMode[i] = new QFrame(mFrame1);
        mShapeMode[i]->setObjectName(lampNames[i]);
        mShapeMode[i]->setFrameShape(QFrame::Box);
        mShapeMode[i]->setAutoFillBackground(true);
        place(mShapeMode[i], 780, 2520, 615, 495);
    }
    auto modeLabel = [&](const char* caption, const char* name) {
        auto* l = new QLabel(caption, mFrame1);
        l->setObjectName(name);
        l->setCursor(Qt::PointingHandCursor);
        l->setStyleSheet("font-weight: bold; font-size: 12pt;");
        l->installEventFilter(this);
        return l;
    };
    mLabelM = modeLabel(" M ", "LabelM");
    mLabelA = modeLabel(" A ", "LabelA");
    mLabelC = modeLabel(" C  ", "LabelC");

    mSliderMV = new MvSlider(mFrame1);
    named(mSliderMV, "SliderMV");
    connect(mSliderMV, &MvSlider::pressed, this, &frmController::sliderPressed);
    connect(mSliderMV, &MvSlider::released, this, &frmController::sliderReleased);

    // DV pointer left of the chart.
    mDvp = new PointerImage(14, 17, false, kDvPenColor, this);
    named(mDvp, "Dvp");
    connect(mDvp, &PointerImage::mouseDown, this, &frmController::DvpMouseDown);
    connect(mDvp, &PointerImage::mouseMove, this, &frmController::DvpMouseMove);
    connect(mDvp, &PointerImage::mouseUp, this, &frmController::DvpMouseUp);
    mLblDvp[0] = new QLabel("外乱", this);
    mLblDvp[0]->setObjectName("LblDvp_0");
    mLblDvp[1] = new QLabel("0", this);
    mLblDvp[1]->setObjectName("LblDvp_1");
    for (QLabel* l : mLblDvp) {
        l->setAlignment(Qt::AlignCenter);
        QFont f = l->font();
        f.setPointSizeF(f.pointSizeF() * 0.85);
        l->setFont(f);
    }

    // Two graphs, each an upper (SV, PV, DV) and a lower (MV) strip.
    for (int k = 0; k < 2; ++k) {
        mPicture1[k] = new PictureBox(this);
        mPicture1[k]->setObjectName(QString("Picture1_%1").arg(k));
        mPicture1[k]->setGeometryTwips(kChartLeft, 360, 9015, 3855);
        mPicture2[k] = new PictureBox(this);
        mPicture2[k]->setObjectName(QString("Picture2_%1").arg(k));
        mPicture2[k]->setGeometryTwips(kChartLeft, 4320, 9015, 1995);
        mPicture1[k]->setVisible(k == 0);
        mPicture2[k]->setVisible(k == 0);
        mOption1[k] = new QRadioButton(k == 0 ? "グラフ１" : "グラフ２", this);
        mOption1[k]->setObjectName(QString("Option1_%1").arg(k));
        connect(mOption1[k], &QRadioButton::clicked, this, [this, k] { Option1_Click(k); });
    }
    mOption1[0]->setChecked(true);

    for (int n = 1; n <= 7; ++n) {
        QWidget* host = n <= 4 ? static_cast<QWidget*>(mPicture1[0]) : mPicture2[0];
        auto* l = new QLabel(host);
        l->setObjectName(QString("Tcoment%1").arg(n));
        l->setStyleSheet("color: rgb(255,128,255); background: transparent;");
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        l->hide();
        mTcoment[n - 1] = l;
    }

    mTxtRH = new QLineEdit("100.0", this);
    named(mTxtRH, "txtRH");
    mTxtRL = new QLineEdit("0.0", this);
    named(mTxtRL, "txtRL");
    mTxtTM = new QLineEdit("50", this);
    named(mTxtTM, "txtTM");
    for (QLineEdit* e : {mTxtRH, mTxtRL, mTxtTM}) {
        acceptFullWidthNumbers(e);
        e->setAlignment(Qt::AlignRight);
        e->setTextMargins(0, 0, 0, 0);
    }
    // The range boxes share the narrow column left of the chart with the DV pointer.
    for (QLineEdit* e : {mTxtRH, mTxtRL}) {
        // Five characters ("115.0", "-15.0") must fit the column.
        QFont f = e->font();
        f.setPixelSize(9);
        e->setFont(f);
        e->setFrame(false);
        e->setStyleSheet("QLineEdit { padding: 0px; border: 1px solid gray; }");
    }
    mLabTM = new QLabel("グラフ表示時間（秒）", this);
    named(mLabTM, "LabTM");
    mShiftDown = new QPushButton("▲", this);
    named(mShiftDown, "ShiftDown");
    mShiftDown->setToolTip("表示レンジを 15 下げます（波形が上に移ります）");
    mShiftUp = new QPushButton("▼", this);
    named(mShiftUp, "ShiftUp");
    mShiftUp->setToolTip("表示レンジを 15 上げます（波形が下に移ります）");
    connect(mShiftDown, &QPushButton::clicked, this, &frmController::ShiftDown_Click);
    connect(mShiftUp, &QPushButton::clicked, this, &frmController::ShiftUp_Click);

    mLabTYPE = new QLabel("偏差ＰＩＤ制御", this);
    named(mLabTYPE, "LabTYPE");
    mLabTYPE->setStyleSheet("font-weight: bold;");
    mChrRHAuto = new QCheckBox("レンジ自動シフト", this);
    named(mChrRHAuto, "chrRHAuto");
    mChkQB = new QCheckBox("ペン色自動", this);
    named(mChkQB, "ChkQB");
    mCmbQB = new QComboBox(this);
    named(mCmbQB, "cmbQB");
    for (auto c : kPenChoices)
        mCmbQB->addItem(qtext(std::string(c)));

    auto button = [&](const char* caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        return b;
    };
    mCmdStart = button("スタート", "cmdStart");
    mCmdPause = button("ポーズ", "cmdPause");
    mCmdFast = button("早送り", "cmdFast");
    mCmdClear = button("グラフ消去", "cmdClear");
    mCmdPrint = button("ﾊｰﾄﾞｺﾋﾟｰ", "cmdPrint");
    mCmdTip = button("学習表示", "cmdTip");
    mCmdTip->hide();
    mCmdPause->setEnabled(false);
    mCmdFast->setEnabled(false);
    connect(mCmdStart, &QPushButton::clicked, this, &frmController::cmdStart_Click);
    connect(mCmdPause, &QPushButton::clicked, this, &frmController::cmdPause_Click);
    connect(mCmdFast, &QPushButton::clicked, this, &frmController::cmdFast_Click);
    connect(mCmdClear, &QPushButton::clicked, this, &frmController::cmdClear_Click);
    connect(mCmdPrint, &QPushButton::clicked, this, &frmController::printRequested);
    connect(mCmdTip, &QPushButton::clicked, this, [this] {
        mCmdTip->hide();
        mMessages.beep();
        emit lessonRequested();
    });

    for (QLineEdit* e : {mTxtSV, mTxtPV, mTxtMV, mTxtRH, mTxtRL, mTxtTM}) {
        mValueBoxes.emplace_back(e, e->font());
        connect(e, &QLineEdit::textChanged, this, [e, base = e->font()] { fitText(e, base); });
    }

    const char* anchors[] = {"C51", "C52", "C53", "C54", "C55"};
    for (int i = 0; i < 5; ++i) {
        mHelp[i] = new HelpLabel(anchors[i], this);
        connect(mHelp[i], &HelpLabel::activated, this, &frmController::helpRequested);
    }
}

void frmController::bindDocument() {
    connect(mTxtRH, &QLineEdit::textEdited, this, [this](const QString& t) {
        mDocument.setRangeHighText(t.toStdString());
        mTimer2->start();
    });
    connect(mTxtRL, &QLineEdit::textEdited, this, [this](const QString& t) {
        mDocument.setRangeLowText(t.toStdString());
        mTimer2->start();
    });
    connect(mTxtTM, &QLineEdit::textEdited, this, [this](const QString& t) { mDocument.setGraphTimeText(t.toStdString()); });
    connect(mChrRHAuto, &QCheckBox::clicked, this, [this](bool on) { mDocument.setAutoRange(on); });
    connect(mChkQB, &QCheckBox::clicked, this, [this](bool on) { mDocument.setAutoPen(on); });
    connect(mCmbQB, qOverload<int>(&QComboBox::activated), this, [this](int i) { mDocument.setPenChoice(i); });
    mListener = mDocument.addListener([this](SetupChange what, int) { onDocumentChanged(what); });
    onDocumentChanged(SetupChange::PanelSetting);
    onDocumentChanged(SetupChange::TypeLabel);
}

void frmController::onDocumentChanged(SetupChange what) {
    if (what == SetupChange::TypeLabel) {
        mLabTYPE->setText(qtext(mDocument.typeLabel()));
        return;
    }
    if (what != SetupChange::PanelSetting)
        return;
    auto sync = [](QLineEdit* e, const std::string& text) {
        if (e->text() != qtext(text))
            e->setText(qtext(text));
    };
    sync(mTxtRH, mDocument.rangeHighText());
    sync(mTxtRL, mDocument.rangeLowText());
    sync(mTxtTM, mDocument.graphTimeText());
    mChrRHAuto->setChecked(mDocument.autoRange());
    mChkQB->setChecked(mDocument.autoPen());
    if (mCmbQB->currentIndex() != mDocument.penChoice()) {
        mCmbQB->setCurrentIndex(mDocument.penChoice());
    }
    updatePenColour();
    applyMode();
}

void frmController::updatePenColour() {
    const QColor c = toQColor(penChoiceColor(mDocument.penChoice()));
    mPVbar1->setStyleSheet(QString("background: %1;").arg(c.name()));
}

// --- Start-up and layout -------------------------------------------------------------------------

void frmController::Form_Load() {
    mLoading = true;
    runControl().loadPanel(mTxtSV->text().toStdString(), mDocument.fieldText(Kpl));
    mDocument.setPenChoice(0);
    mLoading = false;
    Form_Resize();
    MvSliderUpdate();
    applyMode();
}

void frmController::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!mLoading)
        Form_Resize();
}

void frmController::Form_Resize() {
    auto& chart = mState.chart;
    auto t = trap("  P026");
    for (QLabel* l : mTcoment)
        l->hide();

    const double W = std::max(width() * kTwipsPerPixel, kMinWidth);
    const double H = std::max(height() * kTwipsPerPixel, kMinHeight);

    t([&] {
        place(mFrame1, 120, 120, 1635, H - 2300);
        const double sliderH = 330, svpH = heightOf(mSvp);
        const double S = toInt16(heightOf(mFrame1) - sliderH - svpH - 120);
        place(mSliderMV, 150, S + svpH, 1350, sliderH);

        const double barTop = 500, barHeight = S * 0.95 - 200;
        place(mPVbar0, kBarLeft, barTop, 135, barHeight);
        mSvp->move(px(kBarLeft + 135), mSvp->y());
        const double step = toInt16(barHeight / 4);
        for (int i = 0; i < 5; ++i)
            place(mLine1[i], kBarLeft - 60, barTop + i * step, 60, 15);

        const double colLeft = kBarLeft + 135 + widthOf(mSvp) + 30;
        double labelTop = barTop;
        QLineEdit* fields[] = {mTxtSV, mTxtPV, mTxtMV};
        for (int i = 0; i < 3; ++i) {
            place(mLabel1[i], colLeft, labelTop, kLabelWidth, 270);
            place(fields[i], colLeft + kLabelWidth, labelTop, kValueWidth, 270);
            labelTop += 270 + 60;
        }
        place(mOKButton, colLeft + kLabelWidth, topOf(mTxtMV) + heightOf(mTxtMV) + 60, kValueWidth, 300);

        const double lampLeft = kBarLeft + 135 + widthOf(mSvp) + 180;
        const double barBottom = barTop + barHeight;
        // Near the minimum height the stack of lamps would cover OK; there the lamps get lower.
        const double okBottom = topOf(mOKButton) + heightOf(mOKButton);
        const double lampH = std::min(495.0, (barBottom - okBottom - 120 - 2 * 120) / 3);
        const double captionDrop = std::min(120.0, (lampH - 300) / 2);
        QLabel* modeLabels[] = {mLabelM, mLabelA, mLabelC};
        for (int i = 0; i < 3; ++i) {
            const double top = barBottom - lampH - i * (lampH + 120);
            place(mShapeMode[i], lampLeft, top, 615, lampH);
            place(modeLabels[i], lampLeft + 100, top + captionDrop, 500, 300);
            modeLabels[i]->raise();
        }

        const double picTop = topOf(mFrame1) + barTop - 300;
        const double picW = W - kChartLeft - kChartRightMargin;
        for (int k = 0; k < 2; ++k) {
            mPicture1[k]->setGeometryTwips(kChartLeft, picTop, picW, barHeight);
            const double lowTop = picTop + barHeight + 60;
            mPicture2[k]->setGeometryTwips(kChartLeft, lowTop, picW, H - picTop - barHeight - 1300);
        }

        const double frameBottom = topOf(mFrame1) + heightOf(mFrame1);
        place(mLabTYPE, 150, frameBottom + 60, 1700, 255);
        place(mChrRHAuto, 150, topOf(mLabTYPE) + heightOf(mLabTYPE) + 60, 1900, 285);
        place(mHelp[4], 2060, topOf(mChrRHAuto), 240, 240);
        place(mChkQB, 150, topOf(mChrRHAuto) + heightOf(mChrRHAuto) + 60, 1150, 285);
        place(mCmbQB, 1320, topOf(mChkQB) - 15, 900, 315);
        place(mOption1[0], 150, topOf(mChkQB) + heightOf(mChkQB) + 200, 1050, 285);
        place(mOption1[1], 1200, topOf(mOption1[0]), 1050, 285);

        const double up0Top = topOf(mPicture1[0]);
        place(mTxtTM, kChartLeft + picW - 600, up0Top - 285, 600, 285);
        place(mLabTM, leftOf(mTxtTM) - 2400, topOf(mTxtTM) + 20, 2350, 285);
        mLabTM->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        place(mHelp[3], leftOf(mLabTM) - 300, topOf(mLabTM), 240, 240);

        const double rhTop = topOf(mFrame1) + barTop;
        place(mTxtRH, kRangeLeft, rhTop, kRangeWidth, 255);
        place(mTxtRL, kRangeLeft, rhTop + barHeight - 255, kRangeWidth, 255);
        place(mShiftDown, kRangeLeft, rhTop - 285 + 30, 315, 255);
        place(mShiftUp, kRangeLeft, rhTop + barHeight, 315, 255);

        const double lowBottom = topOf(mPicture2[0]) + heightOf(mPicture2[0]);
        const double cmdTop = lowBottom + 120;
        double left = kChartLeft;
        for (QPushButton* b : {mCmdStart, mCmdPause, mCmdFast, mCmdClear}) {
            place(b, left, cmdTop, 1215, 375);
            left += 1215 + 120;
        }
        // Print and the lesson button stand right-aligned with the strip; on a panel too narrow
        // for them beside the run buttons they take a second row instead of covering Clear.
        const double right = kChartLeft + picW;
        const double rightRowTop = right - 2 * 1215 - 120 < left ? cmdTop + 375 + 60 : cmdTop;
        place(mCmdPrint, right - 1215, rightRowTop, 1215, 375);
        place(mCmdTip, right - 1215 - 120 - 1215, rightRowTop, 1215, 375);
        place(mHelp[2], left, cmdTop + 60, 240, 240);
        for (const auto& [box, base] : mValueBoxes)
            fitText(box, base);
        place(mHelp[0], 120 + 1635 - 260, 120 + 40, 240, 240);
    });

    t([&] { SvPointerUpdate(); });
    t([&] { DvPointerUpdate(); });
    t([&] { runControl().chartClear(); });
    t([&] {
        const double dt = mState.params.dt;
        mState.sim.DecimationRatio = toInt16(chart.GraphTime / dt / 500.0 + 1.0);
        chart.PenAdvance = checkFinite(chartWidth() * dt / chart.GraphTime);
        // A run in progress goes on recording where it stands, so its start stays in the record.
    });
    // Replay the selected graph's own record (never another graph's, nor a slot left from an
    // earlier run).
    const std::int16_t samples = mState.rec.TrendSamples[chart.CurrentGraph];
    for (std::int16_t i = 0; i < samples; ++i) {
        t([&] { Line_draw1(i); });
        if (t.ended())
            break;
    }
    PvBarUpdate();
}

// --- The step's drawing --------------------------------------------------------------------------

void frmController::Line_draw1(std::int16_t i) {
    auto& chart = mState.chart;
    const auto& rec = mState.rec;
    auto t = trap("  P049");
    t([&] {
        if (i < 0 || i > 500)
            throw RuntimeError::subscriptOutOfRange();
        const int k = chart.CurrentGraph;
        PictureBox* upper = mPicture1[k];
        PictureBox* lower = mPicture2[k];
        const int j = i == 0 ? 0 : i - 1;
        const double W = upper->Width();
        if (chart.GraphTime == 0)
            throw RuntimeError::divisionByZero();
        const auto& time = rec.TrendTime[k];
        const double xNew = toInt32(time[i] / chart.GraphTime * W);
        const double xOld = toInt32(time[j] / chart.GraphTime * W);
        const auto& trend = rec.TrendData[k];

        auto stair = [&](PictureBox* box, int ch, double offset, double lowest, double lo, double hi) {
            const double H = box->Height();
            auto y = [&](double v) {
                double c = scaleY(v + offset, H, lo, hi);
                if (c > lowest)
                    c = lowest;
                if (c < 0)
                    c = 0;
                return c;
            };
            const double yNew = y(trend[ch][i]);
            const double yOld = y(trend[ch][j]);
            const Rgb colour = chart.PenColor[k][ch];
            box->Line(xOld, yOld, xNew, yOld, colour);
            box->Line(xNew, yOld, xNew, yNew, colour);
        };
        const double H1 = upper->Height();
        stair(upper, 0, 0.0, H1 - 50, chart.RL, chart.RH);
        stair(upper, 1, 0.0, H1 - 50, chart.RL, chart.RH);
        // DV with the offset its run drew it with, which the record keeps after the run.
        const double dvOffset = rec.TrendDvOffset[k];
        stair(upper, 2, dvOffset, H1 - dvOffset, chart.RL, chart.RH);
        stair(lower, 3, 0.0, lower->Height() - 50, chart.MvStripLow, chart.MvStripHigh);
    });
}

void frmController::Line_draw2(std::int16_t i) { penRecorder().Line_draw2(i); }

void frmController::Pict_inz() {
    auto& chart = mState.chart;
    const double dt = mState.params.dt;
    auto t = trap("  P041");
    const int k = chart.CurrentGraph;
    double tgPerDt = 0.0;
    t([&] {
        const double g = intFloor(chart.GraphTime / 50.0 + 0.99);
        tgPerDt = checkFinite(g * chart.PenAdvance / dt);
    });
    for (PictureBox* b : mPicture1) {
        b->setDrawStyle(PictureBox::Dotted);
        b->setDrawWidth(1);
    }
    t([&] {
        PictureBox* upper = mPicture1[k];
        const double H = upper->Height();
        const double W = toInt32(upper->Width());
        // The table grows with the range: ranges wider than 100 get their whole grid.
        mUpperGridY.assign(1, H);
        const double first = intFloor((chart.RL + 5) / 5.0) * 5, last = intFloor((chart.RH - 5) / 5.0) * 5;
        for (double v = first; v <= last; v += 5) {
            const double y = scaleY(v, H, chart.RL, chart.RH);
            mUpperGridY.push_back(y);
            for (PictureBox* b : mPicture1)
                b->Line(0, y, W, y, kGridColor);
        }
        mUpperGridY.push_back(0.0);
    });
    t([&] {
        // The upper strips' vertical lines step one twip more than the grid spacing.
        const double Ws = static_cast<float>(mPicture1[k]->Width());
        if (tgPerDt >= 1.0 && !mUpperGridY.empty())
            for (double X = intFloor(tgPerDt); X <= Ws; X += tgPerDt + 1)
                for (PictureBox* b : mPicture1)
                    b->Line(X, mUpperGridY.front(), X, mUpperGridY.back(), kGridColor);
    });
    for (PictureBox* b : mPicture1)
        b->setDrawStyle(PictureBox::Solid);

    for (PictureBox* b : mPicture2) {
        b->setDrawStyle(PictureBox::Dotted);
        b->setDrawWidth(1);
    }
    t([&] {
        PictureBox* lower = mPicture2[k];
        const double H = lower->Height();
        const double W = toInt32(mPicture1[k]->Width());
        for (int c = 0; c <= 4; ++c) {
            mLowerGridY[c] = H / 4 * c;
            for (PictureBox* b : mPicture2)
                b->Line(0, mLowerGridY[c], W, mLowerGridY[c], kGridColor);
        }
        if (tgPerDt >= 1.0)
            for (double X = intFloor(tgPerDt); X <= lower->Width(); X += tgPerDt)
                for (PictureBox* b : mPicture2)
                    b->Line(X, mLowerGridY[4], X, mLowerGridY[0], kGridColor);
    });
    for (PictureBox* b : mPicture2)
        b->setDrawStyle(PictureBox::Solid);
}

void frmController::PvBarUpdate() {
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

void frmController::MvSliderUpdate() {
    try {
        mSliderMV->setValue(toInt32(mState.sim.MV[0]));
    } catch (const RuntimeError&) {
        // the slider keeps its place; the MV text still shows the value
    }
}

void frmController::SvPointerUpdate() {
    auto t = trap("  P046");
    t([&] {
        const auto& chart = mState.chart;
        const double top = topOf(mPVbar0), h = heightOf(mPVbar0), p = heightOf(mSvp);
        if (chart.RH == chart.RL)
            throw RuntimeError::divisionByZero();
        mSvpTop = checkFinite(top + h + (p / 2 - 200) - (mState.sim.SV[0] - chart.RL) / (chart.RH - chart.RL) * h);
        placeSvp();
    });
}

void frmController::placeSvp() { mSvp->move(mSvp->x(), px(mSvpTop)); }

void frmController::DvPointerUpdate() {
    auto t = trap("  P047");
    t([&] {
        const auto& chart = mState.chart;
        mLblDvp[1]->setText(qtext(formatNumber(mState.sim.DV[0], "##0")));
        const double top = topOf(mPicture1[0]), H = heightOf(mPicture1[0]);
        const double q2 = heightOf(mDvp), d = q2 / 2 - 200;
        if (chart.RH == chart.RL)
            throw RuntimeError::divisionByZero();
        double y = checkFinite(top + H + d - (mState.sim.DV[0] + chart.DvOffset - chart.RL) / (chart.RH - chart.RL) * H);
        if (y > top + H - d)
            y = top + H - d;
        if (y < top - d)
            y = top - d;
        mDvpTop = y;
        placeDvp();
    });
}

void frmController::placeDvp() {
    const double q2 = heightOf(mDvp);
    mDvp->setGeometry(px(kDvpLeft), px(mDvpTop), mDvp->width(), mDvp->height());
    place(mLblDvp[0], kDvpLeft - 60, mDvpTop - q2, 330, q2);
    place(mLblDvp[1], kDvpLeft - 60, mDvpTop + q2, 330, q2);
    place(mHelp[1], kDvpLeft - 260, mDvpTop, 240, 240);
}

void frmController::showSv(double sv) {
    const QString t = qtext(formatNumber(sv, "###.0"));
    if (mTxtSV->text() != t)
        mTxtSV->setText(t);
}

void frmController::showMv(double mv) {
    const QString t = qtext(formatNumber(mv, "###.0"));
    if (mTxtMV->text() != t)
        mTxtMV->setText(t);
}

void frmController::showPv(double pv) {
    const QString t = qtext(formatNumber(pv, "###.0"));
    if (mTxtPV->text() != t)
        mTxtPV->setText(t);
}

// --- Run control's host ---------------------------------------------------------------------------

void frmController::setPacingInterval(int ms) {
    HeadlessPanel::setPacingInterval(ms);
    mTimer1->setInterval(ms);
}

void frmController::setPacingTimerEnabled(bool on) {
    HeadlessPanel::setPacingTimerEnabled(on);
    if (on && !mTimer1->isActive())
        mTimer1->start();
    else if (!on)
        mTimer1->stop();
}

void frmController::startEndOfRunTimer() { mTimer3->start(); }
void frmController::stopEndOfRunTimer() { mTimer3->stop(); }
void frmController::stopDisplayTimer() { mTimer2->stop(); }

void frmController::processEvents() {
    // Between fast-run steps: often enough for Pause and Clear to act at once, not so often that
    // the event loop costs more than the steps.
    if (mSinceEvents.isValid() && mSinceEvents.elapsed() < 5)
        return;
    mSinceEvents.restart();
    QCoreApplication::processEvents();
}

double frmController::wallClockSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void frmController::quitApplication() {
    HeadlessPanel::quitApplication();
    mTimer1->stop();
    QCoreApplication::exit(1);
}

void frmController::setStartEnabled(bool on) { mCmdStart->setEnabled(on); }
void frmController::setPauseEnabled(bool on) { mCmdPause->setEnabled(on); }
void frmController::setFastEnabled(bool on) { mCmdFast->setEnabled(on); }
void frmController::setClearEnabled(bool on) { mCmdClear->setEnabled(on); }
void frmController::setPrintEnabled(bool on) { mCmdPrint->setEnabled(on); }
void frmController::setPauseCaption(const std::string& caption) { mCmdPause->setText(qtext(caption)); }
void frmController::focusStart() { mCmdStart->setFocus(); }
void frmController::focusFast() { mCmdFast->setFocus(); }
void frmController::setLessonButtonVisible(bool on) { mCmdTip->setVisible(on); }
void frmController::focusLessonButton() { mCmdTip->setFocus(); }

void frmController::resetCaptionAndNotes() {
    setWindowTitle("コントローラパネル");
    for (QLabel* l : mTcoment)
        l->hide();
}

double frmController::chartWidth() { return mPicture1[mState.chart.CurrentGraph]->Width(); }

double frmController::penRecorderWidth() {
    return mPenRec ? mPenRec->strip(0)->Width() : HeadlessPanel::penRecorderWidth();
}

void frmController::eraseCharts() {
    mPicture1[0]->Cls();
    mPicture2[0]->Cls();
    mPicture1[1]->Cls();
    mPicture2[1]->Cls();
}

void frmController::clearPenRecorder() { penRecorder().cmdClear_Click(); }

void frmController::setPenRecorderRedraw(bool on) {
    if (mPenRec)
        mPenRec->setAutoRedraw(on);
}

void frmController::PenColorAdvance() {
    auto t = trap("  P044");
    t([&] { mDocument.PenColorAdvance(); });
    updatePenColour();
}

void frmController::drawLessonNotes() { Note_draw(mState.study.NoteId); }

void frmController::Note_draw(const std::string& id) {
    auto& chart = mState.chart;
    const int k = chart.CurrentGraph;
    PictureBox* strips[] = {mPicture1[k], mPicture2[k]};
    const ChartGeometry pv{strips[0]->Width(), strips[0]->Height(), static_cast<double>(chart.GraphTime),
                           static_cast<double>(chart.RL), static_cast<double>(chart.RH)};
    const ChartGeometry mv{strips[1]->Width(), strips[1]->Height(), static_cast<double>(chart.GraphTime),
                           static_cast<double>(chart.MvStripLow), static_cast<double>(chart.MvStripHigh)};
    // Labels as wide as their captions are shown, so a caption meets the end of its leader.
    const QFontMetrics face = mTcoment[0]->fontMetrics();
    const LabelMetrics labels{[&](std::string_view caption) {
                                  const QString text = qtext(caption);
                                  return (face.horizontalAdvance(text) + 2) * kTwipsPerPixel;
                              },
                              kNoteLabelHeight};
    const auto ops =
        noteDraw(id, mState.study.ParaSetDone, mState.study.SimExecDone, pv, mv, chart.PenColor[k][1], labels);
    auto strip = [&](NoteChart c) { return strips[c == NoteChart::Pv ? 0 : 1]; };
    for (const NoteOp& op : ops) {
        std::visit(
            [&](const auto& o) {
                using T = std::decay_t<decltype(o)>;
                if constexpr (std::is_same_v<T, NoteSetStyle>) {
                    strip(o.chart)->setDrawStyle(o.dotted ? PictureBox::Dotted : PictureBox::Solid);
                } else if constexpr (std::is_same_v<T, NoteSetWidth>) {
                    strip(o.chart)->setDrawWidth(o.pixels);
                } else if constexpr (std::is_same_v<T, NoteLine>) {
                    strip(o.chart)->Line(o.x1, o.y1, o.x2, o.y2, o.colour);
                } else if constexpr (std::is_same_v<T, NoteLabel>) {
                    // Labels 1-4 belong to the first graph's upper strip, 5-7 to its lower strip.
                    QLabel* label = mTcoment[o.index - 1];
                    label->setText(qtext(o.caption));
                    label->setStyleSheet(QString("color: %1; background: transparent;").arg(toQColor(o.colour).name()));
                    place(label, o.left, o.top, o.width, kNoteLabelHeight);
                    label->show();
                    label->raise();
                } else if constexpr (std::is_same_v<T, NoteMessage>) {
                    mMessages.showMessage(o.text);
                }
            },
            op);
    }
}

frmPENrec& frmController::penRecorder() {
    if (!mPenRec) {
        mPenRec = new frmPENrec(mState, mDocument, mMessages);
        mPenRec->setAttribute(Qt::WA_DeleteOnClose);
        mState.chart.PenRecAdvance = mPenRec->strip(0)->Width() * mState.params.dt / mState.chart.GraphTime;
        emit penRecorderCreated(mPenRec.data());
    }
    return *mPenRec;
}

// --- Operations ----------------------------------------------------------------------------------

void frmController::applyMode() {
    const int mode = mState.params.MODE;
    const Rgb on[] = {rgb(255, 0, 0), rgb(0, 0, 255), rgb(255, 255, 0)};
    QLabel* labels[] = {mLabelM, mLabelA, mLabelC};
    for (int i = 0; i < 3; ++i) {
        QPalette pal = mShapeMode[i]->palette();
        pal.setColor(QPalette::Window, toQColor(i == mode ? on[i] : kLampOff));
        mShapeMode[i]->setPalette(pal);
        // The caption stays readable on the blue lamp.
        const bool blue = i == mode && static_cast<Mode>(i) == Mode::Automatic;
        labels[i]->setStyleSheet(QString("font-weight: bold; font-size: 12pt; color: %1;")
                                     .arg(blue ? "white" : "black"));
    }
    const Mode m = mState.params.mode();
    setFieldColour(mTxtSV, m < Mode::Cascade);
    setFieldColour(mTxtMV, m == Mode::Manual);
    // A disabled field cannot be typed in: it shows the loop's value again.
    if (m >= Mode::Cascade)
        mState.sim.SvDisplayLive = true;
    if (m >= Mode::Automatic)
        mState.sim.MvDisplayLive = true;
    mSliderMV->setEnabled(m == Mode::Manual);
}

void frmController::LabelM_Click() { mDocument.setMode(0); }
void frmController::LabelA_Click() { mDocument.setMode(1); }
void frmController::LabelC_Click() { mDocument.setMode(2); }

void frmController::OKButton_Click() {
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
    sim.MV[0] = apply(mTxtMV);
    MvSliderUpdate();
    sim.SvDisplayLive = true;
    sim.MvDisplayLive = true;
}

void frmController::Option1_Click(int index) {
    mState.chart.CurrentGraph = static_cast<std::int16_t>(index);
    for (int j = 0; j < 2; ++j) {
        mPicture1[j]->setVisible(j == index);
        mPicture2[j]->setVisible(j == index);
    }
    mOption1[index]->setChecked(true);
}

void frmController::ShiftUp_Click() {
    auto t = trap("  P033");
    t([&] { mDocument.setRangeHighText(formatNumber(toDouble(mDocument.rangeHighText()) + 15.0, "###.0")); });
    t([&] { mDocument.setRangeLowText(formatNumber(toDouble(mDocument.rangeLowText()) + 15.0, "###.0")); });
}

void frmController::ShiftDown_Click() { runControl().ShiftDown(); }

void frmController::cmdStart_Click() { runControl().Start(); }
void frmController::cmdPause_Click() { runControl().Pause(); }
void frmController::cmdFast_Click() { runControl().Fast(); }
void frmController::cmdClear_Click() { runControl().Clear(); }

void frmController::sliderPressed(double x) {
    if (!mSliderMV->isEnabled())
        return;
    auto t = trap("  P034A");
    t([&] {
        // Outside the track the slider stops at its ends.
        mSliderMV->setValue(toInt32((x - MvSlider::kTrackStart) / MvSlider::kTrackLength * 100.0));
        mState.sim.MV[0] = mSliderMV->value();
        mTxtMV->setText(qtext(formatNumber(mState.sim.MV[0], "###.0")));
    });
}

void frmController::sliderReleased() {
    if (!mSliderMV->isEnabled())
        return;
    auto t = trap("  P034");
    t([&] {
        mState.sim.MV[0] = mSliderMV->value();
        mTxtMV->setText(qtext(formatNumber(mState.sim.MV[0], "###.0")));
    });
}

double frmController::svFromPointer(double extra) {
    const auto& chart = mState.chart;
    const double bottom = topOf(mPVbar0) + heightOf(mPVbar0), h = heightOf(mPVbar0), p = heightOf(mSvp);
    const double raw = chart.RL + (bottom - mSvpTop + p / 2 - 200) * (chart.RH - chart.RL) / h + extra;
    return toDouble(formatNumber(checkFinite(raw), "###.0"));
}

void frmController::svpMouseDown() { mSvDragging = mState.params.mode() < Mode::Cascade; }
void frmController::svpMouseUp() { mSvDragging = false; }

void frmController::svpMouseMove(double y) {
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
        mTxtSV->setText(qtext(formatNumber(mState.sim.SV[0], "###.0")));
    });
}

void frmController::Frame1_MouseDown(double x, double y) {
    auto t = trap("  P035");
    t([&] {
        const double top = topOf(mPVbar0), bottom = top + heightOf(mPVbar0), p = heightOf(mSvp);
        const double left = leftOf(mSvp), w = widthOf(mSvp);
        if (mState.params.mode() >= Mode::Cascade || !(left < x && x < left + w) || !(top < y && y < bottom - (p / 2 - 200)))
            return;
        mSvpTop = y - p / 2;
        mState.sim.SV[0] = svFromPointer(0.5);
        mTxtSV->setText(qtext(formatNumber(mState.sim.SV[0], "###.0")));
        SvPointerUpdate();
    });
}

void frmController::Frame1_MouseUp() {
    auto t = trap("  P027");
    t([&] {
        mState.sim.SV[0] = svFromPointer(0.0);
        mTxtSV->setText(qtext(formatNumber(mState.sim.SV[0], "###.0")));
    });
}

void frmController::DvpMouseDown() { mDvDragging = mState.params.mode() < Mode::Cascade; }
void frmController::DvpMouseUp() { mDvDragging = false; }

void frmController::DvpMouseMove(double y) {
    if (!mDvDragging)
        return;
    auto t = trap("  P036");
    t([&] {
        const auto& chart = mState.chart;
        const double top = topOf(mPicture1[0]), H = heightOf(mPicture1[0]), bottom = top + H;
        const double d = heightOf(mDvp) / 2 - 200;
        mDvpTop += y;
        if (mDvpTop > bottom - d)
            mDvpTop = bottom - d;
        if (mDvpTop < top - d)
            mDvpTop = top - d;
        const double raw = chart.RL + (bottom - mDvpTop + d) * (chart.RH - chart.RL) / H;
        mState.sim.DV[0] = toDouble(formatNumber(checkFinite(raw), "###.0")) - chart.DvOffset;
        mLblDvp[1]->setText(qtext(formatNumber(mState.sim.DV[0], "##0")));
        placeDvp();
    });
}

void frmController::Form_MouseDown(double x, double y) {
    auto t = trap("  P037");
    t([&] {
        const auto& chart = mState.chart;
        const double top = topOf(mPicture1[0]), H = heightOf(mPicture1[0]), bottom = top + H;
        const double d = heightOf(mDvp) / 2 - 200;
        const double left = leftOf(mDvp), w = widthOf(mDvp);
        if (mState.params.mode() >= Mode::Cascade || !(left < x && x < left + w) || !(top < y && y < bottom - d))
            return;
        mDvpTop = y - d;
        const double raw = chart.RL + (bottom - mDvpTop + d) * (chart.RH - chart.RL) / H;
        mState.sim.DV[0] = toDouble(formatNumber(checkFinite(raw), "###.0")) - chart.DvOffset;
        mLblDvp[1]->setText(qtext(formatNumber(mState.sim.DV[0], "##0")));
        placeDvp();
    });
}

void frmController::openFromMenu() {
    show();
    raise();
    activateWindow();
    setPacingTimerEnabled(true);
    runControl().Data_inz();
}

void frmController::SetHelpPointer(bool visible) {
    for (HelpLabel* l : mHelp) {
        l->setVisible(visible);
        l->raise();
    }
}

// --- Events --------------------------------------------------------------------------------------

void frmController::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Form_MouseDown(event->position().x() * kTwipsPerPixel, event->position().y() * kTwipsPerPixel);
    QWidget::mousePressEvent(event);
}

bool frmController::eventFilter(QObject* watched, QEvent* event) {
    auto& sim = mState.sim;
    if (watched == mFrame1) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* m = static_cast<QMouseEvent*>(event);
            Frame1_MouseDown(m->position().x() * kTwipsPerPixel, m->position().y() * kTwipsPerPixel);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            Frame1_MouseUp();
        }
    } else if (watched == mLabelM || watched == mLabelA || watched == mLabelC) {
        // A mode button takes its own mouse events; the frame under it must not re-read SV.
        if (event->type() == QEvent::MouseButtonPress) {
            if (watched == mLabelM)
                LabelM_Click();
            else if (watched == mLabelA)
                LabelA_Click();
            else
                LabelC_Click();
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick)
            return true;
    } else if (event->type() == QEvent::FocusIn) {
        if (watched == mTxtSV)
            sim.SvDisplayLive = false;
        else if (watched == mTxtMV)
            sim.MvDisplayLive = false;
    } else if (event->type() == QEvent::FocusOut) {
        // Leaving a field brings its live display back, by way of the display timer.
        if ((watched == mTxtSV || watched == mTxtMV) && (!sim.SvDisplayLive || !sim.MvDisplayLive))
            mTimer2->start();
    }
    return QWidget::eventFilter(watched, event);
}

void frmController::closeEvent(QCloseEvent* event) {
    // The record is finished with: a later replay finds nothing to draw.
    runControl().adoptGraphTime();
    mState.rec.SampleTime[0] = mState.chart.GraphTime + 1;
    mState.sim.SamplesRecorded = 0;
    mState.rec.forgetTrends();
    mTimer1->stop();
    QWidget::closeEvent(event);
}

} // namespace kestrel
