#include "tests/plugin/ModuleFixture.h"
#include <cstring>

using namespace vst;

namespace
{
using Dispatcher = qvtest::ModuleFixture;

TEST_F (Dispatcher, ParameterNamesAreTheIdentifiersCutToEightCharacters)
{
    const char* expected[36] = { "fOnButto", "fLeftSel", "fRightSe", "fStereoS", "fStereoM", "fLinkMod", "fPingPon",
                                 "fPreDela", "fPreDela", "fDelaySy", "fDelayTr", "fDelayDo", "fDelayLe", "fDelayRi",
                                 "fFeedbac", "fFeedbac", "fPanLeft", "fPanRigh", "fFilterO", "fFilterL", "fFilterH",
                                 "fFilterB", "fFilterO", "fFilterL", "fFilterH", "fFilterB", "fFilterF", "fFilterR",
                                 "fFilterF", "fFilterR", "fMixLeft", "fMixRigh", "fOutputL", "fOutputR", "fVolDb", "fMix" };
    for (int i = 0; i < 36; ++i)
    {
        EXPECT_EQ (text (effGetParamName, i), expected[i]) << i;
        EXPECT_EQ (text (effGetParamLabel, i), "") << i;
        EXPECT_EQ (plugin->dispatch (effCanBeAutomated, i), 1) << i;
    }

    EXPECT_EQ (text (effGetParamDisplay, 32), "0.50");
    EXPECT_EQ (text (effGetParamDisplay, 0), "1.00");
    EXPECT_EQ (text (effGetParamName, 99), "");
}

TEST_F (Dispatcher, TextsNeverOverrunTheStandardsBufferSizes)
{
    plugin->setParameter (12, 123456789.0f);   // "123456792.00" would need 12 characters
    char buffer[32];
    std::memset (buffer, 0x55, sizeof (buffer));
    plugin->dispatch (effGetParamDisplay, 12, 0, buffer);
    EXPECT_EQ (std::string (buffer), "12345679");
    EXPECT_EQ ((unsigned char) buffer[9], 0x55);

    const std::string longName = "A program name much longer than twenty-four";
    char name[64] = {};
    std::memcpy (name, longName.c_str(), longName.size());
    plugin->dispatch (effSetProgramName, 0, 0, name);
    EXPECT_EQ (text (effGetProgramName), longName.substr (0, 24));

    // A host may pass null where a buffer is expected; nothing is written.
    for (int32_t opcode : { effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName,
                            effGetChunk, effGetEffectName, effGetVendorString, effGetProductString, effCanDo,
                            effGetProgramNameIndexed, effGetSpeakerArrangement, effEditGetRect })
        plugin->dispatch (opcode, 0, 0, nullptr);
}

TEST_F (Dispatcher, CanDoAnswersExactTextsOnly)
{
    struct Case { const char* text; intptr_t answer; };
    for (const auto& c : { Case { "receiveVstEvents", -1 }, Case { "receiveVstMidiEvent", -1 },
                           Case { "receiveVstMidiEvents", -1 }, Case { "sendVstEvents", -1 },
                           Case { "sendVstMidiEvent", -1 }, Case { "sendVstMidiEvents", -1 },
                           Case { "receiveVstTimeInfo", 1 }, Case { "conformsToWindowRules", 1 },
                           Case { "ReceiveVstTimeInfo", 0 }, Case { "sizeWindow", 0 }, Case { "", 0 } })
        EXPECT_EQ (plugin->canDo (c.text), c.answer) << c.text;
}

TEST_F (Dispatcher, FixedAnswersAndDeclinedOpcodes)
{
    EXPECT_EQ (plugin->dispatch (effIdentify), fourCC ('N', 'v', 'E', 'f'));
    EXPECT_EQ (plugin->dispatch (effGetCurrentMidiProgram), -1);
    EXPECT_EQ (plugin->dispatch (effSetTotalSampleSizeToProcess, 0, 4321), 4321);
    EXPECT_EQ (plugin->dispatch (effGetTailSize), 0);

    for (int32_t opcode : { 9, 16, 17, 18, 20, 21, 25, 27, 28, 30, 31, 32, 33, 34, 36, 37, 38, 39, 40, 41, 42, 43, 44,
                            46, 50, 52, 53, 54, 55, 56, 57, 59, 60, 61, 62, 64, 65, 66, 67, 68, 70, 71, 72, 74, 75, 76,
                            77, 78, 79, 80, 300, -1, -100 })
        EXPECT_EQ (plugin->dispatch (opcode, 0, 0, nullptr), 0) << opcode;

    void* arrangements[2] = { &arrangements, &arrangements };
    EXPECT_EQ (plugin->dispatch (effGetSpeakerArrangement, 0, (intptr_t) &arrangements[0], &arrangements[1]), 0);
    EXPECT_EQ (arrangements[0], nullptr);
    EXPECT_EQ (arrangements[1], nullptr);
}

TEST_F (Dispatcher, ProgramSelectionAndNames)
{
    plugin->setProgram (127);
    EXPECT_EQ (plugin->currentProgram(), 127);
    plugin->dispatch (effSetProgram, 0, 128);
    plugin->dispatch (effSetProgram, 0, -1);
    EXPECT_EQ (plugin->currentProgram(), 127);

    char name[32] = "Dotted Echo";
    plugin->dispatch (effSetProgramName, 0, 0, name);
    EXPECT_EQ (plugin->programName(), "Dotted Echo");
    EXPECT_EQ (plugin->programNameIndexed (127), std::optional<std::string> ("Dotted Echo"));
    EXPECT_EQ (plugin->programNameIndexed (0), std::optional<std::string> ("Default"));

    char untouched[32];
    std::memset (untouched, 0x55, sizeof (untouched));
    EXPECT_EQ (plugin->dispatch (effGetProgramNameIndexed, 128, 0, untouched), 0);
    EXPECT_EQ (plugin->dispatch (effGetProgramNameIndexed, -1, 0, untouched), 0);
    EXPECT_EQ ((unsigned char) untouched[0], 0x55);
}

TEST_F (Dispatcher, ParametersAreStoredAsSentAndProgramsKeepThem)
{
    plugin->setParameter (14, 0.25f);
    EXPECT_EQ (plugin->getParameter (14), 0.25f);
    EXPECT_EQ (plugin->parameterDisplay (14), "0.25");
    plugin->setProgram (1);
    EXPECT_EQ (plugin->getParameter (14), 0.0f);
    plugin->setProgram (0);
    EXPECT_EQ (plugin->getParameter (14), 0.25f);
    auto* e = const_cast<AEffect*> (&plugin->effect());
    EXPECT_EQ (e->getParameter (e, -1), 0.0f);
    EXPECT_EQ (e->getParameter (e, 36), 0.0f);
    e->setParameter (e, 36, 0.5f);
    e->setParameter (e, -1, 0.5f);
}

TEST_F (Dispatcher, ChunksTravelThroughTheChunkOpcodes)
{
    const auto fresh = plugin->getChunk (true);
    ASSERT_GT (fresh.size(), 10u);
    const std::string doc (fresh.begin() + 8, fresh.end() - 2);
    EXPECT_EQ (doc.rfind ("<QV-DELAY_TX_PRESET Version=\"1.1.0\" fOnButton=\"1\" fLeftSelButton=\"0\" fRightSelButton=\"0\"", 0), 0u);
    EXPECT_EQ (doc.substr (doc.size() - 45), "fVolDb=\"0\" fMix=\"0.5\" programName=\"Default\"/>");

    plugin->setParameter (12, 0.3f);
    const auto edited = plugin->getChunk (true);
    const auto bank = plugin->getChunk (false);

    plugin->setChunk (fresh, true);
    EXPECT_EQ (plugin->getParameter (12), 0.0f);
    plugin->setChunk (edited, true);
    EXPECT_EQ (plugin->getParameter (12), 0.3f);

    // A bank chunk given as a single program, or an empty one, changes nothing.
    plugin->setChunk (bank, true);
    plugin->setChunk ({}, true);
    EXPECT_EQ (plugin->dispatch (effSetChunk, 1, 100, nullptr), 0);
    EXPECT_EQ (plugin->getChunk (true), edited);

    auto other = std::make_unique<qvhost::PluginInstance> (module);
    other->open();
    other->setChunk (bank, false);
    other->setProgram (0);
    EXPECT_EQ (other->getParameter (12), 0.3f);
    EXPECT_EQ (other->getChunk (false), bank);
}
}
