#pragma once
#include <map>
#include <string>
#include <vector>

namespace edhost
{

/** One line of qvhost's event log: a name and key=value fields. */
struct HostEvent
{
    std::string name;
    std::map<std::string, std::string> fields;

    bool has (const std::string& key) const { return fields.count (key) != 0; }
    std::string text (const std::string& key) const;
    long whole (const std::string& key) const;       // decimal or 0x hex
    double number (const std::string& key) const;

    static HostEvent parse (const std::string& line);
    static std::vector<HostEvent> parseAll (const std::string& text);
};

} // namespace edhost
