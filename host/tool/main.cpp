// qvhost: the project's own VST 2.4 host on the command line.
#include "host/tool/CommandLine.h"
#include "host/tool/Commands.h"
#include "host/HostError.h"

#include <csignal>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

using namespace qvhost;

namespace
{
    // New subcommands go here; each brings its own synopsis, help and run function.
    const Command* const commands[] = { &infoCommand, &chunkCommand, &presetCommand, &renderCommand, &editorCommand };

    const Command* findCommand (const std::string& name)
    {
        for (const Command* command : commands)
            if (name == command->name)
                return command;
        return nullptr;
    }

    void printOverview (std::ostream& out)
    {
        out << "usage: qvhost COMMAND [ARGUMENTS]\n"
               "\n"
               "Loads a VST 2.4 module (a LinuxVST .so file) and works with it.\n"
               "\n"
               "commands:\n";
        for (const Command* command : commands)
            out << "  " << command->synopsis << "\n";
        out << "  help [COMMAND]                       this text, or the options of COMMAND\n"
               "\n"
               "'qvhost COMMAND --help' shows the options of COMMAND.\n"
               "exit status: 0 done, 1 failed, 2 bad command line, 3 a --verify found a difference (chunk set, preset load)\n";
    }
}

int main (int argc, char** argv)
{
    std::vector<std::string> arguments (argv + 1, argv + argc);

    // Past a file-size limit a write should fail (and the half-written output be removed)
    // rather than the process being killed with the temporary file left behind.
    std::signal (SIGXFSZ, SIG_IGN);

    try
    {
        if (arguments.empty())
        {
            printOverview (std::cerr);
            return exitUsage;
        }

        const std::string& name = arguments.front();
        if (name == "help" || name == "--help" || name == "-h")
        {
            if (arguments.size() > 1)
            {
                const Command* command = findCommand (arguments[1]);
                if (command == nullptr)
                    throw UsageError ("unknown command '" + arguments[1] + "'");
                std::cout << command->help;
            }
            else
            {
                printOverview (std::cout);
            }
            return exitOk;
        }

        const Command* command = findCommand (name);
        if (command == nullptr)
            throw UsageError ("unknown command '" + name + "' (try 'qvhost help')");

        return command->run (std::vector<std::string> (arguments.begin() + 1, arguments.end()));
    }
    catch (const UsageError& e)
    {
        std::cerr << "qvhost: " << e.what() << "\n";
        return exitUsage;
    }
    catch (const HostError& e)
    {
        std::cerr << "qvhost: " << e.what() << "\n";
        return exitFailure;
    }
    catch (const std::exception& e)
    {
        std::cerr << "qvhost: " << e.what() << "\n";
        return exitFailure;
    }
}
