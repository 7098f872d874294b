#pragma once

#include "dsp/qEffect.h"

// Common body of the two-pole filters: one direct-form difference equation,
// one frequency-to-angle step; the subclasses only form the six coefficients.
// Coefficients change only through setFrequency / setResonance and never
// touch the history, so switching a filter out and back in resumes it.
class qFilter2p : public qEffect
{
public:
    ~qFilter2p() override;

    float processSample (float x) override;

    void setFrequency (float hz);      // stored unlimited; limited when used
    void setResonance (float amount);  // 0 ... 0.95 from the engine
    void computeCoefficients();

    float getFrequency() const noexcept  { return frequency; }
    float getResonance() const noexcept  { return resonance; }

    struct Coefficients { float a0, a1, a2, b0, b1, b2; };
    Coefficients getCoefficients() const noexcept { return { a0, a1, a2, b0, b1, b2 }; }

    struct History { float x1, x2, y1, y2; };
    History getHistory() const noexcept { return { x1, x2, y1, y2 }; }

protected:
    qFilter2p() = default;

    // Fills a0 ... b2 from the cosine and sine of the angle and alpha.
    virtual void formCoefficients (float cosw, float sinw, float alpha) = 0;

    float frequency = 0.0f;
    float resonance = 0.0f;
    float x1 = 0.0f, x2 = 0.0f, y1 = 0.0f, y2 = 0.0f;
    float a0 = 0.0f, a1 = 0.0f, a2 = 0.0f;
    float b0 = 0.0f, b1 = 0.0f, b2 = 0.0f;
};
