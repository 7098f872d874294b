#pragma once
#include <juce_core/juce_core.h>
#include <atomic>
#include "processor/ParameterTable.h"

/** One of the 128 programs: 36 values and a name. The values may be written
    by the host on one thread while the audio thread reads them, so each is a
    relaxed atomic: a single 32-bit store, as before, but well-defined. */
struct ProgramRecord
{
    std::atomic<float> values[ParameterTable::numParameters];
    juce::String name { "Default" };

    ProgramRecord() noexcept
    {
        for (int i = 0; i < ParameterTable::numParameters; ++i)
            values[i].store (ParameterTable::defaults[i], std::memory_order_relaxed);
    }

    float get (int index) const noexcept            { return values[index].load (std::memory_order_relaxed); }
    void set (int index, float value) noexcept      { values[index].store (value, std::memory_order_relaxed); }
};
