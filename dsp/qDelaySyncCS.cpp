#include "dsp/qDelaySyncCS.h"

#include "dsp/EngineMath.h"
#include "dsp/StereoLanes.h"

#include <cmath>
#include <cstring>

qDelaySyncCS::qDelaySyncCS()
{
    // A filter's coefficients start at zero, and a0 = 0 would fill its
    // history with NaN at the first sample. The processor sets frequency and
    // resonance before any frame, but a chain switched on without them must
    // not break the line for good: start from the stored 0 Hz (limited to
    // the bottom of the band) and resonance 0.
    qFilter2p* const filters[] = { &lowPassLeft, &lowPassRight, &highPassLeft, &highPassRight, &bandPassLeft, &bandPassRight };
    for (qFilter2p* f : filters)
        f->computeCoefficients();
}

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

    // A tempo of 0 gives an infinite time (IEEE division), which the delay
    // line turns into its longest delay.
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

    // Resonance at or past 1 makes the filters unstable, and an infinite
    // one turns their coefficients into NaN: the control is kept to its
    // 0 ... 1 range (top 1.0 -> 0.95), NaN counting as 0.
    float limitResonanceControl (float v) noexcept
    {
        if (! (v >= 0.0f))
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
    Settings& s = settings;

    s.distance[0] = preDelayLeft.getDistance();
    s.distance[1] = preDelayRight.getDistance();
    s.distance[2] = combLeft.getDelayLine().getDistance();
    s.distance[3] = combRight.getDelayLine().getDistance();
    s.feedback = { { combLeft.getFeedback(), combRight.getFeedback(), 0.0f, 0.0f } };

    // Left output = (1 - panL) * L + (1 - (1 - panR)) * R, right output =
    // panL * L + (1 - panR) * R, every factor rounded as the pan split forms
    // it: 1 - (1 - panR) is not always panR in single precision.
    const float q = 1.0f - panRight;
    s.panOwn   = { { 1.0f - panLeft, q, 0.0f, 0.0f } };
    s.panOther = { { panLeft, 1.0f - q, 0.0f, 0.0f } };

    const qFilter2p* const left[3]  = { &lowPassLeft, &highPassLeft, &bandPassLeft };
    const qFilter2p* const right[3] = { &lowPassRight, &highPassRight, &bandPassRight };
    const bool onLeft[3]  = { filterOnLeft && filterLPLeft,  filterOnLeft && filterHPLeft,  filterOnLeft && filterBPLeft };
    const bool onRight[3] = { filterOnRight && filterLPRight, filterOnRight && filterHPRight, filterOnRight && filterBPRight };

    s.stagesInUse = 0;
    s.linesDiffer = false;

    for (int type = 0; type < 3; ++type)
    {
        if (! onLeft[type] && ! onRight[type])
            continue;

        const int k = s.stagesInUse++;
        s.stageIndex[k] = type;
        s.linesDiffer = s.linesDiffer || onLeft[type] != onRight[type];

        StageSettings& st = s.single[k];
        st = {};
        const qFilter2p* const filters[2] = { left[type], right[type] };
        const bool on[2] = { onLeft[type], onRight[type] };

        for (int lane = 0; lane < 2; ++lane)
        {
            // A lane that does not run this type keeps zero coefficients:
            // its result is discarded, and zeros keep it free of NaN and
            // subnormal arithmetic.
            if (! on[lane])
                continue;

            const qFilter2p::Coefficients c = filters[lane]->getCoefficients();
            const float g = 1.0f / c.a0;
            st.negA2.v[lane] = -c.a2;
            st.a1.v[lane] = c.a1;
            st.b1.v[lane] = c.b1;
            st.g.v[lane] = g;
            st.b0G.v[lane] = c.b0 * g;
            st.b2G.v[lane] = c.b2 * g;
            const std::uint32_t allOnes = 0xffffffffu;
            std::memcpy (&st.active.v[lane], &allOnes, sizeof (float));
        }
    }

    if (s.stagesInUse >= 2)
    {
        auto join = [] (const Lanes& a, const Lanes& b) { return Lanes { { a.v[0], a.v[1], b.v[0], b.v[1] } }; };
        const StageSettings& a = s.single[0];
        const StageSettings& b = s.single[1];
        s.pair = { join (a.negA2, b.negA2), join (a.a1, b.a1), join (a.b1, b.b1), join (a.g, b.g),
                   join (a.b0G, b.b0G), join (a.b2G, b.b2G), join (a.active, b.active) };
    }
}

// One frame on its own: the settings and the running state stay in memory
// and are used from there, which for a single frame is cheaper than setting
// up the registers of a run.
template <int Stages, bool Masked>
void qDelaySyncCS::runOneFrame (float* frame) noexcept
{
    using namespace stereolanes;
    constexpr int length = qDelay::kLength;

    int w = state.writeIndex + 1;
    if (w == length)
        w = 0;
    state.writeIndex = w;

    const V bias = splat (kDenormalBias);
    float* const preL = preDelayLeft.buffer.get();
    float* const preR = preDelayRight.buffer.get();
    float* const combL = combLeft.delayLine.buffer.get();
    float* const combR = combRight.delayLine.buffer.get();
    const int* const d = settings.distance;

    storePair (preL + w, preR + w, loadPair (frame));
    V x = gatherPair (preL + wrapBack (w - d[0], length), preR + wrapBack (w - d[1], length));
    storePair (combL + w, combR + w, add (x, load (state.feedbackSample)));
    x = gatherPair (combL + wrapBack (w - d[2], length), combR + wrapBack (w - d[3], length));
    store (state.feedbackSample, add (mul (load (settings.feedback), x), bias));

    for (int k = 0; k < Stages; ++k)
    {
        const StageSettings& c = settings.single[k];
        const int type = settings.stageIndex[k];
        Stage st { load (c.negA2), load (c.a1), load (c.b1), load (c.g), load (c.b0G), load (c.b2G),
                   load (state.x1[type]), load (state.x2[type]), load (state.y1[type]), load (state.y2[type]) };
        x = Masked ? st.step (x, bias, load (c.active)) : st.step (x, bias);
        store (state.x1[type], st.x1);
        store (state.x2[type], st.x2);
        store (state.y1[type], st.y1);
        store (state.y2[type], st.y2);
    }

    storeFrame (frame, add (mul (x, load (settings.panOwn)), swapPair (mul (x, load (settings.panOther)))));
}

float* qDelaySyncCS::processFrame (float* frame, int)
{
    if (bypassed)
        return frame;

    if (settingsDirty)
        prepare();

    switch (settings.stagesInUse + (settings.linesDiffer ? 4 : 0))
    {
        case 0:      runOneFrame<0, false> (frame); break;
        case 1:      runOneFrame<1, false> (frame); break;
        case 2:      runOneFrame<2, false> (frame); break;
        case 3:      runOneFrame<3, false> (frame); break;
        case 4 + 1:  runOneFrame<1, true> (frame); break;
        case 4 + 2:  runOneFrame<2, true> (frame); break;
        default:     runOneFrame<3, true> (frame); break;
    }
    return frame;
}

// Every filter type in use runs in lanes 0 and 1 (left and right line), one
// type after the other. Used for short runs and for a single type in use.
template <int Stages, bool Masked>
void qDelaySyncCS::runSideBySide (float* frames, int numFrames) noexcept
{
    using namespace stereolanes;

    const V bias = splat (kDenormalBias);
    const V panOwn = load (settings.panOwn), panOther = load (settings.panOther);
    V feedbackSample = load (state.feedbackSample);

    Stage st[3] {};
    V active[3] {};
    for (int k = 0; k < Stages; ++k)
    {
        const StageSettings& c = settings.single[k];
        const int type = settings.stageIndex[k];
        st[k] = { load (c.negA2), load (c.a1), load (c.b1), load (c.g), load (c.b0G), load (c.b2G),
                  load (state.x1[type]), load (state.x2[type]), load (state.y1[type]), load (state.y2[type]) };
        active[k] = load (c.active);
    }

    float* const buffers[4] = { preDelayLeft.buffer.get(), preDelayRight.buffer.get(),
                                combLeft.delayLine.buffer.get(), combRight.delayLine.buffer.get() };

    runLines<qDelay::kLength> (buffers, settings.distance, state.writeIndex, load (settings.feedback), feedbackSample, bias,
                               frames, numFrames,
                               [&] (int n, V x)
                               {
                                   for (int k = 0; k < Stages; ++k)
                                       x = Masked ? st[k].step (x, bias, active[k]) : st[k].step (x, bias);

                                   // [(1-panL)*L, q*R] + [(1-q)*R, panL*L]
                                   storeFrame (frames + 2 * n, add (mul (x, panOwn), swapPair (mul (x, panOther))));
                               });

    store (state.feedbackSample, feedbackSample);
    for (int k = 0; k < Stages; ++k)
    {
        const int type = settings.stageIndex[k];
        store (state.x1[type], st[k].x1);
        store (state.x2[type], st[k].x2);
        store (state.y1[type], st[k].y1);
        store (state.y2[type], st[k].y2);
    }
}

// Two or three filter types in use. The first two share one register, the
// second one a frame behind the first: while lanes 0, 1 filter frame n,
// lanes 2, 3 filter frame n - 1 with what lanes 0, 1 gave for it one step
// earlier. A third type runs on its own in lanes 0, 1, also on frame n - 1.
// Both lines and two filter types then cost one set of vector operations,
// and the recursions of all three types overlap. Every lane still performs
// exactly the operations of its filter, so the samples are unchanged.
template <int Stages, bool Masked>
void qDelaySyncCS::runPipelined (float* frames, int numFrames) noexcept
{
    using namespace stereolanes;
    static_assert (Stages == 2 || Stages == 3, "pairs only");

    const V bias = splat (kDenormalBias);
    const V panOwn = load (settings.panOwn), panOther = load (settings.panOther);
    V feedbackSample = load (state.feedbackSample);

    const int firstType = settings.stageIndex[0], secondType = settings.stageIndex[1];
    const int thirdType = settings.stageIndex[Stages - 1];
    const StageSettings& p = settings.pair;
    Stage pair { load (p.negA2), load (p.a1), load (p.b1), load (p.g), load (p.b0G), load (p.b2G),
                 loadLowHalves (state.x1[firstType], state.x1[secondType]),
                 loadLowHalves (state.x2[firstType], state.x2[secondType]),
                 loadLowHalves (state.y1[firstType], state.y1[secondType]),
                 loadLowHalves (state.y2[firstType], state.y2[secondType]) };
    const V pairActive = load (p.active);

    Stage third {};
    V thirdActive {};
    if (Stages == 3)
    {
        const StageSettings& c = settings.single[2];
        third = { load (c.negA2), load (c.a1), load (c.b1), load (c.g), load (c.b0G), load (c.b2G),
                  load (state.x1[thirdType]), load (state.x2[thirdType]), load (state.y1[thirdType]), load (state.y2[thirdType]) };
        thirdActive = load (c.active);
    }

    // Lane halves for filling and draining the pipeline.
    const V lowLanes = halfMask (true), highLanes = halfMask (false);

    auto finish = [&] (int n, V pairOut)
    {
        V y = highHalf (pairOut);
        if (Stages == 3)
            y = Masked ? third.step (y, bias, thirdActive) : third.step (y, bias);
        storeFrame (frames + 2 * n, add (mul (y, panOwn), swapPair (mul (y, panOther))));
    };

    float* const buffers[4] = { preDelayLeft.buffer.get(), preDelayRight.buffer.get(),
                                combLeft.delayLine.buffer.get(), combRight.delayLine.buffer.get() };
    const V feedback = load (settings.feedback);
    V pairOut {};

    // Fill: frame 0 through the first type only.
    runLines<qDelay::kLength> (buffers, settings.distance, state.writeIndex, feedback, feedbackSample, bias,
                               frames, 1,
                               [&] (int, V x) { pairOut = pair.step (x, bias, bitAnd (pairActive, lowLanes)); });

    runLines<qDelay::kLength> (buffers, settings.distance, state.writeIndex, feedback, feedbackSample, bias,
                               frames + 2, numFrames - 1,
                               [&] (int n, V x)
                               {
                                   pairOut = Masked ? pair.step (joinLow (x, pairOut), bias, pairActive)
                                                    : pair.step (joinLow (x, pairOut), bias);
                                   finish (n, pairOut);    // frame n - 1, counted from `frames`
                               });

    // Drain: the last frame through the second (and third) type.
    pairOut = pair.step (joinLow (pairOut, pairOut), bias, bitAnd (pairActive, highLanes));
    finish (numFrames - 1, pairOut);

    store (state.feedbackSample, feedbackSample);
    storeHalves (state.x1[firstType], state.x1[secondType], pair.x1);
    storeHalves (state.x2[firstType], state.x2[secondType], pair.x2);
    storeHalves (state.y1[firstType], state.y1[secondType], pair.y1);
    storeHalves (state.y2[firstType], state.y2[secondType], pair.y2);
    if (Stages == 3)
    {
        store (state.x1[thirdType], third.x1);
        store (state.x2[thirdType], third.x2);
        store (state.y1[thirdType], third.y1);
        store (state.y2[thirdType], third.y2);
    }
}

float* qDelaySyncCS::processFrames (float* frames, int numFrames)
{
    if (bypassed || numFrames <= 0)
        return frames;

    if (settingsDirty)
        prepare();

    // Filling and draining the pipeline costs about two frames, so very
    // short runs go side by side.
    const bool pipelined = settings.stagesInUse >= 2 && numFrames >= 4;
    const int variant = settings.stagesInUse + (settings.linesDiffer ? 4 : 0) + (pipelined ? 8 : 0);

    switch (variant)
    {
        case 0:      runSideBySide<0, false> (frames, numFrames); break;
        case 1:      runSideBySide<1, false> (frames, numFrames); break;
        case 2:      runSideBySide<2, false> (frames, numFrames); break;
        case 3:      runSideBySide<3, false> (frames, numFrames); break;
        case 4 + 1:  runSideBySide<1, true> (frames, numFrames); break;
        case 4 + 2:  runSideBySide<2, true> (frames, numFrames); break;
        case 4 + 3:  runSideBySide<3, true> (frames, numFrames); break;
        case 8 + 2:  runPipelined<2, false> (frames, numFrames); break;
        case 8 + 3:  runPipelined<3, false> (frames, numFrames); break;
        case 12 + 2: runPipelined<2, true> (frames, numFrames); break;
        case 12 + 3: runPipelined<3, true> (frames, numFrames); break;
        default:     break;
    }
    return frames;
}
