#include "fuzz/PluginSnapshot.h"
#include <cstring>

PluginSnapshot PluginSnapshot::take (qvhost::PluginInstance& plugin)
{
    PluginSnapshot s;
    s.program = plugin.currentProgram();

    for (int i = 0; i < numParameters; ++i)
    {
        const float v = plugin.getParameter (i);
        std::memcpy (&s.valueBits[(size_t) i], &v, sizeof (v));
    }

    const auto presetProblem = s.preset.parse (plugin.getChunk (true));
    const auto bankProblem = s.bank.parse (plugin.getChunk (false));

    if (! presetProblem.empty())
        s.readProblem = "program chunk: " + presetProblem;
    else if (! bankProblem.empty())
        s.readProblem = "bank chunk: " + bankProblem;
    else
        s.readProblem = s.checkForm();

    return s;
}

std::string PluginSnapshot::checkForm() const
{
    if (program < 0 || program >= numPrograms)
        return "current program " + std::to_string (program);
    if (preset.tag != "QV-DELAY_TX_PRESET" || preset.attributes.size() != numParameters + 2)
        return "program chunk <" + preset.tag + "> with " + std::to_string (preset.attributes.size()) + " attributes";
    if (bank.tag != "QV-DELAY_TX_BANK" || bank.attributes.size() != 1 + (size_t) numPrograms * (numParameters + 1))
        return "bank chunk <" + bank.tag + "> with " + std::to_string (bank.attributes.size()) + " attributes";
    if (preset.attributes[0] != std::make_pair (std::string ("Version"), std::string ("1.1.0"))
        || bank.attributes[0] != preset.attributes[0])
        return "version attribute";
    if (preset.attributes.back().first != "programName")
        return "program chunk ends with " + preset.attributes.back().first;

    // The bank repeats the program chunk's identifiers with the program number.
    for (int p = 0; p < numPrograms; ++p)
    {
        for (int i = 0; i < numParameters; ++i)
            if (bank.attributes[recordBase (p) + (size_t) i].first != preset.attributes[1 + (size_t) i].first + std::to_string (p))
                return "bank attribute " + bank.attributes[recordBase (p) + (size_t) i].first;

        if (bank.attributes[recordBase (p) + numParameters].first != "ProgramName" + std::to_string (p))
            return "bank attribute " + bank.attributes[recordBase (p) + numParameters].first;
    }

    // What getParameter answers and what the chunk writes must be the same float.
    for (int i = 0; i < numParameters; ++i)
    {
        float v;
        std::memcpy (&v, &valueBits[(size_t) i], sizeof (v));

        if (ChunkDocument::numberText (v) != currentValueText (i))
            return "parameter " + std::to_string (i) + " reads " + ChunkDocument::numberText (v)
                   + " but is written as " + currentValueText (i);
    }

    return {};
}

std::string PluginSnapshot::compareCurrent (const PluginSnapshot& other) const
{
    std::string out;

    if (program != other.program)
        out += "current program " + std::to_string (program) + " -> " + std::to_string (other.program) + "; ";
    for (int i = 0; i < numParameters; ++i)
        if (valueBits[(size_t) i] != other.valueBits[(size_t) i])
            out += "value " + std::to_string (i) + " " + currentValueText (i) + " -> " + other.currentValueText (i) + "; ";
    if (currentProgramName() != other.currentProgramName())
        out += "current name \"" + currentProgramName() + "\" -> \"" + other.currentProgramName() + "\"; ";

    return out;
}

std::string PluginSnapshot::compareRecord (const PluginSnapshot& other, int p) const
{
    std::string out;

    for (int i = 0; i < numParameters; ++i)
        if (recordValue (p, i) != other.recordValue (p, i))
            out += "program " + std::to_string (p) + " value " + std::to_string (i) + " " + recordValue (p, i)
                   + " -> " + other.recordValue (p, i) + "; ";
    if (recordName (p) != other.recordName (p))
        out += "program " + std::to_string (p) + " name \"" + recordName (p) + "\" -> \"" + other.recordName (p) + "\"; ";

    return out;
}

std::string PluginSnapshot::compare (const PluginSnapshot& other) const
{
    std::string out = compareCurrent (other);

    for (int p = 0; p < numPrograms; ++p)
        out += compareRecord (other, p);

    return out;
}
