#pragma once
#include "plugin/VstAbi.h"

/** The plug-in's side of the VST 2.4 effect record: the record the host sees,
    the static callbacks it calls, and the calls back into the host. Subclasses
    override the virtual operations; AudioEffectX holds the opcode table. */
class AudioEffect
{
public:
    AudioEffect (vst::HostCallback hostCallback, int32_t numPrograms, int32_t numParams);
    virtual ~AudioEffect();

    vst::AEffect* getAeffect() noexcept { return &cEffect; }

    /** Answers one host opcode. The base declines everything. */
    virtual intptr_t dispatcher (int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

    virtual void processReplacing (float** inputs, float** outputs, int32_t sampleFrames);
    virtual void setParameter (int32_t index, float value);
    virtual float getParameter (int32_t index);

    /** Sets a parameter and tells the host, so it can record automation. */
    virtual void setParameterAutomated (int32_t index, float value);

    /** Calls the host; 0 when there is no host callback. */
    intptr_t callHost (int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);

    /** Deletes the instance after effClose; subclasses may choose the thread. */
    virtual void release();

    static AudioEffect* fromRecord (vst::AEffect* effect) noexcept;

protected:
    void setFlag (int32_t flag, bool on) noexcept;

    vst::HostCallback audioMaster;
    float sampleRate = 44100.0f;
    int32_t blockSize = 1024;
    int32_t numPrograms;
    int32_t numParams;
    vst::AEffect cEffect;

private:
    static intptr_t QV_VSTCALL dispatchEffectClass (vst::AEffect*, int32_t, int32_t, intptr_t, void*, float);
    static void QV_VSTCALL processClass (vst::AEffect*, float**, float**, int32_t);
    static void QV_VSTCALL processReplacingClass (vst::AEffect*, float**, float**, int32_t);
    static void QV_VSTCALL processDoubleReplacingClass (vst::AEffect*, double**, double**, int32_t);
    static void QV_VSTCALL setParameterClass (vst::AEffect*, int32_t, float);
    static float QV_VSTCALL getParameterClass (vst::AEffect*, int32_t);
};
