#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qvhost
{

class PluginInstance;

/** Turns what a user types for a parameter into the module's parameter index.

    The rule, in order:
    1. A plain number is an index, 0 to count - 1.
    2. A name the module reports (effGetParamName) for exactly one parameter is that parameter.
    3. A full name is that parameter. Full names come from the module itself: the names in its
       program chunk (an XML-style list of name="value" pairs) are taken when a run of them lines
       up one to one, in parameter order, with the reported names as their beginnings. That is
       how a module with 8-character names shows its longer ones; two parameters reported as
       "fPreDela" are then told apart as "fPreDelayLeft" and "fPreDelayRight".
    4. Only for a module without full names: a name that begins with the reported name of
       exactly one parameter, where that reported name has the standard's full 8 characters
       (so it may have been cut; a shorter name was not, and "ti" never means "t").
    A reported name shared by several parameters, and anything else, is refused with a reason.
    Names are compared exactly, case included. */
class ParameterResolver
{
public:
    ParameterResolver (std::vector<std::string> reportedNames, std::vector<std::string> fullNames);

    /** Reads the reported names and, when the module keeps program chunks, the full names. */
    static ParameterResolver fromInstance (PluginInstance& instance);

    /** The full names a chunk carries for parameters with these reported names, in parameter
        order; empty when the chunk gives no single run of names that lines up. */
    static std::vector<std::string> fullNamesFromChunk (const std::vector<uint8_t>& chunk,
                                                        const std::vector<std::string>& reportedNames);

    /** The index for `text`; throws HostError saying why there is none. */
    int32_t resolve (const std::string& text) const;

    const std::vector<std::string>& reportedNames() const noexcept { return reported; }
    const std::vector<std::string>& fullNames() const noexcept { return full; }

private:
    std::vector<std::string> reported;
    std::vector<std::string> full;
};

} // namespace qvhost
