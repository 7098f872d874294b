#include "tests/host/AudioFiles.h"

#include <sndfile.h>
#include <stdexcept>

namespace hosttest
{

void writeAudio (const std::string& path, int format, int sampleRate, int channels, int64_t frames,
                 const std::function<float (int64_t, int)>& sample)
{
    SF_INFO info {};
    info.format = format;
    info.samplerate = sampleRate;
    info.channels = channels;
    SNDFILE* file = sf_open (path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        throw std::runtime_error ("cannot write test audio " + path + ": " + sf_strerror (nullptr));
    std::vector<float> data ((size_t) (frames * channels));
    for (int64_t f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c)
            data[(size_t) (f * channels + c)] = sample (f, c);
    const auto written = sf_writef_float (file, data.data(), frames);
    sf_close (file);
    if (written != frames)
        throw std::runtime_error ("short write of test audio " + path);
}

Audio readAudio (const std::string& path)
{
    SF_INFO info {};
    SNDFILE* file = sf_open (path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        throw std::runtime_error ("cannot read " + path + ": " + sf_strerror (nullptr));
    Audio audio;
    audio.sampleRate = info.samplerate;
    audio.channels = info.channels;
    audio.format = info.format;
    audio.samples.resize ((size_t) (info.frames * info.channels));
    const auto got = sf_readf_float (file, audio.samples.data(), info.frames);
    sf_close (file);
    audio.samples.resize ((size_t) (got * info.channels));
    return audio;
}

} // namespace hosttest
