#include "tests/editor/TestHost.h"
#include <cstring>

namespace
{
    TestHost::Automation recorded;
    vst::VstTimeInfo info;
    bool infoAvailable = true;

    vst::VstTimeInfo defaultTimeInfo()
    {
        vst::VstTimeInfo t;
        std::memset (&t, 0, sizeof (t));
        t.sampleRate = 44100.0;
        t.tempo = 120.0;
        t.timeSigNumerator = 4;
        t.timeSigDenominator = 4;
        t.flags = vst::kVstTempoValid | vst::kVstTimeSigValid;
        return t;
    }
}

namespace TestHost
{
intptr_t QV_VSTCALL callback (vst::AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float opt)
{
    switch (opcode)
    {
        case vst::audioMasterVersion:   return vst::kVstVersion;
        case vst::audioMasterAutomate:  recorded.emplace_back ((int) index, opt); return 0;
        case vst::audioMasterGetTime:   return infoAvailable ? reinterpret_cast<intptr_t> (&info) : 0;
        default:                        return 0;
    }
}

void reset()
{
    recorded.clear();
    info = defaultTimeInfo();
    infoAvailable = true;
}

const Automation& automation()
{
    return recorded;
}

Automation takeAutomation()
{
    Automation taken;
    taken.swap (recorded);
    return taken;
}

vst::VstTimeInfo& timeInfo()
{
    return info;
}

void setTimeInfoAvailable (bool available)
{
    infoAvailable = available;
}
}
