#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

#include "controls/EmbeddedImages.h"

/** Common body of the film-strip knobs and displays.

    The control keeps its own value and range; the juce::Slider underneath only
    provides the listener list, the drag-start/-end messages and the
    asynchronous change message. Whatever the Slider's own value becomes, the
    control draws and reports knobValue.

    Subclasses pick the strip, the size and whether the pointer turns the
    control; they expose either setKnobValue (value, notify) (knobs) or
    setKnobValue (value) (displays).
*/
class qGUIFilmStrip : public juce::Slider
{
public:
    ~qGUIFilmStrip() override;

    /** The control's own value, always within its range. */
    double getKnobValue() const noexcept          { return knobValue; }

    /** Index of the frame currently drawn (0 = top of the strip). */
    int getFrameIndex() const noexcept            { return frameHeight > 0 ? -stripTop / frameHeight : 0; }
    int getFrameCount() const noexcept            { return maxFrame + 1; }
    int getFrameHeight() const noexcept           { return frameHeight; }
    double getMinimumKnobValue() const noexcept   { return minValue; }
    double getMaximumKnobValue() const noexcept   { return maxValue; }
    const juce::Image& getStripImage() const noexcept { return stripImage; }

    void paint (juce::Graphics&) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;

protected:
    enum class Pointer { turnsKnob, ignored };
    enum class Background { none, white };

    qGUIFilmStrip (const EmbeddedImage& strip, int width, int height, int frameCount,
                   Pointer pointer, Background background);

    /** Clamps into the range, shows the matching frame and hands the
        unclamped value to the Slider, whose listeners hear about it later
        from the message loop if notify is true and its copy changed. */
    void applyKnobValue (double value, bool notify);

    /** Gives the Slider the range and remembers it; value and frame stay. */
    void applyKnobRange (double min, double max, double step);

    void showFrame (int frame);

private:
    void followPointer (const juce::MouseEvent&);

    int stripTop = 0;
    int maxFrame = 0;
    int frameHeight = 0;
    double minValue = 0.0;
    double maxValue = 1.0;
    double interval = 0.0001;
    double knobValue = 0.0;
    double halfArc = 128.0;
    juce::Image stripImage;

    const Pointer pointer;
    const Background background;
    std::unique_ptr<juce::Slider::ScopedDragNotification> dragGesture;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIFilmStrip)
};
