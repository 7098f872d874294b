#include "host/ParameterResolver.h"
#include "host/HostError.h"
#include "host/PluginInstance.h"

#include <set>

namespace qvhost
{

ParameterResolver::ParameterResolver (std::vector<std::string> reportedNames, std::vector<std::string> fullNames)
    : reported (std::move (reportedNames)), full (std::move (fullNames))
{
    if (full.size() != reported.size())
        full.clear();
}

ParameterResolver ParameterResolver::fromInstance (PluginInstance& instance)
{
    std::vector<std::string> names;
    for (int32_t i = 0; i < instance.numParameters(); ++i)
        names.push_back (instance.parameterName (i));

    std::vector<std::string> fullNames;
    if (instance.hasFlag (vst::effFlagsProgramChunks))
        fullNames = fullNamesFromChunk (instance.getChunk (true), names);
    return ParameterResolver (std::move (names), std::move (fullNames));
}

namespace
{
    bool isNameStart (uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
    bool isNameChar (uint8_t c)  { return isNameStart (c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == ':'; }
    bool isSpace (uint8_t c)     { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    bool startsWith (const std::string& text, const std::string& prefix)
    {
        return text.size() >= prefix.size() && text.compare (0, prefix.size(), prefix) == 0;
    }

    /** Every name in a name="value" or name='value' pair, in order. The value of a pair is
        skipped whole, so text inside a value is never taken for a name. */
    std::vector<std::string> attributeNames (const std::vector<uint8_t>& bytes)
    {
        std::vector<std::string> names;
        const size_t n = bytes.size();
        size_t i = 0;
        while (i < n)
        {
            const uint8_t c = bytes[i];
            if (! isNameStart (c) || (i > 0 && isNameChar (bytes[i - 1])))
            {
                ++i;
                continue;
            }
            size_t end = i;
            while (end < n && isNameChar (bytes[end]))
                ++end;
            size_t k = end;
            while (k < n && isSpace (bytes[k]))
                ++k;
            if (k < n && bytes[k] == '=')
            {
                ++k;
                while (k < n && isSpace (bytes[k]))
                    ++k;
                if (k < n && (bytes[k] == '"' || bytes[k] == '\''))
                {
                    names.emplace_back (bytes.begin() + (std::ptrdiff_t) i, bytes.begin() + (std::ptrdiff_t) end);
                    const uint8_t quote = bytes[k];
                    ++k;
                    while (k < n && bytes[k] != quote)
                        ++k;
                    i = k + 1;
                    continue;
                }
            }
            i = end;
        }
        return names;
    }
}

std::vector<std::string> ParameterResolver::fullNamesFromChunk (const std::vector<uint8_t>& chunk,
                                                                const std::vector<std::string>& reportedNames)
{
    const size_t count = reportedNames.size();
    if (count == 0)
        return {};
    for (const auto& name : reportedNames)
        if (name.empty())
            return {};

    const auto names = attributeNames (chunk);
    if (names.size() < count)
        return {};

    std::vector<std::string> found;
    int runs = 0;
    for (size_t start = 0; start + count <= names.size(); ++start)
    {
        bool linesUp = true;
        for (size_t i = 0; i < count && linesUp; ++i)
            linesUp = startsWith (names[start + i], reportedNames[i]);
        if (linesUp && ++runs == 1)
            found.assign (names.begin() + (std::ptrdiff_t) start, names.begin() + (std::ptrdiff_t) (start + count));
    }
    if (runs != 1)
        return {};

    // Full names must tell every parameter apart, or they add nothing over the reported ones.
    if (std::set<std::string> (found.begin(), found.end()).size() != count)
        return {};
    return found;
}

int32_t ParameterResolver::resolve (const std::string& text) const
{
    const auto count = (int32_t) reported.size();

    if (! text.empty() && text.find_first_not_of ("0123456789") == std::string::npos)
    {
        const long long index = text.size() > 10 ? -1 : std::stoll (text);
        if (index < 0 || index >= count)
            throw HostError ("parameter index " + text + " is out of range (the module has " + std::to_string (count)
                             + " parameters, 0 to " + std::to_string (count - 1) + ")");
        return (int32_t) index;
    }

    std::vector<int32_t> exact;
    for (int32_t i = 0; i < count; ++i)
        if (reported[(size_t) i] == text)
            exact.push_back (i);
    if (exact.size() == 1)
        return exact.front();

    for (int32_t i = 0; i < (int32_t) full.size(); ++i)
        if (full[(size_t) i] == text)
            return i;

    auto listIndices = [] (const std::vector<int32_t>& indices)
    {
        std::string list;
        for (auto i : indices)
            list += (list.empty() ? "" : ", ") + std::to_string (i);
        return list;
    };

    if (exact.size() > 1)
    {
        std::string hint = "use an index";
        if (! full.empty())
            hint += " or a full name (" + full[(size_t) exact[0]] + ", " + full[(size_t) exact[1]] + (exact.size() > 2 ? ", ..." : "") + ")";
        throw HostError ("parameter name '" + text + "' is ambiguous: parameters " + listIndices (exact) + " share it; " + hint);
    }

    if (full.empty())
    {
        std::vector<int32_t> prefixed;
        for (int32_t i = 0; i < count; ++i)
            if (reported[(size_t) i].size() >= (size_t) vst::kVstMaxParamStrLen && startsWith (text, reported[(size_t) i]))
                prefixed.push_back (i);
        if (prefixed.size() == 1)
            return prefixed.front();
        if (prefixed.size() > 1)
            throw HostError ("parameter name '" + text + "' is ambiguous: it begins with the names of parameters "
                             + listIndices (prefixed) + "; use an index");
    }

    throw HostError ("unknown parameter '" + text + "' (qvhost info lists the module's parameters)");
}

} // namespace qvhost
