#include "controls/qGUIFilterShape.h"

qGUIFilterShape::qGUIFilterShape (Kind shapeKind)
    : kind (shapeKind)
{
    setSize (150, 61);
    fillColour = juce::Colour (0xFFFFFF00u);
    lineColour = juce::Colour (0xFF00FFFFu);
    lineY = 0.0f;
    curveEndY = 0.0f;
    curveShift = 0.0f;
    position = 0.0f;
    shapeEnabled = false;
    setShapeResonance (0.0);
    setShapeFrequency (0.0);
}

void qGUIFilterShape::setShapeColours()
{
    fillColour = juce::Colour (0xFF96999Cu);
    outlineColour = juce::Colour (0x000000FFu);
    lineColour = juce::Colour (0x555E5E5Eu);
    repaint();
}

void qGUIFilterShape::setShapeLineThickness()
{
    outlineThickness = 1.0f;
    lineThickness = 1.0f;
    repaint();
}

void qGUIFilterShape::enableShape()
{
    shapeEnabled = true;
    rebuildPaths();
}

void qGUIFilterShape::setShapeFrequency (double value)
{
    position = (float) value;
    rebuildPaths();
}

void qGUIFilterShape::setShapeResonance (double value)
{
    level = (float) (1.0 - value);
    rebuildPaths();
}

void qGUIFilterShape::resized()
{
    // The paths keep the old size until the next setter rebuilds them.
    shapeWidth = (float) getWidth();
    shapeHeight = (float) getHeight();
}

void qGUIFilterShape::rebuildPaths()
{
    const float w = shapeWidth;
    const float h = shapeHeight;
    const float p = position;

    lineY = level * h;

    // Up to a quarter of the range the end of the curve drops down the far
    // edge; beyond it the whole flank slides across the display.
    if (p < 0.25f)
    {
        curveEndY = (float) ((double) p * (double) h * 4.0);
        curveShift = 0.0f;
    }
    else
    {
        curveEndY = h;
        curveShift = (w - h) * (0.25f - p);
    }

    shapePath.clear();

    if (kind == Kind::highPass)
    {
        shapePath.startNewSubPath (w, h);
        shapePath.lineTo (w, 0.0f);
        shapePath.quadraticTo (-curveShift, 0.0f, -curveShift, curveEndY);
        shapePath.lineTo (-curveShift, h);
    }
    else
    {
        shapePath.startNewSubPath (0.0f, h);
        shapePath.lineTo (0.0f, 0.0f);
        shapePath.quadraticTo (w + curveShift, 0.0f, w + curveShift, curveEndY);
        shapePath.lineTo (w + curveShift, h);
    }

    shapePath.closeSubPath();

    linePath.clear();
    linePath.startNewSubPath (w, lineY);
    linePath.lineTo (0.0f, lineY);

    repaint();
}

void qGUIFilterShape::paint (juce::Graphics& g)
{
    if (! shapeEnabled)
        return;

    g.setColour (fillColour);
    g.fillPath (shapePath);

    g.setColour (outlineColour);
    g.strokePath (shapePath, juce::PathStrokeType (outlineThickness, juce::PathStrokeType::mitered,
                                                   juce::PathStrokeType::butt));

    g.setColour (lineColour);
    g.strokePath (linePath, juce::PathStrokeType (lineThickness, juce::PathStrokeType::mitered,
                                                  juce::PathStrokeType::square));
}
