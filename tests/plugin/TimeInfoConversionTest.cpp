#include <gtest/gtest.h>
#include "plugin/JuceVSTWrapper.h"

using namespace vst;

namespace
{
VstTimeInfo info (int32_t flags)
{
    VstTimeInfo t {};
    t.sampleRate = 48000.0;
    t.samplePos = 96000.0;
    t.tempo = 133.0;
    t.ppqPos = 17.5;
    t.barStartPos = 16.0;
    t.timeSigNumerator = 7;
    t.timeSigDenominator = 8;
    t.smpteOffset = 80 * 25 * 3;   // three seconds at 25 fps
    t.smpteFrameRate = kVstSmpte25fps;
    t.flags = flags;
    return t;
}

TEST (TimeInfoConversion, CopiesWhatTheFlagsVouchFor)
{
    const auto t = info (kVstTempoValid | kVstTimeSigValid | kVstPpqPosValid | kVstBarsValid | kVstSmpteValid | kVstTransportPlaying);
    HostPosition p;
    ASSERT_TRUE (JuceVSTWrapper::convertTimeInfo (&t, p));
    EXPECT_EQ (p.tempoBpm, 133.0);
    EXPECT_EQ (p.timeSigNumerator, 7);
    EXPECT_EQ (p.timeSigDenominator, 8);
    EXPECT_EQ (p.timeSeconds, 2.0);
    EXPECT_EQ (p.ppqPosition, 17.5);
    EXPECT_EQ (p.barStartPpq, 16.0);
    EXPECT_EQ (p.smpteFrameRate, kVstSmpte25fps);
    EXPECT_EQ (p.smpteStartSeconds, 3.0);
    EXPECT_TRUE (p.playing);
    EXPECT_FALSE (p.recording);
}

TEST (TimeInfoConversion, MissingFlagsGiveTheFallbacks)
{
    const auto t = info (kVstTransportRecording);
    HostPosition p;
    ASSERT_TRUE (JuceVSTWrapper::convertTimeInfo (&t, p));
    EXPECT_EQ (p.tempoBpm, 0.0);
    EXPECT_EQ (p.timeSigNumerator, 4);
    EXPECT_EQ (p.timeSigDenominator, 4);
    EXPECT_EQ (p.ppqPosition, 0.0);
    EXPECT_EQ (p.barStartPpq, 0.0);
    EXPECT_EQ (p.smpteFrameRate, 99);
    EXPECT_EQ (p.smpteStartSeconds, 0.0);
    EXPECT_TRUE (p.recording);
    EXPECT_TRUE (p.playing);   // recording counts as playing
}

TEST (TimeInfoConversion, SmpteStartUsesTheFrameRateTable)
{
    struct Case { int32_t code; double fps; };
    for (const auto& c : { Case { 0, 24 }, Case { 1, 25 }, Case { 2, 30 }, Case { 3, 30 }, Case { 4, 30 }, Case { 5, 30 }, Case { 6, 1 } })
    {
        auto t = info (kVstSmpteValid);
        t.smpteFrameRate = c.code;
        t.smpteOffset = 8000;
        HostPosition p;
        ASSERT_TRUE (JuceVSTWrapper::convertTimeInfo (&t, p));
        EXPECT_EQ (p.smpteFrameRate, c.code);
        EXPECT_DOUBLE_EQ (p.smpteStartSeconds, 8000.0 / (80.0 * c.fps)) << c.code;
    }

    // Codes beyond the table (film and high rates) count as no SMPTE information.
    for (int32_t code : { 7, 10, 13, -1 })
    {
        auto t = info (kVstSmpteValid);
        t.smpteFrameRate = code;
        HostPosition p;
        ASSERT_TRUE (JuceVSTWrapper::convertTimeInfo (&t, p));
        EXPECT_EQ (p.smpteFrameRate, 99) << code;
        EXPECT_EQ (p.smpteStartSeconds, 0.0) << code;
    }
}

TEST (TimeInfoConversion, NoAnswerOrNoSampleRateLeavesTheRecordAlone)
{
    HostPosition p;
    p.tempoBpm = 99.0;
    EXPECT_FALSE (JuceVSTWrapper::convertTimeInfo (nullptr, p));

    for (double rate : { 0.0, -44100.0, std::nan ("") })
    {
        auto t = info (kVstTempoValid);
        t.sampleRate = rate;
        EXPECT_FALSE (JuceVSTWrapper::convertTimeInfo (&t, p));
    }
    EXPECT_EQ (p.tempoBpm, 99.0);
}
}
