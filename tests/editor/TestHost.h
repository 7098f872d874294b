#pragma once
#include <utility>
#include <vector>
#include "plugin/VstAbi.h"

/** The host side of the editor tests: a plain host callback that answers the
    version request, serves a configurable time information record, and
    records every audioMasterAutomate call (index, value) in order. */
namespace TestHost
{
    using Automation = std::vector<std::pair<int, float>>;

    intptr_t QV_VSTCALL callback (vst::AEffect*, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

    /** Forgets the recorded calls and goes back to the default time information
        (120 BPM, 4/4, stopped, 44.1 kHz). */
    void reset();

    /** The automation calls since the last reset or take. */
    const Automation& automation();
    Automation takeAutomation();

    /** The record audioMasterGetTime answers with; change it freely. */
    vst::VstTimeInfo& timeInfo();

    /** With false, audioMasterGetTime answers 0 (no time information). */
    void setTimeInfoAvailable (bool available);
}
