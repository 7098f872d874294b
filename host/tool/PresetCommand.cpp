#include "host/tool/AtomicOutputFile.h"
#include "host/tool/CommandLine.h"
#include "host/tool/Commands.h"
#include "host/tool/ModuleReport.h"
#include "host/tool/ParameterSettings.h"
#include "host/HostError.h"
#include "host/PluginInstance.h"
#include "host/PresetFile.h"
#include "host/PresetTransfer.h"

#include <algorithm>
#include <cctype>
#include <iostream>
#include <optional>

namespace qvhost
{

namespace
{
    std::string lowerCase (std::string text)
    {
        std::transform (text.begin(), text.end(), text.begin(), [] (unsigned char c) { return (char) std::tolower (c); });
        return text;
    }

    /** .fxp: a program preset; .fxb: a bank. */
    PresetFile::Kind kindForName (const std::string& path)
    {
        const auto dot = path.find_last_of ('.');
        const auto slash = path.find_last_of ('/');
        const std::string extension = (dot == std::string::npos || (slash != std::string::npos && dot < slash))
                                          ? std::string() : lowerCase (path.substr (dot));
        if (extension == ".fxp")
            return PresetFile::Kind::program;
        if (extension == ".fxb")
            return PresetFile::Kind::bank;
        throw UsageError ("cannot tell the preset kind from '" + path + "': name it .fxp (one program) or .fxb (a bank)");
    }

    void writeFile (const std::string& path, const std::vector<uint8_t>& bytes)
    {
        AtomicOutputFile file (path);
        file.write (bytes.data(), bytes.size());
        file.commit();
    }

    struct Slot
    {
        int32_t program = 0;
        std::string path;
        std::optional<PresetFile> preset;
    };

    std::vector<Slot> parseSlots (const CommandLine& line)
    {
        std::vector<Slot> slots;
        for (const auto& text : line.all ("slot"))
        {
            const auto equals = text.find ('=');
            if (equals == std::string::npos || equals == 0 || equals + 1 == text.size())
                throw UsageError ("bad --slot '" + text + "': use N=FILE.fxp");
            Slot slot;
            slot.program = (int32_t) parseWhole (text.substr (0, equals), "program number in --slot " + text);
            slot.path = text.substr (equals + 1);
            slots.push_back (std::move (slot));
        }
        return slots;
    }
}

static int runSave (const CommandLine& line)
{
    line.expectPositionals ({ "save", "MODULE", "OUT" });
    const std::string& modulePath = line.positionals()[1];
    const std::string& out = line.positionals()[2];
    const auto outKind = kindForName (out);

    auto slots = parseSlots (line);
    if (! slots.empty() && outKind != PresetFile::Kind::bank)
        throw UsageError ("--slot builds a bank: name OUT .fxb");
    const auto parameters = parseParameterSettings (line);
    std::optional<int32_t> program;
    if (auto text = line.value ("program"))
        program = (int32_t) parseWhole (*text, "--program");
    const auto name = line.value ("name");

    // Every file is read and checked before the module changes or OUT is touched.
    std::optional<PresetFile> start;
    const auto startPath = line.value ("preset");
    if (startPath)
        start = PresetFile::readFile (*startPath);
    for (auto& slot : slots)
    {
        slot.preset = PresetFile::readFile (slot.path);
        if (slot.preset->isBank())
            throw HostError ("--slot " + std::to_string (slot.program) + ": '" + slot.path
                             + "' is a bank; a slot takes a program preset (.fxp)");
    }

    auto instance = openModule (modulePath);
    if (start)
        checkPresetFits (*instance, *start, *startPath);
    for (const auto& slot : slots)
    {
        checkPresetFits (*instance, *slot.preset, slot.path);
        if (slot.program < 0 || slot.program >= instance->numPrograms())
            throw HostError ("--slot " + std::to_string (slot.program) + ": the module has programs 0 to "
                             + std::to_string (instance->numPrograms() - 1));
    }

    // The same order as `render`: bank, slots, program, program preset, parameters, name.
    bool programSelected = false;
    if (start && start->isBank())
    {
        loadPreset (*instance, *start, *startPath);
        programSelected = true;
    }
    if (! slots.empty())
    {
        const int32_t current = instance->currentProgram();
        for (const auto& slot : slots)
        {
            instance->setProgram (slot.program);
            loadPreset (*instance, *slot.preset, slot.path);
        }
        instance->setProgram (current);
        programSelected = true;
    }
    if (program)
    {
        instance->setProgram (*program);
        programSelected = true;
    }
    if (start && ! start->isBank())
    {
        loadPreset (*instance, *start, *startPath);
        programSelected = false;
    }
    applyParameterSettings (*instance, parameters);

    if (name)
        renameCurrentProgram (*instance, *name);
    else if (programSelected && outKind == PresetFile::Kind::program)
        // Selecting a program does not change the name a program chunk carries (it is the
        // name last given or loaded); giving the program its own name again makes the file
        // carry the selected program's name inside the chunk as well as in its header.
        renameCurrentProgram (*instance, instance->programName());

    const PresetFile preset = outKind == PresetFile::Kind::bank ? makeBankPreset (*instance) : makeProgramPreset (*instance);
    const auto bytes = preset.toBytes();
    writeFile (out, bytes);
    instance->close();

    std::cout << "wrote " << bytes.size() << " bytes (" << preset.kindName() << ", " << preset.chunk().size()
              << "-byte chunk";
    if (preset.isBank())
        std::cout << ", current program " << preset.currentProgram();
    else
        std::cout << ", \"" << preset.programName() << "\"";
    std::cout << ") to " << out << "\n";
    return exitOk;
}

static int runLoad (const CommandLine& line)
{
    line.expectPositionals ({ "load", "MODULE", "IN" });
    const std::string& in = line.positionals()[2];
    const auto preset = PresetFile::readFile (in);

    auto instance = openModule (line.positionals()[1]);
    loadPreset (*instance, preset, in);
    const auto readBack = (preset.isBank() ? makeBankPreset (*instance) : makeProgramPreset (*instance)).toBytes();
    const bool same = readBack == preset.toBytes();

    std::cout << "loaded " << in << ": " << preset.kindName() << ", " << preset.chunk().size() << "-byte chunk; saved again: "
              << (same ? "identical" : "different") << "\n";
    printParameters (*instance, std::cout);
    if (preset.isBank())
        printPrograms (*instance, std::cout);
    else
        std::cout << "Current program: " << instance->currentProgram() << " \"" << instance->programName() << "\"\n";
    instance->close();
    return (line.has ("verify") && ! same) ? exitVerifyMismatch : exitOk;
}

static int runShow (const CommandLine& line)
{
    line.expectPositionals ({ "show", "IN" });
    const std::string& in = line.positionals()[1];
    const auto preset = PresetFile::readFile (in);

    std::cout << "File:            " << in << "\n"
              << "Kind:            " << preset.kindName() << ", format version " << preset.formatVersion() << "\n"
              << "Plug-in id:      " << describeUniqueId (preset.pluginId()) << "\n"
              << "Plug-in version: " << preset.pluginVersion() << "\n";
    if (preset.isBank())
        std::cout << "Programs:        " << preset.count() << "\n"
                  << "Current program: " << preset.currentProgram() << "\n";
    else
        std::cout << "Parameters:      " << preset.count() << "\n"
                  << "Program name:    \"" << preset.programName() << "\"\n";
    std::cout << "Chunk:           " << preset.chunk().size() << " bytes\n";
    return exitOk;
}

static int runExtract (const CommandLine& line)
{
    line.expectPositionals ({ "extract", "IN", "OUT" });
    const auto preset = PresetFile::readFile (line.positionals()[1]);
    const std::string& out = line.positionals()[2];
    writeFile (out, preset.chunk());
    std::cout << "wrote " << preset.chunk().size() << " bytes (" << (preset.isBank() ? "bank" : "program") << " chunk) to "
              << out << "\n";
    return exitOk;
}

static int runPreset (const std::vector<std::string>& arguments)
{
    CommandLine line (arguments, { { "preset", true }, { "slot", true, true }, { "program", true }, { "param", true, true },
                                   { "name", true }, { "verify" } });
    if (line.wantsHelp())
    {
        std::cout << presetCommand.help;
        return exitOk;
    }
    if (line.positionals().empty())
        throw UsageError ("missing 'save', 'load', 'show' or 'extract'");

    // Each action takes only its own options.
    const std::string& action = line.positionals()[0];
    const std::vector<std::string> saveOptions { "preset", "slot", "program", "param", "name" };
    auto refuseOthers = [&line, &action] (const std::vector<std::string>& allowed)
    {
        for (const char* option : { "preset", "slot", "program", "param", "name", "verify" })
            if (line.has (option) && std::find (allowed.begin(), allowed.end(), option) == allowed.end())
                throw UsageError (std::string ("'--") + option + "' does not go with 'preset " + action + "'");
    };

    if (action == "save")
    {
        refuseOthers (saveOptions);
        return runSave (line);
    }
    if (action == "load")
    {
        refuseOthers ({ "verify" });
        return runLoad (line);
    }
    if (action == "show")
    {
        refuseOthers ({});
        return runShow (line);
    }
    if (action == "extract")
    {
        refuseOthers ({});
        return runExtract (line);
    }
    throw UsageError ("unknown preset action '" + action + "' (use save, load, show or extract)");
}

const Command presetCommand {
    "preset",
    "preset save MODULE OUT.fxp|OUT.fxb [options]\n"
    "                                       save a program (.fxp) or the bank (.fxb) as a VST preset file\n"
    "  preset load MODULE IN [--verify]     load a preset file, show the resulting state\n"
    "  preset show IN                       what a preset file holds\n"
    "  preset extract IN OUT                the state chunk inside a preset file",
    "usage: qvhost preset save MODULE OUT [--preset FILE] [--slot N=FILE]... [--program N]\n"
    "                          [--param NAME=VALUE]... [--name TEXT]\n"
    "       qvhost preset load MODULE IN [--verify]\n"
    "       qvhost preset show IN\n"
    "       qvhost preset extract IN OUT\n"
    "\n"
    "Preset files are the VST 2.4 ones hosts import and export: an .fxp holds one program, an\n"
    "  .fxb a bank of all programs. Both wrap the module's own state chunk (the bytes of\n"
    "  effGetChunk) in a big-endian header ('CcnK', then 'FPCh' or 'FBCh') with the module's\n"
    "  unique id and version; a program preset also names the program (up to 27 characters).\n"
    "\n"
    "save: makes a new effect, sets it up, and writes OUT: the current program when OUT ends in\n"
    "      .fxp (named as the module names the current program), the whole bank when it ends in\n"
    "      .fxb (recording the current program). The set-up goes in this order, whatever the\n"
    "      order on the command line:\n"
    "  --preset FILE         a bank FILE first: it replaces all programs and its current program\n"
    "                        is selected; a program FILE after --program, into the current program\n"
    "  --slot N=FILE         .fxb only, repeatable: load the program preset FILE into program N;\n"
    "                        afterwards the program that was current before is selected again\n"
    "  --program N           select program N (the file then carries that program's name)\n"
    "  --param NAME=VALUE    set a parameter; repeatable ('qvhost render --help' tells how names\n"
    "  --param INDEX=VALUE   are found)\n"
    "  --name TEXT           rename the current program (the module may cut it: 24 characters)\n"
    "load: gives a new effect IN (a bank also selects its current program), saves the same kind\n"
    "      of preset again and says whether it is identical to IN, then prints the parameters and\n"
    "      the program(s).\n"
    "  --verify              exit with status 3 when the preset saved again differs from IN\n"
    "show: prints the header of IN: kind, plug-in id and version, name or current program.\n"
    "extract: writes the state chunk of IN to OUT as it is (for 'qvhost chunk set', or\n"
    "      'render --chunk' / '--bank-chunk').\n"
    "\n"
    "A preset for another plug-in (another unique id), a file cut short, extra bytes after the\n"
    "chunk, a file that is no VST preset, or one that lists parameter values instead of holding\n"
    "a chunk ('FxCk', 'FxBk') is refused with a message saying so, before any effect changes\n"
    "and before OUT is written. OUT appears only when complete.\n",
    runPreset,
};

} // namespace qvhost
