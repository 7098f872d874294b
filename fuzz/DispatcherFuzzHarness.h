#pragma once
#include "fuzz/ByteReader.h"
#include "host/PluginInstance.h"
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

/** Drives a fresh instance with a script read from fuzzed bytes: dispatcher
    calls with opcodes -10 ... 300 and any index, value and float, with
    pointers that are null or point to valid memory (a 1 KiB buffer, or a
    pointer slot where the opcode hands back a pointer), interleaved with
    processReplacing (any frame count, in-place and crossed buffers, missing
    channel arrays, awkward samples), parameter sets and gets, and chunk
    round trips.

    Besides the sanitizers' own checks, every step checks what a host can
    see: the effect record stays intact; a text opcode writes no more than
    its standard size and ends its text with a zero byte; opcodes that write
    nothing leave the buffer alone; a block of 0 or fewer frames touches no
    sample; the current program stays 0 ... 127; getParameter answers 0 for
    indices that do not exist; every chunk handed out has a sound envelope.

    The editor opcodes (13, 14, 15, 19) are left out: they open windows. */
class DispatcherFuzzHarness
{
public:
    DispatcherFuzzHarness();
    ~DispatcherFuzzHarness();

    /** Empty when every step kept the rules; otherwise what broke. */
    std::string run (const uint8_t* data, size_t size);

    static constexpr int maxSteps = 256;
    static constexpr size_t bufferSize = 1024;
    static constexpr int maxFrames = 4096;

    /** Bytes the opcode may write into the host's buffer (texts with their
        zero byte; a pointer for the opcodes that hand one back). */
    static size_t writeLimit (int32_t opcode) noexcept;

private:
    std::string dispatchStep (ByteReader& in);
    std::string processStep (ByteReader& in);
    std::string parameterStep (ByteReader& in);
    std::string chunkStep (ByteReader& in);
    std::string checkRecord() const;
    vst::AEffect* record() const;

    std::unique_ptr<qvhost::PluginInstance> plugin;
    std::array<uint8_t, bufferSize> buffer {};
    std::array<uint8_t, bufferSize> before {};
    void* pointerSlot = nullptr;
    void* valueSlot = nullptr;
    std::vector<uint8_t> lastChunk;
    uint32_t noiseState = 1;
};
