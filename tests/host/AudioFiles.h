#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace hosttest
{

/** An audio file's contents, interleaved, as libsndfile reads them back as floats. */
struct Audio
{
    int sampleRate = 0;
    int channels = 0;
    int format = 0;            // libsndfile SF_FORMAT_* major | subtype
    std::vector<float> samples;

    int64_t frames() const { return channels > 0 ? (int64_t) samples.size() / channels : 0; }
    float at (int64_t frame, int channel) const { return samples[(size_t) (frame * channels + channel)]; }
};

/** Writes `frames` frames; `sample (frame, channel)` gives each value. Throws on failure. */
void writeAudio (const std::string& path, int format, int sampleRate, int channels, int64_t frames,
                 const std::function<float (int64_t frame, int channel)>& sample);

/** Reads a whole file; throws on failure. */
Audio readAudio (const std::string& path);

} // namespace hosttest
