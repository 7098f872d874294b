#include "tests/badinput/BadInputRig.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace badinput
{
bool Stereo::operator== (const Stereo& other) const
{
    // Bit for bit, so NaN counts as the same when it is the same.
    return left.size() == other.left.size() && right.size() == other.right.size()
        && std::memcmp (left.data(), other.left.data(), left.size() * sizeof (float)) == 0
        && std::memcmp (right.data(), other.right.data(), right.size() * sizeof (float)) == 0;
}

std::string BadInputRig::modulePath()
{
    const char* dir = std::getenv ("QV_BUILD_DIR");
    return std::string (dir != nullptr ? dir : QV_TEST_BUILD_DIR) + "/QV-DelayTX.so";
}

BadInputRig::BadInputRig (double sampleRate)
    : module (qvhost::VstModule::load (modulePath())),
      instance (std::make_unique<qvhost::PluginInstance> (module, sampleRate, 512))
{
    auto& p = *instance;
    p.open();
    p.setParameter (12, 0.011f);   // fDelayLeft
    p.setParameter (13, 0.017f);   // fDelayRight
    p.setParameter (7, 0.003f);    // fPreDelayLeft
    p.setParameter (14, 0.7f);     // fFeedbackLeft
    p.setParameter (15, 0.6f);     // fFeedbackRight
    p.setParameter (16, 0.3f);     // fPanLeft
    p.setParameter (21, 1.0f);     // fFilterBPButton: low-pass and band-pass on the left
    p.setParameter (26, 0.4f);     // fFilterFreqLeft
    p.setParameter (27, 0.6f);     // fFilterResLeft
    p.setParameter (28, 0.5f);     // fFilterFreqRight
    p.setParameter (29, 0.3f);     // fFilterResRight
    p.setParameter (30, 0.7f);     // fMixLeft
    p.setParameter (33, 0.6f);     // fOutputRight
    p.resume();
}

vst::AEffect* BadInputRig::effect() const
{
    return const_cast<vst::AEffect*> (&instance->effect());
}

void BadInputRig::processRaw (float** inputs, float** outputs, int32_t frames)
{
    effect()->processReplacing (effect(), inputs, outputs, frames);
}

Stereo BadInputRig::render (const Stereo& input, int blockSize)
{
    Stereo in = input;
    Stereo out { std::vector<float> (input.frames()), std::vector<float> (input.frames()) };

    for (size_t start = 0; start < input.frames(); start += (size_t) blockSize)
    {
        const auto n = (int32_t) std::min ((size_t) blockSize, input.frames() - start);
        float* ins[2] = { in.left.data() + start, in.right.data() + start };
        float* outs[2] = { out.left.data() + start, out.right.data() + start };
        processRaw (ins, outs, n);
    }

    return out;
}

Stereo BadInputRig::noise (size_t frames, uint32_t seed, float level)
{
    Stereo s { std::vector<float> (frames), std::vector<float> (frames) };
    uint32_t state = seed;

    for (size_t i = 0; i < frames; ++i)
    {
        state = state * 1664525u + 1013904223u;
        s.left[i] = level * (float) (int32_t) state / 2147483648.0f;
        state = state * 1664525u + 1013904223u;
        s.right[i] = level * (float) (int32_t) state / 2147483648.0f;
    }

    return s;
}

Stereo BadInputRig::impulse (size_t frames)
{
    Stereo s { std::vector<float> (frames), std::vector<float> (frames) };
    s.left[0] = 1.0f;
    s.right[0] = -0.5f;
    return s;
}

bool BadInputRig::allFinite (const Stereo& audio)
{
    const auto finite = [] (float x) { return std::isfinite (x); };
    return std::all_of (audio.left.begin(), audio.left.end(), finite)
        && std::all_of (audio.right.begin(), audio.right.end(), finite);
}
}
