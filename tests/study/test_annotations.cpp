#include "study/annotations.h"

#include "core/runtimeerror.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

using namespace kestrel;

namespace {

constexpr Rgb kPen = rgb(255, 255, 0);
constexpr double kTol = 0.01;

// The panel at its design size: 9015 × 3855 twips strips, 50 s shown, PV range 0..100.
const ChartGeometry kPvChart{9015, 3855, 50, 0, 100};
const ChartGeometry kMvChart{9015, 2000, 50, 0, 100};

/// The operations of one kind, in order; lines only on `chart` when one is given.
template <class T> std::vector<T> opsOf(const std::vector<NoteOp>& ops, std::optional<NoteChart> chart = {}) {
    std::vector<T> out;
    for (const NoteOp& op : ops)
        if (const auto* o = std::get_if<T>(&op)) {
            if constexpr (std::is_same_v<T, NoteLine>)
                if (chart && o->chart != *chart)
                    continue;
            out.push_back(*o);
        }
    return out;
}

void expectLine(const NoteOp& op, NoteChart chart, double x1, double y1, double x2, double y2, Rgb colour) {
    const auto* l = std::get_if<NoteLine>(&op);
    ASSERT_NE(l, nullptr) << "not a line";
    EXPECT_TRUE(l->chart == chart && l->colour == colour);
    const double got[] = {l->x1, l->y1, l->x2, l->y2}, want[] = {x1, y1, x2, y2};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(got[i], want[i], kTol) << "coordinate " << i;
}

void expectLabel(const NoteLabel& l, int index, const std::string& caption, double left, double top,
                 double width, Rgb colour) {
    EXPECT_EQ(std::tuple(l.index, l.caption, l.width, l.colour), std::tuple(index, caption, width, colour));
    EXPECT_TRUE(std::abs(l.left - left) < kTol && std::abs(l.top - top) < kTol) << l.left << " " << l.top;
}

// What the pass always ends with: solid lines of width 1 on both strips.
const std::vector<NoteOp> kRestore = {NoteSetStyle{NoteChart::Pv, false}, NoteSetStyle{NoteChart::Mv, false},
                                      NoteSetWidth{NoteChart::Pv, 1}, NoteSetWidth{NoteChart::Mv, 1}};

} // namespace

TEST(Annotations, EveryKnownFigureDrawsLinesAndLabelsAndHasAnchors) {
    const ChartGeometry pv{9015, 3855, 100, 0, 100}; // 59 s anchors of the tuning figures on the chart
    const ChartGeometry mv{9015, 2000, 100, 0, 100};
    for (const std::string& id : knownFigureIds()) {
        SCOPED_TRACE(id);
        const std::vector<NoteOp> ops = layoutFigure(id, pv, mv, kPen);
        const auto labels = opsOf<NoteLabel>(ops);
        EXPECT_FALSE(opsOf<NoteLine>(ops).empty() || labels.empty());
        EXPECT_TRUE(opsOf<NoteMessage>(ops).empty());
        for (const NoteLabel& l : labels)
            EXPECT_TRUE(l.index >= 1 && l.index <= 6) << l.index; // Tcoment7 is never used

        // Every anchor and level is an end of a drawn line on its strip, where the scale puts it.
        EXPECT_FALSE(figureAnchors(id).empty());
        for (const FigureAnchor& a : figureAnchors(id)) {
            const ChartGeometry& g = a.chart == NoteChart::Pv ? pv : mv;
            const float x = g.x(a.t), y = g.y(a.v);
            bool drawn = false;
            for (const NoteLine& l : opsOf<NoteLine>(ops, a.chart))
                drawn = drawn || (l.x1 == x && l.y1 == y) || (l.x2 == x && l.y2 == y);
            EXPECT_TRUE(drawn) << "t " << a.t << " v " << a.v;
        }
    }
}

TEST(Annotations, PassDrawsOnlyWithBothFlagsAndAlwaysConsumesTheRun) {
    // The figure, ParaSetDone, SimExecDone, whether the pass draws the style ops and the figure.
    const std::tuple<const char*, bool, bool, bool> cases[] = {
        {"5.1.7(1)-1", true, true, true},   {"5.1.7(1)-1", false, true, false},
        {"5.1.7(1)-1", true, false, false}, {"", true, true, true},
        {"5.1.7(1)-1 ", true, true, true},  {"9.5-2", true, true, true},
    };
    for (const auto& [id, paraSetDone, simExec, draws] : cases) {
        SCOPED_TRACE(std::string("id \"") + id + "\" " + std::to_string(paraSetDone) +
                     std::to_string(simExec));
        bool simExecDone = simExec;
        const std::vector<NoteOp> ops = noteDraw(id, paraSetDone, simExecDone, kPvChart, kMvChart, kPen);
        EXPECT_FALSE(simExecDone);
        std::vector<NoteOp> expected = {NoteSetStyle{NoteChart::Pv, true}, NoteSetStyle{NoteChart::Mv, true}};
        const std::vector<NoteOp> figure = layoutFigure(id, kPvChart, kMvChart, kPen);
        EXPECT_EQ(figure.empty(), findNoteFigure(id) == nullptr); // exact ids only
        expected.insert(expected.end(), figure.begin(), figure.end());
        expected.insert(expected.end(), kRestore.begin(), kRestore.end());
        EXPECT_EQ(ops, draws ? expected : std::vector<NoteOp>{});

        // A second end of run without a new start draws nothing.
        EXPECT_TRUE(noteDraw(id, paraSetDone, simExecDone, kPvChart, kMvChart, kPen).empty());
    }
}

TEST(Annotations, OffsetFigureWorkedByHand) {
    // x(40) = 9015·40/50 = 7212; y(52.6) = 3855·47.4/100 = 1827.27; y(54.8) = 1742.46.
    bool simExecDone = true;
    const std::vector<NoteOp> ops = noteDraw("5.1.7(1)-1", true, simExecDone, kPvChart, kMvChart, kPen);
    ASSERT_EQ(ops.size(), 16u);
    const NoteChart pv = NoteChart::Pv;
    EXPECT_EQ(std::vector<NoteOp>(ops.begin(), ops.begin() + 4),
              (std::vector<NoteOp>{NoteSetStyle{pv, true}, NoteSetStyle{NoteChart::Mv, true},
                                   NoteSetStyle{pv, false}, NoteSetWidth{pv, 2}}));
    expectLine(ops[4], pv, 7212, 1827.27, 7212, 1742.46, kNotePink); // shaft
    expectLine(ops[5], pv, 7212, 1742.46, 7162, 1822.46, kNotePink); // upper head points up
    expectLine(ops[7], pv, 7212, 1827.27, 7162, 1747.27, kNotePink); // lower head points down
    EXPECT_EQ(ops[9], NoteOp(NoteSetWidth{pv, 1}));
    expectLine(ops[10], pv, 7212, 1784.865, 8012, 1027.27, kNotePink); // leader from the middle
    ASSERT_TRUE(std::holds_alternative<NoteLabel>(ops[11]));
    expectLabel(std::get<NoteLabel>(ops[11]), 1, "オフセット", 8062, 977.27, 850, kNotePink);
    EXPECT_EQ(std::vector<NoteOp>(ops.begin() + 12, ops.end()), kRestore);
    EXPECT_EQ(layoutFigure("5.2.7-1", kPvChart, kMvChart, kPen),
              layoutFigure("5.1.7(1)-1", kPvChart, kMvChart, kPen));
}

TEST(Annotations, CalloutFollowsRangeAndGraphTime) {
    // "9.5-4": anchor P(9, 56.1), leader to (x + 500, y − 400), label at (x + 650, y − 650); on a
    // 9000 × 4000 strip with range 40..60, x = 9000·9/50 = 1620, y = 4000·3.9/20 = 780.
    const ChartGeometry pv{9000, 4000, 50, 40, 60};
    const std::vector<NoteOp> ops = layoutFigure("9.5-4", pv, kMvChart, kPen);
    ASSERT_EQ(ops.size(), 2u);
    expectLine(ops[0], NoteChart::Pv, 1620, 780, 2120, 380, kPen);
    expectLabel(std::get<NoteLabel>(ops[1]), 1, "ジーグラー・ニコルス（ＰＩ 制御）", 2270, 130, 2890, kPen);
    // Single precision, unrounded: a third of a twip survives.
    const ChartGeometry odd{1000, 1000, 30, 0, 100};
    EXPECT_FLOAT_EQ(odd.x(1), 1000.0f / 30.0f);
    EXPECT_FLOAT_EQ(odd.y(52.6), 474.0f);
}

TEST(Annotations, LabelsTakeTheShownWidthOfTheirCaptionAndStayInsideTheStrip) {
    // Without a face: 170 twips per character, not per byte, a trailing ideographic blank included.
    EXPECT_DOUBLE_EQ(labelWidth("MH による制限　"), 1530);
    // A face 100 twips wide per character, labels 300 twips high.
    const LabelMetrics metrics{[](std::string_view c) { return 100.0 * double(captionLength(c)); }, 300};
    // The figure, the PV strip, the first label's left, top and width.
    const std::tuple<const char*, ChartGeometry, double, double, double> cases[] = {
        // Right-aligned: the caption ends 100 twips short of its leader's end at x(29) - 400.
        {"9.5-1", kPvChart, 9015 * 29 / 50.0 - 2100 - 500, 3855 * 0.6 - 850, 2100},
        // At 59 s of 60 the caption would run past the right edge: it ends at the edge.
        {"9.5-5", {9015, 3855, 60, 0, 100}, 9015 - 1700, 3855 * 0.495 - 800, 1700},
        // Range 30..60: 9.5-4 stands at the top edge instead of above it.
        {"9.5-4", {9015, 3855, 50, 30, 60}, 9015 * 9 / 50.0 + 650, 0, 1700},
        // 1750 below its anchor the caption would run past the bottom edge: it ends at the edge.
        {"9.5-3", kPvChart, 9015 * 12 / 50.0 + 50, 3855 - 300, 1600},
    };
    for (const auto& [id, pv, left, top, width] : cases) {
        SCOPED_TRACE(id);
        const auto labels = opsOf<NoteLabel>(layoutFigure(id, pv, kMvChart, kPen, metrics));
        ASSERT_FALSE(labels.empty());
        EXPECT_NEAR(labels[0].left, left, kTol);
        EXPECT_NEAR(labels[0].top, top, kTol);
        EXPECT_DOUBLE_EQ(labels[0].width, width);
    }
}

TEST(Annotations, StepResponseConstruction) {
    const std::vector<NoteOp> ops = layoutFigure("9.5-1", kPvChart, kMvChart, kPen);
    for (const NoteLine& l : opsOf<NoteLine>(ops))
        EXPECT_EQ(l.colour, kNotePink);

    // ΔMV right-aligned on the MV strip so the label ends 500 twips left of the arrow at x(29) = 5228.7.
    const auto labels = opsOf<NoteLabel>(ops);
    ASSERT_EQ(labels.size(), 5u);
    expectLabel(labels[1], 5, "ΔMV = 69.8%-50% = 19.8%", 5228.7 - 3910 - 500, 1000 - 50, 3910, kNotePink);
    // m = (y(36) + y(49.9)) / 2 = (2467.2 + 1931.355) / 2; x(8) = 1442.4, x(3) = 540.9.
    const double m = (2467.2 + 1931.355) / 2;
    expectLabel(labels[2], 2, "ΔPV*0.632 =15.8%*0.632=9.98%", 1442.4 + 300, m, 4760, kNotePink);

    // Heads on the PV strip reach 80 twips back, on the MV strip 90.
    const auto mv = opsOf<NoteLine>(ops, NoteChart::Mv);
    ASSERT_EQ(mv.size(), 6u);
    // y(50) = 1000, y(69.8) = 604 on 2000 twips: shaft, both strokes of a head, the other head, leader.
    expectLine(mv[0], NoteChart::Mv, 5228.7, 1000, 5228.7, 604, kNotePink);
    expectLine(mv[1], NoteChart::Mv, 5228.7, 604, 5178.7, 694, kNotePink);
    expectLine(mv[2], NoteChart::Mv, 5228.7, 604, 5278.7, 694, kNotePink);
    expectLine(mv[3], NoteChart::Mv, 5228.7, 1000, 5178.7, 910, kNotePink);
    expectLine(mv[5], NoteChart::Mv, 5228.7, 802, 4828.7, 1000, kNotePink);
    const auto pv = opsOf<NoteLine>(ops, NoteChart::Pv);
    ASSERT_EQ(pv.size(), 26u);
    // The T arrow from x(3) to x(8) at y(36), its heads pointing outward along the time axis.
    expectLine(pv[16], NoteChart::Pv, 540.9, 2467.2, 1442.4, 2467.2, kNotePink);
    expectLine(pv[17], NoteChart::Pv, 540.9, 2467.2, 620.9, 2417.2, kNotePink);
    expectLine(pv[18], NoteChart::Pv, 540.9, 2467.2, 620.9, 2517.2, kNotePink);
    expectLine(pv[19], NoteChart::Pv, 1442.4, 2467.2, 1362.4, 2417.2, kNotePink);
}

TEST(Annotations, PenColouredWindupArrowsOnTheMvStrip) {
    // x(10) = 1803, y(10) = 1800, y(40) = 1200; the heads here reach only 80 twips below the tip.
    const std::vector<NoteOp> ops = layoutFigure("7.3.4(2)-1", kPvChart, kMvChart, kPen);
    ASSERT_EQ(ops.size(), 10u);
    const NoteChart M = NoteChart::Mv;
    EXPECT_EQ(std::vector<NoteOp>(ops.begin(), ops.begin() + 2),
              (std::vector<NoteOp>{NoteSetStyle{M, false}, NoteSetWidth{M, 2}}));
    expectLine(ops[2], M, 1803, 1800, 1803, 1200, kPen);
    expectLine(ops[3], M, 1803, 1200, 1753, 1280, kPen);
    expectLabel(std::get<NoteLabel>(ops[5]), 5, "引き戻し", 1903, 1450, 680, kPen);
    expectLine(ops[6], M, 3606, 1800, 3606, 1200, kPen);
    expectLabel(std::get<NoteLabel>(ops[9]), 6, "引き戻し", 3706, 1450, 680, kPen);

    // A downward pull-back in pink keeps the MV strip's 90 twips: y(25) = 1500 on x(3) = 540.9.
    const auto pink = opsOf<NoteLine>(layoutFigure("7.3.4(1)-2", kPvChart, kMvChart, kPen));
    expectLine(NoteOp(pink[1]), M, 540.9, 1500, 490.9, 1410, kNotePink);
}

TEST(Annotations, DegenerateScaleReportsOnceAndStillRestores) {
    // RH = RL on the PV strip: every PV mark fails; the MV marks and the end of the pass still run.
    const ChartGeometry flat{9015, 3855, 50, 50, 50};
    bool simExecDone = true;
    const std::vector<NoteOp> ops = noteDraw("9.5-1", true, simExecDone, flat, kMvChart, kPen);
    EXPECT_FALSE(simExecDone);
    EXPECT_EQ(opsOf<NoteMessage>(ops), std::vector<NoteMessage>{{"0 で除算しました。  P054"}});
    EXPECT_TRUE(opsOf<NoteLine>(ops, NoteChart::Pv).empty());
    EXPECT_EQ(opsOf<NoteLine>(ops, NoteChart::Mv).size(), 6u);
    ASSERT_EQ(opsOf<NoteLabel>(ops).size(), 1u);
    EXPECT_EQ(opsOf<NoteLabel>(ops)[0].index, 5);
    EXPECT_EQ(std::vector<NoteOp>(ops.end() - 4, ops.end()), kRestore);

    EXPECT_THROW((ChartGeometry{9015, 3855, 0, 0, 100}.x(1)), RuntimeError); // no graph time
    EXPECT_THROW((ChartGeometry{1e30, 3855, 1e-30, 0, 100}.x(1)), RuntimeError);
}
