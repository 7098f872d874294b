// qvhost render: the file pipeline (formats, rates, lengths, channels), the settings it applies
// before processing, the host time it reports, and its refusals, which never leave a file.
#include "tests/host/AudioFiles.h"
#include "tests/support/RunProcess.h"
#include "tests/host/TestModules.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cmath>
#include <filesystem>

using namespace hosttest;
using namespace qvtest;

namespace
{

bool contains (const std::string& text, const std::string& part) { return text.find (part) != std::string::npos; }

constexpr int wav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
constexpr int wavFloat = SF_FORMAT_WAV | SF_FORMAT_FLOAT;

/** An impulse of 0.5 at frame 0 on channel 0 and at frame 10 on channel 1 (if any). */
float impulse (int64_t frame, int channel) { return frame == (channel == 0 ? 0 : 10) ? 0.5f : 0.0f; }

class QvhostRender : public ::testing::Test
{
protected:
    TempFolder folder;
    const std::string probe = probePath ("probe-stereo");

    std::string input (const std::string& name, int format, int rate, int channels, int64_t frames,
                       float (*sample) (int64_t, int) = impulse)
    {
        writeAudio (folder.file (name), format, rate, channels, frames, sample);
        return folder.file (name);
    }

    ProcessResult render (const std::string& module, const std::string& in, const std::string& out,
                          std::vector<std::string> options = {})
    {
        std::vector<std::string> arguments { "render", module, in, out };
        arguments.insert (arguments.end(), options.begin(), options.end());
        return runQvhost (arguments);
    }

    /** Renders a stereo float impulse through the probe with these options; answers the output. */
    Audio probeOutput (const std::vector<std::string>& options, int64_t frames = 1024)
    {
        const auto in = input ("in.wav", wavFloat, 48000, 2, frames);
        const auto r = render (probe, in, folder.file ("out.wav"), options);
        EXPECT_EQ (r.exitCode, 0) << r.err;
        return r.exitCode == 0 ? readAudio (folder.file ("out.wav")) : Audio {};
    }
};

struct FormatCase
{
    int inFormat, rate, channels;
    const char* outName;
    std::vector<std::string> options;
    int outFormat;
    double tail;
};

TEST_F (QvhostRender, KeepsRateAddsTheTailAndWritesTheAskedFormat)
{
    const FormatCase cases[] = {
        { wav16, 44100, 1, "a.wav", {}, wavFloat, 0.0 },
        { SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 48000, 2, "b.aiff", { "--format", "24" }, SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 0.5 },
        { SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 96000, 1, "c.flac", {}, SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 0.25 },
        { wavFloat, 48000, 2, "d.FLAC", { "--format=16" }, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1.0 },
        { wav16, 22050, 2, "e.aif", { "--format", "16" }, SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 0.1 },
        { wav16, 32000, 1, "f.wav", { "--format", "float", "--block", "7" }, wavFloat, 0.0 },
        { wav16, 48000, 2, "g.aiff", {}, SF_FORMAT_AIFF | SF_FORMAT_FLOAT, 0.0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.outName);
        const int64_t frames = 1000 + c.rate / 1000;  // not a multiple of the block size
        const auto in = input ("in", c.inFormat, c.rate, c.channels, frames);
        auto options = c.options;
        options.insert (options.end(), { "--tail", std::to_string (c.tail) });
        const auto r = render (probe, in, folder.file (c.outName), options);
        ASSERT_EQ (r.exitCode, 0) << r.err;
        EXPECT_EQ (r.err, "") << "quiet when stderr is no terminal";

        const Audio out = readAudio (folder.file (c.outName));
        EXPECT_EQ (out.sampleRate, c.rate);
        EXPECT_EQ (out.format, c.outFormat);
        EXPECT_EQ (out.channels, 2) << "one channel per module output";
        EXPECT_EQ (out.frames(), frames + std::llround (c.tail * c.rate));

        // The probe passes its inputs through; a mono file feeds both inputs.
        const float tolerance = (c.outFormat & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_16 ? 1.0e-4f : 1.0e-6f;
        EXPECT_NEAR (out.at (0, 0), 0.5f, tolerance);
        EXPECT_NEAR (out.at (0, 1), c.channels == 1 ? 0.5f : 0.0f, tolerance);
        EXPECT_NEAR (out.at (10, 1), c.channels == 1 ? 0.0f : 0.5f, tolerance);
        EXPECT_NEAR (out.at (out.frames() - 1, 0), 0.0f, tolerance);
    }
}

TEST_F (QvhostRender, AppliesBankProgramChunkAndParametersInThatOrder)
{
    writeFile (folder.file ("bank.chunk"), "<PROBEBANK gain0=\"0.5\" gain1=\"0.75\"/>");
    writeFile (folder.file ("program.chunk"), "<PROBE fPreDelayLeft=\"0\" gain=\"0.125\"/>");
    const std::string bank = folder.file ("bank.chunk"), program = folder.file ("program.chunk");

    struct Case { std::vector<std::string> options; float left0; float right10; };
    const Case cases[] = {
        { {}, 0.5f, 0.5f },
        { { "--param", "gain=1" }, 1.0f, 1.0f },
        { { "--param", "2=0.25" }, 0.25f, 0.25f },
        { { "--param", "fPreDelayRight=0.25" }, 0.5f, 0.75f },          // full name: index 1 only
        { { "--param", "0=0.125", "--param", "1=-0.125" }, 0.625f, 0.375f },
        { { "--program", "1", "--bank-chunk", bank }, 0.75f, 0.75f },   // bank before program
        { { "--param", "gain=1", "--chunk", program, "--program", "1", "--bank-chunk", bank }, 1.0f, 1.0f },
        { { "--chunk", program, "--program", "1", "--bank-chunk", bank }, 0.125f, 0.125f },
    };
    for (const auto& c : cases)
    {
        std::string trace;
        for (const auto& o : c.options)
            trace += o + " ";
        SCOPED_TRACE (trace);
        const Audio out = probeOutput (c.options);
        ASSERT_EQ (out.frames(), 1024);
        EXPECT_FLOAT_EQ (out.at (0, 0), c.left0);
        EXPECT_FLOAT_EQ (out.at (10, 1), c.right10);
    }
}

TEST_F (QvhostRender, ReportsTempoSignatureAndTransportToTheModule)
{
    constexpr int playingFlag = 2;   // kVstTransportPlaying
    constexpr int tempoFlag = 0x400; // kVstTempoValid

    Audio out = probeOutput ({ "--param", "showTimeInfo=1", "--tempo", "92.5" });
    EXPECT_EQ (out.at (0, 0), 92.5f);
    EXPECT_EQ ((int) out.at (0, 1) & (playingFlag | tempoFlag), tempoFlag);

    out = probeOutput ({ "--param", "showTime=1", "--playing" });
    EXPECT_EQ (out.at (0, 0), 120.0f) << "default tempo";
    EXPECT_EQ ((int) out.at (0, 1) & playingFlag, playingFlag);

    out = probeOutput ({ "--param", "3=2", "--timesig", "7/8" });
    EXPECT_EQ (out.at (0, 0), 7.0f);
    EXPECT_EQ (out.at (0, 1), 8.0f);
    out = probeOutput ({ "--param", "3=2" });
    EXPECT_EQ (out.at (0, 0), 4.0f) << "default 4/4";

    // Sample position per block: moves by the block size while playing, stays while stopped.
    out = probeOutput ({ "--param", "3=3", "--playing", "--block", "256", "--tempo", "120" });
    EXPECT_EQ (out.at (255, 1), 0.0f);
    EXPECT_EQ (out.at (256, 1), 256.0f);
    EXPECT_EQ (out.at (1023, 1), 768.0f);
    EXPECT_FLOAT_EQ (out.at (512, 0), (float) (512.0 / 48000.0 * 2.0)) << "quarter notes at 120 BPM";
    out = probeOutput ({ "--param", "3=3", "--block", "256" });
    EXPECT_EQ (out.at (1023, 1), 0.0f);
}

TEST_F (QvhostRender, HandlesChannelCountsOrRefusesThemClearly)
{
    const auto mono = input ("mono.wav", wav16, 48000, 1, 500);
    const auto stereo = input ("stereo.wav", wav16, 48000, 2, 500);
    const auto three = input ("three.wav", wav16, 48000, 3, 500);

    auto r = render (probePath ("probe-mono-in"), mono, folder.file ("ok.wav"));
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_EQ (readAudio (folder.file ("ok.wav")).channels, 2);

    struct Case { std::string module, in, message; };
    const Case refused[] = {
        { probePath ("probe-mono-in"), stereo, "has 2 channels but the module takes 1 input: give a mono file" },
        { probe, three, "has 3 channels but the module takes 2 inputs: give a mono file or one with 2 channels" },
        { probePath ("probe-no-inputs"), mono, "no audio inputs" },
    };
    for (const auto& c : refused)
    {
        SCOPED_TRACE (c.message);
        r = render (c.module, c.in, folder.file ("refused.wav"));
        EXPECT_EQ (r.exitCode, 1);
        EXPECT_TRUE (contains (r.err, c.message)) << r.err;
        EXPECT_FALSE (fileExists (folder.file ("refused.wav")));
    }
}

struct BadRun
{
    const char* what;
    std::vector<std::string> options;
    int exitCode;
    const char* message;
};

TEST_F (QvhostRender, RefusalsGiveOneLineAndLeaveNoFile)
{
    const auto in = input ("in.wav", wav16, 48000, 2, 300);
    writeFile (folder.file ("garbage.wav"), "RIFF but not really a wave file at all");
    std::filesystem::create_directory (folder.file ("sub"));
    writeFile (folder.file ("old.wav"), "old");
    const std::string out = folder.file ("old.wav");

    const BadRun cases[] = {
        { "format", { "--format", "32" }, 2, "bad --format '32'" },
        { "float FLAC", { "--format", "float", "@flac" }, 2, "FLAC holds no float samples" },
        { "block 0", { "--block", "0" }, 2, "bad --block '0'" },
        { "block text", { "--block", "big" }, 2, "not a whole number" },
        { "block too big", { "--block", "65537" }, 2, "use 1 to 65536" },
        { "negative tempo", { "--tempo", "-5" }, 2, "bad --tempo '-5'" },
        { "tempo text", { "--tempo", "fast" }, 2, "not a number" },
        { "infinite tempo", { "--tempo", "inf" }, 2, "not a number" },
        { "signature without slash", { "--timesig", "3" }, 2, "use N/D" },
        { "signature denominator", { "--timesig", "3/5" }, 2, "bad --timesig '3/5'" },
        { "negative tail", { "--tail", "-1" }, 2, "bad --tail '-1'" },
        { "NaN tail", { "--tail", "nan" }, 2, "not a number" },
        { "param without value", { "--param", "gain" }, 2, "use NAME=VALUE" },
        { "param without name", { "--param", "=1" }, 2, "use NAME=VALUE" },
        { "param value text", { "--param", "gain=loud" }, 2, "not a number" },
        { "program text", { "--program", "two" }, 2, "not a whole number" },
        { "unknown option", { "--speed", "2" }, 2, "unknown option '--speed'" },
        { "flag with value", { "--playing=yes" }, 2, "takes no value" },
        { "unknown output type", { "@mp3" }, 2, "name it .wav, .aif, .aiff or .flac" },
        { "missing input", { "@in=none.wav" }, 1, "No such file" },
        { "garbage input", { "@in=garbage.wav" }, 1, "cannot read" },
        { "folder input", { "@in=sub" }, 1, "it is a folder" },
        { "output is a folder", { "@out=sub.wav/" }, 2, "name it" },
        { "output in a missing folder", { "@out=none/out.wav" }, 1, "cannot write" },
        { "unknown parameter", { "--param", "volume=1" }, 1, "unknown parameter 'volume'" },
        { "ambiguous parameter", { "--param", "fPreDela=1" }, 1, "ambiguous" },
        { "parameter index", { "--param", "4=1" }, 1, "out of range" },
        { "program out of range", { "--program", "2" }, 1, "program 2 is out of range" },
        { "missing chunk", { "--chunk", "none.chunk" }, 1, "cannot read" },
        { "missing bank chunk", { "--bank-chunk", "none.chunk" }, 1, "cannot read" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        std::string inPath = in, outPath = out;
        std::vector<std::string> options;
        for (const auto& o : c.options)
        {
            if (o.rfind ("@in=", 0) == 0)
                inPath = folder.file (o.substr (4));
            else if (o.rfind ("@out=", 0) == 0)
                outPath = folder.file (o.substr (5));
            else if (o[0] == '@')
                outPath = folder.file ("new." + o.substr (1));
            else
                options.push_back (o == "none.chunk" ? folder.file (o) : o);
        }
        const auto before = folder.list();
        const auto r = render (probe, inPath, outPath, options);
        EXPECT_EQ (r.signal, 0);
        EXPECT_EQ (r.exitCode, c.exitCode) << r.err;
        ASSERT_EQ (r.errorLines().size(), 1u) << r.err;
        EXPECT_TRUE (contains (r.err, "qvhost: ")) << r.err;
        EXPECT_TRUE (contains (r.err, c.message)) << r.err;
        EXPECT_EQ (folder.list(), before) << "no file made or removed";
        EXPECT_EQ (readFile (out), "old") << "an existing output stays as it was";
    }

    // The same output, rendered successfully, is replaced.
    ASSERT_EQ (render (probe, in, out).exitCode, 0);
    EXPECT_EQ (readAudio (out).frames(), 300);
}

TEST_F (QvhostRender, AWriteThatFailsHalfwayLeavesNoFile)
{
    const auto in = input ("long.wav", wav16, 48000, 2, 48000 * 4);
    const auto before = folder.list();
    // 100 kB may be written; the float output needs about 1.5 MB.
    const auto r = runProcess ("/usr/bin/prlimit", { "--fsize=100000", "--", qvhostPath(), "render", probe, in, folder.file ("out.wav") });
    EXPECT_EQ (r.signal, 0);
    EXPECT_EQ (r.exitCode, 1) << r.err;
    EXPECT_TRUE (contains (r.err, "qvhost: cannot write")) << r.err;
    EXPECT_EQ (folder.list(), before);
}

TEST_F (QvhostRender, ShowsProgressOnlyOnATerminalForLongFiles)
{
    const auto longInput = input ("long.wav", wav16, 8000, 1, 8000 * 25);
    const auto shortInput = input ("short.wav", wav16, 8000, 1, 8000 * 5);

    auto onTerminal = [&] (const std::string& in) {
        // stderr (and stdout) of qvhost on a pseudo-terminal; answers everything it wrote there.
        int master = -1;
        const pid_t pid = forkpty (&master, nullptr, nullptr, nullptr);
        if (pid == 0)
        {
            const std::string exe = qvhostPath(), out = folder.file ("tty.wav");
            execl (exe.c_str(), exe.c_str(), "render", probe.c_str(), in.c_str(), out.c_str(), (char*) nullptr);
            _exit (127);
        }
        std::string text;
        char buffer[4096];
        for (ssize_t n; (n = read (master, buffer, sizeof (buffer))) > 0;)
            text.append (buffer, (size_t) n);
        int status = 0;
        waitpid (pid, &status, 0);
        close (master);
        EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 0) << text;
        return text;
    };

    const std::string longRun = onTerminal (longInput);
    EXPECT_TRUE (contains (longRun, "100%")) << longRun;
    EXPECT_TRUE (contains (longRun, "[####")) << longRun;
    EXPECT_FALSE (contains (onTerminal (shortInput), "%")) << "short files show no bar";

    const auto piped = render (probe, longInput, folder.file ("piped.wav"));
    EXPECT_EQ (piped.exitCode, 0);
    EXPECT_EQ (piped.err, "") << "no bar into a pipe or file";
}

TEST_F (QvhostRender, RendersThroughDebiansModules)
{
    if (zamDelayPath().empty())
        GTEST_SKIP() << "zam-plugins not installed";
    const auto mono = input ("mono.wav", wav16, 44100, 1, 4410);
    const auto r = render (zamDelayPath(), mono, folder.file ("zam.flac"),
                           { "--param", "Feedback=0.5", "--param", "Time=0.25", "--tail", "1", "--format", "16" });
    ASSERT_EQ (r.exitCode, 0) << r.err;
    const Audio out = readAudio (folder.file ("zam.flac"));
    EXPECT_EQ (out.channels, 1);
    EXPECT_EQ (out.sampleRate, 44100);
    EXPECT_EQ (out.frames(), 4410 + 44100);

    if (lspStereoDelayPath().empty())
        return;
    const auto stereo = input ("stereo.wav", wav16, 48000, 2, 4800);
    const auto lsp = render (lspStereoDelayPath(), stereo, folder.file ("lsp.wav"), { "--param", "samp=0.001", "--tail", "0.1" });
    ASSERT_EQ (lsp.exitCode, 0) << lsp.err;
    EXPECT_EQ (readAudio (folder.file ("lsp.wav")).frames(), 4800 + 4800);
}

TEST_F (QvhostRender, RendersThroughOurModule)
{
    if (ourModulePath().empty())
        GTEST_SKIP() << "QV-DelayTX.so is not built in QV_BUILD_DIR";
    for (const int rate : { 44100, 48000, 96000 })
    {
        SCOPED_TRACE (rate);
        const auto in = input ("impulse.wav", wavFloat, rate, 1, rate / 10);
        const auto r = render (ourModulePath(), in, folder.file ("qv.wav"),
                               { "--param", "fDelayLeft=0.25", "--param", "fFeedbackRight=0.5", "--tail", "0.5", "--tempo", "100", "--playing" });
        ASSERT_EQ (r.exitCode, 0) << r.err;
        const Audio out = readAudio (folder.file ("qv.wav"));
        EXPECT_EQ (out.sampleRate, rate);
        EXPECT_EQ (out.channels, 2);
        EXPECT_EQ (out.frames(), rate / 10 + rate / 2);
    }
}

} // namespace
