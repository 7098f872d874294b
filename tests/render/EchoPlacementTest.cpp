#include <gtest/gtest.h>
#include <sndfile.h>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
std::string buildDir()
{
    const char* dir = std::getenv ("QV_BUILD_DIR");
    return dir != nullptr ? dir : QV_TEST_BUILD_DIR;
}

/** A stereo file with one full-scale click on both channels. */
void writeImpulse (const fs::path& path, int sampleRate, int frames, int at)
{
    SF_INFO info {};
    info.samplerate = sampleRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* f = sf_open (path.c_str(), SFM_WRITE, &info);
    ASSERT_NE (f, nullptr);
    std::vector<float> data ((size_t) frames * 2, 0.0f);
    data[(size_t) at * 2] = data[(size_t) at * 2 + 1] = 1.0f;
    sf_writef_float (f, data.data(), frames);
    sf_close (f);
}

std::vector<std::vector<float>> readChannels (const fs::path& path, int& sampleRate)
{
    SF_INFO info {};
    SNDFILE* f = sf_open (path.c_str(), SFM_READ, &info);
    if (f == nullptr)
        return {};
    std::vector<float> data ((size_t) (info.frames * info.channels));
    sf_readf_float (f, data.data(), info.frames);
    sf_close (f);
    sampleRate = info.samplerate;

    std::vector<std::vector<float>> channels ((size_t) info.channels);
    for (sf_count_t i = 0; i < info.frames; ++i)
        for (int c = 0; c < info.channels; ++c)
            channels[(size_t) c].push_back (data[(size_t) (i * info.channels + c)]);
    return channels;
}

/** Sample indices where the signal rises above 0.05, after the click at `after`. */
std::vector<size_t> echoes (const std::vector<float>& channel, size_t after = 0)
{
    std::vector<size_t> found;
    for (size_t i = after + 1; i < channel.size(); ++i)
        if (std::abs (channel[i]) > 0.05f && std::abs (channel[i - 1]) <= 0.05f)
            found.push_back (i);
    return found;
}

class EchoPlacement : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("qv-render-" + std::to_string (::getpid()));
        fs::create_directories (dir);
    }
    void TearDown() override { fs::remove_all (dir); }

    /** Renders the impulse file with these options; the output channels. */
    std::vector<std::vector<float>> render (int sampleRate, const std::string& options, int frames, int clickAt = 0)
    {
        const auto in = dir / "in.wav", out = dir / "out.wav";
        writeImpulse (in, sampleRate, frames, clickAt);
        const std::string command = buildDir() + "/qvhost render " + buildDir() + "/QV-DelayTX.so " + in.string() + " "
                                    + out.string() + " " + options + " 2>&1";
        EXPECT_EQ (std::system (command.c_str()), 0) << command;
        int rate = 0;
        auto channels = readChannels (out, rate);
        EXPECT_EQ (rate, sampleRate);
        return channels;
    }

    fs::path dir;
};

// Wet only, no filters, so each line gives back a clean copy of the click.
const std::string cleanLines = "--param fFilterOnButton=0 --param fFilterOnButtonB=0 --param fMixLeft=1 --param fMixRight=1 ";

TEST_F (EchoPlacement, FreeTimesLandOnTheWholeSampleAtEveryRate)
{
    for (int rate : { 44100, 48000, 96000 })
    {
        const auto out = render (rate, cleanLines + "--param fDelayLeft=0.1 --param fDelayRight=0.25 --param fFeedbackLeft=0.5", rate);
        ASSERT_EQ (out.size(), 2u);

        const auto left = echoes (out[0]);
        ASSERT_GE (left.size(), 3u) << rate;
        const auto d = (size_t) ((float) rate * 0.1f);
        EXPECT_EQ (left[0], d) << rate;
        EXPECT_EQ (left[1], 2 * d + 1) << rate;  // the fed-back term rejoins one sample later
        EXPECT_NEAR (out[0][2 * d + 1], 0.5f, 1e-6f) << rate;

        const auto right = echoes (out[1]);
        ASSERT_GE (right.size(), 1u);
        EXPECT_EQ (right[0], (size_t) ((float) rate * 0.25f)) << rate;
    }
}

TEST_F (EchoPlacement, PreDelayAddsToTheDelay)
{
    const auto out = render (48000, cleanLines + "--param fDelayLeft=0.1 --param fPreDelayLeft=0.05", 48000);
    ASSERT_EQ (out.size(), 2u);
    const auto left = echoes (out[0]);
    ASSERT_GE (left.size(), 1u);
    EXPECT_EQ (left[0], 4800u + 2400u);
}

TEST_F (EchoPlacement, SyncedEchoFollowsTheHostTempo)
{
    // An eighth note: 0.25 s at 120 BPM, 0.3 s at 100 BPM. The first block
    // still runs on the free time; the click is read back at the synced one.
    struct Case { double bpm; double seconds; };
    for (const auto& c : { Case { 120.0, 0.25 }, Case { 100.0, 0.3 } })
    {
        const auto out = render (44100, cleanLines + "--param fDelaySyncButton=1 --param fDelayLeft=0.5 --tempo "
                                            + std::to_string (c.bpm), 44100);
        ASSERT_EQ (out.size(), 2u);
        const auto left = echoes (out[0]);
        ASSERT_GE (left.size(), 1u) << c.bpm;
        EXPECT_NEAR ((double) left[0], c.seconds * 44100.0, 1.0) << c.bpm;
    }
}

TEST_F (EchoPlacement, PingPongHoldsTheLeftLineBackByHalfItsDelay)
{
    // The click comes after the first blocks: the switch reaches the
    // pre-delay one block after it was read.
    const int click = 4096;
    const auto out = render (48000, cleanLines + "--param fPingPongModeButton=1 --param fDelayLeft=0.2 --param fDelayRight=0.2",
                             48000, click);
    ASSERT_EQ (out.size(), 2u);
    const auto left = echoes (out[0], click), right = echoes (out[1], click);
    ASSERT_GE (left.size(), 1u);
    ASSERT_GE (right.size(), 1u);
    EXPECT_EQ (right[0], click + 9600u);
    EXPECT_EQ (left[0], click + 9600u + 4800u);
}
}
