#pragma once
#include "plugin/AudioEffect.h"

/** The VST 2.4 opcode table: every opcode the plug-in answers, mapped to one
    virtual operation each, with the standard's default answers. */
class AudioEffectX : public AudioEffect
{
public:
    using AudioEffect::AudioEffect;

    intptr_t dispatcher (int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) override;

protected:
    // Lifecycle
    virtual void open() {}
    virtual void close() {}
    virtual void setSampleRate (float rate) { sampleRate = rate; }
    virtual void setBlockSize (int32_t size) { blockSize = size; }
    virtual void resume() {}
    virtual void suspend() {}

    // Programs and parameters
    virtual void setProgram (int32_t) {}
    virtual int32_t getProgram() { return 0; }
    virtual void setProgramName (const char*) {}
    virtual void getProgramName (char* name) { if (name != nullptr) *name = 0; }
    virtual bool getProgramNameIndexed (int32_t, int32_t, char*) { return false; }
    virtual void getParameterLabel (int32_t, char* text) { if (text != nullptr) *text = 0; }
    virtual void getParameterDisplay (int32_t, char* text) { if (text != nullptr) *text = 0; }
    virtual void getParameterName (int32_t, char* text) { if (text != nullptr) *text = 0; }
    virtual bool canParameterBeAutomated (int32_t) { return false; }

    // State
    virtual int32_t getChunk (void** data, bool isPreset) { (void) data; (void) isPreset; return 0; }
    virtual int32_t setChunk (void* data, int32_t byteSize, bool isPreset) { (void) data; (void) byteSize; (void) isPreset; return 0; }

    // Editor
    virtual intptr_t editGetRect (void** rect) { (void) rect; return 0; }
    virtual intptr_t editOpen (void* parentWindow, intptr_t hostDisplay) { (void) parentWindow; (void) hostDisplay; return 0; }
    virtual void editClose() {}
    virtual void editIdle() {}

    // Identity and capabilities
    virtual int32_t getPlugCategory() { return vst::kPlugCategUnknown; }
    virtual bool getEffectName (char*) { return false; }
    virtual bool getVendorString (char*) { return false; }
    virtual bool getProductString (char*) { return false; }
    virtual int32_t getVendorVersion() { return 0; }
    virtual int32_t canDo (const char*) { return 0; }
    virtual int32_t getVstVersion() { return vst::kVstVersion; }
    virtual int32_t getCurrentMidiProgram() { return -1; }
    virtual void getSpeakerArrangement (void** input, void** output);
    virtual intptr_t setTotalSampleToProcess (intptr_t value) { return value; }

    /** Copies text into a host buffer: at most maxChars bytes, cut on a
        character boundary, always zero-terminated. A null buffer is skipped. */
    static void copyText (char* destination, const char* text, int maxChars) noexcept;
};
