#pragma once

#include "dsp/qDelay.h"

// Feedback comb: a delay line whose output, scaled by `feedback`, joins the
// input one sample later. The output is the delayed signal only.
class qComb : public qEffect
{
public:
    qComb();
    ~qComb() override;

    float processSample (float x) override;
    void setSampleRate (float newRate) override;   // also reaches the delay line

    void setDelayTime (float seconds)            { delayLine.setDelayTime (seconds); }
    float getDelayTime() const noexcept          { return delayLine.getDelayTime(); }

    // No limit: 1.0 repeats without decay.
    void setFeedback (float gain) noexcept       { feedback = gain; }
    float getFeedback() const noexcept           { return feedback; }

    float getFeedbackSample() const noexcept     { return feedbackSample; }
    const qDelay& getDelayLine() const noexcept  { return delayLine; }

private:
    friend class qDelaySyncCS;

    float feedback = 0.0f;       // callers set it before the first sample
    qDelay delayLine;
    float feedbackSample = 0.0f;
};
