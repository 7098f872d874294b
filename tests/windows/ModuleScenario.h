#pragma once
#include "plugin/VstAbi.h"
#include "tests/windows/ScenarioTranscript.h"

/** One fixed run of an effect instance that hosts on different platforms
    repeat call for call: the same opcodes and arguments, the same generated
    input and host time information, the same parameter automation, program
    change and chunk restore. Every answer (texts, chunks, rendered audio) is
    recorded, so two platforms' transcripts must match byte for byte. */
class ModuleScenario
{
public:
    /** The host callback to hand to the module's entry. */
    static intptr_t QV_VSTCALL hostCallback (vst::AEffect*, int32_t opcode, int32_t index, intptr_t value,
                                             void* ptr, float opt);

    /** Drives the effect through the whole run and closes it. */
    static void run (vst::AEffect* effect, ScenarioTranscript& transcript);
};
