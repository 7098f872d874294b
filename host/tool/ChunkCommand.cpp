#include "host/tool/AtomicOutputFile.h"
#include "host/tool/CommandLine.h"
#include "host/tool/Commands.h"
#include "host/tool/ModuleReport.h"
#include "host/HostError.h"
#include "host/PluginInstance.h"
#include "host/ReadWholeFile.h"

#include <iostream>

namespace qvhost
{

std::vector<uint8_t> readChunkFile (const std::string& path)
{
    auto bytes = readWholeFile (path);
    if (bytes.empty())
        throw HostError ("chunk file '" + path + "' is empty");
    return bytes;
}

static void requireChunks (PluginInstance& instance)
{
    if (! instance.hasFlag (vst::effFlagsProgramChunks))
        throw HostError ("the module keeps no state chunks (effFlagsProgramChunks is clear)");
}

static const char* kindName (bool program) { return program ? "program" : "bank"; }

static int runChunkGet (const CommandLine& line)
{
    line.expectPositionals ({ "get", "MODULE", "OUT" });
    const bool program = line.has ("program");
    if (line.has ("verify"))
        throw UsageError ("'--verify' belongs to 'chunk set'");

    auto instance = openModule (line.positionals()[1]);
    requireChunks (*instance);
    const auto chunk = instance->getChunk (program);
    if (chunk.empty())
        throw HostError (std::string ("the module handed out no ") + kindName (program) + " chunk");

    const std::string& out = line.positionals()[2];
    AtomicOutputFile file (out);
    file.write (chunk.data(), chunk.size());
    file.commit();
    instance->close();
    std::cout << "wrote " << chunk.size() << " bytes (" << kindName (program) << " chunk) to " << out << "\n";
    return exitOk;
}

static int runChunkSet (const CommandLine& line)
{
    line.expectPositionals ({ "set", "MODULE", "IN" });
    const bool program = line.has ("program");
    const auto chunk = readChunkFile (line.positionals()[2]);

    auto instance = openModule (line.positionals()[1]);
    requireChunks (*instance);
    instance->setChunk (chunk, program);
    const auto readBack = instance->getChunk (program);
    const bool same = readBack == chunk;

    std::cout << "loaded " << chunk.size() << " bytes as a " << kindName (program) << " chunk; read back "
              << readBack.size() << " bytes: " << (same ? "identical" : "different") << "\n";
    printParameters (*instance, std::cout);
    std::cout << "Current program: " << instance->currentProgram() << " \"" << instance->programName() << "\"\n";
    instance->close();
    return (line.has ("verify") && ! same) ? exitVerifyMismatch : exitOk;
}

static int runChunk (const std::vector<std::string>& arguments)
{
    CommandLine line (arguments, { { "program" }, { "verify" } });
    if (line.wantsHelp())
    {
        std::cout << chunkCommand.help;
        return exitOk;
    }
    if (line.positionals().empty())
        throw UsageError ("missing 'get' or 'set'");
    const std::string& action = line.positionals()[0];
    if (action == "get")
        return runChunkGet (line);
    if (action == "set")
        return runChunkSet (line);
    throw UsageError ("unknown chunk action '" + action + "' (use 'get' or 'set')");
}

const Command chunkCommand {
    "chunk",
    "chunk get MODULE [--program] OUT     save the module's state chunk to a file\n"
    "  chunk set MODULE [--program] [--verify] IN\n"
    "                                       load a state chunk, show the resulting state",
    "usage: qvhost chunk get MODULE [--program] OUT\n"
    "       qvhost chunk set MODULE [--program] [--verify] IN\n"
    "\n"
    "get: asks a new effect for its state (effGetChunk) and writes the bytes to OUT as they are.\n"
    "set: gives a new effect the bytes of IN (effSetChunk), asks for the state again and says\n"
    "     whether it reads back identical, then prints the parameters and the current program.\n"
    "\n"
    "  --program   the current program only (chunk index 1); default: the whole bank (index 0)\n"
    "  --verify    set only: exit with status 3 when the state read back differs from IN\n",
    runChunk,
};

} // namespace qvhost
