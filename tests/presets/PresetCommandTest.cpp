// qvhost's preset paths end to end: every starter preset rendered through `render --preset`
// (echo times that match its name, a tail that dies away), the bank against the single files
// through the tool, and refusals that leave every file as it was.
#include "tests/presets/PresetTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <filesystem>

using namespace presettest;
using ::testing::HasSubstr;

namespace
{
constexpr int rate = 44100;
constexpr int clickAt = 11025;   // after the first blocks, which still run on the free times

std::string presetFile (const std::string& name) { return presetsDir() + "/" + name; }

/** The first sample after the click where the channel carries signal again: the first echo. */
long firstEcho (const std::vector<float>& channel)
{
    for (size_t i = clickAt + 1; i < channel.size(); ++i)
        if (std::abs (channel[i]) > 1e-6f)
            return (long) i - clickAt;
    return -1;
}

float peakBetween (const std::vector<float>& channel, size_t from, size_t to)
{
    float peak = 0.0f;
    for (size_t i = from; i < std::min (to, channel.size()); ++i)
        peak = std::max (peak, std::abs (channel[i]));
    return peak;
}

class PresetCommand : public ::testing::Test
{
protected:
    /** Renders a click through qvhost with these extra arguments; empty on failure. */
    Stereo renderClick (const std::vector<std::string>& extra, double seconds = 1.0)
    {
        const auto in = dir.file ("click.wav"), out = dir.file ("out.wav");
        writeClick (in, rate, (int) (seconds * rate), clickAt);
        std::vector<std::string> arguments { "render", modulePath(), in, out, "--tempo", "120" };
        arguments.insert (arguments.end(), extra.begin(), extra.end());
        const auto result = runQvhost (arguments);
        EXPECT_EQ (result.exitCode, 0) << result.err;
        if (result.exitCode != 0)
            return {};
        return readStereo (out);
    }

    TempFolder dir;
};
}

TEST_F (PresetCommand, EveryStarterPresetRendersWithTheEchoTimesItsNameSays)
{
    // First echo after the click, in seconds at 120 BPM, per output side.
    struct Case { const char* file; double left, right; };
    const Case cases[] = {
        { "01-slap-back.fxp", 0.095, 0.095 },
        { "02-dotted-eighth-ping-pong.fxp", 0.5625, 0.375 },   // right first, left half a repeat later
        { "03-dark-dub-echo.fxp", 0.5, 0.5 },                  // a quarter note
        { "04-triplet-rhythm.fxp", 1.0 / 6.0, 1.0 / 6.0 },     // an eighth-note triplet
        { "05-wide-stereo-doubler.fxp", 0.012, 0.019 },
        { "06-quarter-note-echo.fxp", 0.5, 0.5 },
        { "07-ambient-wash.fxp", 0.61, 0.61 },                 // each line partly crossed to the other side
        { "08-warm-tape-echo.fxp", 0.33, 0.33 },
        { "09-thin-radio-echo.fxp", 0.25, 0.25 },
        { "10-sixteenth-stutter.fxp", 0.125, 0.125 },
        { "11-eighth-quarter-split.fxp", 0.25, 0.5 },
        { "12-flutter-echo.fxp", 0.045, 0.045 },
    };
    ASSERT_EQ (std::size (cases), starterPrograms().size());

    for (const auto& c : cases)
    {
        const auto out = renderClick ({ "--preset", presetFile (c.file) }, 6.0);
        ASSERT_EQ (out.left.size(), (size_t) 6 * rate) << c.file;

        EXPECT_NEAR ((double) firstEcho (out.left), c.left * rate, 2.0) << c.file << " left";
        EXPECT_NEAR ((double) firstEcho (out.right), c.right * rate, 2.0) << c.file << " right";

        for (const auto* channel : { &out.left, &out.right })
        {
            EXPECT_TRUE (std::all_of (channel->begin(), channel->end(), [] (float v) { return std::isfinite (v); })) << c.file;
            // The repeats die away: 6 s on, they are far below the loudest echo.
            const float echoes = peakBetween (*channel, clickAt + 1, channel->size());
            const float end = peakBetween (*channel, channel->size() - rate / 4, channel->size());
            EXPECT_GT (echoes, 0.01f) << c.file;
            EXPECT_LT (echoes, 1.0f) << c.file;
            EXPECT_LT (end, echoes * 0.1f) << c.file;
        }
    }
}

TEST_F (PresetCommand, BankProgramRendersExactlyLikeItsFile)
{
    const auto fromBank = renderClick ({ "--preset", starterBank(), "--program", "2" });
    const auto fromFile = renderClick ({ "--preset", presetFile ("02-dotted-eighth-ping-pong.fxp") });
    ASSERT_FALSE (fromBank.left.empty());
    EXPECT_EQ (fromBank.left, fromFile.left);
    EXPECT_EQ (fromBank.right, fromFile.right);

    // Without --program the bank's current program, 0, sounds: the defaults.
    const auto bankAlone = renderClick ({ "--preset", starterBank() });
    const auto plain = renderClick ({});
    ASSERT_FALSE (plain.left.empty());
    EXPECT_EQ (bankAlone.left, plain.left);
    EXPECT_EQ (bankAlone.right, plain.right);
    EXPECT_NE (fromFile.left, plain.left);

    // A bank saved while program 3 was current brings program 3 back when it is loaded.
    const auto bank3 = dir.file ("bank3.fxb");
    ASSERT_EQ (runQvhost ({ "preset", "save", modulePath(), bank3, "--preset", starterBank(), "--program", "3" }).exitCode, 0);
    const auto fromBank3 = renderClick ({ "--preset", bank3 });
    const auto fromFile3 = renderClick ({ "--preset", presetFile ("03-dark-dub-echo.fxp") });
    ASSERT_FALSE (fromBank3.left.empty());
    EXPECT_EQ (fromBank3.left, fromFile3.left);
    EXPECT_EQ (fromBank3.right, fromFile3.right);
}

TEST_F (PresetCommand, EachProgramExportedFromTheBankIsItsFile)
{
    const auto files = starterPrograms();
    for (size_t i = 0; i < files.size(); ++i)
    {
        const auto out = dir.file ("program.fxp");
        const auto result = runQvhost ({ "preset", "save", modulePath(), out, "--preset", starterBank(), "--program",
                                         std::to_string (i + 1) });
        ASSERT_EQ (result.exitCode, 0) << result.err;
        EXPECT_EQ (readBytes (out), readBytes (files[i])) << "program " << i + 1;
    }

    const auto bank = dir.file ("bank.fxb");
    ASSERT_EQ (runQvhost ({ "preset", "save", modulePath(), bank, "--preset", starterBank() }).exitCode, 0);
    EXPECT_EQ (readBytes (bank), readBytes (starterBank()));
}

TEST_F (PresetCommand, LoadVerifiesEveryStarterFile)
{
    auto files = starterPrograms();
    files.push_back (starterBank());
    for (const auto& path : files)
    {
        const auto result = runQvhost ({ "preset", "load", modulePath(), path, "--verify" });
        EXPECT_EQ (result.exitCode, 0) << path << "\n" << result.err;
        EXPECT_THAT (result.out, HasSubstr ("saved again: identical")) << path;
    }
}

TEST_F (PresetCommand, DamagedOrForeignPresetsAreRefusedAndChangeNothing)
{
    const auto good = readBytes (presetFile ("01-slap-back.fxp"));
    struct Bad { const char* name; std::vector<uint8_t> bytes; const char* message; };
    std::vector<Bad> bads;
    {
        auto other = good;
        other[16] = 'Z', other[17] = 'M', other[18] = 'D', other[19] = 'Y';
        bads.push_back ({ "other.fxp", other, "is a preset for another plug-in (id 'ZMDY'); this module's id is 'qT02'" });
        bads.push_back ({ "cut.fxp", std::vector<uint8_t> (good.begin(), good.begin() + (long) good.size() / 2), "cut short" });
        auto magic = good;
        magic[0] = 'X';
        bads.push_back ({ "magic.fxp", magic, "not a VST preset file" });
        auto list = good;
        list[9] = 'x', list[10] = 'C', list[11] = 'k';
        bads.push_back ({ "list.fxp", list, "lists parameter values" });
    }

    TempFolder work;
    const auto in = work.file ("click.wav");
    writeClick (in, rate, rate / 2, 100);
    const std::string oldBytes = "earlier output, must survive";
    const std::vector<uint8_t> old (oldBytes.begin(), oldBytes.end());

    for (const auto& bad : bads)
    {
        const auto badPath = work.file (bad.name);
        writeBytes (badPath, bad.bytes);
        const std::vector<std::pair<std::string, std::vector<std::string>>> commands = {
            { "out.wav", { "render", modulePath(), in, work.file ("out.wav"), "--preset", badPath } },
            { "out.fxp", { "preset", "save", modulePath(), work.file ("out.fxp"), "--preset", badPath } },
            { "out.fxb", { "preset", "save", modulePath(), work.file ("out.fxb"), "--slot", "1=" + badPath } },
            { "", { "preset", "load", modulePath(), badPath } },
        };
        for (const auto& [output, arguments] : commands)
        {
            if (! output.empty())
                writeBytes (work.file (output), old);
            const auto before = work.list();
            const auto result = runQvhost (arguments);
            EXPECT_EQ (result.exitCode, 1) << bad.name << " " << arguments[0] << " " << arguments[1];
            EXPECT_THAT (result.err, HasSubstr (bad.message)) << bad.name << " " << arguments[1];
            EXPECT_EQ (std::count (result.err.begin(), result.err.end(), '\n'), 1) << "one line: " << result.err;
            if (! output.empty())
                EXPECT_EQ (readBytes (work.file (output)), old) << bad.name << " " << output;
            EXPECT_EQ (work.list(), before) << "no files left behind";
        }
    }
}

TEST_F (PresetCommand, MistakesOnTheCommandLineAreRefusedBeforeAnythingRuns)
{
    const auto in = dir.file ("click.wav");
    writeClick (in, rate, rate / 4, 10);
    const auto out = dir.file ("out.wav");
    struct Case { std::vector<std::string> arguments; int exitCode; const char* message; };
    const Case cases[] = {
        { { "render", modulePath(), in, out, "--preset", starterBank(), "--bank-chunk", starterBank() }, 2,
          "is a bank and so is --bank-chunk" },
        { { "render", modulePath(), in, out, "--preset", presetFile ("01-slap-back.fxp"), "--chunk", in }, 2,
          "is a program and so is --chunk" },
        { { "preset", "save", modulePath(), dir.file ("x.preset") }, 2, "name it .fxp (one program) or .fxb (a bank)" },
        { { "preset", "save", modulePath(), dir.file ("x.fxp"), "--slot", "1=" + presetFile ("01-slap-back.fxp") }, 2,
          "--slot builds a bank" },
        { { "preset", "save", modulePath(), dir.file ("x.fxb"), "--slot", "1=" + starterBank() }, 1,
          "a slot takes a program preset" },
        { { "preset", "save", modulePath(), dir.file ("x.fxb"), "--slot", "128=" + presetFile ("01-slap-back.fxp") }, 1,
          "the module has programs 0 to 127" },
        { { "preset", "load", modulePath(), starterBank(), "--name", "x" }, 2, "does not go with 'preset load'" },
        { { "preset", "show", starterBank(), "--verify" }, 2, "does not go with 'preset show'" },
    };
    for (const auto& c : cases)
    {
        const auto result = runQvhost (c.arguments);
        EXPECT_EQ (result.exitCode, c.exitCode) << c.message;
        EXPECT_THAT (result.err, HasSubstr (c.message));
    }
    EXPECT_EQ (dir.list(), std::vector<std::string> { "click.wav" });
}

TEST_F (PresetCommand, ShowAndExtractReadTheFileWithoutAModule)
{
    const auto shown = runQvhost ({ "preset", "show", presetFile ("02-dotted-eighth-ping-pong.fxp") });
    ASSERT_EQ (shown.exitCode, 0) << shown.err;
    EXPECT_THAT (shown.out, HasSubstr ("program preset (FPCh), format version 1"));
    EXPECT_THAT (shown.out, HasSubstr ("'qT02'"));
    EXPECT_THAT (shown.out, HasSubstr ("\"Dotted-8th Ping-Pong\""));

    // The chunk inside is the module's own: `render --chunk` with it sounds like the preset.
    const auto chunk = dir.file ("program.chunk");
    ASSERT_EQ (runQvhost ({ "preset", "extract", presetFile ("02-dotted-eighth-ping-pong.fxp"), chunk }).exitCode, 0);
    const auto viaChunk = renderClick ({ "--chunk", chunk });
    const auto viaPreset = renderClick ({ "--preset", presetFile ("02-dotted-eighth-ping-pong.fxp") });
    ASSERT_FALSE (viaChunk.left.empty());
    EXPECT_EQ (viaChunk.left, viaPreset.left);
    EXPECT_EQ (viaChunk.right, viaPreset.right);
}
