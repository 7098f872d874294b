#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qvhost
{

/** The bytes of the file at `path`. Throws HostError with a one-line message when it
    cannot be read, is a folder, or is larger than `largest` bytes (then the message
    says it is far too large to be `whatItShouldBe`, e.g. "a preset file"). */
std::vector<uint8_t> readWholeFile (const std::string& path, uintmax_t largest = UINTMAX_MAX,
                                    const std::string& whatItShouldBe = {});

} // namespace qvhost
