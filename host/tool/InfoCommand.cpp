#include "host/tool/CommandLine.h"
#include "host/tool/Commands.h"
#include "host/tool/ModuleReport.h"
#include "host/PluginInstance.h"

#include <iostream>

namespace qvhost
{

static int runInfo (const std::vector<std::string>& arguments)
{
    CommandLine line (arguments, {});
    if (line.wantsHelp())
    {
        std::cout << infoCommand.help;
        return exitOk;
    }
    line.expectPositionals ({ "MODULE" });

    auto instance = openModule (line.positionals()[0]);
    printIdentity (*instance, std::cout);
    printParameters (*instance, std::cout);
    printPrograms (*instance, std::cout);
    instance->close();
    return exitOk;
}

const Command infoCommand {
    "info",
    "info MODULE                          identity, flags, channels, parameters and programs",
    "usage: qvhost info MODULE\n"
    "\n"
    "Loads MODULE, makes one effect and prints its identity (effect name, vendor, product,\n"
    "vendor version, unique id as four characters and as a number, version, VST version,\n"
    "category), its flags decoded, its input and output counts, every parameter (index,\n"
    "name, display text, label, value) and every program name.\n",
    runInfo,
};

} // namespace qvhost
