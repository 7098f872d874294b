#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Common body of the low-pass and high-pass shape displays: a filled filter
    curve whose flank follows the cut-off and a horizontal line at the
    resonance. Nothing is drawn until enableShape() has been called. */
class qGUIFilterShape : public juce::Component
{
public:
    /** Fill opaque grey, invisible outline, faint grey resonance line. */
    void setShapeColours();
    /** Outline and resonance line 1 pixel wide. */
    void setShapeLineThickness();
    void enableShape();
    /** Cut-off position, 0 to 1. Rebuilds the paths. */
    void setShapeFrequency (double value);
    /** Resonance, 0 (line at the bottom) to 1 (line at the top). Rebuilds the paths. */
    void setShapeResonance (double value);

    const juce::Path& getShapePath() const noexcept   { return shapePath; }
    const juce::Path& getLinePath() const noexcept    { return linePath; }
    float getLineY() const noexcept                   { return lineY; }
    float getCurveEndY() const noexcept               { return curveEndY; }
    float getCurveShift() const noexcept              { return curveShift; }
    bool isShapeEnabled() const noexcept              { return shapeEnabled; }
    juce::Colour getFillColour() const noexcept       { return fillColour; }
    juce::Colour getOutlineColour() const noexcept    { return outlineColour; }
    juce::Colour getLineColour() const noexcept       { return lineColour; }

    void paint (juce::Graphics&) override;
    void resized() override;

protected:
    enum class Kind { highPass, lowPass };
    explicit qGUIFilterShape (Kind);

private:
    void rebuildPaths();

    juce::Colour fillColour { 0xFFFFFF00u };
    juce::Colour outlineColour;
    juce::Colour lineColour { 0xFF00FFFFu };
    float lineY = 0.0f;
    float curveEndY = 0.0f;
    float curveShift = 0.0f;
    float level = 1.0f;
    float position = 0.0f;
    bool shapeEnabled = false;
    float shapeWidth = 0.0f;
    float shapeHeight = 0.0f;
    float outlineThickness = 1.0f;
    float lineThickness = 1.0f;
    juce::Path shapePath;
    juce::Path linePath;

    const Kind kind;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIFilterShape)
};
