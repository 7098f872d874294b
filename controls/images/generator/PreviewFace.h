#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

/** A stand-in for the editor, built from the real controls at the editor's
    positions, so the contact sheet shows the face as users will see it. It
    has no processor: the state to show is given directly. */
class PreviewFace : public juce::Component
{
public:
    struct State
    {
        double delay[2]     { 0.35, 0.35 };
        double feedback[2]  { 0.45, 0.6 };
        double pan[2]       { 0.3, 0.7 };
        double frequency[2] { 0.55, 0.35 };
        double resonance[2] { 0.3, 0.5 };
        double dryWet[2]    { 0.5, 0.4 };
        double output[2]    { 0.5, 0.62 };
        bool lowPass[2]     { true, true };
        bool filterOn[2]    { true, true };
        bool sync = false, triplet = false, dotted = false;
        bool linked = false, pingPong = false;
        bool leftInput = false, rightInput = false, stereoInput = true;
        bool power = true;
        bool about = false;
        juce::String tempo { "120.00 BPM" }, signature { "Sig: 4/4" }, mode { "D:Free - Free" };
        juce::String delayText[2] { "350.0ms", "350.0ms" };
    };

    explicit PreviewFace (const State&);
    ~PreviewFace() override;

private:
    template <typename T> T* add (std::unique_ptr<T>, juce::Rectangle<int> bounds, bool visible = true);
    juce::Label* addLabel (const juce::String& text, juce::Rectangle<int> bounds, bool centred);

    std::vector<std::unique_ptr<juce::Component>> owned;
};
