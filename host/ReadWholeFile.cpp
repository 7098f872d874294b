#include "host/ReadWholeFile.h"
#include "host/HostError.h"

#include <sys/stat.h>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace qvhost
{

std::vector<uint8_t> readWholeFile (const std::string& path, uintmax_t largest, const std::string& whatItShouldBe)
{
    struct stat info {};
    if (::stat (path.c_str(), &info) != 0)
        throw HostError ("cannot read '" + path + "': " + std::strerror (errno));
    if (S_ISDIR (info.st_mode))
        throw HostError ("cannot read '" + path + "': it is a folder");
    if ((uintmax_t) info.st_size > largest)
        throw HostError ("'" + path + "': " + std::to_string ((uintmax_t) info.st_size)
                         + " bytes, far too large to be " + whatItShouldBe);

    std::ifstream in (path, std::ios::binary);
    if (! in)
        throw HostError ("cannot read '" + path + "': " + std::strerror (errno));
    std::vector<uint8_t> bytes ((std::istreambuf_iterator<char> (in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw HostError ("cannot read '" + path + "': " + std::strerror (errno));
    return bytes;
}

} // namespace qvhost
