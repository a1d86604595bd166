#include "panel/trendchart.h"

#include "core/convert.h"
#include "core/runtimeerror.h"
#include "core/vbformat.h"
#include "panel/chartscale.h"
#include "panel/panelwidgets.h"
#include "panel/pointerimage.h"
#include "study/annotations.h"

#include "widgets/helplabel.h"
#include "widgets/picturebox.h"
#include "widgets/qtext.h"

#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include <type_traits>
#include <variant>

namespace kestrel {

namespace {

constexpr double kDvpLeft = 2295;        // the DV pointer stands right of the range boxes
constexpr double kNoteLabelHeight = 255; // lesson annotation labels

/// A run's line style on the strips while it is drawn; solid again afterwards.
class RunStyle {
public:
    RunStyle(int style, std::initializer_list<PictureBox*> strips) : mStrips(strips) {
        if (style != PictureBox::Solid)
            for (PictureBox* b : mStrips)
                b->setRunStyle(style);
    }
    ~RunStyle() {
        for (PictureBox* b : mStrips)
            b->setDrawStyle(PictureBox::Solid);
    }
    RunStyle(const RunStyle&) = delete;
    RunStyle& operator=(const RunStyle&) = delete;

private:
    std::vector<PictureBox*> mStrips;
};

} // namespace

TrendChart::TrendChart(AppState& state, MessageService& messages, QWidget* panel)
    : QObject(panel), mState(state), mMessages(messages) {
    mDvp = new PointerImage(14, 17, false, kDvPenColor, panel);
    mDvp->setObjectName("Dvp");
    mDvp->setAccessibleName(tr("DVポインタ"));
    mDvp->setAccessibleDescription(tr("外乱（DV）。上下の矢印キーで 1、Page Up／Page Down で 10 動く"));
    connect(mDvp, &PointerImage::mouseDown, this, &TrendChart::DvpMouseDown);
    connect(mDvp, &PointerImage::mouseMove, this, &TrendChart::DvpMouseMove);
    connect(mDvp, &PointerImage::mouseUp, this, &TrendChart::DvpMouseUp);
    connect(mDvp, &PointerImage::stepped, this, &TrendChart::dvpStep);
    mLblDvp[0] = new QLabel(tr("外乱"), panel);
    mLblDvp[0]->setObjectName("LblDvp_0");
    mLblDvp[1] = new QLabel("0", panel);
    mLblDvp[1]->setObjectName("LblDvp_1");
    for (QLabel* l : mLblDvp) {
        l->setAlignment(Qt::AlignCenter);
        QFont f = l->font();
        f.setPointSizeF(f.pointSizeF() * 0.85);
        l->setFont(f);
    }

    for (int k = 0; k < 2; ++k) {
        mPicture1[k] = new PictureBox(panel);
        mPicture1[k]->setObjectName(QString("Picture1_%1").arg(k));
        mPicture2[k] = new PictureBox(panel);
        mPicture2[k]->setObjectName(QString("Picture2_%1").arg(k));
        mPicture1[k]->setVisible(k == 0);
        mPicture2[k]->setVisible(k == 0);
    }
    for (PictureBox* strip : {mPicture1[0], mPicture1[1], mPicture2[0], mPicture2[1]})
        strip->installEventFilter(this);
    for (int k = 0; k < 2; ++k) {
        mPicture1[k]->setAccessibleName(tr("グラフ%1 上段").arg(k + 1));
        mPicture1[k]->setAccessibleDescription(tr("SV、PV、DV の時間変化"));
        mPicture2[k]->setAccessibleName(tr("グラフ%1 下段").arg(k + 1));
        mPicture2[k]->setAccessibleDescription(tr("MV の時間変化"));
    }
    for (int n = 1; n <= 7; ++n) {
        QWidget* host = n <= 4 ? static_cast<QWidget*>(mPicture1[0]) : mPicture2[0];
        auto* l = new QLabel(host);
        l->setObjectName(QString("Tcoment%1").arg(n));
        l->setStyleSheet("color: rgb(255,128,255); background: transparent;");
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        l->hide();
        mTcoment[n - 1] = l;
    }
}

void TrendChart::layOut(double left, double top, double width, double upperHeight, double lowerHeight) {
    for (int k = 0; k < 2; ++k) {
        mPicture1[k]->setGeometryTwips(left, top, width, upperHeight);
        mPicture2[k]->setGeometryTwips(left, top + upperHeight + 60, width, lowerHeight);
    }
}

void TrendChart::showGraph(int index) {
    for (int j = 0; j < 2; ++j) {
        mPicture1[j]->setVisible(j == index);
        mPicture2[j]->setVisible(j == index);
    }
}

double TrendChart::width() const {
    return mPicture1[mState.chart.CurrentGraph]->Width();
}

void TrendChart::erase() {
    mPicture1[0]->Cls();
    mPicture2[0]->Cls();
    mPicture1[1]->Cls();
    mPicture2[1]->Cls();
}

void TrendChart::hideNotes() {
    for (QLabel* l : mTcoment)
        l->hide();
}

// --- Drawing -------------------------------------------------------------------------------------

void TrendChart::Line_draw1(std::int16_t i) {
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
        const auto& time = rec.TrendTime[k];
        const double xNew = ChartScale::x(time[i], chart.GraphTime, W);
        const double xOld = ChartScale::x(time[j], chart.GraphTime, W);
        const auto& trend = rec.TrendData[k];

        auto stair = [&](PictureBox* box, int ch, double offset, double lowest, double lo, double hi) {
            const ChartScale scale(box->Height(), lo, hi);
            const double yNew = scale.clampedY(trend[ch][i] + offset, lowest);
            const double yOld = scale.clampedY(trend[ch][j] + offset, lowest);
            const Rgb colour = penShown(chart.PenColor[k][ch], chart.SafeColours);
            box->Line(xOld, yOld, xNew, yOld, colour);
            box->Line(xNew, yOld, xNew, yNew, colour);
        };
        const RunStyle style(chart.RunLineStyles ? runLineStyle(mRecordOverlay) : PictureBox::Solid,
                             {upper, lower});
        const double H1 = upper->Height();
        stair(upper, 0, 0.0, H1 - 50, chart.RL, chart.RH);
        stair(upper, 1, 0.0, H1 - 50, chart.RL, chart.RH);
        // DV with the offset its run drew it with, which the record keeps after the run.
        const double dvOffset = rec.TrendDvOffset[k];
        stair(upper, 2, dvOffset, H1 - dvOffset, chart.RL, chart.RH);
        stair(lower, 3, 0.0, lower->Height() - 50, chart.MvStripLow, chart.MvStripHigh);
    });
}

void TrendChart::drawRun(const KeptRun& run, int overlay) {
    // Each channel as one staircase through all the samples: the lines Line_draw1 draws sample by
    // sample, in one call.
    const auto& chart = mState.chart;
    const int k = chart.CurrentGraph;
    const double W = mPicture1[k]->Width();
    const std::size_t n = run.samples();
    std::vector<QPointF> points;
    auto staircase = [&](PictureBox* box, Channel c, double offset, double lowest, double lo, double hi,
                         Rgb pen) {
        const ChartScale scale(box->Height(), lo, hi);
        const auto& v = run.values[static_cast<int>(c)];
        points.clear();
        for (std::size_t i = 0; i < n; ++i)
            points.emplace_back(ChartScale::x(run.time[i], chart.GraphTime, W),
                                scale.clampedY(v[i] + offset, lowest));
        box->Stairs(points, penShown(pen, chart.SafeColours));
    };
    auto t = trap("  P049");
    t([&] {
        PictureBox* upper = mPicture1[k];
        PictureBox* lower = mPicture2[k];
        const RunStyle style(chart.RunLineStyles ? runLineStyle(overlay) : PictureBox::Solid, {upper, lower});
        const double H1 = upper->Height();
        staircase(upper, Channel::SV, 0.0, H1 - 50, chart.RL, chart.RH, run.pens[0]);
        staircase(upper, Channel::PV, 0.0, H1 - 50, chart.RL, chart.RH, run.pens[1]);
        staircase(upper, Channel::DV, run.dvOffset, H1 - run.dvOffset, chart.RL, chart.RH, run.pens[2]);
        staircase(lower, Channel::MV, 0.0, lower->Height() - 50, chart.MvStripLow, chart.MvStripHigh,
                  run.pens[3]);
    });
}

std::string TrendChart::readingAt(double t) const {
    const auto& rec = mState.rec;
    const int g = mState.chart.CurrentGraph;
    if (g < 0 || g > 1)
        return {};
    const int samples = std::clamp<int>(rec.TrendSamples[g], 0, Recording::kSamples);
    // Half a control period of slack: the sample times are sums of the period.
    const double slack = mState.params.dt / 2;
    if (samples == 0 || t < rec.TrendTime[g][0] - slack || t > rec.TrendTime[g][samples - 1] + slack)
        return {};
    int i = 0;
    while (i + 1 < samples && rec.TrendTime[g][i + 1] <= t + slack)
        ++i;
    const auto& trend = rec.TrendData[g];
    auto f = [](double v) { return formatNumber(v, "##0.0"); };
    return tr("%1 秒　SV %2　PV %3　MV %4")
        .arg(qtext(f(rec.TrendTime[g][i])), qtext(f(trend[0][i])), qtext(f(trend[1][i])),
             qtext(f(trend[3][i])))
        .toStdString();
}

bool TrendChart::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    auto* strip = static_cast<PictureBox*>(watched);
    const auto* help = static_cast<QHelpEvent*>(event);
    const double t = help->pos().x() * kTwipsPerPixel / strip->Width() * mState.chart.GraphTime;
    const std::string reading = strip->Width() > 0 ? readingAt(t) : std::string();
    if (reading.empty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), QString::fromStdString(reading), strip);
    return true;
}

void TrendChart::Pict_inz() {
    auto& chart = mState.chart;
    auto t = trap("  P041");
    double interval = 0.0;
    t([&] { interval = ChartScale::gridInterval(chart.GraphTime, chart.PenAdvance, mState.params.dt); });
    drawUpperGrid(chart.CurrentGraph, interval);
    drawLowerGrid(chart.CurrentGraph, interval);
}

void TrendChart::drawUpperGrid(int k, double interval) {
    const auto& chart = mState.chart;
    auto t = trap("  P041");
    for (PictureBox* b : mPicture1) {
        b->setDrawStyle(PictureBox::Dotted);
        b->setDrawWidth(1);
    }
    std::vector<double> rows; // the bottom edge, the lines every 5 units, the top edge
    t([&] {
        PictureBox* upper = mPicture1[k];
        const double H = upper->Height();
        const double W = toInt32(upper->Width());
        // The table grows with the range: ranges wider than 100 get their whole grid.
        rows = ChartScale(H, chart.RL, chart.RH).rowsEveryFive();
        for (double y : rows)
            for (PictureBox* b : mPicture1)
                b->Line(0, y, W, y, kGridColor);
        rows.insert(rows.begin(), H);
        rows.push_back(0.0);
    });
    t([&] {
        // The upper strips' vertical lines step one twip more than the grid spacing.
        const double Ws = static_cast<float>(mPicture1[k]->Width());
        if (interval >= 1.0 && !rows.empty())
            for (double X : ChartScale::columns(interval, interval + 1, Ws))
                for (PictureBox* b : mPicture1)
                    b->Line(X, rows.front(), X, rows.back(), kGridColor);
    });
    for (PictureBox* b : mPicture1)
        b->setDrawStyle(PictureBox::Solid);
}

void TrendChart::drawLowerGrid(int k, double interval) {
    auto t = trap("  P041");
    for (PictureBox* b : mPicture2) {
        b->setDrawStyle(PictureBox::Dotted);
        b->setDrawWidth(1);
    }
    t([&] {
        PictureBox* lower = mPicture2[k];
        const double W = toInt32(mPicture1[k]->Width());
        const auto rows = ChartScale::quarters(lower->Height());
        for (double y : rows)
            for (PictureBox* b : mPicture2)
                b->Line(0, y, W, y, kGridColor);
        if (interval >= 1.0)
            for (double X : ChartScale::columns(interval, interval, lower->Width()))
                for (PictureBox* b : mPicture2)
                    b->Line(X, rows[4], X, rows[0], kGridColor);
    });
    for (PictureBox* b : mPicture2)
        b->setDrawStyle(PictureBox::Solid);
}

void TrendChart::Note_draw(const std::string& id) {
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
    const auto ops = noteDraw(id, mState.study.ParaSetDone, mState.study.SimExecDone, pv, mv,
                              chart.PenColor[k][1], labels);
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
                    drawNoteLabel(o.index, o.caption, o.colour, o.left, o.top, o.width);
                } else if constexpr (std::is_same_v<T, NoteMessage>) {
                    mMessages.showMessage(o.text);
                }
            },
            op);
    }
}

void TrendChart::drawNoteLabel(int index, const std::string& caption, Rgb colour, double left, double top,
                               double width) {
    // Labels 1-4 belong to the first graph's upper strip, 5-7 to its lower strip.
    QLabel* label = mTcoment[index - 1];
    label->setText(qtext(caption));
    label->setStyleSheet(QString("color: %1; background: transparent;").arg(toQColor(colour).name()));
    place(label, left, top, width, kNoteLabelHeight);
    label->show();
    label->raise();
}

// --- The DV pointer ------------------------------------------------------------------------------

void TrendChart::DvPointerUpdate() {
    auto t = trap("  P047");
    t([&] {
        const auto& chart = mState.chart;
        mLblDvp[1]->setText(qtext(formatNumber(mState.sim.DV[0], "##0")));
        const double top = topOf(mPicture1[0]), H = heightOf(mPicture1[0]);
        const double q2 = heightOf(mDvp), d = q2 / 2 - 200;
        if (chart.RH == chart.RL)
            throw RuntimeError::divisionByZero();
        double y = checkFinite(top + H + d -
                               (mState.sim.DV[0] + chart.DvOffset - chart.RL) / (chart.RH - chart.RL) * H);
        if (y > top + H - d)
            y = top + H - d;
        if (y < top - d)
            y = top - d;
        mDvpTop = y;
        placeDvp();
    });
}

void TrendChart::placeDvp() {
    const double q2 = heightOf(mDvp);
    mDvp->setGeometry(px(kDvpLeft), px(mDvpTop), mDvp->width(), mDvp->height());
    place(mLblDvp[0], kDvpLeft - 60, mDvpTop - q2, 330, q2);
    place(mLblDvp[1], kDvpLeft - 60, mDvpTop + q2, 330, q2);
    if (mDvHelp)
        place(mDvHelp, kDvpLeft - 260, mDvpTop, 240, 240);
}

void TrendChart::setDvFromPointer(double bottom, double H, double d) {
    const auto& chart = mState.chart;
    const double raw = chart.RL + (bottom - mDvpTop + d) * (chart.RH - chart.RL) / H;
    mState.sim.DV[0] = toDouble(formatNumber(checkFinite(raw), "###.0")) - chart.DvOffset;
    mLblDvp[1]->setText(qtext(formatNumber(mState.sim.DV[0], "##0")));
    placeDvp();
}

void TrendChart::DvpMouseDown() {
    mDvDragging = mState.params.mode() < Mode::Cascade;
}
void TrendChart::DvpMouseUp() {
    mDvDragging = false;
}

void TrendChart::DvpMouseMove(double y) {
    if (!mDvDragging)
        return;
    auto t = trap("  P036");
    t([&] {
        const double top = topOf(mPicture1[0]), H = heightOf(mPicture1[0]), bottom = top + H;
        const double d = heightOf(mDvp) / 2 - 200;
        mDvpTop += y;
        if (mDvpTop > bottom - d)
            mDvpTop = bottom - d;
        if (mDvpTop < top - d)
            mDvpTop = top - d;
        setDvFromPointer(bottom, H, d);
    });
}

void TrendChart::dvpStep(int units) {
    const auto& chart = mState.chart;
    if (chart.RH <= chart.RL)
        return;
    DvpMouseDown();
    DvpMouseMove(-units * heightOf(mPicture1[0]) / (chart.RH - chart.RL));
    DvpMouseUp();
}

void TrendChart::showPenColours() {
    mDvp->setColour(penShown(kDvPenColor, mState.chart.SafeColours));
}

void TrendChart::dvPointerClick(double x, double y) {
    auto t = trap("  P037");
    t([&] {
        const double top = topOf(mPicture1[0]), H = heightOf(mPicture1[0]), bottom = top + H;
        const double d = heightOf(mDvp) / 2 - 200;
        const double left = leftOf(mDvp), w = widthOf(mDvp);
        if (mState.params.mode() >= Mode::Cascade || !(left < x && x < left + w) ||
            !(top < y && y < bottom - d))
            return;
        mDvpTop = y - d;
        setDvFromPointer(bottom, H, d);
    });
}

} // namespace kestrel
