// Writes the seed corpus for both fuzzers into <folder>/chunk and
// <folder>/dispatcher: real chunks made by the module in various states, and
// scripts that walk the dispatcher through a host's usual paths.
//   qv_fuzz_corpus <folder>
#include "fuzz/ByteReader.h"
#include "fuzz/ChunkFuzzHarness.h"
#include "fuzz/FuzzModule.h"
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace vst;

namespace
{
fs::path outputFolder;

void save (const std::string& kind, const std::string& name, const std::vector<uint8_t>& bytes)
{
    fs::create_directories (outputFolder / kind);
    std::ofstream (outputFolder / kind / name, std::ios::binary).write ((const char*) bytes.data(), (std::streamsize) bytes.size());
}

void saveChunk (const std::string& name, bool programOnly, const std::vector<uint8_t>& chunk)
{
    std::vector<uint8_t> input { (uint8_t) (programOnly ? 1 : 0) };
    input.insert (input.end(), chunk.begin(), chunk.end());
    save ("chunk", name, input);
}

void makeChunks()
{
    {
        ChunkFuzzHarness harness;
        saveChunk ("baseline-program", true, harness.baselineProgramChunk());
        saveChunk ("baseline-bank", false, harness.baselineBankChunk());
    }

    auto plugin = FuzzModule::openInstance();
    saveChunk ("default-program", true, plugin->getChunk (true));
    saveChunk ("default-bank", false, plugin->getChunk (false));

    // Values a host should never send but a damaged project may hold, and
    // names that need escaping.
    const float odd[] = { 1.5f, -0.0f, 1e-40f, 0.3f, 1e30f, -2.0f, 0.999999f };
    for (int i = 0; i < 36; ++i)
        plugin->setParameter (i, odd[i % 7]);
    char name[] = "Caf\xc3\xa9 <&> \"q\"\t'x'";
    plugin->dispatch (effSetProgramName, 0, 0, name);
    saveChunk ("odd-values-program", true, plugin->getChunk (true));

    for (int p : { 1, 17, 127 })
    {
        plugin->setProgram (p);
        char other[] = "\x01\x7f\xff high & low";
        plugin->dispatch (effSetProgramName, 0, 0, other);
        plugin->setParameter (p % 36, 0.125f);
    }
    saveChunk ("odd-names-bank", false, plugin->getChunk (false));

    // The first three programs of a bank only: a full bank's form at a size
    // the short runs can afford (the rest fall back to the current values).
    {
        ChunkDocument bank;
        bank.parse (plugin->getChunk (false));
        bank.attributes.resize (1 + 3 * 37);
        saveChunk ("three-program-bank", false, bank.write());
    }

    // A bank offered as a single program (and the reverse): both refused.
    saveChunk ("bank-as-program", true, plugin->getChunk (false));
    saveChunk ("program-as-bank", false, plugin->getChunk (true));

    // Small hand-made documents: one value, lower-case tag, no name.
    ChunkDocument doc;
    doc.tag = "QV-DELAY_TX_PRESET";
    doc.attributes = { { "fDelayLeft", "0.25" } };
    saveChunk ("one-value-program", true, doc.write());
    doc.tag = "qv-delay_tx_preset";
    doc.attributes = { { "Version", "1.1.0" }, { "fFeedbackLeft", "abc" }, { "FMIXLEFT", " 7e-1x" }, { "programName", "&#233;&#10;" } };
    saveChunk ("lower-case-program", true, doc.write());
    doc.tag = "QV-DELAY_TX_BANK";
    doc.attributes = { { "Version", "1.1.0" }, { "fOnButton3", "0" }, { "programname5", "five" } };
    saveChunk ("sparse-bank", false, doc.write());
}

/** Writes bytes in the order DispatcherFuzzHarness reads them. */
struct Script
{
    std::vector<uint8_t> bytes;

    void u8 (int v) { bytes.push_back ((uint8_t) v); }
    void u16 (int v) { u8 (v & 0xff); u8 ((v >> 8) & 0xff); }
    void u32 (uint32_t v) { u16 ((int) (v & 0xffff)); u16 ((int) (v >> 16)); }
    void smallInt (int v) { u8 (v + 16 + 32); }                 // -16 ... 175
    void control (int k) { u8 (100); u8 (k); }                 // k / 255
    void floatBits (float f) { uint32_t b; std::memcpy (&b, &f, 4); u8 (255); u32 (b); }

    void start (int rateChoice, int blockSize) { u8 (rateChoice); u16 (blockSize); }

    void dispatch (int opcode, int index, int value, float opt, int pointerChoice, const std::string& text = {})
    {
        u8 (0);
        u16 (opcode + 10);
        smallInt (index);
        u8 (255); u32 ((uint32_t) value); u32 (value < 0 ? 0xffffffffu : 0u);   // value as 64 bits
        floatBits (opt);
        u8 (pointerChoice);
        if (pointerChoice == 1)
        {
            u8 ((int) text.size());
            bytes.insert (bytes.end(), text.begin(), text.end());
        }
    }

    void process (int frames, int content, int layout)
    {
        u8 (8);
        u8 (0); u16 (frames);
        u8 (content);
        u8 (layout);
    }

    void processOdd (int sizeChoice, int pick, int content, int layout)
    {
        u8 (8);
        u8 (sizeChoice);
        if (sizeChoice >= 250)
            u16 (pick);
        else
            u8 (pick);
        u8 (content);
        u8 (layout);
    }

    void setParameter (int index, float value) { u8 (12); smallInt (index); floatBits (value); u8 (1); }
    void getParameter (int index) { u8 (12); smallInt (index); u8 (0); u8 (0); }
    void chunk (int choice, int position = 0, int byte = 0, int length = 0)
    {
        u8 (14); u8 (choice);
        if (choice & 4) { u16 (position); u8 (byte); }
        if (choice & 8) u16 (length);
    }
};

void makeScripts()
{
    {
        Script s;   // a host's start: rate, block size, resume, audio, automation, suspend
        s.start (1, 512);
        s.dispatch (effSetSampleRate, 0, 0, 48000.0f, 0);
        s.dispatch (effSetBlockSize, 0, 512, 0.0f, 0);
        s.dispatch (effMainsChanged, 0, 1, 0.0f, 0);
        for (int i = 0; i < 4; ++i)
        {
            s.setParameter (12 + (i & 1), 0.1f * (float) (i + 1));
            s.setParameter (14, 0.9f);
            s.process (512, 1, 0);
        }
        s.dispatch (effMainsChanged, 0, 0, 0.0f, 0);
        s.process (64, 1, 1);
        save ("dispatcher", "host-start", s.bytes);
    }
    {
        Script s;   // programs: select, rename, names
        s.start (0, 1024);
        for (int p : { 0, 5, 127, 128, -1 })
        {
            s.dispatch (effSetProgram, 0, p, 0.0f, 0);
            s.dispatch (effSetProgramName, 0, 0, 0.0f, 1, "Name " + std::to_string (p));
            s.dispatch (effGetProgramName, 0, 0, 0.0f, 3);
            s.dispatch (effGetProgramNameIndexed, p, 0, 0.0f, 3);
            s.dispatch (effGetProgram, 0, 0, 0.0f, 0);
        }
        save ("dispatcher", "programs", s.bytes);
    }
    {
        Script s;   // every text the host can ask for, and the questions
        s.start (0, 256);
        for (int opcode : { effGetParamLabel, effGetParamDisplay, effGetParamName })
            for (int index : { 0, 7, 35, 36, -1 })
                s.dispatch (opcode, index, 0, 0.0f, 3);
        for (int opcode : { effGetEffectName, effGetVendorString, effGetProductString, effGetVendorVersion,
                            effGetVstVersion, effGetPlugCategory, effIdentify, effCanBeAutomated,
                            effGetCurrentMidiProgram, effGetTailSize, effSetTotalSampleSizeToProcess })
            s.dispatch (opcode, 0, 3, 0.0f, 3);
        for (const char* text : { "receiveVstTimeInfo", "conformsToWindowRules", "receiveVstEvents", "sizeWindow", "" })
            s.dispatch (effCanDo, 0, 0, 0.0f, 1, text);
        s.dispatch (effGetSpeakerArrangement, 0, 1, 0.0f, 2);
        s.dispatch (effSetSpeakerArrangement, 0, 1, 0.0f, 3);
        s.dispatch (effProcessEvents, 0, 0, 0.0f, 3);
        save ("dispatcher", "texts-and-questions", s.bytes);
    }
    {
        Script s;   // chunks out and back in, whole and damaged
        s.start (2, 128);
        s.setParameter (3, 0.3f);
        s.chunk (2 | 1);            // program chunk out, back in as a program
        s.chunk (0x60 | 2);         // bank out, back in as a bank
        s.chunk (0x60 | 16 | 2);    // bank out, in as a program
        s.chunk (2 | 4, 9, '<');    // one byte changed
        s.chunk (2 | 8, 0, 0, 40);  // cut short
        s.dispatch (effGetChunk, 1, 0, 0.0f, 2);
        s.dispatch (effSetChunk, 1, 200, 0.0f, 1, std::string ("VC2!\x10\0\0\0<QV-DELAY_TX_PRESET/>", 29));
        s.process (300, 1, 0);
        save ("dispatcher", "chunks", s.bytes);
    }
    {
        Script s;   // awkward blocks: none, negative, huge, in place, crossed, missing arrays
        s.start (0, 512);
        s.process (0, 1, 0);
        s.processOdd (230, 0, 1, 0);
        s.processOdd (230, 2, 1, 1);
        s.process (4096, 2, 1);
        s.process (4096, 1, 2);
        for (int layout = 3; layout <= 6; ++layout)
            s.process (256, 1, layout);
        s.process (1, 4, 0);
        s.processOdd (255, 0, 1, 1);
        save ("dispatcher", "odd-blocks", s.bytes);
    }
    {
        Script s;   // values nobody should send, then ordinary ones again
        s.start (0, 512);
        const float bad[] = { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(), 1e30f, -1e30f, 1e-40f };
        for (int i = 0; i < 36; ++i)
            s.setParameter (i, bad[i % 6]);
        s.process (512, 1, 0);
        s.setParameter (40, 0.5f);
        s.getParameter (40);
        s.getParameter (-3);
        s.dispatch (effSetSampleRate, 0, 0, 0.0f, 0);
        s.dispatch (effMainsChanged, 0, 1, 0.0f, 0);
        s.process (512, 3, 0);
        s.dispatch (effSetSampleRate, 0, 0, std::numeric_limits<float>::quiet_NaN(), 0);
        s.dispatch (effMainsChanged, 0, 0, 0.0f, 0);
        s.process (512, 5, 1);
        save ("dispatcher", "bad-values", s.bytes);
    }
    {
        Script s;   // close in the middle: the host gets a new instance
        s.start (0, 512);
        s.process (128, 1, 0);
        s.dispatch (effClose, 0, 0, 0.0f, 0);
        s.dispatch (effOpen, 0, 0, 0.0f, 0);
        s.process (128, 1, 0);
        save ("dispatcher", "close-reopen", s.bytes);
    }
}
}

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: qv_fuzz_corpus <folder>\n");
        return 2;
    }

    outputFolder = argv[1];

    try
    {
        makeChunks();
        makeScripts();
    }
    catch (const std::exception& e)
    {
        std::fprintf (stderr, "qv_fuzz_corpus: %s\n", e.what());
        return 1;
    }

    return 0;
}
