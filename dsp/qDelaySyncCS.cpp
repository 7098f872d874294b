#include "dsp/qDelaySyncCS.h"

#include "dsp/EngineMath.h"

#include <cmath>

qDelaySyncCS::qDelaySyncCS() = default;
qDelaySyncCS::~qDelaySyncCS() = default;

void qDelaySyncCS::setSampleRate (float newRate)
{
    if (! isUsableSampleRate (newRate))
        return;

    qEffect::setSampleRate (newRate);
    preDelayLeft.setSampleRate (newRate);
    preDelayRight.setSampleRate (newRate);
    combLeft.setSampleRate (newRate);
    combRight.setSampleRate (newRate);
    lowPassLeft.setSampleRate (newRate);
    lowPassRight.setSampleRate (newRate);
    highPassLeft.setSampleRate (newRate);
    highPassRight.setSampleRate (newRate);
    bandPassLeft.setSampleRate (newRate);
    bandPassRight.setSampleRate (newRate);
    settingsDirty = true;
}

float qDelaySyncCS::delayTimeFor (float v) const
{
    if (! delaySync)
        return v;

    float x = 1.0f / static_cast<float> (syncDivisor (v));
    if (delayDotted)
        x = x * 1.5f;
    else if (delayTriplet)
        x = static_cast<float> (static_cast<double> (x) * 0.6666666666666666);

    const float beatsPerSecond = static_cast<float> (static_cast<double> (tempo) * 0.016666666666666666);
    return (4.0f / beatsPerSecond) * x;
}

void qDelaySyncCS::setPreDelayLeft (float v)
{
    preDelayLeft.setDelayTime (pingPong ? 0.5f * combLeft.getDelayTime() : v);
    settingsDirty = true;
}

void qDelaySyncCS::setPreDelayRight (float v)
{
    preDelayRight.setDelayTime (pingPong ? 0.0f : v);
    settingsDirty = true;
}

void qDelaySyncCS::setDelayLeft (float v)   { combLeft.setDelayTime (delayTimeFor (v));  settingsDirty = true; }
void qDelaySyncCS::setDelayRight (float v)  { combRight.setDelayTime (delayTimeFor (v)); settingsDirty = true; }

namespace
{
    // Recursive state never recovers from a NaN or an infinity (nothing
    // clears it), so control values that would put one there are held back.
    float finiteOrZero (float v) noexcept   { return std::isfinite (v) ? v : 0.0f; }

    // |g| above 1 grows without bound until the line holds infinities.
    float limitFeedback (float g) noexcept
    {
        if (std::isnan (g))
            return 0.0f;
        return g > 1.0f ? 1.0f : (g < -1.0f ? -1.0f : g);
    }

    // Resonance at or past 1 makes the filters unstable; the control's
    // top (1.0 -> 0.95) is the highest value let through.
    float limitResonanceControl (float v) noexcept
    {
        if (std::isnan (v))
            return 0.0f;
        return v > 1.0f ? 1.0f : v;
    }
}

void qDelaySyncCS::setFeedbackLeft (float g)   { combLeft.setFeedback (limitFeedback (g));  settingsDirty = true; }
void qDelaySyncCS::setFeedbackRight (float g)  { combRight.setFeedback (limitFeedback (g)); settingsDirty = true; }

void qDelaySyncCS::setSyncAndTempo (float v, float bpm)
{
    delaySync = isOn (v);
    tempo = bpm;
}

void qDelaySyncCS::setDotted (float v)     { delayDotted = isOn (v); }
void qDelaySyncCS::setTriplet (float v)    { delayTriplet = isOn (v); }
void qDelaySyncCS::setPingPong (float v)   { pingPong = isOn (v); }

void qDelaySyncCS::setFilterOnLeft (float v)   { filterOnLeft = isOn (v);  settingsDirty = true; }
void qDelaySyncCS::setFilterOnRight (float v)  { filterOnRight = isOn (v); settingsDirty = true; }
void qDelaySyncCS::setFilterLPLeft (float v)   { filterLPLeft = isOn (v);  settingsDirty = true; }
void qDelaySyncCS::setFilterLPRight (float v)  { filterLPRight = isOn (v); settingsDirty = true; }
void qDelaySyncCS::setFilterHPLeft (float v)   { filterHPLeft = isOn (v);  settingsDirty = true; }
void qDelaySyncCS::setFilterHPRight (float v)  { filterHPRight = isOn (v); settingsDirty = true; }
void qDelaySyncCS::setFilterBPLeft (float v)   { filterBPLeft = isOn (v);  settingsDirty = true; }
void qDelaySyncCS::setFilterBPRight (float v)  { filterBPRight = isOn (v); settingsDirty = true; }

namespace
{
    template <typename LP, typename HP, typename BP>
    void setLineFrequency (float v, LP& lowPass, HP& highPass, BP& bandPass)
    {
        v = finiteOrZero (v);
        // The low-pass runs the other way: it closes as the control rises.
        lowPass.setFrequency (noteToFrequency (static_cast<float> (static_cast<double> (1.0f - v) * 127.0)));
        const float upward = noteToFrequency (static_cast<float> (static_cast<double> (v) * 127.0));
        highPass.setFrequency (upward);
        bandPass.setFrequency (upward);
    }

    template <typename LP, typename HP, typename BP>
    void setLineResonance (float v, LP& lowPass, HP& highPass, BP& bandPass)
    {
        const float r = static_cast<float> (static_cast<double> (limitResonanceControl (v)) * 0.95);
        lowPass.setResonance (r);
        highPass.setResonance (r);
        bandPass.setResonance (r);
    }
}

void qDelaySyncCS::setFilterFreqLeft (float v)
{
    setLineFrequency (v, lowPassLeft, highPassLeft, bandPassLeft);
    settingsDirty = true;
}

void qDelaySyncCS::setFilterFreqRight (float v)
{
    setLineFrequency (v, lowPassRight, highPassRight, bandPassRight);
    settingsDirty = true;
}

void qDelaySyncCS::setFilterResLeft (float v)
{
    setLineResonance (v, lowPassLeft, highPassLeft, bandPassLeft);
    settingsDirty = true;
}

void qDelaySyncCS::setFilterResRight (float v)
{
    setLineResonance (v, lowPassRight, highPassRight, bandPassRight);
    settingsDirty = true;
}

void qDelaySyncCS::setPanLeft (float p)   { panLeft = finiteOrZero (p);  settingsDirty = true; }
void qDelaySyncCS::setPanRight (float p)  { panRight = finiteOrZero (p); settingsDirty = true; }

void qDelaySyncCS::prepare() noexcept
{
    settingsDirty = false;
}

float* qDelaySyncCS::processFrame (float* frame, int)
{
    return processFrames (frame, 1);
}

float* qDelaySyncCS::processFrames (float* frames, int numFrames)
{
    if (bypassed)
        return frames;

    // Plain version; replaced by the side-by-side kernel.
    for (int i = 0; i < numFrames; ++i)
    {
        float l = frames[2 * i], r = frames[2 * i + 1];
        l = combLeft.processSample (preDelayLeft.processSample (l));
        r = combRight.processSample (preDelayRight.processSample (r));
        if (filterOnLeft)
        {
            if (filterLPLeft) l = lowPassLeft.processSample (l);
            if (filterHPLeft) l = highPassLeft.processSample (l);
            if (filterBPLeft) l = bandPassLeft.processSample (l);
        }
        if (filterOnRight)
        {
            if (filterLPRight) r = lowPassRight.processSample (r);
            if (filterHPRight) r = highPassRight.processSample (r);
            if (filterBPRight) r = bandPassRight.processSample (r);
        }
        const float a0 = (1.0f - panLeft) * l, a1 = panLeft * l;
        const float q = 1.0f - panRight;
        const float b0 = (1.0f - q) * r, b1 = q * r;
        frames[2 * i] = b0 + a0;
        frames[2 * i + 1] = b1 + a1;
    }
    return frames;
}
