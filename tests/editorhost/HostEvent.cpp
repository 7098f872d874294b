#include "tests/editorhost/HostEvent.h"

#include <cstdlib>
#include <sstream>

namespace edhost
{

std::string HostEvent::text (const std::string& key) const
{
    auto found = fields.find (key);
    return found != fields.end() ? found->second : std::string();
}

long HostEvent::whole (const std::string& key) const
{
    return std::strtol (text (key).c_str(), nullptr, 0);
}

double HostEvent::number (const std::string& key) const
{
    return std::strtod (text (key).c_str(), nullptr);
}

HostEvent HostEvent::parse (const std::string& line)
{
    HostEvent event;
    std::istringstream words (line);
    words >> event.name;
    for (std::string word; words >> word;)
    {
        const auto equals = word.find ('=');
        if (equals != std::string::npos)
            event.fields[word.substr (0, equals)] = word.substr (equals + 1);
    }
    return event;
}

std::vector<HostEvent> HostEvent::parseAll (const std::string& text)
{
    std::vector<HostEvent> events;
    std::istringstream lines (text);
    for (std::string line; std::getline (lines, line);)
        if (! line.empty())
            events.push_back (parse (line));
    return events;
}

} // namespace edhost
