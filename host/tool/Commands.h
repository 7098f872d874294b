#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qvhost
{

/** One qvhost subcommand: its name, a one-line synopsis for the overview, its full help, and
    the function that runs it with the arguments after the name. Failures are thrown
    (HostError, UsageError); the function returns the exit status of a run that got through. */
struct Command
{
    const char* name;
    const char* synopsis;
    const char* help;
    int (*run) (const std::vector<std::string>& arguments);
};

extern const Command infoCommand;
extern const Command chunkCommand;
extern const Command renderCommand;
extern const Command editorCommand;
extern const Command presetCommand;

/** The bytes of a chunk file (for `chunk set`, `--chunk`, `--bank-chunk`); throws HostError
    when the file cannot be read or is empty. */
std::vector<uint8_t> readChunkFile (const std::string& path);

/** Exit statuses shared by all subcommands. */
enum ExitStatus : int
{
    exitOk = 0,
    exitFailure = 1,
    exitUsage = 2,
    exitVerifyMismatch = 3,
};

} // namespace qvhost
