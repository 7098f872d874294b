#include "fuzz/DispatcherFuzzHarness.h"
#include "fuzz/ChunkDocument.h"
#include "fuzz/FuzzModule.h"
#include "host/FpuGuard.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

using namespace vst;

namespace
{
    bool isEditorOpcode (int32_t opcode) noexcept
    {
        return opcode == effEditGetRect || opcode == effEditOpen || opcode == effEditClose || opcode == effEditIdle;
    }

    constexpr uint8_t canary = 0xa5;
    constexpr int32_t nonPositive[] = { -1, -4096, std::numeric_limits<int32_t>::min(), 0 };
}

DispatcherFuzzHarness::DispatcherFuzzHarness()
{
    FuzzModule::get();
}

DispatcherFuzzHarness::~DispatcherFuzzHarness() = default;

vst::AEffect* DispatcherFuzzHarness::record() const
{
    return const_cast<AEffect*> (&plugin->effect());
}

size_t DispatcherFuzzHarness::writeLimit (int32_t opcode) noexcept
{
    switch (opcode)
    {
        case effGetProgramName:
        case effGetProgramNameIndexed:  return kVstMaxProgNameLen + 1;
        case effGetParamLabel:
        case effGetParamDisplay:
        case effGetParamName:           return kVstMaxParamStrLen + 1;
        case effGetEffectName:          return kVstMaxEffectNameLen + 1;
        case effGetVendorString:        return kVstMaxVendorStrLen + 1;
        case effGetProductString:       return kVstMaxProductStrLen + 1;
        case effGetChunk:
        case effEditGetRect:
        case effGetSpeakerArrangement:  return sizeof (void*);
        default:                        return 0;
    }
}

std::string DispatcherFuzzHarness::run (const uint8_t* data, size_t size)
{
    ByteReader in (data, size);
    const double rates[] = { 44100.0, 48000.0, 96000.0, 22050.0 };
    const double rate = rates[in.u8() % 4];
    const auto hostBlockSize = (int32_t) in.below (maxFrames + 1);
    plugin = FuzzModule::openInstance (rate, hostBlockSize);
    lastChunk.clear();
    noiseState = 1;

    std::string problem;

    for (int step = 0; step < maxSteps && ! in.empty() && problem.empty(); ++step)
    {
        // Chunk round trips are rare: a whole bank costs as much as a
        // hundred other steps.
        const uint8_t kind = in.u8() % 16;
        if (kind < 8 || kind == 15) problem = dispatchStep (in);
        else if (kind < 12)         problem = processStep (in);
        else if (kind < 14)         problem = parameterStep (in);
        else                        problem = chunkStep (in);

        if (problem.empty())
            problem = checkRecord();
        if (! problem.empty())
            problem = "step " + std::to_string (step) + ": " + problem;
    }

    plugin.reset();
    return problem;
}

std::string DispatcherFuzzHarness::checkRecord() const
{
    const AEffect& e = plugin->effect();

    if (e.magic != kEffectMagic || e.numPrograms != 128 || e.numParams != 36 || e.numInputs != 2
        || e.numOutputs != 2 || e.flags != 0x31 || e.uniqueID != fourCC ('q', 'T', '0', '2')
        || e.version != 65792 || e.initialDelay != 0 || e.object == nullptr)
        return "the effect record changed";

    const auto program = plugin->dispatch (effGetProgram);
    if (program < 0 || program > 127)
        return "current program " + std::to_string (program);

    return {};
}

std::string DispatcherFuzzHarness::dispatchStep (ByteReader& in)
{
    const int32_t opcode = (int32_t) in.below (311) - 10;
    const int32_t index = in.interestingInt();
    intptr_t value = in.u8() < 160 ? (intptr_t) in.interestingInt() : (intptr_t) in.u64();
    const float opt = in.interestingFloat();
    const uint8_t pointerChoice = in.u8() % 4;

    if (isEditorOpcode (opcode))
        return {};

    if (opcode == effClose)
    {
        // The host forgets the record after effClose; a new instance takes its place.
        plugin.reset();
        plugin = FuzzModule::openInstance();
        return {};
    }

    // The buffer: canary bytes, sometimes a fuzzed text at the front, always
    // a zero byte at the end so text readers find an end within it.
    buffer.fill (canary);
    if (pointerChoice == 1)
    {
        const size_t n = in.bytes (buffer.data(), in.u8());
        if (n < buffer.size())
            buffer[n] = 0;
    }
    buffer.back() = 0;
    before = buffer;
    pointerSlot = nullptr;
    valueSlot = nullptr;

    // Opcodes that hand back a pointer get a pointer slot or the buffer;
    // every other opcode gets the buffer (or null).
    const bool handsBackPointer = opcode == effGetChunk || opcode == effGetSpeakerArrangement;
    void* ptr = nullptr;
    if (pointerChoice == 2 && handsBackPointer)
        ptr = &pointerSlot;
    else if (pointerChoice != 0)
        ptr = buffer.data();

    // Where the standard makes value a pointer too, it is null or valid.
    if (opcode == effGetSpeakerArrangement || opcode == effSetSpeakerArrangement)
        value = (value & 1) != 0 ? (intptr_t) &valueSlot : 0;

    // A chunk's size is the host's promise about the buffer.
    if (opcode == effSetChunk && ptr != nullptr)
        value = (intptr_t) ((uint64_t) value % (bufferSize + 1));

    intptr_t result;
    {
        qvhost::FpuGuard guard;
        result = record()->dispatcher (record(), opcode, index, value, ptr, opt);
    }

    if (opcode == effGetChunk && ptr != nullptr && result > 0)
    {
        void* address;
        std::memcpy (&address, ptr, sizeof (address));
        if (address == nullptr)
            return "effGetChunk answered " + std::to_string (result) + " bytes at a null address";
        lastChunk.assign (static_cast<const uint8_t*> (address), static_cast<const uint8_t*> (address) + result);
        ChunkDocument doc;
        if (const auto bad = doc.parse (lastChunk); ! bad.empty())
            return "effGetChunk handed out a chunk with " + bad;
    }

    if (ptr == buffer.data())
    {
        const size_t limit = writeLimit (opcode);

        for (size_t i = limit; i < buffer.size(); ++i)
            if (buffer[i] != before[i])
                return "opcode " + std::to_string (opcode) + " wrote byte " + std::to_string (i) + " of the host's buffer";

        const bool wrote = std::memcmp (buffer.data(), before.data(), limit) != 0;
        if (wrote && limit > sizeof (void*) && std::memchr (buffer.data(), 0, limit) == nullptr)
            return "opcode " + std::to_string (opcode) + " left a text without its zero byte";
    }

    // Parameters that do not exist have no name and no display text.
    if ((opcode == effGetParamName || opcode == effGetParamDisplay) && ptr == buffer.data()
        && (index < 0 || index > 35) && buffer[0] != 0 && buffer[0] != before[0])
        return "opcode " + std::to_string (opcode) + " wrote a text for parameter " + std::to_string (index);

    return {};
}

std::string DispatcherFuzzHarness::processStep (ByteReader& in)
{
    const uint8_t sizeChoice = in.u8();
    int32_t frames;
    if (sizeChoice < 200)      frames = (int32_t) in.below (maxFrames + 1);
    else if (sizeChoice < 225) frames = (int32_t) (in.u8() % 65);
    else if (sizeChoice < 250) frames = nonPositive[in.u8() % 4];
    else                       frames = 65536 + (int32_t) in.below (65536);   // a very large block

    // At least one sample each, so a block of no frames has samples it must not touch.
    const size_t n = frames > 0 ? (size_t) frames : 0;
    std::vector<float> inL (std::max<size_t> (n, 1)), inR (inL.size()), outL (inL.size(), 7.0f), outR (inL.size(), 7.0f);

    const uint8_t content = in.u8() % 6;
    for (size_t i = 0; i < n; ++i)
    {
        noiseState = noiseState * 1664525u + 1013904223u;
        const float noise = (float) (int32_t) noiseState / 2147483648.0f;
        float l = 0.0f, r = 0.0f;
        switch (content)
        {
            case 1: l = noise; r = -noise; break;
            case 2: l = r = (i & 1) != 0 ? 1.0f : -1.0f; break;
            case 3: l = noise * 1e-40f; r = 1e-38f; break;                           // subnormal and near it
            case 4: l = (i % 97 == 0) ? std::numeric_limits<float>::quiet_NaN() : noise;
                    r = (i % 89 == 0) ? std::numeric_limits<float>::infinity() : noise; break;
            case 5: l = noise * 1e30f; r = std::numeric_limits<float>::max(); break;
            default: break;
        }
        inL[i] = l;
        inR[i] = r;
    }

    float* inputs[2] = { inL.data(), inR.data() };
    float* outputs[2] = { outL.data(), outR.data() };
    float** ins = inputs;
    float** outs = outputs;

    switch (in.u8() % 8)
    {
        case 1: outs = ins; break;                                   // in place
        case 2: outputs[0] = inR.data(); outputs[1] = inL.data(); break;   // crossed in place
        case 3: ins = nullptr; break;
        case 4: outs = nullptr; break;
        case 5: inputs[1] = nullptr; break;
        case 6: outputs[0] = nullptr; break;
        default: break;
    }

    const bool separate = ins == inputs && outs == outputs && inputs[1] != nullptr
                          && outputs[0] == outL.data() && outputs[1] == outR.data();
    const auto inLBefore = inL, inRBefore = inR;

    {
        qvhost::FpuGuard guard;
        record()->processReplacing (record(), ins, outs, frames);
    }

    if (frames <= 0)
        return (outL[0] == 7.0f && outR[0] == 7.0f && inL[0] == 0.0f && inR[0] == 0.0f)
                   ? std::string() : "a block of " + std::to_string (frames) + " frames changed samples";

    // Separate buffers: the input is the host's and must stay as it was
    // (compared bit for bit: NaN never equals itself).
    if (separate && (std::memcmp (inL.data(), inLBefore.data(), n * sizeof (float)) != 0
                     || std::memcmp (inR.data(), inRBefore.data(), n * sizeof (float)) != 0))
        return "processReplacing wrote into its input";

    return {};
}

std::string DispatcherFuzzHarness::parameterStep (ByteReader& in)
{
    const int32_t index = in.interestingInt();
    const float v = in.interestingFloat();
    qvhost::FpuGuard guard;

    if ((in.u8() & 1) != 0)
    {
        record()->setParameter (record(), index, v);
        return {};
    }

    const float got = record()->getParameter (record(), index);
    if ((index < 0 || index > 35) && got != 0.0f)
        return "getParameter (" + std::to_string (index) + ") answered " + std::to_string (got);
    return {};
}

std::string DispatcherFuzzHarness::chunkStep (ByteReader& in)
{
    // Bit 0 or anything but both of bits 5 and 6: one program; else the bank.
    const uint8_t choice = in.u8();
    const bool programOnly = (choice & 1) != 0 || (choice & 0x60) != 0x60;

    if ((choice & 2) != 0 || lastChunk.empty())
    {
        void* address = nullptr;
        const intptr_t size = plugin->dispatch (effGetChunk, programOnly ? 1 : 0, 0, &address);
        if (size <= 0 || address == nullptr)
            return "effGetChunk handed out nothing";
        lastChunk.assign (static_cast<const uint8_t*> (address), static_cast<const uint8_t*> (address) + size);
        ChunkDocument doc;
        if (const auto bad = doc.parse (lastChunk); ! bad.empty())
            return "effGetChunk handed out a chunk with " + bad;
    }

    // Back in, possibly as the other kind, possibly with one byte changed or cut short.
    std::vector<uint8_t> chunk (lastChunk);
    if ((choice & 4) != 0 && ! chunk.empty())
    {
        const size_t position = in.u16() % chunk.size();
        chunk[position] = in.u8();
    }
    if ((choice & 8) != 0 && ! chunk.empty())
        chunk.resize (in.u16() % chunk.size());

    plugin->dispatch (effSetChunk, (choice & 16) != 0 ? 1 : 0, (intptr_t) chunk.size(), chunk.empty() ? nullptr : chunk.data());
    return {};
}
