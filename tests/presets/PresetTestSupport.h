#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace presettest
{

std::string buildDir();
std::string sourceDir();
std::string modulePath();
std::string qvhostPath();
/** The checked-in starter set folder (presets/). */
std::string presetsDir();
/** The .fxp files of presets/, sorted by name. */
std::vector<std::string> starterPrograms();
std::string starterBank();

std::vector<uint8_t> readBytes (const std::string& path);
void writeBytes (const std::string& path, const std::vector<uint8_t>& bytes);

/** What a finished command left: exit status (-1 when it did not exit normally), stdout, stderr. */
struct CommandResult
{
    int exitCode = -1;
    std::string out, err;
};

/** Runs a program with arguments (no shell), stdin from /dev/null. */
CommandResult run (const std::string& program, const std::vector<std::string>& arguments);
CommandResult runQvhost (const std::vector<std::string>& arguments);

/** A fresh folder, removed with everything in it when the object goes. */
class TempDir
{
public:
    TempDir();
    ~TempDir();
    std::string file (const std::string& name) const { return path + "/" + name; }
    /** Names in the folder, sorted. */
    std::vector<std::string> names() const;
    std::string path;
};

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
