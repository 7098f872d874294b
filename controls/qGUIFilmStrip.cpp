#include "controls/qGUIFilmStrip.h"

#include <cmath>

qGUIFilmStrip::qGUIFilmStrip (const EmbeddedImage& strip, int width, int height, int frameCount,
                              Pointer pointerRole, Background backgroundFill)
    : juce::Slider ("qk"),
      stripImage (strip.getImage()),
      pointer (pointerRole),
      background (backgroundFill)
{
    setSize (width, height);
    maxFrame = frameCount - 1;
    frameHeight = height;
}

qGUIFilmStrip::~qGUIFilmStrip()
{
    dragGesture.reset();
    stripImage = {};
}

void qGUIFilmStrip::applyKnobValue (double value, bool notify)
{
    // NaN would pass both comparisons below and end up as the frame index.
    if (std::isnan (value))
        value = minValue;

    if (value <= minValue)
        knobValue = minValue;
    else if (value >= maxValue)
        knobValue = maxValue;
    else
        knobValue = value;

    const double span = maxValue - minValue;
    const int frame = span > 0.0 ? (int) ((knobValue - minValue) / span * (double) maxFrame) : 0;
    showFrame (frame);

    // The Slider's copy only carries the change message to the listeners;
    // they are always told later, from the message loop, never from inside
    // the event that set the value.
    setValue (value, notify ? juce::sendNotificationAsync : juce::dontSendNotification);
}

void qGUIFilmStrip::applyKnobRange (double min, double max, double step)
{
    setRange (min, max, step);
    minValue = min;
    maxValue = max;
    interval = step;
}

void qGUIFilmStrip::showFrame (int frame)
{
    stripTop = -(frame * frameHeight);
    repaint();
}

void qGUIFilmStrip::paint (juce::Graphics& g)
{
    if (background == Background::white)
        g.fillAll (juce::Colours::white);

    if (! stripImage.isValid())
        return;

    g.setColour (juce::Colours::black);

    // Drawn twice on purpose: the soft edges of the artwork come out denser,
    // which is the intended look of the frames.
    for (int pass = 0; pass < 2; ++pass)
        g.drawImageWithin (stripImage, 0, stripTop, stripImage.getWidth(), stripImage.getHeight(),
                           juce::RectanglePlacement::centred);
}

void qGUIFilmStrip::resized()
{
    // The Slider's own track and text box are never laid out, so never shown.
}

void qGUIFilmStrip::mouseDown (const juce::MouseEvent& e)
{
    if (! isEnabled())
        return;

    // The Slider's own drag handling is bypassed: it would move its copy of
    // the value and tell the listeners synchronously, before knobValue is
    // set. Only its drag-started/-ended messages are kept.
    dragGesture = std::make_unique<juce::Slider::ScopedDragNotification> (*this);
    mouseDrag (e);
}

void qGUIFilmStrip::mouseDrag (const juce::MouseEvent& e)
{
    if (pointer == Pointer::turnsKnob && dragGesture != nullptr)
        followPointer (e);
}

void qGUIFilmStrip::mouseUp (const juce::MouseEvent&)
{
    dragGesture.reset();
}

void qGUIFilmStrip::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    // The wheel would only move the Slider's copy of the value; let the
    // parent have it instead.
    juce::Component::mouseWheelMove (e, wheel);
}

void qGUIFilmStrip::followPointer (const juce::MouseEvent& e)
{
    const int x = e.x;
    const int y = e.y;

    // The centre comes from the frame height on both axes; the strips are
    // one pixel wider than tall, and the knob is meant to turn about (m, m).
    const double m = frameHeight * 0.5;
    const double u = x - m;
    const double v = (frameHeight - y) - m;

    // Clockwise angle on screen from straight down: below 0, left 90,
    // above 180, right 270. The tiny bias keeps the division finite.
    double a = std::atan (u / (v + 0.00000001)) * 57.295780490442965;

    if ((frameHeight - y) > m)
        a += 180.0;
    else if (x > m && m > (frameHeight - y))
        a += 360.0;

    // The usable sweep is 2 * halfArc degrees centred on straight up; the
    // dead zone around straight down holds the minimum on its left half and
    // the maximum on its right half.
    const double start = (360.0 - 2.0 * halfArc) * 0.5;
    const double value = minValue + (a - start) * (maxValue - minValue) / (2.0 * halfArc);

    applyKnobValue (value, true);

    if (a - start <= 0.0)
        applyKnobValue (minValue, false);
    else if (a >= start + 2.0 * halfArc)
        applyKnobValue (maxValue, false);
}
