#include <gtest/gtest.h>
#include "processor/DemoJuceFilter.h"
#include "tests/support/MessagePump.h"
#include <clocale>
#include <string>
#include <vector>

using namespace ParameterTable;

namespace
{
std::string documentOf (const juce::MemoryBlock& chunk)
{
    const auto* b = static_cast<const uint8_t*> (chunk.getData());
    const uint32_t n = (uint32_t) b[4] | ((uint32_t) b[5] << 8) | ((uint32_t) b[6] << 16) | ((uint32_t) b[7] << 24);
    return std::string (reinterpret_cast<const char*> (b + 8), n);
}

std::vector<uint8_t> envelope (const std::string& text, uint32_t declaredLength)
{
    std::vector<uint8_t> bytes = { 0x56, 0x43, 0x32, 0x21 };
    for (int i = 0; i < 4; ++i)
        bytes.push_back ((uint8_t) (declaredLength >> (8 * i)));
    bytes.insert (bytes.end(), text.begin(), text.end());
    bytes.push_back (0);
    bytes.push_back (0);
    return bytes;
}

std::vector<uint8_t> envelope (const std::string& text) { return envelope (text, (uint32_t) text.size()); }

std::vector<uint8_t> bytesOf (const juce::MemoryBlock& block)
{
    const auto* b = static_cast<const uint8_t*> (block.getData());
    return { b, b + block.getSize() };
}

class StateChunks : public ::testing::Test
{
protected:
    void setProgram (const std::vector<uint8_t>& bytes) { filter.setProgramState (bytes.data(), (int) bytes.size()); }
    void setBank (const std::vector<uint8_t>& bytes)    { filter.setState (bytes.data(), (int) bytes.size()); }

    std::vector<uint8_t> programChunk() { juce::MemoryBlock b; filter.getProgramState (b); return bytesOf (b); }
    std::vector<uint8_t> bankChunk()    { juce::MemoryBlock b; filter.getState (b); return bytesOf (b); }

    juce::ScopedJuceInitialiser_GUI juce;
    DemoJuceFilter filter;
};

TEST_F (StateChunks, NewInstanceWritesTheExactProgramDocument)
{
    const std::string expected =
        "<QV-DELAY_TX_PRESET Version=\"1.1.0\" fOnButton=\"1\" fLeftSelButton=\"0\" fRightSelButton=\"0\""
        " fStereoSelButton=\"1\" fStereoModeButton=\"1\" fLinkModeButton=\"0\" fPingPongModeButton=\"0\""
        " fPreDelayLeft=\"0\" fPreDelayRight=\"0\" fDelaySyncButton=\"0\" fDelayTripletButton=\"0\""
        " fDelayDotButton=\"0\" fDelayLeft=\"0\" fDelayRight=\"0\" fFeedbackLeft=\"0\" fFeedbackRight=\"0\""
        " fPanLeft=\"0\" fPanRight=\"0\" fFilterOnButton=\"1\" fFilterLPButton=\"1\" fFilterHPButton=\"0\""
        " fFilterBPButton=\"0\" fFilterOnButtonB=\"1\" fFilterLPButtonB=\"1\" fFilterHPButtonB=\"0\""
        " fFilterBPButtonB=\"0\" fFilterFreqLeft=\"0\" fFilterResLeft=\"0\" fFilterFreqRight=\"0\""
        " fFilterResRight=\"0\" fMixLeft=\"0.5\" fMixRight=\"0.5\" fOutputLeft=\"0.5\" fOutputRight=\"0.5\""
        " fVolDb=\"0\" fMix=\"0.5\" programName=\"Default\"/>";

    const auto chunk = programChunk();
    ASSERT_EQ (chunk.size(), expected.size() + 10);
    EXPECT_EQ (std::vector<uint8_t> (chunk.begin(), chunk.begin() + 4), (std::vector<uint8_t> { 0x56, 0x43, 0x32, 0x21 }));
    EXPECT_EQ (std::string (chunk.begin() + 8, chunk.begin() + 8 + (long) expected.size()), expected);
    EXPECT_EQ (chunk[8 + expected.size()], 0);

    juce::MemoryBlock block (chunk.data(), chunk.size());
    EXPECT_EQ (documentOf (block), expected);
}

TEST_F (StateChunks, BankDocumentListsEveryProgramInOrder)
{
    filter.renameProgram (127, "Last");
    juce::MemoryBlock block;
    filter.getState (block);
    const auto text = documentOf (block);

    EXPECT_EQ (text.rfind ("<QV-DELAY_TX_BANK Version=\"1.1.0\" fOnButton0=\"1\" fLeftSelButton0=\"0\"", 0), 0u);
    EXPECT_NE (text.find ("fMix0=\"0.5\" ProgramName0=\"Default\" fOnButton1=\"1\""), std::string::npos);
    const std::string ending = "fVolDb127=\"0\" fMix127=\"0.5\" ProgramName127=\"Last\"/>";
    EXPECT_EQ (text.substr (text.size() - ending.size()), ending);
    EXPECT_EQ (std::count (text.begin(), text.end(), '='), 1 + 128 * 37);
}

TEST_F (StateChunks, ValuesAndNamesSurviveARoundTripBitForBit)
{
    filter.setParameter (fDelayLeft, 0.3f);
    filter.setParameter (fFeedbackLeft, 1.0f / 3.0f);
    filter.setParameter (fPanRight, 1.5f);
    filter.setParameter (fOutputLeft, 1.0e-7f);
    filter.renameProgram (0, juce::String::fromUTF8 ("Tab\tQuote\" <amp&> caf\xc3\xa9\nline"));

    const auto preset = programChunk();
    const auto doc = std::string (preset.begin() + 8, preset.end() - 2);
    EXPECT_NE (doc.find ("fDelayLeft=\"0.300000012\""), std::string::npos);
    EXPECT_NE (doc.find ("programName=\"Tab&#9;Quote&quot; &lt;amp&amp;&gt; caf&#233;&#10;line\""), std::string::npos);
    for (unsigned char c : doc)
        EXPECT_LT (c, 128);

    DemoJuceFilter other;
    other.setProgramState (preset.data(), (int) preset.size());
    EXPECT_EQ (other.getParameter (fDelayLeft), 0.3f);
    EXPECT_EQ (other.getParameter (fFeedbackLeft), 1.0f / 3.0f);
    EXPECT_EQ (other.getParameter (fOutputLeft), 1.0e-7f);
    EXPECT_EQ (other.getCurrentProgramName(), filter.getCurrentProgramName());

    juce::MemoryBlock again;
    other.getProgramState (again);
    EXPECT_EQ (bytesOf (again), preset);

    const auto bank = bankChunk();
    DemoJuceFilter third;
    third.setState (bank.data(), (int) bank.size());
    juce::MemoryBlock bankAgain;
    third.getState (bankAgain);
    EXPECT_EQ (bytesOf (bankAgain), bank);
}

TEST_F (StateChunks, ProgramChunkFallsBackToCurrentValuesForMissingAttributes)
{
    filter.setParameter (fFeedbackLeft, 0.4f);
    filter.renameProgram (0, "Kept");
    qvtest::pumpMessages();
    qvtest::ChangeCounter changes (filter);

    setProgram (envelope ("<QV-DELAY_TX_PRESET fDelayLeft=\"0.25\"/>"));
    qvtest::pumpMessages();

    EXPECT_EQ (changes.count, 1);
    EXPECT_EQ (filter.getParameter (fDelayLeft), 0.25f);
    EXPECT_EQ (filter.getParameter (fFeedbackLeft), 0.4f);
    EXPECT_EQ (filter.getCurrentProgramName(), "Kept");

    filter.setCurrentProgram (1);
    filter.setCurrentProgram (0);
    EXPECT_EQ (filter.getParameter (fDelayLeft), 0.25f);   // stored in the current program's record too
}

TEST_F (StateChunks, TagAndAttributeNamesMatchWithoutRegardToCase)
{
    setProgram (envelope ("<qv-delay_tx_preset FDELAYLEFT=\"0.5\" ProgramName=\"Upper\"/>"));
    EXPECT_EQ (filter.getParameter (fDelayLeft), 0.5f);
    EXPECT_EQ (filter.getCurrentProgramName(), "Upper");
}

TEST_F (StateChunks, NumbersAreReadLikeStrtodWhateverTheLocale)
{
    const char* previous = std::setlocale (LC_NUMERIC, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    const bool haveCommaLocale = std::setlocale (LC_NUMERIC, "de_DE.UTF-8") != nullptr;

    setProgram (envelope ("<QV-DELAY_TX_PRESET fDelayLeft=\"abc\" fDelayRight=\"  0.75xyz\" fPanLeft=\"1e-3\""
                          " fPanRight=\"-2\" fMixLeft=\"\" fFeedbackLeft=\"1e300\"/>"));
    EXPECT_EQ (filter.getParameter (fDelayLeft), 0.0f);
    EXPECT_EQ (filter.getParameter (fDelayRight), 0.75f);
    EXPECT_EQ (filter.getParameter (fPanLeft), 0.001f);
    EXPECT_EQ (filter.getParameter (fPanRight), -2.0f);
    EXPECT_EQ (filter.getParameter (fMixLeft), 0.0f);
    EXPECT_TRUE (std::isinf (filter.getParameter (fFeedbackLeft)));

    filter.setParameter (fDelayLeft, 0.5f);
    EXPECT_NE (documentOf ([this] { juce::MemoryBlock b; filter.getProgramState (b); return b; }()).find ("fDelayLeft=\"0.5\""),
               std::string::npos);

    std::setlocale (LC_NUMERIC, saved.c_str());
    if (! haveCommaLocale)
        GTEST_LOG_ (INFO) << "de_DE.UTF-8 not installed; ran in the C locale only";
}

TEST_F (StateChunks, BankLoadChangesOnlyTheRecords)
{
    filter.setParameter (fDelayLeft, 0.9f);
    filter.renameProgram (0, "Current");
    const std::string bank = "<QV-DELAY_TX_BANK Version=\"1.1.0\" fDelayLeft0=\"0.1\" fDelayLeft5=\"0.2\" ProgramName5=\"Five\"/>";
    qvtest::pumpMessages();
    qvtest::ChangeCounter changes (filter);

    setBank (envelope (bank));
    qvtest::pumpMessages();

    EXPECT_EQ (changes.count, 1);
    EXPECT_EQ (filter.getParameter (fDelayLeft), 0.9f);       // the sound stays until a program is chosen
    EXPECT_EQ (filter.getCurrentProgram(), 0);
    EXPECT_EQ (filter.getProgramName (5), "Five");
    EXPECT_EQ (filter.getProgramName (7), "Current");         // missing names take the current name

    filter.setCurrentProgram (0);
    EXPECT_EQ (filter.getParameter (fDelayLeft), 0.1f);
    filter.setCurrentProgram (7);
    EXPECT_EQ (filter.getParameter (fDelayLeft), 0.9f);       // missing values took the current value
    filter.setCurrentProgram (5);
    EXPECT_EQ (filter.getParameter (fDelayLeft), 0.2f);
}

TEST_F (StateChunks, LengthFieldBeyondTheDataReadsOnlyThePresentBytes)
{
    auto bytes = envelope ("<QV-DELAY_TX_PRESET fDelayLeft=\"0.125\"/>", 0x7fffffff);
    bytes.resize (bytes.size() - 2);   // no terminating zero either
    setProgram (bytes);
    EXPECT_EQ (filter.getParameter (fDelayLeft), 0.125f);
}

struct BadChunk { const char* what; std::vector<uint8_t> bytes; bool asBank; };

std::vector<BadChunk> badChunks()
{
    const std::string good = "<QV-DELAY_TX_PRESET fDelayLeft=\"0.5\"/>";
    auto wrongMagic = envelope (good);
    wrongMagic[0] ^= 1;
    auto eightBytes = envelope (good);
    eightBytes.resize (8);
    std::string deep = "<QV-DELAY_TX_PRESET fDelayLeft=\"0.5\">";
    for (int i = 0; i < 100000; ++i) deep += "<a>";

    return {
        { "empty", {}, false },
        { "exactly eight bytes", eightBytes, false },
        { "wrong magic", wrongMagic, false },
        { "zero length", envelope (good, 0), false },
        { "text cut short", envelope (good.substr (0, 25)), false },
        { "unterminated value", envelope ("<QV-DELAY_TX_PRESET fDelayLeft=\"0.5"), false },
        { "not xml at all", envelope ("hello"), false },
        { "bank given as program", envelope ("<QV-DELAY_TX_BANK fDelayLeft0=\"0.5\"/>"), false },
        { "program given as bank", envelope (good), true },
        { "recursive entity in a doctype",
          envelope ("<!DOCTYPE x [<!ENTITY a \"&a;&a;\">]><QV-DELAY_TX_PRESET fDelayLeft=\"&a;\"/>"), false },
        { "deep nesting", envelope (deep), false },
    };
}

TEST_F (StateChunks, UnreadableChunksChangeNothingAndSendNothing)
{
    filter.setParameter (fDelayLeft, 0.75f);
    const auto programBefore = programChunk();
    const auto bankBefore = bankChunk();
    qvtest::pumpMessages();
    qvtest::ChangeCounter changes (filter);

    for (const auto& bad : badChunks())
    {
        if (bad.asBank)
            setBank (bad.bytes);
        else
            setProgram (bad.bytes);

        EXPECT_EQ (programChunk(), programBefore) << bad.what;
        EXPECT_EQ (bankChunk(), bankBefore) << bad.what;
        qvtest::pumpMessages();
        EXPECT_EQ (changes.count, 0) << bad.what;
    }

    filter.setProgramState (nullptr, 100);
    filter.setState (programBefore.data(), -5);

    qvtest::pumpMessages();
    EXPECT_EQ (changes.count, 0);
}
}
