#pragma once
#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_events/juce_events.h>
#include <array>
#include <atomic>
#include <memory>
#include "plugin/AudioFilterBase.h"
#include "plugin/ChunkText.h"
#include "processor/ParameterTable.h"
#include "processor/ProgramRecord.h"

class qDelaySyncCS;

/** The delay processor: 36 parameters, 128 programs, the audio path around the
    engine and the XML state chunks. It holds values and DSP only; the editor
    lives elsewhere and follows it through change messages. */
class DemoJuceFilter : public AudioFilterBase,
                       public juce::ChangeBroadcaster,
                       private juce::Timer
{
public:
    DemoJuceFilter();
    ~DemoJuceFilter() override;

    //==============================================================================
    void prepareToProcess (double sampleRate, int maximumBlockSize) override;
    void releaseProcessing() override;
    void processBlock (const juce::AudioBuffer<float>& input, juce::AudioBuffer<float>& output,
                       bool accumulate, juce::MidiBuffer& midiMessages) override;

    AudioFilterEditor* createEditor() override;

    int getNumParameters() override;
    juce::String getParameterName (int index) override;
    float getParameter (int index) override;
    juce::String getParameterText (int index) override;
    void setParameter (int index, float value) override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    juce::String getProgramName (int index) override;
    void renameProgram (int index, const juce::String& newName) override;

    void getState (juce::MemoryBlock& destination) override;
    void getProgramState (juce::MemoryBlock& destination) override;
    void setState (const void* data, int sizeInBytes) override;
    void setProgramState (const void* data, int sizeInBytes) override;

    //==============================================================================
    /** Pushes all current values into the engine, in the order the engine's
        setters depend on (some read fields that later steps set). */
    void updateEngine();

    /** The last transport state from the host; read it under processLock. */
    HostPosition lastHostPosition = HostPosition::defaults();

    /** The size the editor takes when it is created; the editor writes it back. */
    int lastEditorWidth = 525;
    int lastEditorHeight = 312;

    juce::String getCurrentProgramName() const { return currentProgramName; }
    float getOutputGainLeft() const noexcept  { return outputGainLeft; }
    float getOutputGainRight() const noexcept { return outputGainRight; }
    qDelaySyncCS& getEngine() noexcept        { return *engine; }

    static constexpr const char* presetTag = "QV-DELAY_TX_PRESET";
    static constexpr const char* bankTag = "QV-DELAY_TX_BANK";
    static constexpr const char* stateVersion = "1.1.0";

private:
    /** Mixes one frame: the selected input (dry) with what the engine made of it
        (wet), by the mix shares, at the output gains. The engine runs a stretch of
        frames before their mixing, so this takes the wet frame ready-made. */
    void mixFrame (const float* dry, const float* wet, float& outLeft, float& outRight) const noexcept;

    float value (int index) const noexcept { return currentValues[index].load (std::memory_order_relaxed); }
    void storeValue (int index, float v) noexcept { currentValues[index].store (v, std::memory_order_relaxed); }

    /** A change message from any thread. On the message thread it is sent at
        once; from the audio thread (or any other) it is only flagged, because
        posting a message takes a lock and may allocate, and the timer on the
        message thread sends it a moment later. */
    void notifyChange();
    void timerCallback() override;

    void refreshHostPosition();

    std::array<std::atomic<float>, ParameterTable::numParameters> currentValues;
    juce::String currentProgramName { "Default" };
    std::atomic<int> currentProgram { 0 };
    std::array<std::unique_ptr<ProgramRecord>, ParameterTable::numPrograms> programs;

    std::unique_ptr<qDelaySyncCS> engine;
    float outputGainLeft = 1.0f;
    float outputGainRight = 1.0f;

    std::atomic<bool> changePending { false };

    // The engine runs a stretch of frames at a time (same samples as frame by
    // frame, at a fraction of the cost); these hold one stretch.
    static constexpr int framesPerStretch = 256;
    float dryFrames[framesPerStretch * 2] = {};
    float wetFrames[framesPerStretch * 2] = {};

    JUCE_DECLARE_NON_COPYABLE (DemoJuceFilter)
};
