#include "tests/windows/ModuleScenario.h"
#include <cstdio>
#include <string>
#include <vector>

using namespace vst;

namespace
{
    constexpr int blockSize = 512;
    constexpr float sampleRate = 44100.0f;

    VstTimeInfo timeInfo {};
    int automateCalls = 0;

    /** Input from integer arithmetic and exact float operations only: the
        platforms' maths libraries must not differ in what goes in. */
    struct InputGenerator
    {
        uint32_t seed = 12345;
        int64_t n = 0;

        float noise()
        {
            seed = seed * 1664525u + 1013904223u;
            return (float) ((int32_t) (seed >> 8) - (1 << 23)) / (float) (1 << 23);
        }

        void fill (float* left, float* right, int count)
        {
            for (int i = 0; i < count; ++i, ++n)
            {
                // Bursts of a saw and noise, then silence in which the echoes
                // and the filters ring out towards the denormal range.
                const bool sounding = (n % 22050) < 6000;
                const float saw = (float) (n % 101) / 50.0f - 1.0f;
                left[i] = sounding ? 0.4f * saw + 0.1f * noise() : 0.0f;
                right[i] = sounding ? 0.3f * noise() : 0.0f;
            }
        }
    };

    std::string field (const char* name, double v)
    {
        char text[96];
        std::snprintf (text, sizeof (text), "%s=%.17g", name, v);
        return text;
    }
}

intptr_t QV_VSTCALL ModuleScenario::hostCallback (AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    switch (opcode)
    {
        case audioMasterVersion:  return kVstVersion;
        case audioMasterGetTime:  return (intptr_t) &timeInfo;
        case audioMasterAutomate: ++automateCalls; return 0;
        default:                  return 0;
    }
}

void ModuleScenario::run (AEffect* effect, ScenarioTranscript& out)
{
    const auto d = [effect] (int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return effect->dispatcher (effect, opcode, index, value, ptr, opt);
    };

    const auto text = [&] (int32_t opcode, int32_t index = 0)
    {
        char buffer[256] = {};
        const auto answer = d (opcode, index, 0, buffer);
        return std::to_string ((long long) answer) + " " + buffer;
    };

    const auto recordParameters = [&] (const std::string& section)
    {
        for (int i = 0; i < effect->numParams; ++i)
            out.appendText (section, std::to_string (i) + " " + text (effGetParamName, i) + " | " + text (effGetParamDisplay, i)
                                         + " | " + field ("value", effect->getParameter (effect, i)));
    };

    const auto recordChunk = [&] (const std::string& section, int32_t onlyProgram)
    {
        void* data = nullptr;
        const auto size = d (effGetChunk, onlyProgram, 0, &data);
        out.append (section, data, data != nullptr && size > 0 ? (size_t) size : 0);
        return std::string (static_cast<const char*> (data), data != nullptr && size > 0 ? (size_t) size : 0);
    };

    std::vector<float> inL (blockSize), inR (blockSize), outL (blockSize), outR (blockSize);
    InputGenerator input;
    double samplePos = 0.0;

    const auto render = [&] (const std::string& section, int blocks, double tempo, int firstBlock,
                             void (*atBlock) (AEffect*, int))
    {
        for (int b = 0; b < blocks; ++b)
        {
            if (atBlock != nullptr)
                atBlock (effect, firstBlock + b);

            timeInfo.samplePos = samplePos;
            timeInfo.sampleRate = sampleRate;
            timeInfo.tempo = tempo;
            timeInfo.ppqPos = samplePos / sampleRate * tempo / 60.0;
            timeInfo.barStartPos = 4.0 * (double) (int) (timeInfo.ppqPos / 4.0);
            timeInfo.timeSigNumerator = 4;
            timeInfo.timeSigDenominator = 4;
            timeInfo.flags = kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;

            input.fill (inL.data(), inR.data(), blockSize);
            float* ins[2] = { inL.data(), inR.data() };
            float* outs[2] = { outL.data(), outR.data() };
            effect->processReplacing (effect, ins, outs, blockSize);
            out.appendAudio (section + " left", outL.data(), outL.size());
            out.appendAudio (section + " right", outR.data(), outR.size());
            samplePos += blockSize;
        }
    };

    out.appendText ("record", field ("numPrograms", effect->numPrograms) + " " + field ("numParams", effect->numParams)
                                  + " " + field ("flags", effect->flags) + " " + field ("uniqueID", effect->uniqueID)
                                  + " " + field ("version", effect->version) + " " + field ("initialDelay", effect->initialDelay));
    d (effOpen);
    d (effSetSampleRate, 0, 0, nullptr, sampleRate);
    d (effSetBlockSize, 0, blockSize);

    for (const int32_t op : { effGetEffectName, effGetVendorString, effGetProductString })
        out.appendText ("texts", text (op));
    for (const int32_t op : { effGetVendorVersion, effGetVstVersion, effGetPlugCategory, effGetProgram })
        out.appendText ("texts", std::to_string ((long long) d (op)));
    for (int p = 0; p < effect->numPrograms; ++p)
        out.appendText ("program names", text (effGetProgramNameIndexed, p));

    recordParameters ("parameters at start");
    const std::string defaultBank = recordChunk ("bank chunk at start", 0);
    recordChunk ("program chunk at start", 1);

    // Tempo-synced delays with ping-pong, both filter chains, pans and mixes
    // away from the defaults, including values whose texts round halfway.
    const std::pair<int, float> settings[] = {
        { 9, 1.0f }, { 12, 0.37f }, { 13, 0.61f }, { 14, 0.7f }, { 15, 0.55f }, { 6, 1.0f },
        { 18, 1.0f }, { 19, 1.0f }, { 26, 0.43f }, { 27, 0.8f }, { 22, 1.0f }, { 24, 1.0f },
        { 28, 0.3f }, { 29, 0.65f }, { 16, 0.2f }, { 17, 0.9f }, { 30, 0.6f }, { 31, 0.45f },
        { 32, 0.75f }, { 7, 0.125f }, { 8, 0.0625f }, { 33, 0.333333f },
    };
    for (auto& s : settings)
        effect->setParameter (effect, s.first, s.second);
    recordParameters ("parameters after settings");

    d (effMainsChanged, 0, 1);
    render ("render synced", 120, 128.0, 0, [] (AEffect* e, int block)
    {
        if (block == 40)  e->setParameter (e, 14, 0.92f);    // automation while playing
        if (block == 80)  e->setParameter (e, 11, 1.0f);     // dotted
    });
    render ("render tempo change", 60, 93.5, 120, [] (AEffect* e, int block)
    {
        if (block == 150) e->setParameter (e, 10, 1.0f);     // triplet
    });

    d (effSetProgram, 0, 3);
    out.appendText ("texts", text (effGetProgramName) + " " + std::to_string ((long long) d (effGetProgram)));
    effect->setParameter (effect, 12, 0.21f);
    effect->setParameter (effect, 9, 0.0f);                 // free delay time
    effect->setParameter (effect, 19, 0.0f);
    effect->setParameter (effect, 21, 1.0f);                // band-pass on the left
    render ("render program 3", 60, 93.5, 180, nullptr);
    d (effMainsChanged, 0, 0);

    recordParameters ("parameters after render");
    recordChunk ("bank chunk after render", 0);
    const std::string program = recordChunk ("program chunk after render", 1);

    // Restoring the first bank, then the program chunk on top, and rendering
    // again from the restored state.
    d (effSetChunk, 0, (intptr_t) defaultBank.size(), const_cast<char*> (defaultBank.data()));
    recordParameters ("parameters after bank restore");
    recordChunk ("bank chunk after restore", 0);
    d (effSetChunk, 1, (intptr_t) program.size(), const_cast<char*> (program.data()));
    recordParameters ("parameters after program restore");

    d (effMainsChanged, 0, 1);
    render ("render restored", 40, 128.0, 240, nullptr);
    d (effMainsChanged, 0, 0);

    out.appendText ("texts", "automate calls " + std::to_string (automateCalls));
    out.appendText ("texts", "close " + std::to_string ((long long) d (effClose)));
}
