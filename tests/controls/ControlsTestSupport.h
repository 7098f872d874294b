#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** Helpers shared by the control tests: the JUCE runtime, the message loop,
    and pixel comparisons. */
namespace ControlsTest
{
    /** Runs the message loop until pred() holds or the time is up; returns pred(). */
    bool pumpUntil (const std::function<bool()>& pred, int timeoutMs = 2000);

    /** Delivers everything already queued (async updates, repaints, timers due). */
    void pumpPending();

    /** Frame `index` of a vertical strip, as its own ARGB image. */
    juce::Image frameOf (const juce::Image& strip, int index, int frameHeight);

    /** What the frame looks like after being blended twice over the given
        background (transparent unless stated), computed channel by channel
        with straight alpha, independently of the renderer. */
    juce::Image blendedTwice (const juce::Image& frame, juce::Colour under = juce::Colours::transparentBlack);

    /** Largest difference of any channel of any pixel (straight alpha);
        256 if the sizes differ. */
    int maxDifference (const juce::Image& a, const juce::Image& b);

    /** The component as painted, onto a transparent ARGB image at 1:1. */
    juce::Image snapshot (juce::Component& c);

    /** True if every pixel has alpha 0. */
    bool fullyTransparent (const juce::Image& image);
}
