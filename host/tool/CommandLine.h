#pragma once
#include "host/HostError.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qvhost
{

/** A command line the user got wrong: unknown option, missing value, wrong argument count.
    qvhost answers it with exit status 2. */
class UsageError : public HostError
{
public:
    using HostError::HostError;
};

/** The arguments of one subcommand, split into positional arguments and options.
    Options are `--name`, `--name VALUE` or `--name=VALUE`; `--` ends the options.
    Only the options the subcommand declares are accepted. */
class CommandLine
{
public:
    struct Option
    {
        std::string name;          // without the leading dashes
        bool takesValue = false;
        bool repeatable = false;
    };

    /** Throws UsageError for an unknown option, a missing or unexpected value, or a repeated
        option that may be given once. `--help` and `-h` are always known. */
    CommandLine (const std::vector<std::string>& arguments, const std::vector<Option>& options);

    const std::vector<std::string>& positionals() const noexcept { return positional; }
    bool has (const std::string& name) const { return values.count (name) != 0; }
    bool wantsHelp() const { return has ("help"); }
    std::optional<std::string> value (const std::string& name) const;
    std::vector<std::string> all (const std::string& name) const;

    /** Throws UsageError unless there are exactly `names.size()` positional arguments. */
    void expectPositionals (const std::vector<std::string>& names) const;

private:
    std::vector<std::string> positional;
    std::map<std::string, std::vector<std::string>> values;
};

/** A finite number from an option's text; throws UsageError naming `what` otherwise. */
double parseNumber (const std::string& text, const std::string& what);
/** A whole number of at most 9 digits, no sign; throws UsageError naming `what` otherwise. */
long long parseWhole (const std::string& text, const std::string& what);

} // namespace qvhost
