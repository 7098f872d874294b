#include "tests/presets/PresetTestSupport.h"

#include <fcntl.h>
#include <sndfile.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;

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
std::string qvhostPath() { return buildDir() + "/qvhost"; }
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

static std::string slurp (const std::string& path)
{
    std::ifstream in (path, std::ios::binary);
    return std::string ((std::istreambuf_iterator<char> (in)), std::istreambuf_iterator<char>());
}

CommandResult run (const std::string& program, const std::vector<std::string>& arguments)
{
    TempDir capture;
    const auto outPath = capture.file ("out"), errPath = capture.file ("err");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_addopen (&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen (&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen (&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    std::vector<char*> argv { const_cast<char*> (program.c_str()) };
    for (const auto& a : arguments)
        argv.push_back (const_cast<char*> (a.c_str()));
    argv.push_back (nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn (&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy (&actions);
    if (spawned != 0)
        throw std::runtime_error ("cannot start " + program + ": " + std::strerror (spawned));

    int status = 0;
    while (waitpid (pid, &status, 0) < 0 && errno == EINTR) {}

    CommandResult result;
    result.exitCode = WIFEXITED (status) ? WEXITSTATUS (status) : -1;
    result.out = slurp (outPath);
    result.err = slurp (errPath);
    return result;
}

CommandResult runQvhost (const std::vector<std::string>& arguments) { return run (qvhostPath(), arguments); }

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "qv-presets-XXXXXX").string();
    if (mkdtemp (pattern.data()) == nullptr)
        throw std::runtime_error ("cannot make a temporary folder");
    path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all (path, ignored);
}

std::vector<std::string> TempDir::names() const
{
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator (path))
        found.push_back (entry.path().filename().string());
    std::sort (found.begin(), found.end());
    return found;
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
