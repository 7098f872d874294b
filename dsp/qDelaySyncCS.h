#pragma once

#include "dsp/qBP2p.h"
#include "dsp/qComb.h"
#include "dsp/qDelay.h"
#include "dsp/qHP2p.h"
#include "dsp/qLP2p.h"

#include <cstdint>

// The complete stereo delay: two independent lines (pre-delay, feedback comb,
// switchable low-pass -> high-pass -> band-pass chain), then a pan stage that
// mixes each line into both outputs. The engine holds no dry signal.
//
// Setters take the processor's normalised 0 ... 1 control values (the tempo in
// BPM). A switch is on only for exactly 1.0. Each setter reads the other
// settings as they stand when it runs, so the order of the calls matters:
// setDelayLeft uses the sync/dotted/triplet switches and tempo already set,
// setPreDelayLeft the ping-pong switch and the left delay time already set.
// Setters never clear a delay line or a filter history.
//
// The parts keep the settings, coefficients and delay memory; the running
// state of both lines (write position, feedback terms, filter histories)
// is kept side by side so the two lines are processed together.
class qDelaySyncCS : public qEffect
{
public:
    qDelaySyncCS();
    ~qDelaySyncCS() override;

    // One interleaved stereo frame (left, right) in place; `channels` is not
    // read. Bypassed: the frame is returned unchanged and nothing advances.
    float* processFrame (float* frame, int channels) override;

    // numFrames interleaved stereo frames (L0 R0 L1 R1 ...) in place; exactly
    // the same samples and state as numFrames calls of processFrame, at about
    // half the cost per frame (the running state stays in registers).
    float* processFrames (float* frames, int numFrames);

    // Stores the rate and hands it to all ten parts. Unusable rates are
    // ignored (see qEffect::setSampleRate).
    void setSampleRate (float newRate) override;

    // v seconds; in ping-pong mode the left one takes half the left delay
    // time as it stands and the right one 0, whatever v is.
    void setPreDelayLeft (float v);
    void setPreDelayRight (float v);

    // v seconds, or in sync mode the note value syncDivisor (v) of a
    // four-beat bar at the tempo (x 1.5 dotted, else x 2/3 triplet).
    void setDelayLeft (float v);
    void setDelayRight (float v);

    // Unscaled; 1.0 repeats without decay. A gain beyond -1 ... 1 (which only
    // a damaged preset can hold) grows until the line is full of infinities
    // that nothing clears, so it is limited to that range; NaN counts as 0.
    void setFeedbackLeft (float g);
    void setFeedbackRight (float g);

    void setSyncAndTempo (float v, float bpm);
    void setDotted (float v);
    void setTriplet (float v);       // ignored while dotted is on
    void setPingPong (float v);
    void setFilterOnLeft (float v);
    void setFilterOnRight (float v);
    void setFilterLPLeft (float v);
    void setFilterLPRight (float v);
    void setFilterHPLeft (float v);
    void setFilterHPRight (float v);
    void setFilterBPLeft (float v);
    void setFilterBPRight (float v);

    // Low-pass to note (1 - v) * 127, high- and band-pass to note v * 127.
    // A value that is not finite counts as 0 (NaN would stay in the filter
    // history for good).
    void setFilterFreqLeft (float v);
    void setFilterFreqRight (float v);

    // Resonance v * 0.95 for all three filters of the line. v is kept to
    // 0 ... 1 (NaN counts as 0): beyond the top the filters turn unstable.
    void setFilterResLeft (float v);
    void setFilterResRight (float v);

    // Share of the line sent to the other side; a value that is not finite
    // counts as 0.
    void setPanLeft (float p);
    void setPanRight (float p);

    // Seconds a control value stands for as a delay time, given the sync
    // switches and tempo as they stand now (what setDelayLeft would store).
    float delayTimeFor (float v) const;

    float getDelayTimeLeft() const noexcept      { return combLeft.getDelayTime(); }
    float getDelayTimeRight() const noexcept     { return combRight.getDelayTime(); }
    float getPreDelayTimeLeft() const noexcept   { return preDelayLeft.getDelayTime(); }
    float getPreDelayTimeRight() const noexcept  { return preDelayRight.getDelayTime(); }
    float getFeedbackLeft() const noexcept       { return combLeft.getFeedback(); }
    float getFeedbackRight() const noexcept      { return combRight.getFeedback(); }
    float getTempo() const noexcept              { return tempo; }
    bool isSynced() const noexcept               { return delaySync; }
    bool isDotted() const noexcept               { return delayDotted; }
    bool isTriplet() const noexcept              { return delayTriplet; }
    bool isPingPong() const noexcept             { return pingPong; }

private:
    static bool isOn (float v) noexcept          { return v == 1.0f; }
    void prepare() noexcept;

    bool pingPong = false;
    bool delaySync = false;
    bool delayDotted = false;
    bool delayTriplet = false;
    bool filterOnLeft = false;
    bool filterOnRight = false;
    bool filterLPLeft = false;
    bool filterLPRight = false;
    bool filterHPLeft = false;
    bool filterHPRight = false;
    bool filterBPLeft = false;
    bool filterBPRight = false;
    float tempo = 120.0f;
    float panLeft = 0.0f;
    float panRight = 0.0f;

    qComb combLeft, combRight;
    qDelay preDelayLeft, preDelayRight;
    qLP2p lowPassLeft, lowPassRight;
    qHP2p highPassLeft, highPassRight;
    qBP2p bandPassLeft, bandPassRight;

    // Lane 0 is the left line, lane 1 the right one; a pair of filter types
    // that follow each other in the chain takes lanes 2 and 3 as well.
    struct alignas (16) Lanes { float v[4]; };

    struct StageSettings
    {
        Lanes negA2, a1, b1, g;     // g = 1 / a0
        Lanes b0G, b2G;             // b0 * g and b2 * g, formed in that order
        Lanes active;               // all-ones bits in lanes that run it
    };

    // Everything that stays fixed between setter calls. Only filter types
    // that at least one line runs take part, in chain order ("in use").
    struct Settings
    {
        StageSettings single[3];    // each type in use, lanes 0 and 1
        StageSettings pair;         // the first two in use, side by side
        int stageIndex[3];          // 0 low-pass, 1 high-pass, 2 band-pass
        int stagesInUse;
        bool linesDiffer;           // some type runs in one line only
        Lanes feedback;
        Lanes panOwn, panOther;     // see prepare()
        int distance[4];            // pre-delay L, R, comb L, R
    };

    // What the lines carry from frame to frame, by filter type.
    struct State
    {
        Lanes x1[3], x2[3], y1[3], y2[3];
        Lanes feedbackSample;
        int writeIndex;             // shared: all four rings advance together
    };

    template <int Stages, bool Masked>
    void runOneFrame (float* frame) noexcept;

    template <int Stages, bool Masked>
    void runSideBySide (float* frames, int numFrames) noexcept;

    template <int Stages, bool Masked>
    void runPipelined (float* frames, int numFrames) noexcept;

private:
    Settings settings {};
    State state {};
    bool settingsDirty = true;
};
