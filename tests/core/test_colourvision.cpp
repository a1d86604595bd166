#include "core/colourvision.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kestrel;

TEST(ColourVision, MeasuresAgreeWithKnownValues) {
    EXPECT_DOUBLE_EQ(contrastRatio(rgb(0, 0, 0), rgb(255, 255, 255)), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(kChartBackColor, kChartBackColor), 1.0);
    EXPECT_NEAR(relativeLuminance(kChartBackColor), 0.05127, 1e-5);
    EXPECT_NEAR(colourDifference(rgb(0, 0, 0), rgb(255, 255, 255)), 100.0, 0.01);
    // Full red as the two deficiencies see it: a dark olive, the blue channel gone.
    EXPECT_EQ(simulateVision(rgb(255, 0, 0), ColourVision::Protan), rgb(109, 95, 0));
    EXPECT_EQ(simulateVision(rgb(255, 0, 0), ColourVision::Deutan), rgb(163, 144, 0));
    // The classic pens collapse: yellow and the SV green nearly meet for a protan viewer.
    EXPECT_LT(colourDifference(simulateVision(penChoiceColor(1), ColourVision::Protan),
                               simulateVision(kSvPenColor, ColourVision::Protan)),
              10.0);
}

TEST(ColourVision, SafePensStayReadableAndApart) {
    std::vector<Rgb> pens{kSafeSvPenColor, kSafeDvPenColor};
    pens.insert(pens.end(), kSafePenChoiceColors.begin(), kSafePenChoiceColors.end());
    for (Rgb c : pens) {
        EXPECT_GE(contrastRatio(c, kChartBackColor), 3.0) << std::hex << c;
        EXPECT_GE(contrastRatio(c, rgb(0, 0, 0)), 3.0) << std::hex << c; // the analysis chart's black
    }
    // ΔE 15 is several times the just-noticeable difference: thin lines of the two colours side
    // by side on the grey still read as two colours.
    for (ColourVision v : {ColourVision::Normal, ColourVision::Protan, ColourVision::Deutan})
        for (std::size_t i = 0; i < pens.size(); ++i)
            for (std::size_t j = i + 1; j < pens.size(); ++j)
                EXPECT_GE(colourDifference(simulateVision(pens[i], v), simulateVision(pens[j], v)), 15.0)
                    << static_cast<int>(v) << ": " << i << " and " << j;
}

TEST(ColourVision, SafePensReplaceOnlyThePenColours) {
    for (int choice = 0; choice < 5; ++choice) {
        EXPECT_EQ(penShown(penChoiceColor(choice), false), penChoiceColor(choice));
        EXPECT_EQ(penShown(penChoiceColor(choice), true), kSafePenChoiceColors[choice]);
    }
    EXPECT_EQ(penShown(kSvPenColor, false), kSvPenColor);
    EXPECT_EQ(penShown(kSvPenColor, true), kSafeSvPenColor);
    EXPECT_EQ(penShown(kDvPenColor, true), kSafeDvPenColor);
    EXPECT_EQ(penShown(kGridColor, true), kGridColor);
    EXPECT_EQ(penShown(rgb(255, 128, 255), true), rgb(255, 128, 255)); // the lesson notes' pink
}
