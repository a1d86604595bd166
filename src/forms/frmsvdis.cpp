#include "forms/frmsvdis.h"

#include "core/convert.h"
#include "core/palette.h"
#include "core/runtimeerror.h"
#include "core/vbformat.h"
#include "widgets/halfwidthinput.h"
#include "widgets/helplabel.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <set>

namespace kestrel {

namespace {

// Geometry in twips; the window's client area is 9015 x 7500.
constexpr double kWindowWidth = 9015, kWindowHeight = 7500;
constexpr double kFrameLeft = 90, kFrameWidth = 8835, kFrameHeight = 3450;
constexpr double kSvFrameTop = 30, kDvFrameTop = 3510;
// Inside a frame.
constexpr double kTimeColumnLeft = 120, kValueColumnLeft = 1560, kColumnWidth = 1380;
constexpr double kHeadingTop = 255, kHeadingHeight = 225;
constexpr double kFieldTop = 510, kFieldPitch = 300, kFieldHeight = 285;
constexpr double kAxisLeft = 3000, kAxisWidth = 690, kAxisHeight = 210;
constexpr double kGraphLeft = 3750, kGraphTop = 270, kGraphWidth = 4950, kGraphHeight = 2670;
constexpr double kTimeLabelTop = 2970, kTimeStartWidth = 600, kTimeEndWidth = 1500;
constexpr double kApplyLeft = 3000, kApplyTop = 2970, kApplyWidth = 690, kApplyHeight = 360;
// Below the frames.
constexpr double kPrintLeft = 7395, kPrintTop = 7035, kPrintWidth = 1440, kPrintHeight = 390;
constexpr double kHelpLeft = 7080, kHelpTop = 7095;

constexpr Rgb kCurveColor = paletteColor(10); // light green
constexpr double kDvTop = 50, kDvBottom = -50;
/// More stairs than any graph time and control period the windows allow (300 s / 0.02 s).
constexpr double kMaxStairs = 1e6;

/// Shrinks a label's font until its text fits its width (the column headings, whatever font
/// the desktop substitutes).
void fitText(QLabel* label) {
    QFont f = label->font();
    while (f.pixelSize() > 8 && QFontMetrics(f).horizontalAdvance(label->text()) > label->width()) {
        f.setPixelSize(f.pixelSize() - 1);
        label->setFont(f);
    }
}

/// The chart's graph time from the panel's text: its leading number, whole seconds within 10..300.
double graphSeconds(const std::string& text) {
    double tm = val(text);
    if (!(tm >= 10.0))
        tm = 10.0;
    if (tm > 300.0)
        tm = 300.0;
    return toInt16(tm);
}

/// Grid spacing in seconds: the first of the usual spacings that divides TM into at most ten.
double gridSeconds(double tm) {
    for (double g : {1.0, 2.0, 5.0, 10.0, 20.0, 30.0, 60.0})
        if (tm / g <= 10.0)
            return g;
    return 60.0;
}

/// Passes each distinct message on once: a failure that every control period meets again is
/// reported once per drawing instead of once per stair.
class OncePerDrawing : public MessageService {
public:
    explicit OncePerDrawing(MessageService& target) : mTarget(target) {}
    void showMessage(const std::string& text) override {
        if (mShown.insert(text).second)
            mTarget.showMessage(text);
    }
    bool askYesNo(const std::string& text) override { return mTarget.askYesNo(text); }
    bool askRetryCancel(const std::string& text) override { return mTarget.askRetryCancel(text); }
    void beep() override { mTarget.beep(); }

private:
    MessageService& mTarget;
    std::set<std::string> mShown;
};

} // namespace

// --- The curve as numbers -------------------------------------------------------------------------

std::vector<StairPoint> programStairs(const ProgramTexts& values, const ProgramTexts& times,
                                      const ProgramGraphScale& scale, ErrorTrap& trap) {
    std::vector<StairPoint> stairs;
    float span = 0;
    double step = 0;
    long count = 0;
    bool ready = false;
    trap([&] {
        span = toFloat(scale.top) - toFloat(scale.bottom);
        if (span == 0.0f)
            throw RuntimeError::divisionByZero();
        if (!(std::isfinite(span)))
            throw RuntimeError::overflow();
        if (scale.graphTime == 0.0)
            throw RuntimeError::divisionByZero();
        step = checkFinite(scale.width * scale.dt / scale.graphTime);
        if (!(step > 0.0))
            throw RuntimeError::overflow();
        // Stairs up to x = W + step: k = 0 .. floor(W / step) + 1.
        const double last = std::floor(scale.width / step) + 1.0;
        if (!(last < kMaxStairs))
            throw RuntimeError::overflow();
        count = static_cast<long>(last) + 1;
        ready = true;
    });
    if (!ready)
        return stairs;

    const float height = toFloat(scale.height);
    const float top = toFloat(scale.top);
    auto yOf = [&](double v) { return checkFinite(height * (top - toFloat(v)) / span); };

    stairs.reserve(static_cast<std::size_t>(count) + 1);
    trap([&] { stairs.push_back({0.0, yOf(val(values[0]))}); });
    for (long k = 0; k < count && !trap.ended(); ++k) {
        const double x = static_cast<double>(k) * step;
        const auto t = static_cast<float>(static_cast<double>(k) * scale.dt);
        const std::optional<double> v = evaluateProgram(values, times, t, trap);
        bool placed = false;
        if (v)
            trap([&] {
                stairs.push_back({x, yOf(*v)});
                placed = true;
            });
        if (!placed && !stairs.empty())
            stairs.push_back({x, stairs.back().y});
    }
    return stairs;
}

// --- Construction ---------------------------------------------------------------------------------

frmSvDis::frmSvDis(AppState& state, SetupDocument& document, MessageService& messages, QWidget* parent)
    : QWidget(parent), mState(state), mDocument(document), mMessages(messages) {
    setObjectName("frmSvDis");
    setWindowTitle(tr("SV折線、DV折線"));
    setWindowFlag(Qt::Window);

    QFont small = font();
    small.setPixelSize(12);
    setFont(small);

    buildControls();

    mTimer1 = new QTimer(this);
    mTimer1->setObjectName("Timer1");
    mTimer1->setInterval(kAutoCloseMs);
    mTimer1->setSingleShot(true);
    connect(mTimer1, &QTimer::timeout, this, [this] {
        // A text typed and not yet applied is the learner's work in progress: the window stays
        // and looks again after another idle period.
        if (isActiveWindow())
            return;
        if (anyUnapplied())
            mTimer1->start();
        else
            close();
    });

    mListenerId = mDocument.addListener([this](SetupChange what, int index) {
        if (what == SetupChange::ProgramField) {
            showProgramField(index);
        } else if (what == SetupChange::SvProgram) {
            PictSV_inz();
            CSV_draw();
            showUnappliedMarks();
        } else if (what == SetupChange::DvProgram) {
            PictDV_inz();
            CDV_draw();
            showUnappliedMarks();
        }
    });

    setFixedSize(px(kWindowWidth), px(kWindowHeight));
    load();
}

frmSvDis::~frmSvDis() {
    mDocument.removeListener(mListenerId);
}

void frmSvDis::buildControls() {
    mSv = buildProgram(true, mTxtCSVv, mTxtCSVt, mCommand1);
    mDv = buildProgram(false, mTxtCDVv, mTxtCDVt, mCommand2);
    mPictSV = mSv.pict;
    mPictDV = mDv.pict;
    connect(mCommand1, &QPushButton::clicked, this, &frmSvDis::Command1_Click);
    connect(mCommand2, &QPushButton::clicked, this, &frmSvDis::Command2_Click);

    mCmdPrint = new QPushButton(tr("ﾊｰﾄﾞｺﾋﾟｰ"), this);
    mCmdPrint->setObjectName("cmdPrint");
    place(mCmdPrint, kPrintLeft, kPrintTop, kPrintWidth, kPrintHeight);
    connect(mCmdPrint, &QPushButton::clicked, this, &frmSvDis::printRequested);

    mLabelC6 = new HelpLabel("C6", this);
    mLabelC6->move(px(kHelpLeft), px(kHelpTop));
    connect(mLabelC6, &HelpLabel::activated, this, &frmSvDis::helpRequested);
}

frmSvDis::ProgramView frmSvDis::buildProgram(bool sv, std::array<QLineEdit*, kPoints>& values,
                                             std::array<QLineEdit*, kPoints>& times, QPushButton*& apply) {
    const QString tag = sv ? "SV" : "DV";
    const int valueBase = sv ? SetupDocument::kSvValue : SetupDocument::kDvValue;
    const int timeBase = sv ? SetupDocument::kSvTime : SetupDocument::kDvTime;

    ProgramView view;
    view.frame = new QGroupBox(sv ? tr("設定値") : tr("外乱"), this);
    view.frame->setObjectName("fra" + tag);
    place(view.frame, kFrameLeft, sv ? kSvFrameTop : kDvFrameTop, kFrameWidth, kFrameHeight);

    auto label = [&](const QString& text, const QString& name, Qt::Alignment align) {
        auto* l = new QLabel(text, view.frame);
        l->setObjectName(name);
        l->setAlignment(align | Qt::AlignVCenter);
        return l;
    };
    QLabel* timeHeading =
        label(sv ? tr("ＳＶ変化時刻(秒)") : tr("ＤＶ変化時刻(秒)"), "lbl" + tag + "t", Qt::AlignHCenter);
    place(timeHeading, kTimeColumnLeft, kHeadingTop, kColumnWidth, kHeadingHeight);
    QLabel* valueHeading =
        label(sv ? tr("ＳＶ変化値(％)") : tr("ＤＶ変化値(％)"), "lbl" + tag + "v", Qt::AlignHCenter);
    place(valueHeading, kValueColumnLeft, kHeadingTop, kColumnWidth, kHeadingHeight);
    fitText(timeHeading);
    fitText(valueHeading);

    const QString prefix = sv ? "txtCSV" : "txtCDV";
    for (int i = 0; i < kPoints; ++i) {
        const double top = kFieldTop + kFieldPitch * i;
        auto* time = new QLineEdit(view.frame);
        time->setObjectName(prefix + "t_" + QString::number(i));
        place(time, kTimeColumnLeft, top, kColumnWidth, kFieldHeight);
        auto* value = new QLineEdit(view.frame);
        value->setObjectName(prefix + "v_" + QString::number(i));
        place(value, kValueColumnLeft, top, kColumnWidth, kFieldHeight);
        for (auto [box, index] : {std::pair{time, timeBase + i}, std::pair{value, valueBase + i}}) {
            acceptFullWidthNumbers(box);
            box->setAlignment(Qt::AlignRight);
            connect(box, &QLineEdit::textChanged, this, [this, index](const QString& text) {
                mDocument.setProgramField(index, text.toStdString());
            });
        }
        times[i] = time;
        values[i] = value;
    }
    // Point 0 is at time 0 in every program.
    times[0]->setEnabled(false);

    view.pict = new PictureBox(view.frame);
    view.pict->setObjectName(sv ? "pictSV" : "pictDV");
    view.pict->setGeometryTwips(kGraphLeft, kGraphTop, kGraphWidth, kGraphHeight);

    const auto right = Qt::AlignRight;
    view.high = label({}, "lbl" + tag + "high", right);
    place(view.high, kAxisLeft, kGraphTop, kAxisWidth, kAxisHeight);
    view.mid = label({}, "lbl" + tag + "mid", right);
    place(view.mid, kAxisLeft, kGraphTop + kGraphHeight / 2 - kAxisHeight / 2, kAxisWidth, kAxisHeight);
    view.low = label({}, "lbl" + tag + "low", right);
    place(view.low, kAxisLeft, kGraphTop + kGraphHeight - kAxisHeight, kAxisWidth, kAxisHeight);
    if (!sv) {
        view.high->setText("+50");
        view.mid->setText("0");
        view.low->setText("-50");
    }
    view.timeStart = label("0", "lbl" + tag + "time0", Qt::AlignLeft);
    place(view.timeStart, kGraphLeft, kTimeLabelTop, kTimeStartWidth, kAxisHeight);
    view.timeEnd = label({}, "lbl" + tag + "timeEnd", Qt::AlignRight);
    place(view.timeEnd, kGraphLeft + kGraphWidth - kTimeEndWidth, kTimeLabelTop, kTimeEndWidth, kAxisHeight);

    apply = new QPushButton(tr("更新"), view.frame);
    apply->setObjectName(sv ? "Command1" : "Command2");
    place(apply, kApplyLeft, kApplyTop, kApplyWidth, kApplyHeight);
    return view;
}

// --- Opening and closing --------------------------------------------------------------------------

void frmSvDis::load() {
    fillFieldsFromApplied();
    PictSV_inz();
    CSV_draw();
    PictDV_inz();
    CDV_draw();
}

void frmSvDis::fillFieldsFromApplied() {
    const ParameterSet& p = mState.params;
    for (int i = 0; i < kPoints; ++i) {
        mDocument.setProgramField(SetupDocument::kSvValue + i, p.SVv[i]);
        mDocument.setProgramField(SetupDocument::kSvTime + i, p.SVt[i]);
        mDocument.setProgramField(SetupDocument::kDvValue + i, p.DVv[i]);
        mDocument.setProgramField(SetupDocument::kDvTime + i, p.DVt[i]);
    }
    mDocument.setProgramField(SetupDocument::kSvTime, "0");
    mDocument.setProgramField(SetupDocument::kDvTime, "0");
    // Fields the document already held unchanged get no notice; show them all.
    for (int index = 0; index < 4 * kPoints; ++index)
        showProgramField(index);
}

QLineEdit* frmSvDis::fieldBox(int index) const {
    const int i = index % kPoints;
    return index < SetupDocument::kSvTime    ? mTxtCSVv[i]
           : index < SetupDocument::kDvValue ? mTxtCSVt[i]
           : index < SetupDocument::kDvTime  ? mTxtCDVv[i]
                                             : mTxtCDVt[i];
}

bool frmSvDis::unapplied(int index) const {
    const ParameterSet& p = mState.params;
    const int i = index % kPoints;
    if (i == 0 && (index == SetupDocument::kSvTime || index == SetupDocument::kDvTime))
        return false; // point 0's time is always 0
    const std::string& applied = index < SetupDocument::kSvTime    ? p.SVv[i]
                                 : index < SetupDocument::kDvValue ? p.SVt[i]
                                 : index < SetupDocument::kDvTime  ? p.DVv[i]
                                                                   : p.DVt[i];
    return mDocument.programField(index) != applied;
}

bool frmSvDis::anyUnapplied() const {
    for (int index = 0; index < 4 * kPoints; ++index)
        if (unapplied(index))
            return true;
    return false;
}

void frmSvDis::showUnappliedMark(int index) {
    QLineEdit* box = fieldBox(index);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, unapplied(index) ? toQColor(kEditedFieldColor)
                                                  : QApplication::palette().color(QPalette::Base));
    box->setPalette(pal);
}

void frmSvDis::showUnappliedMarks() {
    for (int index = 0; index < 4 * kPoints; ++index)
        showUnappliedMark(index);
}

void frmSvDis::showProgramField(int index) {
    if (index < 0 || index >= 4 * kPoints)
        return;
    QLineEdit* box = fieldBox(index);
    const QString text = qtext(mDocument.programField(index));
    if (box->text() != text)
        box->setText(text);
    showUnappliedMark(index);
}

void frmSvDis::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (mReloadOnShow) {
        mReloadOnShow = false;
        load();
    }
    if (!isActiveWindow())
        mTimer1->start();
}

void frmSvDis::hideEvent(QHideEvent* event) {
    mTimer1->stop();
    QWidget::hideEvent(event);
}

void frmSvDis::closeEvent(QCloseEvent* event) {
    mTimer1->stop();
    fillFieldsFromApplied();
    mReloadOnShow = true;
    event->accept();
}

void frmSvDis::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            mTimer1->stop();
        else if (isVisible())
            mTimer1->start();
    }
    QWidget::changeEvent(event);
}

// --- Buttons --------------------------------------------------------------------------------------

void frmSvDis::Command1_Click() {
    mDocument.Command1_();
    mState.study.ParaSetDone = false;
}

void frmSvDis::Command2_Click() {
    mDocument.Command2_();
    mState.study.ParaSetDone = false;
}

void frmSvDis::SetHelpPointer(bool visible) {
    mLabelC6->setVisible(visible);
}

// --- Drawing --------------------------------------------------------------------------------------

void frmSvDis::PictSV_inz() {
    drawGrid(mSv, true, "  P005");
}
void frmSvDis::PictDV_inz() {
    drawGrid(mDv, false, "  P006");
}
void frmSvDis::CSV_draw() {
    drawCurve(mPictSV, true, "  P007");
}
void frmSvDis::CDV_draw() {
    drawCurve(mPictDV, false, "  P008");
}

void frmSvDis::drawGrid(const ProgramView& view, bool sv, const char* code) {
    ErrorTrap t(mMessages, code);
    PictureBox* pic = view.pict;
    pic->Cls();
    const double w = pic->Width(), h = pic->Height();

    double tm = 50;
    t([&] { tm = graphSeconds(mDocument.graphTimeText()); });
    t([&] { view.timeEnd->setText(tr("%1秒").arg(qtext(numberText(tm)))); });

    pic->setDrawStyle(PictureBox::Dotted);
    pic->setDrawWidth(1);
    for (int c = 1; c < 4; ++c)
        pic->Line(0, h * c / 4, w, h * c / 4, kGridColor);
    const double g = gridSeconds(tm);
    for (double s = g; s < tm; s += g)
        pic->Line(w * s / tm, 0, w * s / tm, h, kGridColor);
    pic->setDrawStyle(PictureBox::Solid);

    if (!sv)
        return; // the DV graph's labels are fixed
    double rh = 0, rl = 0;
    t([&] { rh = val(mDocument.rangeHighText()); });
    t([&] { rl = val(mDocument.rangeLowText()); });
    t([&] { view.high->setText(qtext(numberText(rh))); });
    t([&] { view.low->setText(qtext(numberText(rl))); });
    t([&] { view.mid->setText(qtext(formatNumber(checkFinite((rh - rl) / 2 + rl), "##0"))); });
}

void frmSvDis::drawCurve(PictureBox* pic, bool sv, const char* code) {
    OncePerDrawing once(mMessages);
    ErrorTrap t(once, code);
    const ParameterSet& p = mState.params;

    ProgramGraphScale scale;
    scale.width = pic->Width();
    scale.height = pic->Height();
    scale.dt = p.dt;
    t([&] { scale.graphTime = graphSeconds(mDocument.graphTimeText()); });
    if (sv) {
        // Without its range the curve has no scale: the failure is reported and nothing drawn.
        bool ranged = false;
        t([&] {
            scale.top = val(mDocument.rangeHighText());
            scale.bottom = val(mDocument.rangeLowText());
            ranged = true;
        });
        if (!ranged)
            return;
    } else {
        scale.top = kDvTop;
        scale.bottom = kDvBottom;
    }

    const std::vector<StairPoint> stairs =
        sv ? programStairs(p.SVv, p.SVt, scale, t) : programStairs(p.DVv, p.DVt, scale, t);
    if (stairs.empty())
        return;

    // Heights beyond the picture are drawn on its edge: the last pixel row at the bottom.
    const double lowest = std::max(0.0, scale.height - kTwipsPerPixel);
    auto onPicture = [&](double y) { return std::clamp(y, 0.0, lowest); };
    pic->setDrawStyle(PictureBox::Solid);
    pic->setDrawWidth(1);
    for (std::size_t i = 1; i < stairs.size(); ++i) {
        const double y0 = onPicture(stairs[i - 1].y), y1 = onPicture(stairs[i].y);
        pic->Line(stairs[i - 1].x, y0, stairs[i].x, y0, kCurveColor);
        if (y1 != y0)
            pic->Line(stairs[i].x, y0, stairs[i].x, y1, kCurveColor);
    }
    const StairPoint& last = stairs.back();
    if (last.x < scale.width)
        pic->Line(last.x, onPicture(last.y), scale.width, onPicture(last.y), kCurveColor);
}

} // namespace kestrel
