#pragma once
#include <stdexcept>
#include <string>

namespace qvhost
{

/** A failure the host reports to its user as one line of text: a module that cannot be
    loaded, a missing entry point, a refused request. Never thrown across a module boundary. */
class HostError : public std::runtime_error
{
public:
    explicit HostError (const std::string& message) : std::runtime_error (message) {}
};

} // namespace qvhost
