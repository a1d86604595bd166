#include "study/annotations.h"

#include "core/convert.h"
#include "core/messageservice.h"
#include "core/runtimeerror.h"
#include "core/translate.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kestrel {
namespace {

constexpr std::string_view kErrorCode = "  P054";
constexpr double kHalfHead = 50; // twips across the shaft to either side
constexpr double kBackPv = 80;   // twips back along the shaft on the PV strip
constexpr double kBackMv = 90;   // ... and on the MV strip
constexpr double kUsualBack = 0; // in the table builder: the strip's own length
constexpr bool kDotted = true;
constexpr bool kSolid = false;

using enum NoteChart;
using enum NoteInk;

float finiteSingle(float value) {
    if (!std::isfinite(value))
        throw RuntimeError::overflow();
    return value;
}

// ---- Building the table -----------------------------------------------------------------------

NoteAxis at(double value, double offset = 0) {
    return {value, value, false, offset};
}
NoteAxis middle(double a, double b, double offset = 0) {
    return {a, b, true, offset};
}

NotePoint point(NoteAxis x, NoteAxis y) {
    return {x, y, std::nullopt};
}
NotePoint plain(double t, double v) {
    return {at(t), at(v), std::nullopt};
}
NotePoint anchor(double t, double v) {
    return {at(t), at(v), AnchorKind::Anchor};
}
NotePoint level(double t, double v) {
    return {at(t), at(v), AnchorKind::Level};
}
NotePoint helper(double t, double v) {
    return {at(t), at(v), AnchorKind::Construction};
}

double defaultBack(NoteChart chart) {
    return chart == Mv ? kBackMv : kBackPv;
}

/// Appends the steps of one figure; the composite elements expand into table steps here, so the
/// table holds only primitives.
class Figure {
public:
    explicit Figure(std::string_view id) : mFigure{id, {}} {}

    Figure& style(NoteChart chart, bool dotted) { return add(StyleStep{chart, dotted}); }
    Figure& width(NoteChart chart, int pixels) { return add(WidthStep{chart, pixels}); }
    Figure& line(NoteChart chart, NotePoint from, NotePoint to, NoteInk ink) {
        return add(SegmentStep{chart, from, to, ink});
    }
    Figure& head(NoteChart chart, NotePoint tip, HeadDirection direction, NoteInk ink,
                 double back = kUsualBack) {
        return add(HeadStep{chart, tip, direction, back == kUsualBack ? defaultBack(chart) : back, ink});
    }
    Figure& label(int index, std::string_view caption, NoteAxis left, NoteAxis top, NoteInk ink) {
        return add(LabelStep{index, caption, left, top, false, ink});
    }
    Figure& labelRightAligned(int index, std::string_view caption, NoteAxis left, NoteAxis top, NoteInk ink) {
        return add(LabelStep{index, caption, left, top, true, ink});
    }

    /// Vertical arrow at t from v1 to v2 with its head at v2.
    Figure& arrow(NoteChart chart, double t, double v1, double v2, NoteInk ink, double back = kUsualBack) {
        line(chart, level(t, v1), level(t, v2), ink);
        return head(chart, level(t, v2), v2 > v1 ? HeadDirection::Up : HeadDirection::Down, ink, back);
    }
    /// Vertical double arrow at t between v1 and v2, the heads pointing outward, toward each level.
    Figure& doubleArrow(NoteChart chart, double t, double v1, double v2, NoteInk ink) {
        arrow(chart, t, v1, v2, ink);
        return head(chart, level(t, v1), v1 > v2 ? HeadDirection::Up : HeadDirection::Down, ink);
    }
    /// Horizontal double arrow at v from t1 to t2 (t1 < t2), drawn in empty chart space.
    Figure& spanArrow(NoteChart chart, double v, double t1, double t2, NoteInk ink) {
        line(chart, helper(t1, v), helper(t2, v), ink);
        head(chart, helper(t1, v), HeadDirection::Left, ink);
        return head(chart, helper(t2, v), HeadDirection::Right, ink);
    }
    /// A callout: leader from the anchor P(t, v) to P + (dx, dy), label at P + (left, top).
    Figure& callout(double t, double v, double dx, double dy, int index, std::string_view caption,
                    double left, double top, NoteInk ink) {
        line(labelChart(index), anchor(t, v), point(at(t, dx), at(v, dy)), ink);
        return label(index, caption, at(t, left), at(v, top), ink);
    }

    NoteFigure take() { return std::move(mFigure); }

private:
    Figure& add(FigureStep step) {
        mFigure.steps.push_back(std::move(step));
        return *this;
    }
    NoteFigure mFigure;
};

/// The offset figures: a double arrow across the offset at t = 40, a pink leader from its middle;
/// leader end and caption are measured from the first level.
NoteFigure offsetFigure(std::string_view id, double v1, double v2) {
    const double t = 40;
    return Figure(id)
        .style(Pv, kSolid)
        .width(Pv, 2)
        .doubleArrow(Pv, t, v1, v2, Pink)
        .width(Pv, 1)
        .line(Pv, point(at(t), middle(v1, v2)), point(at(t, 800), at(v1, -800)), Pink)
        .label(1, KESTREL_TR_NOOP("Annotations", "オフセット"), at(t, 850), at(v1, -850), Pink)
        .take();
}

/// The tuning-result and feedforward figures: one callout in the pen colour, dotted.
struct CalloutRow {
    std::string_view id;
    double t, v;   // anchor
    double dx, dy; // leader end from the anchor
    int index;     // Tcoment<index>
    std::string_view caption;
    double left, top; // label from the anchor
};

// clang-format off
constexpr CalloutRow kTuningCallouts[] = {
    {"9.5-3",    12, 52.8,  800, 1600, 3, KESTREL_TR_NOOP("Annotations", "ジーグラー・ニコルス（Ｐ 制御）"),            50,  1750},
    {"9.5-4",     9, 56.1,  500, -400, 1, KESTREL_TR_NOOP("Annotations", "ジーグラー・ニコルス（ＰＩ 制御）"),          650, -650},
    {"9.5-5",    59, 50.5,  600, -500, 2, KESTREL_TR_NOOP("Annotations", "ジーグラー・ニコルス（ＰＩＤ制御）"),          0,  -800},
    {"9.5-6",     8, 55,    500, -400, 1, KESTREL_TR_NOOP("Annotations", "ＣＨＲ法「ＰＩ－Ｄ制御」で目標値追従最適"),  650, -650},
    {"9.5-7",    59, 50.5,  600, -500, 2, KESTREL_TR_NOOP("Annotations", "ＣＨＲ法「ＰＩ－Ｄ制御」で外乱抑制最適"),      0,  -800},
    {"10.5-1",    8, 55,    500, -400, 1, KESTREL_TR_NOOP("Annotations", "通常の「ＰＩ－Ｄ制御」で目標値追従最適"),    650, -650},
    {"10.5-2",   59, 50.5,  600, -500, 2, KESTREL_TR_NOOP("Annotations", "通常の「ＰＩ－Ｄ制御」で外乱抑制最適"),        0,  -800},
};
constexpr CalloutRow kFeedforwardCallouts[] = {
    {"11.5.9-1", 10, 51.5,  500, -200, 1, KESTREL_TR_NOOP("Annotations", "外乱によるPV値の乱れ（FF無し）"),            550, -250},
    {"11.5.9-2", 11, 49.2,  500,  100, 2, KESTREL_TR_NOOP("Annotations", "外乱によるPV値の乱れ（FF静特性のみ）"),      550,   50},
    {"11.5.9-3",  5, 50,   1100, 1000, 3, KESTREL_TR_NOOP("Annotations", "FF静特性+動特性で完全に外乱を修正"),        1150,  950},
};
// clang-format on

template <std::size_t N> void addCallouts(std::vector<NoteFigure>& table, const CalloutRow (&rows)[N]) {
    for (const CalloutRow& r : rows)
        table.push_back(
            Figure(r.id).callout(r.t, r.v, r.dx, r.dy, r.index, r.caption, r.left, r.top, Pen).take());
}

/// Reset windup and its cures: the pulled-back MV, and the limits that held it.
void addWindupFigures(std::vector<NoteFigure>& table) {
    table.push_back(
        Figure("7.3.4(1)-2")
            .style(Mv, kSolid)
            .width(Mv, 2)
            .arrow(Mv, 3, 53, 25, Pink)
            .line(Mv, point(at(3), middle(53, 25)), point(at(3, 400), at(25, -300)), Pink)
            .label(5, KESTREL_TR_NOOP("Annotations", "引き戻し"), at(3, 450), at(25, -400), Pink)
            .style(Mv, kDotted)
            .width(Mv, 1)
            .callout(1, 70, 700, 0, 6, KESTREL_TR_NOOP("Annotations", "MH による制限　"), 750, -50, Pink)
            .take());

    table.push_back(Figure("7.3.4(2)-1")
                        .style(Mv, kSolid)
                        .width(Mv, 2)
                        .arrow(Mv, 10, 10, 40, Pen, kBackPv) // the short heads of the book figure
                        .label(5, KESTREL_TR_NOOP("Annotations", "引き戻し"), at(10, 100), at(40, 250), Pen)
                        .arrow(Mv, 20, 10, 40, Pen, kBackPv)
                        .label(6, KESTREL_TR_NOOP("Annotations", "引き戻し"), at(20, 100), at(40, 250), Pen)
                        .take());

    table.push_back(Figure("7.3.4(3)-2")
                        .style(Mv, kSolid)
                        .width(Mv, 2)
                        .arrow(Mv, 2, 53, 15, Pink)
                        .label(5, KESTREL_TR_NOOP("Annotations", "引き戻し"), at(2, 100), at(15, -350), Pink)
                        .style(Mv, kDotted)
                        .width(Mv, 1)
                        .callout(1, 50.1, 700, -400, 6, KESTREL_TR_NOOP("Annotations", "dML による制限　"),
                                 750, -500, Pink)
                        .take());
}

/// Step response: the gains ΔPV and ΔMV, then the construction of the dead time L and the time
/// constant T: the rise reaches 63.2 % at t = L + T after the step at t = 1.
NoteFigure stepResponseFigure() {
    const NoteAxis m = middle(36, 49.9);
    return Figure("9.5-1")
        .style(Pv, kSolid)
        .width(Pv, 2)
        .doubleArrow(Pv, 29, 40, 55.8, Pink)
        .line(Pv, point(at(29), middle(40, 55.8)), point(at(29, -400), at(40, -800)), Pink)
        .labelRightAligned(1, "ΔPV = 55.8%-40%=15.8%", at(29, -500), at(40, -850), Pink)
        .style(Mv, kSolid)
        .width(Mv, 2)
        .doubleArrow(Mv, 29, 50, 69.8, Pink)
        .line(Mv, point(at(29), middle(50, 69.8)), point(at(29, -400), at(50)), Pink)
        .labelRightAligned(5, "ΔMV = 69.8%-50% = 19.8%", at(29, -500), at(50, -50), Pink)
        .width(Pv, 1) // still solid: the construction lines keep the arrow's style
        .line(Pv, helper(3, 36), helper(3, 39), Pink)
        .line(Pv, helper(1, 36), helper(1, 39), Pink)
        .line(Pv, helper(8, 36), level(8, 49.9), Pink)
        .head(Pv, level(8, 40), HeadDirection::Down, Pink)
        .head(Pv, level(8, 49.9), HeadDirection::Up, Pink)
        .line(Pv, point(at(8), m), point(at(8, 300), middle(36, 49.9, 50)), Pink)
        .label(2, "ΔPV*0.632 =15.8%*0.632=9.98%", at(8, 300), m, Pink)
        .line(Pv, level(7, 49.9), level(9, 49.9), Pink)
        .line(Pv, level(3.5, 40), level(9, 40), Pink)
        .style(Pv, kSolid)
        .width(Pv, 2)
        .spanArrow(Pv, 36, 3, 8, Pink)
        .label(3, KESTREL_TR_NOOP("Annotations", "T = 5 秒"), at(3, 400), at(36, -280), Pink)
        .spanArrow(Pv, 36, 1, 3, Pink)
        .label(4, KESTREL_TR_NOOP("Annotations", "L= 2 秒"), at(1, 50), at(36, -280), Pink)
        .take();
}

/// Two-degree-of-freedom PID: one caption for both the set-point and the disturbance response.
NoteFigure twoDegreeOfFreedomFigure() {
    return Figure("10.5-3")
        .line(Pv, anchor(8, 54), point(at(8, 800), at(47)), Pen)
        .label(3, KESTREL_TR_NOOP("Annotations", "「２自由度ＰＩＤ」外乱抑制最適のまま目標値追従が向上　"),
               at(8, 50), at(47, 100), Pen)
        .line(Pv, anchor(58, 50.5), plain(22, 47), Pen)
        .take();
}

/// Noise and stiction: what the D action does with a noisy PV, what too long a sensor filter does,
/// the stiction cycle's period for two integral times, and the offset P control leaves.
void addRealProcessFigures(std::vector<NoteFigure>& table) {
    table.push_back(Figure("12.1-2")
                        .callout(30, 62, 300, 640, 5,
                                 KESTREL_TR_NOOP("Annotations", "Ｄ動作がノイズを増幅（チャタリング）"), 350,
                                 650, Pen)
                        .take());
    table.push_back(Figure("12.1-4")
                        .callout(14.6, 57, 600, -500, 1,
                                 KESTREL_TR_NOOP("Annotations", "フィルタの遅れで行き過ぎが大きく"), 650,
                                 -550, Pen)
                        .take());
    // One period between two peaks of PV: a marker from each peak up to a span arrow above them.
    const auto period = [](std::string_view id, double t1, double v1, double t2, double v2, int index,
                           std::string_view caption) {
        const double above = 56.9;
        return Figure(id)
            .line(Pv, anchor(t1, v1), helper(t1, above), Pen)
            .line(Pv, anchor(t2, v2), helper(t2, above), Pen)
            .spanArrow(Pv, above, t1, t2, Pen)
            .label(index, caption, at(t1, 300), at(above, -280), Pen)
            .take();
    };
    table.push_back(
        period("12.2-2", 140, 55.82, 174.5, 55.8, 1, KESTREL_TR_NOOP("Annotations", "周期 約 34 秒")));
    table.push_back(
        period("12.2-3", 70.5, 55.58, 121, 55.65, 2, KESTREL_TR_NOOP("Annotations", "周期 約 51 秒")));
    table.push_back(Figure("12.2-4")
                        .style(Pv, kSolid)
                        .width(Pv, 2)
                        .doubleArrow(Pv, 185, 52.6, 55, Pink)
                        .width(Pv, 1)
                        .labelRightAligned(3, KESTREL_TR_NOOP("Annotations", "オフセット"), at(185, -100),
                                           middle(52.6, 55, -128), Pink)
                        .take());
}

/// Cascade control against the single loop on one plant, after the inner disturbance at 10 s: how
/// far PV strays (the single loop's peak measured on its trace, the cascade's pointed at) and how
/// long PV takes to come back into SV ± 0.5 % for good (span arrows from the disturbance to the
/// last exit from the band, with dotted markers down to SV and to the exit).
void addCascadeFigures(std::vector<NoteFigure>& table) {
    constexpr double kDisturbance = 10, kSv = 50, kBand = 50.5, kSinglePeakT = 24, kSinglePeak = 53.88;
    const auto singlePeak = [](std::string_view id) {
        Figure f(id);
        f.style(Pv, kSolid)
            .width(Pv, 2)
            .doubleArrow(Pv, kSinglePeakT, kSv, kSinglePeak, Pink)
            .width(Pv, 1)
            .label(1, KESTREL_TR_NOOP("Annotations", "単ループ　最大偏差 3.9％"), at(kSinglePeakT, 100),
                   at(kSinglePeak, -300), Pink);
        return f;
    };
    table.push_back(singlePeak("13.1-2")
                        .callout(23.1, 51.33, 500, 450, 2,
                                 KESTREL_TR_NOOP("Annotations", "二次Ｐ制御　最大偏差 1.3％"), 550, 400, Pen)
                        .take());

    constexpr double kSingleExit = 42.4, kCascadeExit = 18.4, kSingleAbove = 58.5, kCascadeAbove = 56.5;
    Figure closed = singlePeak("13.1-4");
    closed
        .callout(16.2, 50.64, 500, 450, 2, KESTREL_TR_NOOP("Annotations", "カスケード　最大偏差 0.6％"), 550,
                 400, Pen)
        .style(Pv, kDotted)
        .line(Pv, level(kDisturbance, kSv), helper(kDisturbance, kSingleAbove), Pink)
        .line(Pv, level(kSingleExit, kBand), helper(kSingleExit, kSingleAbove), Pink)
        .line(Pv, anchor(kCascadeExit, kBand), helper(kCascadeExit, kCascadeAbove), Pink)
        .style(Pv, kSolid)
        .spanArrow(Pv, kSingleAbove, kDisturbance, kSingleExit, Pink)
        .label(3, KESTREL_TR_NOOP("Annotations", "回復 32 秒（単ループ）"), at(kDisturbance, 150),
               at(kSingleAbove, -280), Pink)
        .spanArrow(Pv, kCascadeAbove, kDisturbance, kCascadeExit, Pink)
        .label(4, KESTREL_TR_NOOP("Annotations", "回復 8 秒（カスケード）"), at(kDisturbance, 150),
               at(kCascadeAbove, -280), Pink);
    table.push_back(closed.take());
}

std::vector<NoteFigure> buildTable() {
    std::vector<NoteFigure> table;
    table.push_back(offsetFigure("5.1.7(1)-1", 52.6, 54.8));
    table.push_back(offsetFigure("5.1.7(2)-1", 50.2, 52.8));
    table.push_back(offsetFigure("5.2.7-1", 52.6, 54.8));
    table.push_back(Figure("5.3.6-2")
                        .width(Pv, 1)
                        .style(Pv, kDotted)
                        .callout(6, 51, 800, 800, 1, KESTREL_TR_NOOP("Annotations", "Ｄ動作による立ち上がり"),
                                 850, 750, Pink)
                        .take());
    addWindupFigures(table);
    table.push_back(stepResponseFigure());
    addCallouts(table, kTuningCallouts);
    table.push_back(twoDegreeOfFreedomFigure());
    addCallouts(table, kFeedforwardCallouts);
    addRealProcessFigures(table);
    addCascadeFigures(table);
    return table;
}

const std::vector<NoteFigure>& table() {
    static const std::vector<NoteFigure> figures = buildTable();
    return figures;
}

// ---- Layout -----------------------------------------------------------------------------------

class Layout {
public:
    Layout(const ChartGeometry& pv, const ChartGeometry& mv, Rgb pen, const LabelMetrics& labels)
        : mPv(pv), mMv(mv), mPen(pen), mLabels(labels) {}

    void figure(const NoteFigure& figure) {
        for (const FigureStep& step : figure.steps) {
            try {
                std::visit([this](const auto& s) { place(s); }, step);
            } catch (const RuntimeError& e) {
                if (!mFailed)
                    mOps.push_back(NoteMessage{errorText(e.shownDescription(), std::string(kErrorCode))});
                mFailed = true;
            }
        }
    }

    std::vector<NoteOp> take() { return std::move(mOps); }

private:
    void push(NoteOp op) { mOps.push_back(std::move(op)); }
    const ChartGeometry& geometry(NoteChart chart) const { return chart == Pv ? mPv : mMv; }
    Rgb colour(NoteInk ink) const { return ink == Pen ? mPen : kNotePink; }

    float axisX(NoteChart chart, const NoteAxis& a) const {
        const ChartGeometry& g = geometry(chart);
        const float c = a.middle ? (g.x(a.value) + g.x(a.value2)) / 2.0f : g.x(a.value);
        return finiteSingle(c + toFloat(a.offset));
    }
    float axisY(NoteChart chart, const NoteAxis& a) const {
        const ChartGeometry& g = geometry(chart);
        const float c = a.middle ? (g.y(a.value) + g.y(a.value2)) / 2.0f : g.y(a.value);
        return finiteSingle(c + toFloat(a.offset));
    }

    void place(const StyleStep& s) { push(NoteSetStyle{s.chart, s.dotted}); }
    void place(const WidthStep& s) { push(NoteSetWidth{s.chart, s.pixels}); }
    void place(const SegmentStep& s) {
        const Rgb c = colour(s.ink);
        push(NoteLine{s.chart, axisX(s.chart, s.from.x), axisY(s.chart, s.from.y), axisX(s.chart, s.to.x),
                      axisY(s.chart, s.to.y), c});
    }
    void place(const HeadStep& s) {
        const float x = axisX(s.chart, s.tip.x);
        const float y = axisY(s.chart, s.tip.y);
        const float back = toFloat(s.back);
        const float side = float(kHalfHead);
        // The strokes go back from the tip against its direction and out to both sides of the shaft.
        const bool vertical = s.direction == HeadDirection::Up || s.direction == HeadDirection::Down;
        float dx = 0, dy = 0;
        switch (s.direction) {
        case HeadDirection::Up:
            dy = back;
            break;
        case HeadDirection::Down:
            dy = -back;
            break;
        case HeadDirection::Left:
            dx = back;
            break;
        case HeadDirection::Right:
            dx = -back;
            break;
        }
        const float ex[2] = {vertical ? x - side : x + dx, vertical ? x + side : x + dx};
        const float ey[2] = {vertical ? y + dy : y - side, vertical ? y + dy : y + side};
        const Rgb c = colour(s.ink);
        push(NoteLine{s.chart, x, y, ex[0], ey[0], c});
        push(NoteLine{s.chart, x, y, ex[1], ey[1], c});
    }
    void place(const LabelStep& s) {
        const NoteChart chart = labelChart(s.index);
        // The caption in the learner's language, measured as it will be shown.
        const std::string caption = translate("Annotations", std::string(s.caption).c_str());
        const float width = toFloat(mLabels.widthOf(caption));
        float top = axisY(chart, s.top);
        float left = axisX(chart, s.left);
        if (s.rightAligned) {
            NoteAxis x = s.left;
            x.offset = 0;
            left = finiteSingle(axisX(chart, x) - width + toFloat(s.left.offset));
        }
        // Inside the strip: past the right or bottom edge first, so that a label larger than the
        // strip keeps its start at the left or top edge.
        const ChartGeometry& g = geometry(chart);
        left = std::max(0.0f, std::min(left, toFloat(g.width - width)));
        top = std::max(0.0f, std::min(top, toFloat(g.height - mLabels.height)));
        push(NoteLabel{s.index, caption, left, top, width, colour(s.ink)});
    }

    const ChartGeometry& mPv;
    const ChartGeometry& mMv;
    Rgb mPen;
    const LabelMetrics& mLabels;
    std::vector<NoteOp> mOps;
    bool mFailed = false;
};

} // namespace

float ChartGeometry::x(double t) const {
    const float tm = toFloat(graphTime);
    if (tm == 0.0f)
        throw RuntimeError::divisionByZero();
    return finiteSingle(toFloat(width) * toFloat(t) / tm);
}

float ChartGeometry::y(double v) const {
    const float high = toFloat(rangeHigh);
    const float span = finiteSingle(high - toFloat(rangeLow));
    if (span == 0.0f)
        throw RuntimeError::divisionByZero();
    return finiteSingle(toFloat(height) * finiteSingle(high - toFloat(v)) / span);
}

const std::vector<std::string>& knownFigureIds() {
    static const std::vector<std::string> ids = [] {
        std::vector<std::string> out;
        for (const NoteFigure& f : table())
            out.emplace_back(f.id);
        return out;
    }();
    return ids;
}

const NoteFigure* findNoteFigure(std::string_view id) {
    for (const NoteFigure& f : table())
        if (f.id == id)
            return &f;
    return nullptr;
}

std::size_t captionLength(std::string_view utf8) {
    std::size_t n = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u) // continuation bytes do not start a character
            ++n;
    return n;
}

std::vector<NoteOp> layoutFigure(std::string_view id, const ChartGeometry& pv, const ChartGeometry& mv,
                                 Rgb pen, const LabelMetrics& labels) {
    Layout layout(pv, mv, pen, labels);
    if (const NoteFigure* figure = findNoteFigure(id))
        layout.figure(*figure);
    return layout.take();
}

std::vector<NoteOp> noteDraw(std::string_view id, bool paraSetDone, bool& simExecDone,
                             const ChartGeometry& pv, const ChartGeometry& mv, Rgb pen,
                             const LabelMetrics& labels) {
    std::vector<NoteOp> ops;
    if (paraSetDone && simExecDone) {
        ops.push_back(NoteSetStyle{Pv, kDotted});
        ops.push_back(NoteSetStyle{Mv, kDotted});
        std::vector<NoteOp> figure = layoutFigure(id, pv, mv, pen, labels);
        ops.insert(ops.end(), std::make_move_iterator(figure.begin()), std::make_move_iterator(figure.end()));
        ops.push_back(NoteSetStyle{Pv, kSolid});
        ops.push_back(NoteSetStyle{Mv, kSolid});
        // The figures leave width 2 behind; the next run's traces must not come out thick.
        ops.push_back(NoteSetWidth{Pv, 1});
        ops.push_back(NoteSetWidth{Mv, 1});
    }
    simExecDone = false;
    return ops;
}

std::vector<FigureAnchor> figureAnchors(std::string_view id) {
    std::vector<FigureAnchor> anchors;
    const NoteFigure* figure = findNoteFigure(id);
    if (!figure)
        return anchors;
    const auto note = [&anchors](NoteChart chart, const NotePoint& p) {
        if (!p.kind)
            return;
        const FigureAnchor a{chart, *p.kind, p.x.value, p.y.value};
        for (const FigureAnchor& b : anchors)
            if (b == a)
                return;
        anchors.push_back(a);
    };
    for (const FigureStep& step : figure->steps) {
        if (const auto* s = std::get_if<SegmentStep>(&step)) {
            note(s->chart, s->from);
            note(s->chart, s->to);
        } else if (const auto* h = std::get_if<HeadStep>(&step)) {
            note(h->chart, h->tip);
        }
    }
    return anchors;
}

} // namespace kestrel
