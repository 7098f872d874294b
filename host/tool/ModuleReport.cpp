#include "host/tool/ModuleReport.h"
#include "host/PluginInstance.h"
#include "host/VstModule.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <vector>

namespace qvhost
{

std::unique_ptr<PluginInstance> openModule (const std::string& path, double sampleRate, int32_t blockSize)
{
    auto instance = std::make_unique<PluginInstance> (VstModule::load (path), sampleRate, blockSize);
    instance->open();
    return instance;
}

std::string describeUniqueId (int32_t id)
{
    const auto u = (uint32_t) id;
    char chars[5] = { (char) (u >> 24), (char) (u >> 16), (char) (u >> 8), (char) u, 0 };
    const bool printable = std::all_of (chars, chars + 4, [] (char c) { return c >= 0x20 && c <= 0x7e; });
    char text[64];
    if (printable)
        std::snprintf (text, sizeof (text), "'%s' (%d)", chars, id);
    else
        std::snprintf (text, sizeof (text), "0x%08x (%d)", u, id);
    return text;
}

std::string describeFlags (int32_t flags)
{
    static const std::pair<int32_t, const char*> names[] = {
        { vst::effFlagsHasEditor, "HasEditor" },
        { vst::effFlagsCanReplacing, "CanReplacing" },
        { vst::effFlagsProgramChunks, "ProgramChunks" },
        { vst::effFlagsIsSynth, "IsSynth" },
        { vst::effFlagsNoSoundInStop, "NoSoundInStop" },
        { vst::effFlagsCanDoubleReplacing, "CanDoubleReplacing" },
    };
    char hex[16];
    std::snprintf (hex, sizeof (hex), "0x%x", (unsigned) flags);
    std::string text = hex, decoded;
    int32_t rest = flags;
    for (const auto& [bit, name] : names)
        if ((flags & bit) != 0)
        {
            decoded += (decoded.empty() ? "" : " ") + std::string (name);
            rest &= ~bit;
        }
    if (rest != 0)
    {
        std::snprintf (hex, sizeof (hex), "0x%x", (unsigned) rest);
        decoded += (decoded.empty() ? "other " : " other ") + std::string (hex);
    }
    return decoded.empty() ? text : text + " (" + decoded + ")";
}

static const char* categoryName (intptr_t category)
{
    static const char* names[] = { "unknown", "effect", "instrument", "analysis", "mastering", "spatializer",
                                   "room effect", "surround effect", "restoration", "offline", "shell", "generator" };
    return category >= 0 && category < (intptr_t) (sizeof (names) / sizeof (names[0])) ? names[category] : "other";
}

void printIdentity (PluginInstance& instance, std::ostream& out)
{
    const auto& e = instance.effect();
    char hex[32];
    std::snprintf (hex, sizeof (hex), "0x%x", (unsigned) e.version);
    const auto category = instance.category();

    out << "Module:          " << instance.module().path() << " (entry " << instance.module().entryName() << ")\n"
        << "Effect name:     " << instance.effectName() << "\n"
        << "Vendor:          " << instance.vendorString() << "\n"
        << "Product:         " << instance.productString() << "\n"
        << "Vendor version:  " << instance.vendorVersion() << "\n"
        << "Unique id:       " << describeUniqueId (e.uniqueID) << "\n"
        << "Version:         " << e.version << " (" << hex << ")\n"
        << "VST version:     " << instance.vstVersion() << "\n"
        << "Category:        " << category << " (" << categoryName (category) << ")\n"
        << "Flags:           " << describeFlags (e.flags) << "\n"
        << "Inputs:          " << e.numInputs << "\n"
        << "Outputs:         " << e.numOutputs << "\n"
        << "Initial delay:   " << e.initialDelay << "\n";
}

void printParameters (PluginInstance& instance, std::ostream& out)
{
    const int32_t count = instance.numParameters();
    out << "Parameters:      " << count << "\n";
    if (count <= 0)
        return;

    struct Row { std::string name, display, label, value; };
    std::vector<Row> rows;
    size_t nameWidth = 4, displayWidth = 7, labelWidth = 5;
    for (int32_t i = 0; i < count; ++i)
    {
        char value[32];
        std::snprintf (value, sizeof (value), "%.9g", (double) instance.getParameter (i));
        rows.push_back ({ instance.parameterName (i), instance.parameterDisplay (i), instance.parameterLabel (i), value });
        nameWidth = std::max (nameWidth, rows.back().name.size());
        displayWidth = std::max (displayWidth, rows.back().display.size());
        labelWidth = std::max (labelWidth, rows.back().label.size());
    }

    auto pad = [] (const std::string& text, size_t width) { return text + std::string (width - std::min (width, text.size()), ' '); };
    out << "  index  " << pad ("name", nameWidth) << "  " << pad ("display", displayWidth) << "  "
        << pad ("label", labelWidth) << "  value\n";
    for (int32_t i = 0; i < count; ++i)
    {
        const Row& r = rows[(size_t) i];
        char index[16];
        std::snprintf (index, sizeof (index), "  %5d  ", i);
        out << index << pad (r.name, nameWidth) << "  " << pad (r.display, displayWidth) << "  "
            << pad (r.label, labelWidth) << "  " << r.value << "\n";
    }
}

void printPrograms (PluginInstance& instance, std::ostream& out)
{
    const int32_t count = instance.numPrograms();
    out << "Programs:        " << count << " (current " << instance.currentProgram() << ")\n";
    for (int32_t i = 0; i < count; ++i)
    {
        const auto name = instance.programNameIndexed (i);
        char index[16];
        std::snprintf (index, sizeof (index), "  %5d  ", i);
        out << index << (name ? *name : std::string ("(the module does not name programs by index)")) << "\n";
        if (! name)
            break;
    }
}

} // namespace qvhost
