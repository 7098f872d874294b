// Values a host should not send: parameters that are NaN, infinite or huge,
// sample rates the engine cannot run at, block sizes that mean nothing.
#include <gtest/gtest.h>
#include "tests/badinput/BadInputRig.h"
#include <cmath>
#include <cstring>
#include <limits>

using namespace vst;
using badinput::BadInputRig;
using badinput::Stereo;

namespace
{
constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();
constexpr float biggest = std::numeric_limits<float>::max();

struct OddValue
{
    const char* name;
    float value;
};

const OddValue oddValues[] = { { "NaN", nan }, { "PlusInfinity", inf }, { "MinusInfinity", -inf },
                               { "PlusHuge", 1e30f }, { "MinusHuge", -1e30f }, { "Largest", biggest },
                               { "Subnormal", 1e-40f }, { "MinusOne", -1.0f }, { "Two", 2.0f } };

void PrintTo (const OddValue& v, std::ostream* os) { *os << v.name; }

uint32_t bitsOf (float v)
{
    uint32_t b;
    std::memcpy (&b, &v, sizeof (b));
    return b;
}

class OddParameterValues : public testing::TestWithParam<OddValue>
{
};

// Values are stored as given (nothing is clamped), shown in a text that fits
// the host's buffer, and saved and restored exactly.
TEST_P (OddParameterValues, AreKeptShownAndSavedAsGiven)
{
    const float v = GetParam().value;
    BadInputRig rig, restored;

    for (int i = 0; i < 36; ++i)
        rig.plugin().setParameter (i, v);

    restored.plugin().setChunk (rig.plugin().getChunk (true), true);

    for (int i = 0; i < 36; ++i)
    {
        EXPECT_EQ (bitsOf (rig.plugin().getParameter (i)), bitsOf (v)) << i;
        EXPECT_EQ (bitsOf (restored.plugin().getParameter (i)), bitsOf (v)) << i;

        char text[32];
        std::memset (text, 0x55, sizeof (text));
        rig.plugin().dispatch (effGetParamDisplay, i, 0, text);
        EXPECT_NE (std::memchr (text, 0, kVstMaxParamStrLen + 1), nullptr) << i;
        EXPECT_EQ ((unsigned char) text[kVstMaxParamStrLen + 1], 0x55) << i;
    }
}

// Whichever parameter holds the value, the audio stays finite, and once the
// value is put back nothing of it is left in the delay lines or filters.
TEST_P (OddParameterValues, NeverMakeTheAudioNaNOrInfinite)
{
    const float v = GetParam().value;
    const auto input = BadInputRig::noise (9600, 11);

    for (int i = 0; i < 36; ++i)
    {
        BadInputRig rig;
        const float saved = rig.plugin().getParameter (i);
        rig.plugin().setParameter (i, v);
        EXPECT_TRUE (BadInputRig::allFinite (rig.render (input, 512))) << "parameter " << i << " holding " << GetParam().name;

        rig.plugin().setParameter (i, saved);
        EXPECT_TRUE (BadInputRig::allFinite (rig.render (input, 512))) << "parameter " << i << " after " << GetParam().name;
    }
}

INSTANTIATE_TEST_SUITE_P (Table, OddParameterValues, testing::ValuesIn (oddValues),
                          [] (const auto& info) { return std::string (info.param.name); });

//==============================================================================
/** The first sample of the left output at or above half the impulse: where
    the single 0.1 s echo of a clean setting lands. */
int echoPosition (BadInputRig& rig, size_t frames)
{
    const auto out = rig.render (BadInputRig::impulse (frames), 4096);

    for (size_t i = 1; i < out.frames(); ++i)
        if (std::abs (out.left[i]) >= 0.5f)
            return (int) i;

    return -1;
}

void cleanEcho (BadInputRig& rig)
{
    auto& p = rig.plugin();
    p.setParameter (7, 0.0f);
    p.setParameter (12, 0.1f);
    p.setParameter (14, 0.0f);
    p.setParameter (16, 0.0f);
    p.setParameter (18, 0.0f);
    p.setParameter (22, 0.0f);
    p.setParameter (30, 1.0f);
}

struct OddRate
{
    const char* name;
    float rate;
    int echo;   // -1: no echo within the rendered stretch
};

void PrintTo (const OddRate& r, std::ostream* os) { *os << r.name; }

class OddSampleRates : public testing::TestWithParam<OddRate>
{
};

// A rate that is positive but not a normal number (infinite, subnormal)
// cannot run the engine and leaves it at the rate it had; rates that are
// merely extreme are used, with delays held to the length of the delay
// lines. (Rates of 0 or below, and NaN, fall back to 44100 Hz at resume.)
TEST_P (OddSampleRates, KeepTheEngineRunning)
{
    BadInputRig rig (48000.0);
    cleanEcho (rig);
    rig.plugin().suspend();
    rig.plugin().setSampleRate (GetParam().rate);
    rig.plugin().resume();

    EXPECT_EQ (echoPosition (rig, 200000), GetParam().echo);
    EXPECT_TRUE (BadInputRig::allFinite (rig.render (BadInputRig::noise (20000), 512)));
}

INSTANTIATE_TEST_SUITE_P (Table, OddSampleRates, testing::Values (
    OddRate { "Infinite", inf, 4800 },
    OddRate { "Subnormal", 1e-40f, 4800 },
    OddRate { "OneHertz", 1.0f, -1 },          // 0.1 sample: the echo falls on the impulse itself
    OddRate { "TenMegahertz", 1e7f, 191999 },  // the delay lines' longest delay
    OddRate { "Largest", biggest, 191999 }),
    [] (const auto& info) { return std::string (info.param.name); });

//==============================================================================
// The declared block size is only a host's hint: blocks of any size are
// processed whatever it says.
TEST (OddBlockSizes, DeclaredSizeDoesNotLimitTheBlocks)
{
    const auto input = BadInputRig::noise (16384, 5);
    BadInputRig reference;
    const auto expected = reference.render (input, 8192);

    for (int32_t declared : { 0, -1, 16, std::numeric_limits<int32_t>::max() })
    {
        BadInputRig rig;
        rig.plugin().suspend();
        rig.plugin().setBlockSize (declared);
        rig.plugin().resume();
        EXPECT_TRUE (rig.render (input, 8192) == expected) << declared;
    }
}
}
