#pragma once
#include <string>
#include <vector>

namespace hosttest
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

/** Runs `program` with `arguments`, stdin from /dev/null, and waits for it. `extraEnvironment`
    holds NAME=VALUE settings that are added or replace the inherited ones. */
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

} // namespace hosttest
