#include "plugin/AudioEffectX.h"
#include <algorithm>
#include <cstdint>
#include <cstring>

using namespace vst;

intptr_t AudioEffectX::dispatcher (int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    auto* text = static_cast<char*> (ptr);

    switch (opcode)
    {
        case effOpen:                   open(); return 0;
        case effClose:                  close(); return 0;
        case effSetProgram:             if (value >= 0 && value < numPrograms) setProgram ((int32_t) value); return 0;
        case effGetProgram:             return getProgram();
        case effSetProgramName:         if (text != nullptr) setProgramName (text); return 0;
        case effGetProgramName:         getProgramName (text); return 0;
        case effGetParamLabel:          getParameterLabel (index, text); return 0;
        case effGetParamDisplay:        getParameterDisplay (index, text); return 0;
        case effGetParamName:           getParameterName (index, text); return 0;
        case effSetSampleRate:          setSampleRate (opt); return 0;
        case effSetBlockSize:           setBlockSize ((int32_t) value); return 0;
        case effMainsChanged:           if (value != 0) resume(); else suspend(); return 0;
        case effEditGetRect:            return editGetRect (static_cast<void**> (ptr));
        case effEditOpen:               return editOpen (ptr, value);
        case effEditClose:              editClose(); return 0;
        case effEditIdle:               editIdle(); return 0;
        case effIdentify:               return fourCC ('N', 'v', 'E', 'f');
        case effGetChunk:               return getChunk (static_cast<void**> (ptr), index != 0);
        case effSetChunk:               return setChunk (ptr, (int32_t) std::min<intptr_t> (value, INT32_MAX), index != 0);
        case effCanBeAutomated:         return canParameterBeAutomated (index) ? 1 : 0;
        case effGetProgramNameIndexed:  return getProgramNameIndexed ((int32_t) value, index, text) ? 1 : 0;
        case effGetPlugCategory:        return getPlugCategory();
        case effGetEffectName:          return getEffectName (text) ? 1 : 0;
        case effGetVendorString:        return getVendorString (text) ? 1 : 0;
        case effGetProductString:       return getProductString (text) ? 1 : 0;
        case effGetVendorVersion:       return getVendorVersion();
        case effCanDo:                  return text != nullptr ? canDo (text) : 0;
        case effGetVstVersion:          return getVstVersion();
        case effGetCurrentMidiProgram:  return getCurrentMidiProgram();
        case effGetSpeakerArrangement:  getSpeakerArrangement (reinterpret_cast<void**> (value), static_cast<void**> (ptr)); return 0;
        case effSetTotalSampleSizeToProcess: return setTotalSampleToProcess (value);

        // Declined: events, bypass, offline processing, speaker set-up, MIDI
        // programs, key handling, process precision and everything unknown.
        default:                        return 0;
    }
}

void AudioEffectX::getSpeakerArrangement (void** input, void** output)
{
    if (input != nullptr)
        *input = nullptr;
    if (output != nullptr)
        *output = nullptr;
}

void AudioEffectX::copyText (char* destination, const char* text, int maxChars) noexcept
{
    if (destination == nullptr)
        return;

    size_t n = text != nullptr ? std::strlen (text) : 0;

    if (n > (size_t) maxChars)
    {
        n = (size_t) maxChars;

        // Do not leave half of a UTF-8 sequence at the end.
        while (n > 0 && (((unsigned char) text[n]) & 0xc0) == 0x80)
            --n;
    }

    if (n > 0)
        std::memcpy (destination, text, n);

    destination[n] = 0;
}
