#include "plugin/AudioEffect.h"
#include <cstring>

AudioEffect::AudioEffect (vst::HostCallback hostCallback, int32_t programs, int32_t params)
    : audioMaster (hostCallback), numPrograms (programs), numParams (params)
{
    std::memset (&cEffect, 0, sizeof (cEffect));
    cEffect.magic = vst::kEffectMagic;
    cEffect.dispatcher = dispatchEffectClass;
    cEffect.process = processClass;
    cEffect.setParameter = setParameterClass;
    cEffect.getParameter = getParameterClass;
    cEffect.numPrograms = programs;
    cEffect.numParams = params;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.processReplacing = processReplacingClass;
    cEffect.processDoubleReplacing = processDoubleReplacingClass;
    setFlag (vst::effFlagsCanReplacing, true);
}

AudioEffect::~AudioEffect() = default;

intptr_t AudioEffect::dispatcher (int32_t, int32_t, intptr_t, void*, float)
{
    return 0;
}

void AudioEffect::processReplacing (float**, float**, int32_t) {}
void AudioEffect::setParameter (int32_t, float) {}
float AudioEffect::getParameter (int32_t) { return 0.0f; }

void AudioEffect::setParameterAutomated (int32_t index, float value)
{
    setParameter (index, value);
    callHost (vst::audioMasterAutomate, index, 0, nullptr, value);
}

intptr_t AudioEffect::callHost (int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    return audioMaster != nullptr ? audioMaster (&cEffect, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::release()
{
    delete this;
}

AudioEffect* AudioEffect::fromRecord (vst::AEffect* effect) noexcept
{
    return effect != nullptr ? static_cast<AudioEffect*> (effect->object) : nullptr;
}

void AudioEffect::setFlag (int32_t flag, bool on) noexcept
{
    if (on)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

//==============================================================================
// The record's callbacks. Nothing may unwind into the host, so each one
// catches whatever the instance lets escape.

intptr_t AudioEffect::dispatchEffectClass (vst::AEffect* e, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    auto* effect = fromRecord (e);

    if (effect == nullptr)
        return 0;

    try
    {
        const auto result = effect->dispatcher (opcode, index, value, ptr, opt);

        if (opcode == vst::effClose)
        {
            effect->release();
            return 1;
        }

        return result;
    }
    catch (...)
    {
        return 0;
    }
}

void AudioEffect::processClass (vst::AEffect*, float**, float**, int32_t)
{
    // The deprecated accumulating call: outputs are left as they are.
}

void AudioEffect::processReplacingClass (vst::AEffect* e, float** inputs, float** outputs, int32_t sampleFrames)
{
    if (auto* effect = fromRecord (e))
    {
        try { effect->processReplacing (inputs, outputs, sampleFrames); }
        catch (...) {}
    }
}

void AudioEffect::processDoubleReplacingClass (vst::AEffect*, double**, double**, int32_t)
{
    // Double precision is not offered; outputs are left as they are.
}

void AudioEffect::setParameterClass (vst::AEffect* e, int32_t index, float value)
{
    if (auto* effect = fromRecord (e))
    {
        try { effect->setParameter (index, value); }
        catch (...) {}
    }
}

float AudioEffect::getParameterClass (vst::AEffect* e, int32_t index)
{
    if (auto* effect = fromRecord (e))
    {
        try { return effect->getParameter (index); }
        catch (...) {}
    }

    return 0.0f;
}
