#pragma once
#include <cstdint>

/** What the host last reported about tempo and transport. Block processing
    compares every field, so a change in any of them counts as a change. */
struct HostPosition
{
    double tempoBpm = 0.0;           // 0 when the host gives no tempo
    int32_t timeSigNumerator = 0;
    int32_t timeSigDenominator = 0;
    double timeSeconds = 0.0;
    double smpteStartSeconds = 0.0;
    double ppqPosition = 0.0;
    double barStartPpq = 0.0;
    int32_t smpteFrameRate = 0;      // the host's frame-rate code; 99 when absent
    bool playing = false;
    bool recording = false;

    /** The record a processor assumes before (or without) any host answer. */
    static HostPosition defaults() noexcept
    {
        HostPosition p;
        p.tempoBpm = 120.0;
        p.timeSigNumerator = 4;
        p.timeSigDenominator = 4;
        return p;
    }

    bool operator== (const HostPosition& o) const noexcept
    {
        return tempoBpm == o.tempoBpm && timeSigNumerator == o.timeSigNumerator
            && timeSigDenominator == o.timeSigDenominator && timeSeconds == o.timeSeconds
            && smpteStartSeconds == o.smpteStartSeconds && ppqPosition == o.ppqPosition
            && barStartPpq == o.barStartPpq && smpteFrameRate == o.smpteFrameRate
            && playing == o.playing && recording == o.recording;
    }
    bool operator!= (const HostPosition& o) const noexcept { return ! (*this == o); }
};
