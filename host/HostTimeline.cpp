#include "host/HostTimeline.h"

#include <cmath>
#include <cstring>

namespace qvhost
{

HostTimeline::HostTimeline() = default;

void HostTimeline::setTimeSignature (int32_t numerator, int32_t denominator) noexcept
{
    timeSigNumerator = numerator;
    timeSigDenominator = denominator;
}

void HostTimeline::setPlaying (bool shouldPlay) noexcept
{
    transportChanged = transportChanged || shouldPlay != playing;
    playing = shouldPlay;
}

void HostTimeline::setRecording (bool shouldRecord) noexcept
{
    transportChanged = transportChanged || shouldRecord != recording;
    recording = shouldRecord;
}

void HostTimeline::advance (int32_t frames) noexcept
{
    if (playing || recording)
        samplePosition += frames;
}

void HostTimeline::setSmpte (int32_t frameRateCode, int32_t offsetSubframes) noexcept
{
    smpteFrameRate = frameRateCode;
    smpteOffset = offsetSubframes;
}

double HostTimeline::framesPerSecond (int32_t code) noexcept
{
    switch (code)
    {
        case vst::kVstSmpte24fps:     return 24.0;
        case vst::kVstSmpte25fps:     return 25.0;
        case vst::kVstSmpte2997fps:   return 30000.0 / 1001.0;
        case vst::kVstSmpte30fps:     return 30.0;
        case vst::kVstSmpte2997dfps:  return 30000.0 / 1001.0;
        case vst::kVstSmpte30dfps:    return 30.0;
        case vst::kVstSmpte239fps:    return 24000.0 / 1001.0;
        case vst::kVstSmpte249fps:    return 25000.0 / 1001.0;
        case vst::kVstSmpte599fps:    return 60000.0 / 1001.0;
        case vst::kVstSmpte60fps:     return 60.0;
        default:                      return 0.0;  // film codes count feet, not frames per second
    }
}

const vst::VstTimeInfo* HostTimeline::query (vst::VstTimeInfo& info, intptr_t) noexcept
{
    if (! available)
        return nullptr;

    std::memset (&info, 0, sizeof (info));
    info.samplePos = samplePosition;
    info.sampleRate = sampleRate;

    int32_t flags = 0;
    if (playing || recording)
        flags |= vst::kVstTransportPlaying;
    if (recording)
        flags |= vst::kVstTransportRecording;
    if (transportChanged)
        flags |= vst::kVstTransportChanged;
    transportChanged = false;

    const bool tempoKnown = std::isfinite (tempo) && tempo > 0.0 && sampleRate > 0.0;
    const bool signatureKnown = timeSigNumerator >= 1 && timeSigDenominator >= 1;

    info.timeSigNumerator = timeSigNumerator;
    info.timeSigDenominator = timeSigDenominator;
    if (signatureKnown)
        flags |= vst::kVstTimeSigValid;

    if (tempoKnown)
    {
        info.tempo = tempo;
        info.ppqPos = samplePosition / sampleRate * tempo / 60.0;
        flags |= vst::kVstTempoValid | vst::kVstPpqPosValid;

        if (signatureKnown)
        {
            const double quartersPerBar = 4.0 * timeSigNumerator / timeSigDenominator;
            // A position a rounding error short of a bar line belongs to the new bar.
            info.barStartPos = std::floor (info.ppqPos / quartersPerBar + 1.0e-9) * quartersPerBar;
            flags |= vst::kVstBarsValid;
        }

        // MIDI clock runs at 24 per quarter note; the nearest tick may lie behind (negative).
        const double ticks = info.ppqPos * 24.0;
        const double samplesPerTick = sampleRate * 60.0 / (tempo * 24.0);
        const double toNearest = (std::round (ticks) - ticks) * samplesPerTick;
        if (std::fabs (toNearest) < 2147483647.0)
        {
            info.samplesToNextClock = (int32_t) std::lround (toNearest);
            flags |= vst::kVstClockValid;
        }
    }

    if (framesPerSecond (smpteFrameRate) > 0.0)
    {
        info.smpteFrameRate = smpteFrameRate;
        info.smpteOffset = smpteOffset;
        flags |= vst::kVstSmpteValid;
    }

    info.flags = flags & ~withheld;
    return &info;
}

} // namespace qvhost
