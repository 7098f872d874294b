#include "fuzz/PluginSnapshot.h"
#include <cstring>

PluginSnapshot PluginSnapshot::take (qvhost::PluginInstance& plugin, const PluginSnapshot* like)
{
    PluginSnapshot s;
    s.program = plugin.currentProgram();

    for (int i = 0; i < numParameters; ++i)
    {
        const float v = plugin.getParameter (i);
        std::memcpy (&s.valueBits[(size_t) i], &v, sizeof (v));
    }

    const auto presetProblem = s.preset.parse (plugin.getChunk (true));
    s.bankBytes = plugin.getChunk (false);
    std::string bankProblem;

    if (like != nullptr && like->bank != nullptr && like->readProblem.empty() && like->bankBytes == s.bankBytes)
    {
        s.bank = like->bank;
    }
    else
    {
        auto doc = std::make_shared<ChunkDocument>();
        bankProblem = doc->parse (s.bankBytes);
        s.bank = std::move (doc);
    }

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
    const ChunkDocument& records = *bank;
    if (records.tag != "QV-DELAY_TX_BANK" || records.attributes.size() != 1 + (size_t) numPrograms * (numParameters + 1))
        return "bank chunk <" + records.tag + "> with " + std::to_string (records.attributes.size()) + " attributes";
    if (preset.attributes[0] != std::make_pair (std::string ("Version"), std::string ("1.1.0"))
        || records.attributes[0] != preset.attributes[0])
        return "version attribute";
    if (preset.attributes.back().first != "programName")
        return "program chunk ends with " + preset.attributes.back().first;

    // The bank repeats the program chunk's identifiers with the program number.
    for (int p = 0; p < numPrograms; ++p)
    {
        for (int i = 0; i < numParameters; ++i)
            if (records.attributes[recordBase (p) + (size_t) i].first != preset.attributes[1 + (size_t) i].first + std::to_string (p))
                return "bank attribute " + records.attributes[recordBase (p) + (size_t) i].first;

        if (records.attributes[recordBase (p) + numParameters].first != "ProgramName" + std::to_string (p))
            return "bank attribute " + records.attributes[recordBase (p) + numParameters].first;
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

    if (bank == other.bank || bankBytes == other.bankBytes)
        return out;

    for (int p = 0; p < numPrograms; ++p)
        out += compareRecord (other, p);

    return out;
}
