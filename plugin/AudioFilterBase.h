#pragma once
#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_gui_basics/juce_gui_basics.h>
#include <atomic>
#include "plugin/ChunkText.h"
#include "plugin/FilterNativeCallbacks.h"
#include "plugin/HostPosition.h"

class AudioFilterEditor;

/** The contract between the host interface and a processor. The host side
    never looks past these operations; the processor reaches the host only
    through the FilterNativeCallbacks it was attached to. The virtual
    operations are declared in their slot order. */
class AudioFilterBase
{
public:
    AudioFilterBase();
    virtual ~AudioFilterBase();

    virtual void prepareToProcess (double sampleRate, int maximumBlockSize) = 0;
    virtual void releaseProcessing() = 0;

    /** Called once per audio block with processLock held. The buffers refer to
        the host's own channel arrays; accumulate asks for the result to be
        added to the output instead of replacing it. */
    virtual void processBlock (const juce::AudioBuffer<float>& input,
                               juce::AudioBuffer<float>& output,
                               bool accumulate,
                               juce::MidiBuffer& midiMessages) = 0;

    virtual AudioFilterEditor* createEditor() = 0;

    virtual int getNumParameters() = 0;
    virtual juce::String getParameterName (int index) = 0;
    virtual float getParameter (int index) = 0;
    virtual juce::String getParameterText (int index) = 0;
    virtual void setParameter (int index, float value) = 0;

    virtual int getNumPrograms() = 0;
    virtual int getCurrentProgram() = 0;
    virtual void setCurrentProgram (int index) = 0;
    virtual juce::String getProgramName (int index) = 0;
    virtual void renameProgram (int index, const juce::String& newName) = 0;

    virtual void getState (juce::MemoryBlock& destination) = 0;
    /** Serves single-program requests with the whole state unless overridden. */
    virtual void getProgramState (juce::MemoryBlock& destination);
    virtual void setState (const void* data, int sizeInBytes) = 0;
    virtual void setProgramState (const void* data, int sizeInBytes);

    //==============================================================================
    void attachHost (FilterNativeCallbacks* callbacks) noexcept;

    /** Sets a parameter for a user gesture: through the host when one is
        attached (so it can record automation), directly otherwise. */
    void setParameterAndNotifyHost (int index, float value);

    /** Asks the host for its transport state; false without a host or an answer. */
    bool getHostPosition (HostPosition& position);

    /** The open editor, creating it when there is none. */
    AudioFilterEditor* getOrCreateEditor();

    /** Drops the open-editor pointer if it is this editor; called before the editor is deleted. */
    void forgetEditor (AudioFilterEditor* editor);

    AudioFilterEditor* getActiveEditor() const noexcept { return activeEditor; }

    /** Writes the element's document text inside the state-chunk envelope. */
    static void writeXmlChunk (const ChunkElement& element, juce::MemoryBlock& destination);

    /** Unwraps a state chunk; null when the bytes are not a readable chunk. */
    static std::unique_ptr<juce::XmlElement> readXmlChunk (const void* data, int sizeInBytes);

    //==============================================================================
    juce::CriticalSection processLock;
    std::atomic<double> sampleRate { 0.0 };
    std::atomic<int> blockSize { 0 };
    int numInputChannels = 0;
    int numOutputChannels = 0;

protected:
    FilterNativeCallbacks* hostCallbacks = nullptr;
    AudioFilterEditor* activeEditor = nullptr;

private:
    JUCE_DECLARE_NON_COPYABLE (AudioFilterBase)
};
