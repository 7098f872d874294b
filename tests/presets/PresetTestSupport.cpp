#include "tests/presets/PresetTestSupport.h"

#include <sndfile.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace presettest
{

std::string buildDir()
{
    const char* dir = std::getenv ("QV_BUILD_DIR");
    return dir != nullptr && *dir != 0 ? dir : QV_TEST_BUILD_DIR;
}

std::string sourceDir()
{
    const char* dir = std::getenv ("QV_SOURCE_DIR");
    return dir != nullptr && *dir != 0 ? dir : QV_TEST_SOURCE_DIR;
}

std::string modulePath() { return buildDir() + "/QV-DelayTX.so"; }
std::string presetsDir() { return sourceDir() + "/presets"; }
std::string starterBank() { return presetsDir() + "/starter-set.fxb"; }

std::vector<std::string> starterPrograms()
{
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator (presetsDir()))
        if (entry.path().extension() == ".fxp")
            files.push_back (entry.path().string());
    std::sort (files.begin(), files.end());
    return files;
}

std::vector<uint8_t> readBytes (const std::string& path)
{
    std::ifstream in (path, std::ios::binary);
    if (! in)
        throw std::runtime_error ("cannot read " + path);
    return std::vector<uint8_t> ((std::istreambuf_iterator<char> (in)), std::istreambuf_iterator<char>());
}

void writeBytes (const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out (path, std::ios::binary | std::ios::trunc);
    out.write (reinterpret_cast<const char*> (bytes.data()), (std::streamsize) bytes.size());
    if (! out)
        throw std::runtime_error ("cannot write " + path);
}

void writeClick (const std::string& path, int rate, int frames, int at)
{
    SF_INFO info {};
    info.samplerate = rate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* f = sf_open (path.c_str(), SFM_WRITE, &info);
    if (f == nullptr)
        throw std::runtime_error ("cannot write " + path);
    std::vector<float> data ((size_t) frames * 2, 0.0f);
    data[(size_t) at * 2] = data[(size_t) at * 2 + 1] = 1.0f;
    sf_writef_float (f, data.data(), frames);
    sf_close (f);
}

Stereo readStereo (const std::string& path)
{
    SF_INFO info {};
    SNDFILE* f = sf_open (path.c_str(), SFM_READ, &info);
    if (f == nullptr || info.channels != 2)
    {
        if (f != nullptr)
            sf_close (f);
        throw std::runtime_error ("cannot read a stereo file from " + path);
    }
    std::vector<float> data ((size_t) (info.frames * 2));
    sf_readf_float (f, data.data(), info.frames);
    sf_close (f);

    Stereo s;
    s.rate = info.samplerate;
    for (sf_count_t i = 0; i < info.frames; ++i)
    {
        s.left.push_back (data[(size_t) (2 * i)]);
        s.right.push_back (data[(size_t) (2 * i + 1)]);
    }
    return s;
}

} // namespace presettest
