#pragma once
#include "tests/support/RunProcess.h"
#include <cstdint>
#include <string>
#include <vector>

namespace presettest
{

using qvtest::runProcess;
using qvtest::runQvhost;
using qvtest::TempFolder;

std::string buildDir();
std::string sourceDir();
std::string modulePath();
/** The checked-in starter set folder (presets/). */
std::string presetsDir();
/** The .fxp files of presets/, sorted by name. */
std::vector<std::string> starterPrograms();
std::string starterBank();

std::vector<uint8_t> readBytes (const std::string& path);
void writeBytes (const std::string& path, const std::vector<uint8_t>& bytes);

/** Stereo float audio, one vector per channel. */
struct Stereo
{
    int rate = 0;
    std::vector<float> left, right;
};

/** A stereo float WAV with one full-scale sample on both channels at `at`. */
void writeClick (const std::string& path, int rate, int frames, int at);
Stereo readStereo (const std::string& path);

} // namespace presettest
