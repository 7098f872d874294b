#pragma once
#include "host/PluginInstance.h"
#include "host/VstModule.h"
#include <memory>
#include <string>
#include <vector>

namespace badinput
{
/** Two channels of audio. */
struct Stereo
{
    std::vector<float> left, right;
    size_t frames() const noexcept { return left.size(); }
    bool operator== (const Stereo& other) const;
};

/** One instance of the real module with echoes, feedback and filters on, so
    that anything a bad block or value leaves behind shows in later audio.
    Audio goes straight to the record's processReplacing, so the module's own
    handling of what it gets is what runs. */
class BadInputRig
{
public:
    explicit BadInputRig (double sampleRate = 48000.0);

    qvhost::PluginInstance& plugin() noexcept { return *instance; }
    vst::AEffect* effect() const;

    void processRaw (float** inputs, float** outputs, int32_t frames);

    /** Renders the input in blocks of blockSize frames (the last one shorter),
        input and output in separate buffers. */
    Stereo render (const Stereo& input, int blockSize);

    /** Deterministic noise, different on each side. */
    static Stereo noise (size_t frames, uint32_t seed = 1, float level = 0.5f);
    static Stereo impulse (size_t frames);

    static std::string modulePath();
    static bool allFinite (const Stereo& audio);

private:
    std::shared_ptr<qvhost::VstModule> module;
    std::unique_ptr<qvhost::PluginInstance> instance;
};
}
