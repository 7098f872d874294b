#include "tests/support/RunProcess.h"

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace qvtest
{

std::vector<std::string> ProcessResult::errorLines() const
{
    std::vector<std::string> lines;
    std::istringstream in (err);
    for (std::string line; std::getline (in, line);)
        if (! line.empty())
            lines.push_back (line);
    return lines;
}

static std::string slurp (const std::string& path)
{
    std::ifstream in (path, std::ios::binary);
    return std::string ((std::istreambuf_iterator<char> (in)), std::istreambuf_iterator<char>());
}

pid_t spawnCaptured (const std::string& program, const std::vector<std::string>& arguments,
                     const std::vector<std::string>& extraEnvironment,
                     const std::string& outPath, const std::string& errPath)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_addopen (&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen (&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen (&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    std::vector<char*> argv { const_cast<char*> (program.c_str()) };
    for (const auto& a : arguments)
        argv.push_back (const_cast<char*> (a.c_str()));
    argv.push_back (nullptr);

    // The extra settings replace inherited ones of the same name (the first one found wins).
    auto nameOf = [] (const std::string& setting) { return setting.substr (0, setting.find ('=')); };
    std::vector<std::string> environment (extraEnvironment);
    for (char** e = environ; *e != nullptr; ++e)
    {
        const std::string setting (*e);
        const bool replaced = std::any_of (extraEnvironment.begin(), extraEnvironment.end(),
                                           [&] (const std::string& extra) { return nameOf (extra) == nameOf (setting); });
        if (! replaced)
            environment.push_back (setting);
    }
    std::vector<char*> envp;
    for (auto& e : environment)
        envp.push_back (e.data());
    envp.push_back (nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawnp (&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy (&actions);
    if (spawned != 0)
        throw std::runtime_error ("cannot start " + program + ": " + std::strerror (spawned));
    return pid;
}

ProcessResult runProcess (const std::string& program, const std::vector<std::string>& arguments,
                          const std::vector<std::string>& extraEnvironment)
{
    TempFolder capture;
    const std::string outPath = capture.file ("out"), errPath = capture.file ("err");
    const pid_t pid = spawnCaptured (program, arguments, extraEnvironment, outPath, errPath);

    int status = 0;
    while (waitpid (pid, &status, 0) < 0 && errno == EINTR) {}

    ProcessResult result;
    if (WIFEXITED (status))
        result.exitCode = WEXITSTATUS (status);
    if (WIFSIGNALED (status))
        result.signal = WTERMSIG (status);
    result.out = slurp (outPath);
    result.err = slurp (errPath);
    return result;
}

std::string qvhostPath()
{
    const char* dir = std::getenv ("QV_BUILD_DIR");
    return std::string (dir != nullptr ? dir : QV_DEFAULT_BUILD_DIR) + "/qvhost";
}

ProcessResult runQvhost (const std::vector<std::string>& arguments)
{
    return runProcess (qvhostPath(), arguments);
}

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qvhost-test-XXXXXX").string();
    if (mkdtemp (pattern.data()) == nullptr)
        throw std::runtime_error ("cannot make a temporary folder");
    folder = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    // A test may have taken away the write permission; give it back so the folder can go.
    std::filesystem::permissions (folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all (folder, ignored);
}

std::vector<std::string> TempFolder::list() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator (folder))
        names.push_back (entry.path().filename().string());
    std::sort (names.begin(), names.end());
    return names;
}

bool fileExists (const std::string& path)
{
    struct stat info {};
    return ::stat (path.c_str(), &info) == 0;
}

void writeFile (const std::string& path, const std::string& bytes)
{
    std::ofstream out (path, std::ios::binary);
    out.write (bytes.data(), (std::streamsize) bytes.size());
}

std::string readFile (const std::string& path)
{
    return slurp (path);
}

} // namespace qvtest
