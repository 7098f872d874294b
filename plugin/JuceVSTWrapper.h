#pragma once
#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_events/juce_events.h>
#include <atomic>
#include <memory>
#include <mutex>
#include "plugin/AudioEffectX.h"
#include "plugin/AudioFilterBase.h"
#include "plugin/EditorCompWrapper.h"
#include "plugin/FilterNativeCallbacks.h"

/** Adapts the VST 2.4 record to a processor: forwards parameters, programs,
    audio and state through the processor contract and serves the processor's
    calls back to the host. */
class JuceVSTWrapper : public AudioEffectX,
                       private juce::Timer,
                       public FilterNativeCallbacks
{
public:
    JuceVSTWrapper (vst::HostCallback hostCallback, std::unique_ptr<AudioFilterBase> processorToWrap);
    ~JuceVSTWrapper() override;

    AudioFilterBase& getProcessor() noexcept { return *processor; }

    /** True while a chunk handed to the host is being kept alive. */
    bool isHoldingChunk();

    //==============================================================================
    void processReplacing (float** inputs, float** outputs, int32_t sampleFrames) override;
    void setParameter (int32_t index, float value) override;
    float getParameter (int32_t index) override;
    void release() override;

    // FilterNativeCallbacks
    bool queryHostPosition (HostPosition& position) override;
    void reportParameterChange (int index, float value) override;

    //==============================================================================
    // Editor hosting; everything here runs on the message thread.
    void createEditorWrapper();
    void deleteEditorWrapper();
    /** Runs due timers and pending repaints now, for hosts that only call idle. */
    void runIdleWork();
    /** Gives the host idle time while a mouse button is held, at most every 20 ms. */
    void callHostIdle();
    /** Makes the host's frame fit an editor of this size. */
    void resizeHostFrame (int width, int height);
    EditorCompWrapper* getEditorWindow() const noexcept { return editorWindow.get(); }

    /** Converts the host's time information; public so it can be checked alone. */
    static bool convertTimeInfo (const vst::VstTimeInfo* info, HostPosition& position) noexcept;

    static constexpr const char* effectName = "QV-Delay TX";
    static constexpr const char* vendorName = "Quarvel";
    static constexpr int32_t vendorVersion = 1000;
    static constexpr int32_t uniqueId = vst::fourCC ('q', 'T', '0', '2');
    static constexpr int32_t effectVersion = 65792; // 1.1.0
    static constexpr int timerPeriodMs = 250;
    static constexpr juce::uint32 chunkLifetimeMs = 2000;

protected:
    void open() override;
    void close() override;
    void resume() override;
    void suspend() override;

    void setProgram (int32_t index) override;
    int32_t getProgram() override;
    void setProgramName (const char* name) override;
    void getProgramName (char* name) override;
    bool getProgramNameIndexed (int32_t category, int32_t index, char* text) override;
    void getParameterLabel (int32_t index, char* text) override;
    void getParameterDisplay (int32_t index, char* text) override;
    void getParameterName (int32_t index, char* text) override;
    bool canParameterBeAutomated (int32_t index) override;

    int32_t getChunk (void** data, bool isPreset) override;
    int32_t setChunk (void* data, int32_t byteSize, bool isPreset) override;

    intptr_t editGetRect (void** rect) override;
    intptr_t editOpen (void* parentWindow, intptr_t hostDisplay) override;
    void editClose() override;
    void editIdle() override;

    int32_t getPlugCategory() override;
    bool getEffectName (char* text) override;
    bool getVendorString (char* text) override;
    bool getProductString (char* text) override;
    int32_t getVendorVersion() override;
    int32_t canDo (const char* text) override;

private:
    void timerCallback() override;
    void releaseChunk();

    std::unique_ptr<AudioFilterBase> processor;

    // The chunk handed to the host stays alive until the next chunk call or
    // until the timer drops it. Dispatcher threads and the timer may meet
    // here, so the block is only touched under chunkMutex.
    std::mutex chunkMutex;
    juce::MemoryBlock chunkBlock;
    juce::uint32 chunkTime = 0;

    std::unique_ptr<EditorCompWrapper> editorWindow;
    vst::ERect editorRect {};
    void* hostWindow = nullptr;

    juce::MidiBuffer midiBuffer;
    std::atomic<bool> processing { false };

    JUCE_DECLARE_NON_COPYABLE (JuceVSTWrapper)
};
