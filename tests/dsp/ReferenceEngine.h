#pragma once

// The stereo engine written the plain way: one line after the other, every
// part through its own processSample, every formula where it is stated,
// nothing hoisted. qDelaySyncCS must produce exactly these bits.

#include "dsp/EngineMath.h"
#include "dsp/qBP2p.h"
#include "dsp/qComb.h"
#include "dsp/qDelay.h"
#include "dsp/qHP2p.h"
#include "dsp/qLP2p.h"

#include <cmath>

class ReferenceEngine
{
public:
    ReferenceEngine()
    {
        // Usable coefficients from the start (0 Hz, resonance 0), as the engine has.
        for (int line = 0; line < 2; ++line)
        {
            lowPass[line].computeCoefficients();
            highPass[line].computeCoefficients();
            bandPass[line].computeCoefficients();
        }
    }

    void setBypass (bool b)  { bypassed = b; }

    void setSampleRate (float rate)
    {
        if (! qEffect::isUsableSampleRate (rate))
            return;
        preDelay[0].setSampleRate (rate);  preDelay[1].setSampleRate (rate);
        comb[0].setSampleRate (rate);      comb[1].setSampleRate (rate);
        lowPass[0].setSampleRate (rate);   lowPass[1].setSampleRate (rate);
        highPass[0].setSampleRate (rate);  highPass[1].setSampleRate (rate);
        bandPass[0].setSampleRate (rate);  bandPass[1].setSampleRate (rate);
    }

    void setPreDelayLeft (float v)   { preDelay[0].setDelayTime (pingPong ? 0.5f * comb[0].getDelayTime() : v); }
    void setPreDelayRight (float v)  { preDelay[1].setDelayTime (pingPong ? 0.0f : v); }
    void setDelayLeft (float v)      { comb[0].setDelayTime (timeFor (v)); }
    void setDelayRight (float v)     { comb[1].setDelayTime (timeFor (v)); }
    void setFeedbackLeft (float g)   { comb[0].setFeedback (safeFeedback (g)); }
    void setFeedbackRight (float g)  { comb[1].setFeedback (safeFeedback (g)); }
    void setSyncAndTempo (float v, float bpm) { sync = v == 1.0f; tempo = bpm; }
    void setDotted (float v)         { dotted = v == 1.0f; }
    void setTriplet (float v)        { triplet = v == 1.0f; }
    void setPingPong (float v)       { pingPong = v == 1.0f; }
    void setFilterOnLeft (float v)   { chainOn[0] = v == 1.0f; }
    void setFilterOnRight (float v)  { chainOn[1] = v == 1.0f; }
    void setFilterLPLeft (float v)   { lpOn[0] = v == 1.0f; }
    void setFilterLPRight (float v)  { lpOn[1] = v == 1.0f; }
    void setFilterHPLeft (float v)   { hpOn[0] = v == 1.0f; }
    void setFilterHPRight (float v)  { hpOn[1] = v == 1.0f; }
    void setFilterBPLeft (float v)   { bpOn[0] = v == 1.0f; }
    void setFilterBPRight (float v)  { bpOn[1] = v == 1.0f; }
    void setFilterFreqLeft (float v)  { setFreq (0, v); }
    void setFilterFreqRight (float v) { setFreq (1, v); }
    void setFilterResLeft (float v)   { setRes (0, v); }
    void setFilterResRight (float v)  { setRes (1, v); }
    void setPanLeft (float p)        { panLeft = std::isfinite (p) ? p : 0.0f; }
    void setPanRight (float p)       { panRight = std::isfinite (p) ? p : 0.0f; }

    float* processFrame (float* frame, int)
    {
        if (bypassed)
            return frame;

        float s[2] = { frame[0], frame[1] };
        for (int line = 0; line < 2; ++line)
        {
            s[line] = preDelay[line].processSample (s[line]);
            s[line] = comb[line].processSample (s[line]);
            if (chainOn[line])
            {
                if (lpOn[line]) s[line] = lowPass[line].processSample (s[line]);
                if (hpOn[line]) s[line] = highPass[line].processSample (s[line]);
                if (bpOn[line]) s[line] = bandPass[line].processSample (s[line]);
            }
        }

        float a0, a1, b0, b1;
        splitPan (s[0], panLeft, a0, a1);
        splitPan (s[1], 1.0f - panRight, b0, b1);
        frame[0] = b0 + a0;
        frame[1] = b1 + a1;
        return frame;
    }

private:
    static void splitPan (float s, float p, float& first, float& second)
    {
        first = (1.0f - p) * s;
        second = p * s;
    }

    static float safeFeedback (float g)
    {
        if (std::isnan (g)) return 0.0f;
        return g > 1.0f ? 1.0f : (g < -1.0f ? -1.0f : g);
    }

    float timeFor (float v) const
    {
        if (! sync)
            return v;
        float x = 1.0f / static_cast<float> (syncDivisor (v));
        if (dotted)
            x = x * 1.5f;
        else if (triplet)
            x = static_cast<float> (static_cast<double> (x) * 0.6666666666666666);
        const float b = static_cast<float> (static_cast<double> (tempo) * 0.016666666666666666);
        return (4.0f / b) * x;
    }

    void setFreq (int line, float v)
    {
        if (! std::isfinite (v))
            v = 0.0f;
        lowPass[line].setFrequency (noteToFrequency (static_cast<float> (static_cast<double> (1.0f - v) * 127.0)));
        highPass[line].setFrequency (noteToFrequency (static_cast<float> (static_cast<double> (v) * 127.0)));
        bandPass[line].setFrequency (noteToFrequency (static_cast<float> (static_cast<double> (v) * 127.0)));
    }

    void setRes (int line, float v)
    {
        if (! (v >= 0.0f)) v = 0.0f;
        if (v > 1.0f) v = 1.0f;
        const float r = static_cast<float> (static_cast<double> (v) * 0.95);
        lowPass[line].setResonance (r);
        highPass[line].setResonance (r);
        bandPass[line].setResonance (r);
    }

    bool bypassed = false, sync = false, dotted = false, triplet = false, pingPong = false;
    bool chainOn[2] {}, lpOn[2] {}, hpOn[2] {}, bpOn[2] {};
    float tempo = 120.0f, panLeft = 0.0f, panRight = 0.0f;
    qDelay preDelay[2];
    qComb comb[2];
    qLP2p lowPass[2];
    qHP2p highPass[2];
    qBP2p bandPass[2];
};
