#pragma once
#include <juce_gui_basics/juce_gui_basics.h>
#include <array>
#include "plugin/AudioFilterEditor.h"
#include "plugin/HostPosition.h"
#include "processor/ParameterTable.h"

class DemoJuceFilter;
class qGUIDelayBGTX;
class qGUILinkModeBGTX;
class qGUIDelayKnobTX2;
class qGUIDelayKnobTX7TX;
class qGUIDelayPower;
class qGUIDelayInputSelect;
class qGUIDelayInputStereoSelectTX;
class qGUIDelayStereoMode;
class qGUIDelayLinkMode;
class qGUIDelayPingPongMode;
class qGUIDelaySync;
class qGUIDelayTriplet;
class qGUIDelayDotted;
class qGUIDelayFilterPower;
class qGUIDelayFilterLP;
class qGUIDelayFilterHP;
class qGUIArrowHorizontalRight;
class qGUIbalanceknob2LTX;
class qGUIbalanceknob2RTX;
class qGUILimiterLPF;
class qGUILimiterHPF;
class qGUIDelayFeedbackGuiTXL;
class qGUIDelayFeedbackGuiTXR;
class qGUIDelayOutputTX;
class qGUIDelayWetDryTXL;
class qGUIDelayWetDryTXR;
class qGUIDelay3WayModeKnobTX;
class qGUIDelayTXVersionInfo;
class qGUIPluginVersion;
class qGUIInfoButton;

/** The plug-in's editor: a fixed 525 x 312 face with two rows of seven knob
    columns (upper row the left delay line, lower row the right one), the
    mode and input switches on the left and a display area on top.

    User gestures go straight to the processor (and the host) through
    setParameterAndNotifyHost; everything the controls show is brought up to
    date from the processor's change messages, one refresh per merged message.
    The children are owned through the component hierarchy; the pointers
    below are only handles. */
class DemoEditorComponent : public AudioFilterEditor,
                            public juce::ChangeListener,
                            public juce::Button::Listener,
                            public juce::Slider::Listener
{
public:
    explicit DemoEditorComponent (DemoJuceFilter* ownerFilter);
    ~DemoEditorComponent() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    void changeListenerCallback (juce::ChangeBroadcaster*) override;
    void buttonClicked (juce::Button*) override;
    void sliderValueChanged (juce::Slider*) override;

    /** Applies the link state, the delay knobs' visibility, the delay texts
        and arrows, and (while linked) mirrors the left line's knobs onto the
        right line's controls. Reads only the editor's own controls. */
    void updateLinkAndDelayDisplays();

    //==============================================================================
    // Value texts, shared with whoever needs to show the same numbers.

    /** v x 100 with one decimal, then "%" or, with spaced, " %". */
    static juce::String percentText (double value, bool spaced);
    /** v x 24 - 12 with one decimal, then "db". */
    static juce::String outputText (double value);
    /** v x 1000 with one decimal, then "ms" (the delay knob reads seconds). */
    static juce::String freeDelayText (double value);
    /** "1/n" for the synced delay, then "T" and "." as the flags say. */
    static juce::String noteText (double value, bool triplet, bool dotted);
    /** Tempo with two decimals, then " BPM". */
    static juce::String tempoText (const HostPosition&);
    /** "Sig: " numerator "/" denominator. */
    static juce::String timeSignatureText (const HostPosition&);
    /** The synced arrow's length: trunc (v x 7) / 7, so it moves in sevenths. */
    static float syncedArrowFraction (double value);

private:
    DemoJuceFilter& getFilter() const noexcept;

    /** One user gesture: processor first, then the host's automation. */
    void setParameter (int index, double value);

    void copyLeftLineToRight();

    /** One parameter row of the refresh; values holds all 36 new values. */
    void applyParameter (int index, float value, const float* values);

    juce::Label* addValueLabel (const juce::String& name, juce::Rectangle<int> bounds,
                                const juce::Font& font, const juce::String& text);
    juce::Label* addInfoLabel (juce::Rectangle<int> bounds, const juce::Font& font, const juce::String& text);

    template <typename Knob>
    Knob* addKnob (juce::Rectangle<int> bounds, int parameter);

    template <typename Switch>
    Switch* addSwitch (juce::Rectangle<int> bounds, int parameter);

    //==============================================================================
    juce::String versionText;
    bool unlinked = true;
    bool syncOn = false;
    bool tripletOn = false;
    bool dottedOn = false;
    juce::String delayModeLeft;
    juce::String delayModeRight;
    std::array<float, ParameterTable::numParameters> shownValues {};

    qGUIDelayBGTX* backgroundPanel = nullptr;
    qGUILinkModeBGTX* linkModePanel = nullptr;

    qGUIDelayKnobTX2* delayKnob = nullptr;
    juce::Label* delayDisplay = nullptr;
    qGUIDelayKnobTX2* feedbackKnob = nullptr;
    juce::Label* feedbackDisplay = nullptr;
    qGUIDelayKnobTX2* panKnob = nullptr;
    juce::Label* panDisplay = nullptr;
    qGUIDelayKnobTX2* frequencyKnob = nullptr;
    juce::Label* frequencyDisplay = nullptr;
    qGUIDelayKnobTX2* resonanceKnob = nullptr;
    juce::Label* resonanceDisplay = nullptr;
    qGUIDelayKnobTX2* dryWetKnob = nullptr;
    juce::Label* dryWetDisplay = nullptr;
    qGUIDelayKnobTX2* outputKnob = nullptr;
    juce::Label* outputDisplay = nullptr;

    qGUIDelayKnobTX2* delayKnobB = nullptr;
    juce::Label* delayDisplayB = nullptr;
    qGUIDelayKnobTX2* feedbackKnobB = nullptr;
    juce::Label* feedbackDisplayB = nullptr;
    qGUIDelayKnobTX2* panKnobB = nullptr;
    juce::Label* panDisplayB = nullptr;
    qGUIDelayKnobTX2* frequencyKnobB = nullptr;
    juce::Label* frequencyDisplayB = nullptr;
    qGUIDelayKnobTX2* resonanceKnobB = nullptr;
    juce::Label* resonanceDisplayB = nullptr;
    qGUIDelayKnobTX2* dryWetKnobB = nullptr;
    juce::Label* dryWetDisplayB = nullptr;
    qGUIDelayKnobTX2* outputKnobB = nullptr;
    juce::Label* outputDisplayB = nullptr;

    qGUIDelayPower* powerButton = nullptr;
    qGUIDelayInputSelect* leftSelButton = nullptr;
    qGUIDelayInputSelect* rightSelButton = nullptr;
    qGUIDelayInputStereoSelectTX* stereoSelButton = nullptr;
    qGUIDelayStereoMode* stereoModeButton = nullptr;
    qGUIDelayLinkMode* linkModeButton = nullptr;
    qGUIDelayPingPongMode* pingPongModeButton = nullptr;
    qGUIDelaySync* delaySyncButton = nullptr;
    qGUIDelayTriplet* delayTripletButton = nullptr;
    qGUIDelayDotted* delayDotButton = nullptr;
    qGUIDelayFilterPower* filterOnButton = nullptr;
    qGUIDelayFilterLP* filterLPButton = nullptr;
    qGUIDelayFilterHP* filterHPButton = nullptr;
    qGUIDelayFilterPower* filterOnButtonB = nullptr;
    qGUIDelayFilterLP* filterLPButtonB = nullptr;
    qGUIDelayFilterHP* filterHPButtonB = nullptr;

    qGUIArrowHorizontalRight* delayArrow = nullptr;
    qGUIArrowHorizontalRight* delayArrowB = nullptr;
    qGUIbalanceknob2LTX* panNeedle = nullptr;
    qGUIbalanceknob2RTX* panNeedleB = nullptr;
    qGUILimiterLPF* lowPassShape = nullptr;
    qGUILimiterLPF* lowPassShapeB = nullptr;
    qGUILimiterHPF* highPassShape = nullptr;
    qGUILimiterHPF* highPassShapeB = nullptr;
    qGUIDelayFeedbackGuiTXL* feedbackIcon = nullptr;
    qGUIDelayFeedbackGuiTXR* feedbackIconB = nullptr;
    qGUIDelayOutputTX* outputIcon = nullptr;
    qGUIDelayOutputTX* outputIconB = nullptr;
    qGUIDelayWetDryTXL* dryWetIcon = nullptr;
    qGUIDelayWetDryTXR* dryWetIconB = nullptr;

    qGUIDelayKnobTX7TX* delaySyncKnob = nullptr;
    qGUIDelayKnobTX7TX* delaySyncKnobB = nullptr;
    qGUIDelay3WayModeKnobTX* modeIndicator = nullptr;
    qGUIDelayTXVersionInfo* aboutPanel = nullptr;
    qGUIPluginVersion* versionLabel = nullptr;
    qGUIInfoButton* infoHotSpot = nullptr;
    juce::Label* tempoLabel = nullptr;
    juce::Label* timeSigLabel = nullptr;
    juce::Label* delayModeLabel = nullptr;

    JUCE_DECLARE_NON_COPYABLE (DemoEditorComponent)
};
