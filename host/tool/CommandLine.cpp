#include "host/tool/CommandLine.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace qvhost
{

CommandLine::CommandLine (const std::vector<std::string>& arguments, const std::vector<Option>& options)
{
    auto findOption = [&options] (const std::string& name) -> const Option*
    {
        if (name == "help")
        {
            static const Option help { "help", false, true };
            return &help;
        }
        for (const auto& o : options)
            if (o.name == name)
                return &o;
        return nullptr;
    };

    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i)
    {
        const std::string& arg = arguments[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-' || arg == "-")
        {
            positional.push_back (arg);
            continue;
        }
        if (arg == "--")
        {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h")
        {
            values["help"].push_back ({});
            continue;
        }
        if (arg.compare (0, 2, "--") != 0)
            throw UsageError ("unknown option '" + arg + "'");

        const auto equals = arg.find ('=');
        const std::string name = arg.substr (2, equals == std::string::npos ? std::string::npos : equals - 2);
        const Option* option = findOption (name);
        if (option == nullptr)
            throw UsageError ("unknown option '--" + name + "'");

        std::string value;
        if (option->takesValue)
        {
            if (equals != std::string::npos)
                value = arg.substr (equals + 1);
            else if (i + 1 < arguments.size())
                value = arguments[++i];
            else
                throw UsageError ("option '--" + name + "' needs a value");
        }
        else if (equals != std::string::npos)
        {
            throw UsageError ("option '--" + name + "' takes no value");
        }

        auto& slot = values[name];
        if (! slot.empty() && ! option->repeatable)
            throw UsageError ("option '--" + name + "' given more than once");
        slot.push_back (value);
    }
}

std::optional<std::string> CommandLine::value (const std::string& name) const
{
    auto found = values.find (name);
    if (found == values.end() || found->second.empty())
        return std::nullopt;
    return found->second.back();
}

std::vector<std::string> CommandLine::all (const std::string& name) const
{
    auto found = values.find (name);
    return found == values.end() ? std::vector<std::string>() : found->second;
}

void CommandLine::expectPositionals (const std::vector<std::string>& names) const
{
    if (positional.size() == names.size())
        return;
    if (positional.size() < names.size())
        throw UsageError ("missing " + names[positional.size()]);
    throw UsageError ("unexpected argument '" + positional[names.size()] + "'");
}

double parseNumber (const std::string& text, const std::string& what)
{
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod (text.c_str(), &end);
    if (text.empty() || end == text.c_str() || *end != 0 || errno == ERANGE || ! std::isfinite (value))
        throw UsageError ("bad " + what + " '" + text + "': not a number");
    return value;
}

long long parseWhole (const std::string& text, const std::string& what)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of ("0123456789") != std::string::npos)
        throw UsageError ("bad " + what + " '" + text + "': not a whole number");
    return std::stoll (text);
}

} // namespace qvhost
