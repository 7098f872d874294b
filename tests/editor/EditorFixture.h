#pragma once
#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>
#include <memory>
#include <stdexcept>
#include <string>
#include "editor/DemoEditorComponent.h"
#include "plugin/JuceVSTWrapper.h"
#include "processor/DemoJuceFilter.h"
#include "tests/editor/TestHost.h"

namespace juce
{
    // Polls JUCE's message queue (and X connection) once; declared in no public header.
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

/** The editor's children by their place in the creation (and stacking) order,
    counted from 1. */
enum Child : int
{
    backgroundPanel = 1, linkModePanel, powerButton, leftSelButton, rightSelButton, stereoSelButton,
    stereoModeButton, linkModeButton, pingPongModeButton, delaySyncButton, delayTripletButton,
    delayDotButton, filterOnButton, filterLPButton, filterHPButton, filterOnButtonB, filterLPButtonB,
    filterHPButtonB, delaySyncKnob, delayKnob, delayDisplay, feedbackKnob, feedbackDisplay, panKnob,
    panDisplay, frequencyKnob, frequencyDisplay, resonanceKnob, resonanceDisplay, dryWetKnob,
    dryWetDisplay, outputKnob, outputDisplay, delaySyncKnobB, delayKnobB, delayDisplayB, feedbackKnobB,
    feedbackDisplayB, panKnobB, panDisplayB, frequencyKnobB, frequencyDisplayB, resonanceKnobB,
    resonanceDisplayB, dryWetKnobB, dryWetDisplayB, outputKnobB, outputDisplayB, delayArrow,
    delayArrowB, panNeedle, panNeedleB, lowPassShape, lowPassShapeB, highPassShape, highPassShapeB,
    feedbackIcon, feedbackIconB, outputIcon, outputIconB, dryWetIcon, dryWetIconB, tempoLabel,
    timeSigLabel, delayModeLabel, modeIndicator, infoHotSpot, aboutPanel, versionLabel,
    numChildren = versionLabel
};

/** A real processor inside a real VST wrapper with the recording test host,
    and the editor the processor creates for it. The test's thread is the
    JUCE message thread. */
class EditorFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    vst::AEffect* effect()          { return wrapper->getAeffect(); }
    DemoJuceFilter& filter()        { return static_cast<DemoJuceFilter&> (wrapper->getProcessor()); }

    /** The processor's editor, created through the processor contract. */
    DemoEditorComponent& openEditor();
    void closeEditor();

    /** Runs every pending message (change messages, async slider updates,
        repaints) until the queue is empty. */
    static void pump();

    /** Pumps for a while so timers (the processor's change forwarding) fire. */
    static void pumpFor (int milliseconds);

    // Host-side operations, through the effect record as a host makes them.
    void hostSetsParameter (int index, float value)  { effect()->setParameter (effect(), index, value); }
    float parameter (int index)                      { return effect()->getParameter (effect(), index); }
    void hostSelectsProgram (int program);
    std::vector<char> hostGetsChunk (bool preset);
    void hostSetsChunk (std::vector<char> chunk, bool preset);
    /** One block of processReplacing, on the calling thread or on a thread of its own. */
    void hostProcessesBlock (bool onAudioThread = false);

    /** Child `number` of the layout, checked to be a T. */
    template <typename T>
    T& child (int number)
    {
        if (editor == nullptr || number < 1 || number > editor->getNumChildComponents())
            throw std::runtime_error ("no child " + std::to_string (number));

        if (auto* c = dynamic_cast<T*> (editor->getChildComponent (number - 1)))
            return *c;

        throw std::runtime_error ("child " + std::to_string (number) + " has another class");
    }

    juce::String text (int labelNumber)   { return child<juce::Label> (labelNumber).getText(); }
    double knob (int number);             // a film strip's own value
    double button (int number);           // a switch's own value
    bool visible (int number)             { return child<juce::Component> (number).isVisible(); }

    std::unique_ptr<JuceVSTWrapper> wrapper;
    DemoEditorComponent* editor = nullptr;
};
