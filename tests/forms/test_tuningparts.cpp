// The tuning workbench's parts on lesson 9.5's process (K 0.8, L 2 s, T 5 s), whose exact ultimate
// point is Ku 5.7335, Pu 7.0180 s: what each part computes from the fields and what it writes back.

#include "forms/conversionpart.h"
#include "forms/frequencypart.h"
#include "forms/plotaxes.h"
#include "forms/relaypart.h"
#include "forms/stabilitypart.h"

#include "engine/fakes.h"
#include "guiapp.h"
#include "setup/setupdocument.h"
#include "tempfolder.h"

#include <QLabel>
#include <QLineEdit>

#include <numbers>

namespace kestrel::test {
namespace {

constexpr double kKu = 5.7335, kPu = 7.0180;

TEST(PlotAxis, TicksAndRoundedRanges) {
    using V = std::vector<double>;
    EXPECT_EQ((PlotAxis{0, 10}.ticks(5)), (V{0, 2, 4, 6, 8, 10}));
    EXPECT_EQ((PlotAxis{-0.3, 0.45}.ticks(3)), (V{-0.2, 0, 0.2, 0.4}));
    EXPECT_EQ((PlotAxis{0.005, 200, true}.ticks()), (V{0.01, 0.1, 1, 10, 100}));
    const PlotAxis r = PlotAxis{-1.25, 5.73}.rounded(8);
    EXPECT_DOUBLE_EQ(r.lo, -2);
    EXPECT_DOUBLE_EQ(r.hi, 6);
    EXPECT_DOUBLE_EQ((PlotAxis{0.01, 100, true}.fraction(1)), 0.5);
}

class TuningParts : public GuiTest {
protected:
    void SetUp() override {
        shipBaseSet(KESTREL_SOURCE_DATA, folder.path());
        doc.ContTypeTab_Click(0);
        for (auto [f, text] :
             {std::pair{Kpl, "0.80"}, {Tpl, "5.00"}, {Lpl, "2.00"}, {Kp, "2.00"}, {dT, "100"}})
            doc.setFieldText(f, text);
    }
    TempFolder folder{"kestrel-tuningparts"};
    AppState state;
    FakeMessages messages;
    SetupDocument doc{state, messages, folder.path()};
};

TEST_F(TuningParts, FrequencyPartFollowsTheFieldsAsTyped) {
    FrequencyPart part(state, doc);
    // P control: the phase crossover is the ultimate point, so GM = Ku/Kp.
    ASSERT_TRUE(part.figures().continuous.gainMargin);
    EXPECT_NEAR(*part.figures().continuous.gainMargin, kKu / 2, 1e-3);
    EXPECT_NEAR(*part.figures().continuous.wpc, 2 * std::numbers::pi / kPu, 1e-3);
    EXPECT_FALSE(part.figures().sampled); // 0.1 s beside a 2 s dead time
    doc.setFieldText(Kp, "1.00");
    doc.setFieldText(dT, "500");
    EXPECT_NEAR(*part.figures().continuous.gainMargin, kKu, 1e-3);
    ASSERT_TRUE(part.figures().sampled);
    EXPECT_LT(*part.figures().sampled->gainMargin, kKu); // the sampled loop lags more
    doc.setFieldText(Kp, "x");
    EXPECT_FALSE(part.figures().error.empty());
    doc.setFieldText(Kp, "1.00");
    part.setModel(0.8, 4, 5); // a longer dead time: a smaller margin, until the process is typed again
    EXPECT_LT(*part.figures().continuous.gainMargin, kKu);
    doc.setFieldText(Lpl, "2.0");
    EXPECT_NEAR(*part.figures().continuous.gainMargin, kKu, 1e-3);

    // The process details as typed: a tank with a sensor filter, named on the page.
    doc.optProcType_Click(2);
    doc.setDetailText(PvFilter, "1.5");
    const tuning::Loop& loop = part.figures().loop;
    EXPECT_EQ(std::tuple(loop.integrating, loop.Tf, loop.T2), std::tuple(true, 1.5, 0.0));
    const QString note = childOf<QLabel>(&part, "frequencyNote")->text();
    EXPECT_TRUE(note.contains("積分（液位） K 0.8 %/s/%") && note.contains("センサフィルタ Tf 1.5 s"))
        << qPrintable(note);
    EXPECT_TRUE(note.contains("スティクション"));
}

TEST_F(TuningParts, RelayPartEstimatesBelowTheExactUltimateGainAndHandsEitherOn) {
    RelayPart part(state, doc);
    part.setModel(0.8, 2, 5);
    ASSERT_TRUE(part.exact());
    EXPECT_NEAR(part.exact()->Ku, kKu, 1e-3);
    ASSERT_TRUE(part.run());
    EXPECT_NEAR(part.result()->Ku, 4.78, 0.1);
    EXPECT_NEAR(part.result()->period, kPu, 0.05 * kPu);
    std::vector<std::pair<double, double>> chosen;
    QObject::connect(&part, &RelayPart::ultimateChosen, [&](double Ku, double Pu) {
        chosen.push_back({Ku, Pu});
    });
    click(&part, "useEstimate");
    click(&part, "useExact");
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0].first, part.result()->Ku);
    EXPECT_EQ(chosen[1].second, part.exact()->Pu);
    doc.setFieldText(Lpl, "0.00"); // no dead time: no ultimate point, the old trace is dropped
    EXPECT_FALSE(part.exact());
    EXPECT_FALSE(part.result());
}

TEST_F(TuningParts, StabilityPartMarksKuAndAClickFillsThePiFields) {
    StabilityPart part(state, doc);
    EXPECT_NEAR(part.figures().Ku, kKu, 1e-3);
    EXPECT_TRUE(part.stable(1, 0.1));
    EXPECT_FALSE(part.stable(5.5, 2));
    EXPECT_FALSE(part.figures().rules.empty());
    EXPECT_FALSE(part.clickAt(-1, 0.5)); // refused: nothing changes
    EXPECT_EQ(doc.typeTab(), 0);
    ASSERT_TRUE(part.clickAt(1.5, 0.25));
    EXPECT_EQ(doc.typeTab(), 1);
    EXPECT_EQ(doc.fieldText(Kp), "1.50");
    EXPECT_EQ(doc.fieldText(Ti), "6.00");
    EXPECT_TRUE(doc.fieldEdited(Kp) && doc.fieldEdited(Ti));
    ASSERT_TRUE(part.figures().current);
    EXPECT_NEAR(part.figures().current->Ki, 0.25, 1e-9);
    ASSERT_TRUE(part.clickAt(1, 0.01)); // Ti 100 s: beyond the field's range, which OK applies
    EXPECT_TRUE(part.status().contains("上限"));
}

TEST_F(TuningParts, ConversionPartShowsEquationsRefusalsAndBadInput) {
    ConversionPart part(doc);
    part.loadInForce();
    EXPECT_EQ(part.field("Kp")->text(), "2.00");
    const auto convert = [&](const char* name, const char* text, ConversionPart::Kind kind) {
        part.field(name)->setText(text);
        return part.convert(kind);
    };
    EXPECT_TRUE(convert("gain", "2", ConversionPart::Kind::GainToBand));
    EXPECT_EQ(part.field("pb")->text(), "50");
    convert("Ti", "2", ConversionPart::Kind::IdealToSeries);
    EXPECT_FALSE(convert("Td", "1", ConversionPart::Kind::IdealToSeries)); // Ti < 4·Td: no real zeros
    EXPECT_FALSE(part.resultText().isEmpty());
    EXPECT_FALSE(convert("pb", "abc", ConversionPart::Kind::BandToGain));
    EXPECT_TRUE(part.resultText().contains("abc"));
    EXPECT_EQ(part.field("gain")->text(), "2");
}

} // namespace
} // namespace kestrel::test
