// Blocks a host should not send, and blocks it may legitimately send that
// are easy to get wrong: no frames, negative counts, missing channel arrays,
// the same arrays for input and output, and very large blocks.
#include <gtest/gtest.h>
#include "tests/badinput/BadInputRig.h"
#include <cmath>
#include <limits>

using badinput::BadInputRig;
using badinput::Stereo;

namespace
{
struct UnusableBlock
{
    const char* name;
    int32_t frames;
    bool inputsArray, outputsArray;   // the arrays of channel pointers
    bool leftIn, rightIn, leftOut, rightOut;
};

void PrintTo (const UnusableBlock& b, std::ostream* os) { *os << b.name; }

class UnusableBlocks : public testing::TestWithParam<UnusableBlock>
{
};

// The block is treated as one without frames: the engine takes the values
// and the position is asked for, but no sample is read or written and the
// delay lines do not move, so the audio after it is as if it never came.
TEST_P (UnusableBlocks, TouchNoSampleAndLeaveNoTrace)
{
    const auto& c = GetParam();
    const auto input = BadInputRig::noise (24000);
    const auto firstHalf = Stereo { { input.left.begin(), input.left.begin() + 12000 }, { input.right.begin(), input.right.begin() + 12000 } };
    const auto secondHalf = Stereo { { input.left.begin() + 12000, input.left.end() }, { input.right.begin() + 12000, input.right.end() } };

    BadInputRig reference, rig;
    const auto expectedFirst = reference.render (firstHalf, 512);
    const auto expectedSecond = reference.render (secondHalf, 512);

    EXPECT_TRUE (rig.render (firstHalf, 512) == expectedFirst);

    std::vector<float> inL (4096, 0.25f), inR (4096, -0.25f), outL (4096, 7.0f), outR (4096, 7.0f);
    float* ins[2] = { c.leftIn ? inL.data() : nullptr, c.rightIn ? inR.data() : nullptr };
    float* outs[2] = { c.leftOut ? outL.data() : nullptr, c.rightOut ? outR.data() : nullptr };
    rig.processRaw (c.inputsArray ? ins : nullptr, c.outputsArray ? outs : nullptr, c.frames);

    EXPECT_EQ (inL, std::vector<float> (4096, 0.25f));
    EXPECT_EQ (inR, std::vector<float> (4096, -0.25f));
    EXPECT_EQ (outL, std::vector<float> (4096, 7.0f));
    EXPECT_EQ (outR, std::vector<float> (4096, 7.0f));

    EXPECT_TRUE (rig.render (secondHalf, 512) == expectedSecond);
}

constexpr int32_t intMin = std::numeric_limits<int32_t>::min();

INSTANTIATE_TEST_SUITE_P (Table, UnusableBlocks, testing::Values (
    UnusableBlock { "NoFrames",            0,      true,  true,  true,  true,  true,  true },
    UnusableBlock { "MinusOneFrame",      -1,      true,  true,  true,  true,  true,  true },
    UnusableBlock { "MinusABlock",        -4096,   true,  true,  true,  true,  true,  true },
    UnusableBlock { "MostNegative",        intMin, true,  true,  true,  true,  true,  true },
    UnusableBlock { "NoInputArray",        4096,   false, true,  true,  true,  true,  true },
    UnusableBlock { "NoOutputArray",       4096,   true,  false, true,  true,  true,  true },
    UnusableBlock { "NoArraysNoFrames",    0,      false, false, true,  true,  true,  true },
    UnusableBlock { "RightInputMissing",   4096,   true,  true,  true,  false, true,  true },
    UnusableBlock { "LeftOutputMissing",   4096,   true,  true,  true,  true,  false, true },
    UnusableBlock { "AllChannelsMissing",  4096,   true,  true,  false, false, false, false }),
    [] (const auto& info) { return std::string (info.param.name); });

//==============================================================================
enum class Sharing { inPlace, crossed, leftShared, rightIntoLeft };

void PrintTo (Sharing s, std::ostream* os) { *os << (int) s; }

class SharedBuffers : public testing::TestWithParam<Sharing>
{
};

// Hosts hand over the same arrays for input and output, and sometimes the
// other side's; the audio must be what separate buffers give, bit for bit.
TEST_P (SharedBuffers, GiveTheSameAudioAsSeparateBuffers)
{
    const auto input = BadInputRig::noise (20000, 7);
    BadInputRig reference, rig;
    const auto expected = reference.render (input, 1000);   // blocks that are not a multiple of the engine's stretch

    Stereo a = input;   // input arrays, partly written over by the output
    Stereo b { std::vector<float> (input.frames()), std::vector<float> (input.frames()) };
    Stereo result;

    for (size_t start = 0; start < input.frames(); start += 1000)
    {
        float* ins[2] = { a.left.data() + start, a.right.data() + start };
        float* outs[2];
        switch (GetParam())
        {
            case Sharing::inPlace:       outs[0] = ins[0];                   outs[1] = ins[1]; break;
            case Sharing::crossed:       outs[0] = ins[1];                   outs[1] = ins[0]; break;
            case Sharing::leftShared:    outs[0] = ins[0];                   outs[1] = b.right.data() + start; break;
            case Sharing::rightIntoLeft: outs[0] = ins[1];                   outs[1] = b.right.data() + start; break;
        }
        rig.processRaw (ins, outs, 1000);
    }

    switch (GetParam())
    {
        case Sharing::inPlace:       result = a; break;
        case Sharing::crossed:       result = { a.right, a.left }; break;
        case Sharing::leftShared:    result = { a.left, b.right }; break;
        case Sharing::rightIntoLeft: result = { a.right, b.right }; break;
    }

    EXPECT_TRUE (result == expected);
}

std::string sharingName (const testing::TestParamInfo<Sharing>& info)
{
    static const char* const names[] = { "InPlace", "Crossed", "LeftShared", "RightIntoLeft" };
    return names[(int) info.param];
}

INSTANTIATE_TEST_SUITE_P (Table, SharedBuffers,
                          testing::Values (Sharing::inPlace, Sharing::crossed, Sharing::leftShared, Sharing::rightIntoLeft),
                          sharingName);

//==============================================================================
// A million frames in one call: the same audio as in host-sized blocks, and
// no sample left unwritten.
TEST (LargeBlocks, AMillionFramesInOneCallSoundLikeSmallBlocks)
{
    const auto input = BadInputRig::noise (1000000, 3);
    BadInputRig inBlocks, inOne;
    const auto expected = inBlocks.render (input, 4096);
    const auto whole = inOne.render (input, 1000000);

    EXPECT_TRUE (BadInputRig::allFinite (whole));
    EXPECT_TRUE (whole == expected);
}

//==============================================================================
// A sample that is NaN or infinite, from a host with a broken source, must not
// stay in the delay lines: it enters them as silence, so every later sample is
// what a zero in its place gives, bit for bit. Only the bad sample's own
// output (its dry share, passed on as the host gave it) differs.
struct NonFiniteSample
{
    const char* name;
    float value;
};

void PrintTo (const NonFiniteSample& s, std::ostream* os) { *os << s.name; }

class NonFiniteSamples : public testing::TestWithParam<NonFiniteSample>
{
};

TEST_P (NonFiniteSamples, EnterTheLinesAsSilence)
{
    constexpr size_t badLeft = 5000, badRight = 9001;
    const auto clean = BadInputRig::noise (24000, 5);
    auto zeroed = clean, bad = clean;
    zeroed.left[badLeft] = zeroed.right[badRight] = 0.0f;
    bad.left[badLeft] = bad.right[badRight] = GetParam().value;

    BadInputRig reference, rig;
    const auto expected = reference.render (zeroed, 512);
    auto got = rig.render (bad, 512);

    EXPECT_FALSE (std::isfinite (got.left[badLeft]));
    EXPECT_FALSE (std::isfinite (got.right[badRight]));
    got.left[badLeft] = expected.left[badLeft];
    got.right[badRight] = expected.right[badRight];

    EXPECT_TRUE (BadInputRig::allFinite (got));
    EXPECT_TRUE (got == expected);

    // Frame by frame (blocks of one) takes the same way in.
    BadInputRig oneByOne;
    auto single = oneByOne.render (bad, 1);
    single.left[badLeft] = expected.left[badLeft];
    single.right[badRight] = expected.right[badRight];
    EXPECT_TRUE (single == expected);
}

INSTANTIATE_TEST_SUITE_P (Table, NonFiniteSamples, testing::Values (
    NonFiniteSample { "NaN", std::numeric_limits<float>::quiet_NaN() },
    NonFiniteSample { "PlusInfinity", std::numeric_limits<float>::infinity() },
    NonFiniteSample { "MinusInfinity", -std::numeric_limits<float>::infinity() }),
    [] (const auto& info) { return std::string (info.param.name); });
}
