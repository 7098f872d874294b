// The controls that take no input: background panels, delay arrow,
// filter-shape displays, version label.

#include <gtest/gtest.h>

#include "controls/qGUIArrowHorizontalRight.h"
#include "controls/qGUIDelayBGTX.h"
#include "controls/qGUILimiterHPF.h"
#include "controls/qGUILimiterLPF.h"
#include "controls/qGUILinkModeBGTX.h"
#include "controls/qGUIPluginVersion.h"
#include "tests/controls/ControlsTestSupport.h"

using ControlsTest::snapshot;

TEST (BackgroundPanels, DrawTheirOpaquePictureUnscaled)
{
    qGUIDelayBGTX face;
    EXPECT_EQ (face.getBounds(), juce::Rectangle<int> (0, 0, 525, 312));
    EXPECT_EQ (ControlsTest::maxDifference (snapshot (face), EmbeddedImages::imgBackground.getImage()), 0);

    qGUILinkModeBGTX linked;
    EXPECT_EQ (linked.getBounds(), juce::Rectangle<int> (0, 0, 421, 112));
    EXPECT_EQ (ControlsTest::maxDifference (snapshot (linked), EmbeddedImages::imgLinkModePanel.getImage()), 0);
}

//==============================================================================
TEST (DelayArrow, TipIsTheTruncatedFractionOfTheLaidOutWidth)
{
    qGUIArrowHorizontalRight arrow;
    EXPECT_EQ (arrow.getBounds(), juce::Rectangle<int> (0, 0, 135, 20));
    EXPECT_EQ (arrow.getArrowColour(), juce::Colour (0x99394A4Fu));

    arrow.setBounds (93, 45, 48, 20);
    arrow.setArrowStyle();
    EXPECT_EQ (arrow.getArrowColour(), juce::Colour (0xFF96999Cu));
    EXPECT_EQ (arrow.getArrowThickness(), 4.0f);

    arrow.setArrowLength (0.5f);
    EXPECT_EQ (arrow.getArrowLength(), 24);
    arrow.setArrowLength (0.999f);
    EXPECT_EQ (arrow.getArrowLength(), 47);
    arrow.setArrowLength (0.0f);
    EXPECT_EQ (arrow.getArrowLength(), 0);

    // A new width only counts from the next length.
    arrow.setArrowLength (0.5f);
    arrow.setSize (100, 30);
    EXPECT_EQ (arrow.getArrowLength(), 24);
    arrow.setArrowLength (0.5f);
    EXPECT_EQ (arrow.getArrowLength(), 50);

    // Nonsense input stays harmless.
    arrow.setArrowLength (std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ (arrow.getArrowLength(), 0);
    arrow.setArrowLength (1.0e30f);
    EXPECT_GT (arrow.getArrowLength(), 100);
}

TEST (DelayArrow, DrawsAGreyBarAlongTheMiddleEndingAtTheTip)
{
    qGUIArrowHorizontalRight arrow;
    arrow.setSize (48, 20);
    arrow.setArrowStyle();
    arrow.setArrowLength (0.5f);
    const auto image = snapshot (arrow);

    EXPECT_EQ (image.getPixelAt (10, 10), juce::Colour (0xFF96999Cu));
    EXPECT_EQ (image.getPixelAt (10, 3).getAlpha(), 0);     // above the 4-pixel bar
    EXPECT_GT (image.getPixelAt (17, 7).getAlpha(), 0);     // the 8-pixel head, wider than the bar
    for (int x = 25; x < 48; ++x)
        for (int y = 0; y < 20; ++y)
            EXPECT_EQ (image.getPixelAt (x, y).getAlpha(), 0) << x << ", " << y;
}

//==============================================================================
namespace
{
    struct ShapeCase
    {
        bool highPass;
        double frequency;
        float curveEndY, curveShift;
        juce::Rectangle<float> bounds;   // of the closed shape on a 105 x 45 display
    };

    // Below a quarter the far end of the curve drops down the edge; from a
    // quarter on the flank slides by (W - H) * (p - 0.25).
    const ShapeCase shapeCases[] = {
        { true,  0.0,    0.0f,    0.0f,   { 0.0f, 0.0f, 105.0f, 45.0f } },
        { false, 0.0,    0.0f,    0.0f,   { 0.0f, 0.0f, 105.0f, 45.0f } },
        { true,  0.2499, 44.982f, 0.0f,   { 0.0f, 0.0f, 105.0f, 45.0f } },
        { false, 0.2499, 44.982f, 0.0f,   { 0.0f, 0.0f, 105.0f, 45.0f } },
        { true,  0.25,   45.0f,   0.0f,   { 0.0f, 0.0f, 105.0f, 45.0f } },
        { false, 0.25,   45.0f,   0.0f,   { 0.0f, 0.0f, 105.0f, 45.0f } },
        { true,  1.0,    45.0f,  -45.0f,  { 45.0f, 0.0f, 60.0f, 45.0f } },
        { false, 1.0,    45.0f,  -45.0f,  { 0.0f, 0.0f, 60.0f, 45.0f } },
    };

    std::unique_ptr<qGUIFilterShape> makeShape (bool highPass)
    {
        std::unique_ptr<qGUIFilterShape> shape;
        if (highPass)
            shape = std::make_unique<qGUILimiterHPF>();
        else
            shape = std::make_unique<qGUILimiterLPF>();

        // As the editor prepares them.
        shape->setBounds (274, 25, 107, 47);
        shape->setSize (105, 45);
        shape->setShapeColours();
        shape->setShapeLineThickness();
        shape->enableShape();
        return shape;
    }

    void PrintTo (const ShapeCase& c, std::ostream* os) { *os << (c.highPass ? "high-pass at " : "low-pass at ") << c.frequency; }

    class FilterShape : public ::testing::TestWithParam<ShapeCase> {};
}

TEST_P (FilterShape, CurveFollowsTheFrequency)
{
    const auto& c = GetParam();
    auto shape = makeShape (c.highPass);
    shape->setShapeFrequency (c.frequency);
    shape->setShapeResonance (0.0);

    EXPECT_NEAR (shape->getCurveEndY(), c.curveEndY, 1e-3);
    EXPECT_EQ (shape->getCurveShift(), c.curveShift);

    const auto b = shape->getShapePath().getBounds();
    EXPECT_NEAR (b.getX(), c.bounds.getX(), 1e-3);
    EXPECT_NEAR (b.getY(), c.bounds.getY(), 1e-3);
    EXPECT_NEAR (b.getWidth(), c.bounds.getWidth(), 1e-3);
    EXPECT_NEAR (b.getHeight(), c.bounds.getHeight(), 1e-3);
}

INSTANTIATE_TEST_SUITE_P (Table, FilterShape, ::testing::ValuesIn (shapeCases));

TEST (FilterShapeEdges, TheFlankStartsWhereTheShiftSays)
{
    // At full frequency the high-pass flank rises at x = 45 and the low-pass
    // flank falls at x = 60: points just either side are outside / inside.
    auto hp = makeShape (true);
    hp->setShapeFrequency (1.0);
    EXPECT_FALSE (hp->getShapePath().contains (44.0f, 40.0f));
    EXPECT_TRUE (hp->getShapePath().contains (46.0f, 40.0f));

    auto lp = makeShape (false);
    lp->setShapeFrequency (1.0);
    EXPECT_TRUE (lp->getShapePath().contains (59.0f, 40.0f));
    EXPECT_FALSE (lp->getShapePath().contains (61.0f, 40.0f));
}

TEST (FilterShapeEdges, ResonanceLineRunsFromBottomToTop)
{
    auto shape = makeShape (false);
    shape->setShapeResonance (0.0);
    EXPECT_EQ (shape->getLineY(), 45.0f);
    EXPECT_EQ (shape->getLinePath().getBounds(), juce::Rectangle<float> (0.0f, 45.0f, 105.0f, 0.0f));
    shape->setShapeResonance (1.0);
    EXPECT_EQ (shape->getLineY(), 0.0f);
    shape->setShapeResonance (0.25);
    EXPECT_EQ (shape->getLineY(), 33.75f);
}

TEST (FilterShapeEdges, ANewSizeWaitsForTheNextSetter)
{
    auto shape = makeShape (true);
    shape->setShapeFrequency (1.0);
    shape->setSize (150, 61);
    EXPECT_EQ (shape->getShapePath().getBounds().getRight(), 105.0f);
    shape->setShapeResonance (0.0);
    EXPECT_EQ (shape->getShapePath().getBounds().getRight(), 150.0f);
}

TEST (FilterShapeDrawing, NothingUntilEnabledThenTheGreyShapeAndLine)
{
    qGUILimiterLPF shape;
    EXPECT_EQ (shape.getBounds(), juce::Rectangle<int> (0, 0, 150, 61));
    EXPECT_FALSE (shape.isShapeEnabled());
    EXPECT_EQ (shape.getLineY(), 61.0f);   // constructed with resonance 0
    EXPECT_EQ (shape.getFillColour(), juce::Colour (0xFFFFFF00u));
    EXPECT_EQ (shape.getLineColour(), juce::Colour (0xFF00FFFFu));

    shape.setSize (105, 45);
    shape.setShapeColours();
    shape.setShapeLineThickness();
    shape.setShapeFrequency (0.6);
    shape.setShapeResonance (0.5);
    EXPECT_TRUE (ControlsTest::fullyTransparent (snapshot (shape)));

    shape.enableShape();
    const auto image = snapshot (shape);
    EXPECT_EQ (image.getPixelAt (5, 40), juce::Colour (0xFF96999Cu));     // inside the fill
    EXPECT_EQ (image.getPixelAt (100, 40).getAlpha(), 0);               // right of the flank
    EXPECT_GT (image.getPixelAt (100, 22).getAlpha(), 0);               // the resonance line at y = 22.5
    EXPECT_EQ (shape.getOutlineColour().getAlpha(), 0);                 // the outline is invisible
}

//==============================================================================
TEST (VersionLabel, IsASmallFixedNonEditableLabel)
{
    qGUIPluginVersion version;
    EXPECT_EQ (version.getBounds(), juce::Rectangle<int> (0, 0, 70, 20));
    ASSERT_EQ (version.getNumChildComponents(), 1);
    auto* label = dynamic_cast<juce::Label*> (version.getChildComponent (0));
    ASSERT_NE (label, nullptr);

    EXPECT_EQ (label->getName(), "new label");
    EXPECT_EQ (version.getVersionText(), "R1.0.0");
    EXPECT_TRUE (label->isVisible());
    EXPECT_EQ (label->getFont().getTypefaceName(), "Verdana");
    EXPECT_FLOAT_EQ (label->getFont().getHeight(), 16.6f);
    EXPECT_FALSE (label->getFont().isBold());
    EXPECT_EQ (label->getJustificationType().getFlags(), 33);
    EXPECT_FALSE (label->isEditableOnSingleClick());
    EXPECT_FALSE (label->isEditableOnDoubleClick());
    EXPECT_EQ (label->findColour (juce::Label::textColourId), juce::Colour (0xFFFBFBFBu));
    EXPECT_EQ (label->findColour (juce::TextEditor::textColourId), juce::Colours::black);
    EXPECT_EQ (label->findColour (juce::TextEditor::backgroundColourId), juce::Colour (0x00000000u));

    struct TextSpy : juce::Label::Listener
    {
        void labelTextChanged (juce::Label*) override { ++changes; }
        int changes = 0;
    } spy;
    label->addListener (&spy);
    version.setVersionText ("R1.1.1");
    ControlsTest::pumpPending();
    EXPECT_EQ (version.getVersionText(), "R1.1.1");
    EXPECT_EQ (spy.changes, 0);
    label->removeListener (&spy);

    version.setBounds (266, 165, 200, 50);
    EXPECT_EQ (label->getBounds(), juce::Rectangle<int> (0, 0, 70, 20));
}
