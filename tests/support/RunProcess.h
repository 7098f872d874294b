#pragma once
#include <sys/types.h>
#include <string>
#include <vector>

// Running programs and handling files for tests that drive the built tools
// (qvhost, scripts, third-party hosts) from outside.
namespace qvtest
{

/** What a finished child process left behind. */
struct ProcessResult
{
    int exitCode = -1;      // -1 when it did not exit normally
    int signal = 0;         // the signal that ended it, 0 when it exited
    std::string out, err;

    /** The lines of stderr that are not empty. */
    std::vector<std::string> errorLines() const;
};

/** Starts `program` (looked up in PATH when it has no slash) with `arguments`, stdin from
    /dev/null, stdout and stderr written to the files `outPath` and `errPath`. `extraEnvironment`
    holds NAME=VALUE settings that are added or replace the inherited ones. Gives the child's
    process id; throws std::runtime_error when it cannot be started. */
pid_t spawnCaptured (const std::string& program, const std::vector<std::string>& arguments,
                     const std::vector<std::string>& extraEnvironment,
                     const std::string& outPath, const std::string& errPath);

/** Runs `program` as spawnCaptured does and waits for it to end. */
ProcessResult runProcess (const std::string& program, const std::vector<std::string>& arguments,
                          const std::vector<std::string>& extraEnvironment = {});

/** The built qvhost (QV_BUILD_DIR/qvhost). */
std::string qvhostPath();
ProcessResult runQvhost (const std::vector<std::string>& arguments);

/** A fresh folder under the system's temporary folder, removed with its contents on destruction. */
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const noexcept { return folder; }
    std::string file (const std::string& name) const { return folder + "/" + name; }
    /** The names in the folder, sorted. */
    std::vector<std::string> list() const;

private:
    std::string folder;
};

bool fileExists (const std::string& path);
void writeFile (const std::string& path, const std::string& bytes);
std::string readFile (const std::string& path);

} // namespace qvtest
