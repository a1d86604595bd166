#include "panel/frmpenrec.h"

#include "core/convert.h"
#include "core/palette.h"
#include "core/runtimeerror.h"
#include "core/vbformat.h"
#include "engine/errortrap.h"
#include "panel/chartscale.h"
#include "panel/paneltexts.h"
#include "setup/fieldtable.h"
#include "widgets/halfwidthinput.h"
#include "widgets/helplabel.h"
#include "widgets/language.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace kestrel {

namespace {

/// Code of the sample drawing's reports.
constexpr const char* kDrawCode = "  P050";

// Geometry in twips.
constexpr double kMinWidth = 4400, kMinHeight = 9200;
/// A strip's height beside its controls: the least that keeps the legend, the value box and both
/// range texts apart, and the one the window opens with.
constexpr double kMinStripHeight = 550, kDesignStripHeight = 610;
/// Above the first strip and below the last: the top margin, the pen controls and the buttons.
constexpr double kBesideStrips = 820, kStripGap = 60;
/// The page's height for strips of height h.
constexpr double pageHeight(double h) {
    return kBesideStrips + frmPENrec::kChannels * (h + kStripGap);
}
constexpr double kDesignWidth = 7545, kDesignHeight = pageHeight(kDesignStripHeight);
/// Room the window's title bar and frame take above and below the client area, pixels.
constexpr int kFrameAllowance = 40;
// The range boxes between the labels and the strips hold "-100.0".
constexpr double kStripLeft = 2230, kStripRightMargin = 200;
constexpr double kLabelLeft = 30, kLabelWidth = 1530, kLabelHeight = 195;
constexpr double kValueLeft = 45, kValueWidth = 900, kValueHeight = 240;
constexpr double kRangeLeft = 1560, kRangeWidth = 630, kRangeHeight = 240;
constexpr double kPenLeft = 90, kPenWidth = 1200, kPenHeight = 300;
constexpr double kOkLeft = 1350, kOkWidth = 600, kButtonHeight = 330;
constexpr double kClearWidth = 1050, kPrintWidth = 900;
constexpr double kGap = 40;

constexpr Rgb kValueBoxColor = rgb(192, 192, 192); // palette 7, light grey

/// From this strip on, the secondary controller's signals; -1000 where the loop has no such signal.
constexpr int kFirstSecondaryStrip = 13;
constexpr double kNoSignal = -1000.0;

bool absent(int channel, double v) {
    return channel >= kFirstSecondaryStrip && v == kNoSignal;
}

struct DesignRange {
    const char* high;
    const char* low;
};
constexpr std::array<DesignRange, frmPENrec::kChannels> kDesignRanges{{
    {"100", "0"},
    {"50", "-50"},
    {"75", "-75"},
    {"50", "-50"},
    {"50", "-50"},
    {"100", "0"},
    {"50", "-50"},
    {"50", "-50"},
    {"50", "-50"},
    {"50", "-50"},
    {"100", "0"},
    {"100", "0"},
    {"100", "0"},
    {"100", "0"},
    {"100", "0"},
    {"75", "-75"},
    {"50", "-50"},
    {"50", "-50"},
}};

static_assert(kPenLabels.size() == frmPENrec::kChannels, "one legend per strip");

std::string text(const QLineEdit* box) {
    return box->text().toStdString();
}

void checkSample(std::int16_t i) {
    if (i < 0 || i >= Recording::kSamples)
        throw RuntimeError::subscriptOutOfRange();
}

/// Runs one statement under the trap; true when it completed.
template <class F> bool run(ErrorTrap& trap, F&& statement) {
    bool done = false;
    trap([&] {
        statement();
        done = true;
    });
    return done;
}

/// The staircase of n samples of one channel on a strip: the lines the recorder draws sample by
/// sample, in one call.
void drawStairs(PictureBox* pic, const ChartScale& scale, const double* time, const double* v, std::size_t n,
                double w, double graphTime, Rgb pen, int style) {
    if (style != PictureBox::Solid)
        pic->setRunStyle(style);
    const double bottom = pic->Height() - 50;
    std::vector<QPointF> points;
    points.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        points.emplace_back(ChartScale::x(time[i], graphTime, w), scale.clampedY(v[i], bottom));
    pic->Stairs(points, pen);
    pic->setDrawStyle(PictureBox::Solid);
}

} // namespace

frmPENrec::frmPENrec(AppState& state, SetupDocument& document, MessageService& messages, QWidget* parent)
    : QWidget(parent), mState(state), mDocument(document), mMessages(messages) {
    setObjectName("frmPENrec");
    setWindowTitle(tr("ペンレコーダ"));
    setWindowFlag(Qt::Window);

    // Small controls in a fixed pixel size, so the legend texts fit beside the strips whatever
    // the desktop's default font size is.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    // Everything lies on a page that scrolls where the window is too low for all the strips.
    mScroll = new QScrollArea(this);
    mScroll->setObjectName("PenScroll");
    mScroll->setFrameShape(QFrame::NoFrame);
    mScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mScroll->setWidgetResizable(false);
    mPage = new QWidget;
    mPage->setObjectName("PenPage");
    mScroll->setWidget(mPage);

    for (int j = 0; j < kChannels; ++j)
        buildChannel(j);
    mNormalBox = mTxtRH[0]->palette();
    showPenLabels();
    buildPenControls();
    buildButtons();

    mListenerId = mDocument.addListener([this](SetupChange what, int) {
        if (what == SetupChange::PenLabels)
            showPenLabels();
        else if (what == SetupChange::PanelSetting)
            showPenChoice();
    });

    setMinimumSize(static_cast<int>(std::ceil(kMinWidth / kTwipsPerPixel)),
                   static_cast<int>(std::ceil(kMinHeight / kTwipsPerPixel)));
    resize(px(kDesignWidth), px(kDesignHeight));
    // A new window shows the current record only, none of the runs an earlier one showed.
    ++mState.rec.PenClears;
    // A hidden window gets its resize event only when shown; the strips must be ready before,
    // since the step draws on them whether the window is shown or not.
    formResize();
}

void frmPENrec::buildChannel(int j) {
    const QString n = QString::number(j);
    auto* pic = new PictureBox(mPage);
    pic->setObjectName("PicPEN" + n);
    pic->setAccessibleName(tr("ペンレコーダ記録 %1").arg(j + 1));
    pic->setAccessibleDescription(tr("ペンレコーダの記録紙"));
    mPicPEN[j] = pic;

    auto* label = new QLabel(panelText(mDocument.penLabels()[j]), mPage);
    label->setObjectName("Label1_" + n);
    mLabel1[j] = label;

    auto* value = new QLineEdit(mPage);
    value->setObjectName("Text1_" + n);
    value->setReadOnly(true);
    value->setFocusPolicy(Qt::NoFocus);
    value->setAlignment(Qt::AlignRight);
    QPalette grey = value->palette();
    grey.setColor(QPalette::Base, toQColor(kValueBoxColor));
    value->setPalette(grey);
    mText1[j] = value;

    auto* high = new QLineEdit(kDesignRanges[j].high, mPage);
    high->setObjectName("txtRH_" + n);
    auto* low = new QLineEdit(kDesignRanges[j].low, mPage);
    low->setObjectName("txtRL_" + n);
    for (QLineEdit* box : {high, low}) {
        box->setAlignment(Qt::AlignRight);
        acceptFullWidthNumbers(box);
        connect(box, &QLineEdit::textChanged, this, [this, box] {
            markEdited(box);
            // A range is in force as soon as it is typed: a fault in the new text is new.
            mState.chart.Reported.forget(kDrawCode);
        });
    }
    mTxtRH[j] = high;
    mTxtRL[j] = low;

    mSavedHigh[j] = toInt16(toDouble(formatText(kDesignRanges[j].high, "###0")));
    mSavedLow[j] = toInt16(toDouble(formatText(kDesignRanges[j].low, "###0")));
}

void frmPENrec::buildPenControls() {
    mChkQB = new QCheckBox(tr("ペン色自動"), mPage);
    mChkQB->setObjectName("ChkQB");
    mCmbQB = new QComboBox(mPage);
    mCmbQB->setObjectName("cmbQB");
    for (std::string_view item : kPenChoices)
        mCmbQB->addItem(panelText(item));
    showPenChoice();
    connect(mCmbQB, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!mSyncingPen && index >= 0)
            mDocument.setPenRecorderPenChoice(index);
    });
    connect(mChkQB, &QCheckBox::toggled, this, [this](bool on) {
        if (!mSyncingPen)
            mDocument.setPenRecorderAutoPen(on);
    });
}

void frmPENrec::buildButtons() {
    mOKButton = new QPushButton("OK", mPage);
    mOKButton->setObjectName("OKButton");
    connect(mOKButton, &QPushButton::clicked, this, &frmPENrec::OKButton_Click);
    mCancelButton = new QPushButton(tr("ｷｬﾝｾﾙ"), mPage);
    mCancelButton->setObjectName("CancelButton");
    connect(mCancelButton, &QPushButton::clicked, this, &frmPENrec::CancelButton_Click);
    mCmdClear = new QPushButton(tr("グラフ消去"), mPage);
    mCmdClear->setObjectName("cmdClear");
    connect(mCmdClear, &QPushButton::clicked, this, &frmPENrec::cmdClear_Click);
    mCmdPrint = new QPushButton(tr("ﾊｰﾄﾞｺﾋﾟｰ"), mPage);
    mCmdPrint->setObjectName("cmdPrint");
    connect(mCmdPrint, &QPushButton::clicked, this, &frmPENrec::printRequested);
    mLabelC7 = new HelpLabel("C7", mPage);
    connect(mLabelC7, &HelpLabel::activated, this, &frmPENrec::helpRequested);
}

frmPENrec::~frmPENrec() {
    mDocument.removeListener(mListenerId);
}

void frmPENrec::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (event->size() != mLaidOut)
        formResize();
}

void frmPENrec::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (mFitted)
        return;
    // The first time it is shown, the window is no higher than the screen has room for; the page
    // scrolls instead.
    mFitted = true;
    if (const QScreen* s = screen()) {
        const int room = s->availableGeometry().height() - kFrameAllowance;
        if (height() > room)
            resize(width(), std::max(room, minimumHeight()));
    }
}

void frmPENrec::formResize() {
    ErrorTrap t(mMessages, "  P055", mState.chart.Reported);
    mLaidOut = size();
    mScroll->setGeometry(rect());
    const int minPage = px(pageHeight(kMinStripHeight));
    const bool scrolls = height() < minPage;
    const int bar = scrolls ? mScroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, mScroll) : 0;
    mPage->resize(width() - bar, std::max(height(), minPage));
    run(t, [&] { layoutControls(mPage->width() * kTwipsPerPixel, mPage->height() * kTwipsPerPixel); });
    run(t, [&] { mStripWidth = toInt32(mPicPEN[0]->Width()); });
    run(t, [&] { Pict_inz(); });
    // The runs kept since the strips were last cleared, in their own pens, then the current
    // record (which a clear does not forget) as it was drawn; never a slot left from an earlier
    // run. One report is enough: a range that fails for one sample fails for all of them.
    int overlay = 0;
    if (mRuns) {
        for (const KeptRun& kept : mRuns->runs())
            if (kept.penClear == mState.rec.PenClears && kept.number != mState.rec.PenRun &&
                !drawRun(kept, overlay++))
                return;
    }
    mRecordOverlay = overlay;
    run(t, [&] {
        for (std::int16_t i = 0; i < mState.sim.SamplesRecorded; ++i) {
            if (!drawSample(i))
                break;
        }
    });
}

void frmPENrec::setKeptRuns(const RunStore* runs) {
    mRuns = runs;
}

bool frmPENrec::drawRun(const KeptRun& kept, int overlay) {
    ErrorTrap t(mMessages, kDrawCode, mState.chart.Reported);
    // Strip j draws channel kPens[j] of the kept run.
    static constexpr std::array<Channel, kChannels> kPens{
        Channel::SV, Channel::E,   Channel::P,    Channel::I,  Channel::D,  Channel::MV,
        Channel::DV, Channel::FF,  Channel::KdDV, Channel::DS, Channel::PV, Channel::PvTrue,
        Channel::VP, Channel::SV2, Channel::PV2,  Channel::P2, Channel::I2, Channel::D2};
    const double w = mPicPEN[0]->Width();
    const double graphTime = mState.chart.GraphTime;
    for (int j = 0; j < kChannels; ++j) {
        // A kept run without the inner loop leaves its strips empty, as the recorder did.
        if (isInnerChannel(kPens[j]) && !channelInUse(kept, kPens[j]))
            continue;
        const auto& v = kept.values[static_cast<int>(kPens[j])];
        const bool drawn = run(t, [&] {
            const ChartScale scale(mPicPEN[j]->Height(), toDouble(text(mTxtRL[j])),
                                   toDouble(text(mTxtRH[j])));
            drawStairs(mPicPEN[j], scale, kept.penTime.data(), v.data(), kept.samples(), w, graphTime,
                       penShown(kept.historyPen, mState.chart.SafeColours),
                       mState.chart.RunLineStyles ? runLineStyle(overlay) : PictureBox::Solid);
        });
        if (!drawn)
            return false;
    }
    return true;
}

void frmPENrec::layoutControls(double w, double h) {
    const double stripH = (h - kBesideStrips) / kChannels - kStripGap;
    const double stripW = w - kStripLeft - kStripRightMargin;
    double top = 0;
    for (int j = 0; j < kChannels; ++j) {
        top = (stripH + 60) * j + 60;
        mPicPEN[j]->setGeometryTwips(kStripLeft, top, stripW, stripH);
        const double labelTop = top + 50;
        mLabel1[j]->setGeometry(px(kLabelLeft), px(labelTop), px(kLabelWidth), px(kLabelHeight));
        mText1[j]->setGeometry(px(kValueLeft), px(labelTop + kLabelHeight), px(kValueWidth),
                               px(kValueHeight));
        mTxtRH[j]->setGeometry(px(kRangeLeft), px(top), px(kRangeWidth), px(kRangeHeight));
        mTxtRL[j]->setGeometry(px(kRangeLeft), px(top + stripH - kRangeHeight - 20), px(kRangeWidth),
                               px(kRangeHeight));
    }

    // The English button texts are a few pixels wider than the Japanese ones; there is room
    // between OK and Clear Graph even at the least width.
    const bool english = currentLanguage() == "en";
    const double okWidth = english ? 660 : kOkWidth;
    const double clearWidth = english ? 1095 : kClearWidth, printWidth = english ? 990 : kPrintWidth;
    const double row1 = top + stripH + kGap;
    const double row2 = row1 + kPenHeight + kGap;
    mChkQB->setGeometry(px(kPenLeft), px(row1), px(kPenWidth), px(kPenHeight));
    mOKButton->setGeometry(px(kOkLeft), px(row1), px(okWidth), px(kButtonHeight));
    mCmbQB->setGeometry(px(kPenLeft), px(row2), px(kPenWidth), px(kPenHeight));
    mCancelButton->setGeometry(px(kOkLeft), px(row2 + kGap), px(okWidth), px(kButtonHeight));
    mLabelC7->move(px(kOkLeft + okWidth + 2 * kGap),
                   px(row2 + kGap) + (px(kButtonHeight) - mLabelC7->height()) / 2);
    const double right = kStripLeft + stripW;
    mCmdPrint->setGeometry(px(right - printWidth), px(row1), px(printWidth), px(kButtonHeight));
    mCmdClear->setGeometry(px(right - printWidth - kGap - clearWidth), px(row1), px(clearWidth),
                           px(kButtonHeight));
}

void frmPENrec::Line_draw2(std::int16_t i) {
    if (mState.chart.RunLineStyles && mRuns) {
        // The record comes after the runs kept on the strips since their last clear.
        mRecordOverlay = 0;
        for (const KeptRun& kept : mRuns->runs())
            mRecordOverlay += kept.penClear == mState.rec.PenClears && kept.number != mState.rec.PenRun;
    }
    drawSample(i);
}

bool frmPENrec::drawSample(std::int16_t i) {
    ErrorTrap t(mMessages, kDrawCode, mState.chart.Reported);
    const auto& rec = mState.rec;
    const auto& pens = rec.PenData[0];
    bool clean = true;
    auto statement = [&](auto&& f) {
        if (!run(t, f))
            clean = false;
    };

    std::int16_t j0 = 0;
    double xNew = 0, xOld = 0;
    bool haveX = false;
    statement([&] {
        checkSample(i);
        j0 = i == 0 ? 0 : static_cast<std::int16_t>(i - 1);
        const double w = mPicPEN[0]->Width();
        const double graphTime = mState.chart.GraphTime;
        xNew = ChartScale::x(rec.SampleTime[i], graphTime, w);
        xOld = ChartScale::x(rec.SampleTime[j0], graphTime, w);
        haveX = true;
    });

    for (int j = 0; j < kChannels; ++j) {
        statement([&] {
            checkSample(i);
            mText1[j]->setText(absent(j, pens[j][i]) ? QString() : qtext(formatNumber(pens[j][i], "##0.0")));
        });
        statement([&] {
            checkSample(i);
            if (!haveX || absent(j, pens[j][i]))
                return;
            const double hi = toDouble(text(mTxtRH[j]));
            const double lo = toDouble(text(mTxtRL[j]));
            PictureBox* pic = mPicPEN[j];
            const double h = pic->Height();
            const ChartScale scale(h, lo, hi);
            const double yNew = scale.clampedY(pens[j][i], h - 50);
            // A signal that comes into being starts with a dot.
            const bool starts = absent(j, pens[j][j0]);
            const double yOld = starts ? yNew : scale.clampedY(pens[j][j0], h - 50);
            const Rgb pen = penShown(mState.chart.HistoryPenColor, mState.chart.SafeColours);
            if (mState.chart.RunLineStyles)
                pic->setRunStyle(runLineStyle(mRecordOverlay));
            pic->Line(starts ? xNew : xOld, yOld, xNew, yOld, pen);
            pic->Line(xNew, yOld, xNew, yNew, pen);
            pic->setDrawStyle(PictureBox::Solid);
        });
    }
    return clean && !t.ended();
}

void frmPENrec::Pict_inz() {
    ErrorTrap t(mMessages, "  P056", mState.chart.Reported);
    const double w = mPicPEN[0]->Width();
    const double dt = mState.params.dt;
    double advance = 0;
    double graphTime = 0;
    run(t, [&] {
        graphTime = val(mDocument.graphTimeText());
        if (graphTime == 0)
            throw RuntimeError::divisionByZero();
        advance = checkFinite(w * dt / graphTime);
        mState.chart.PenRecAdvance = advance;
    });
    double step = 0; // grid interval in twips
    run(t, [&] { step = ChartScale::gridInterval(graphTime, advance, dt); });

    for (PictureBox* pic : mPicPEN) {
        run(t, [&] {
            pic->Cls();
            pic->setDrawStyle(PictureBox::Dotted);
            const double h = pic->Height();
            // Five lines only, at the quarters of the strip; the range does not enter the grid.
            const auto y = ChartScale::quarters(h);
            for (double row : y)
                pic->Line(0, row, mStripWidth, row, kGridColor);
            // A graph time too short for a whole grid second gives no spacing: no vertical lines
            // rather than an endless row of them.
            if (step > 0) {
                for (double x : ChartScale::columns(step, step, w))
                    pic->Line(x, y[4], x, y[0], kGridColor);
            }
            pic->setDrawStyle(PictureBox::Solid);
        });
    }
}

void frmPENrec::cmdClear_Click() {
    ++mState.rec.PenClears; // the runs on the strips now are not drawn again after a resize
    Pict_inz();
}

void frmPENrec::OKButton_Click() {
    ErrorTrap t(mMessages, "  P020", mState.chart.Reported);
    for (int j = 0; j < kChannels; ++j) {
        run(t, [&] { mTxtRH[j]->setText(qtext(formatText(text(mTxtRH[j]), "###0"))); });
        run(t, [&] { mSavedHigh[j] = toInt16(toDouble(text(mTxtRH[j]))); });
        run(t, [&] { mSavedLow[j] = toInt16(toDouble(text(mTxtRL[j]))); });
        run(t, [&] {
            restoreBackground(mTxtRH[j]);
            restoreBackground(mTxtRL[j]);
        });
    }
}

void frmPENrec::CancelButton_Click() {
    for (int j = 0; j < kChannels; ++j) {
        mTxtRH[j]->setText(qtext(formatNumber(mSavedHigh[j], "###0")));
        mTxtRL[j]->setText(qtext(formatNumber(mSavedLow[j], "###0")));
    }
    OKButton_Click();
}

void frmPENrec::setAutoRedraw(bool on) {
    for (PictureBox* pic : mPicPEN) {
        pic->setUpdatesEnabled(on);
        if (on)
            pic->update();
    }
}

void frmPENrec::SetHelpPointer(bool visible) {
    mLabelC7->setVisible(visible);
}

void frmPENrec::markEdited(QLineEdit* box) {
    QPalette p = mNormalBox;
    p.setColor(QPalette::Base, toQColor(kEditedFieldColor));
    box->setPalette(p);
}

void frmPENrec::restoreBackground(QLineEdit* box) {
    box->setPalette(mNormalBox);
}

void frmPENrec::showPenLabels() {
    const auto& labels = mDocument.penLabels();
    for (int j = 0; j < kChannels; ++j)
        mLabel1[j]->setText(panelText(labels[j]));

    // The legends must fit beside the range texts: with a wider desktop font they are set a
    // little tighter, then smaller, rather than cut off.
    QFont f = font();
    const int room = px(kLabelWidth);
    auto widest = [&] {
        const QFontMetrics m(f);
        int w = 0;
        for (const QLabel* label : mLabel1)
            w = std::max(w, m.horizontalAdvance(label->text()));
        return w;
    };
    for (int spacing = 98; widest() > room && spacing >= 90; spacing -= 2)
        f.setLetterSpacing(QFont::PercentageSpacing, spacing);
    while (widest() > room && f.pixelSize() > 9)
        f.setPixelSize(f.pixelSize() - 1);
    for (QLabel* label : mLabel1)
        label->setFont(f);
}

void frmPENrec::showPenChoice() {
    mSyncingPen = true;
    mCmbQB->setCurrentIndex(mDocument.penRecorderPenChoice());
    mChkQB->setChecked(mDocument.penRecorderAutoPen());
    mSyncingPen = false;
}

} // namespace kestrel
