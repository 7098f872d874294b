#include "host/tool/AtomicOutputFile.h"
#include "host/HostError.h"

#include <sys/stat.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace qvhost
{

namespace
{
    // The temporary file to remove if a signal ends the process; a fixed buffer because the
    // handler may use nothing but async-signal-safe calls.
    char pendingPath[4096] = {};
    volatile sig_atomic_t havePending = 0;

    extern "C" void removePendingAndDie (int signalNumber)
    {
        if (havePending != 0)
            ::unlink (pendingPath);
        std::signal (signalNumber, SIG_DFL);
        std::raise (signalNumber);
    }

    void setPending (const std::string& path)
    {
        if (path.size() >= sizeof (pendingPath))
            return;
        std::memcpy (pendingPath, path.c_str(), path.size() + 1);
        havePending = 1;
        for (int s : { SIGINT, SIGTERM, SIGHUP })
            std::signal (s, removePendingAndDie);
    }

    void clearPending()
    {
        havePending = 0;
        for (int s : { SIGINT, SIGTERM, SIGHUP })
            std::signal (s, SIG_DFL);
    }
}

AtomicOutputFile::AtomicOutputFile (const std::string& destination) : finalPath (destination)
{
    struct stat info {};
    if (::stat (destination.c_str(), &info) == 0 && S_ISDIR (info.st_mode))
        throw HostError ("cannot write '" + destination + "': it is a folder");

    const auto slash = destination.find_last_of ('/');
    const std::string folder = slash == std::string::npos ? std::string() : destination.substr (0, slash + 1);
    const std::string name = slash == std::string::npos ? destination : destination.substr (slash + 1);
    if (name.empty())
        throw HostError ("cannot write '" + destination + "': no file name");

    std::string pattern = folder + "." + name + ".qvhost-XXXXXX";
    fd = ::mkstemp (pattern.data());
    if (fd < 0)
        throw HostError ("cannot write '" + destination + "': " + std::strerror (errno));
    tempPath = pattern;
    setPending (tempPath);

    // mkstemp makes the file private; the result should get the permissions of any new file.
    const mode_t mask = ::umask (0);
    ::umask (mask);
    ::fchmod (fd, 0666 & ~mask);
}

AtomicOutputFile::~AtomicOutputFile()
{
    if (! committed)
        discard();
}

void AtomicOutputFile::write (const void* data, size_t size)
{
    const auto* bytes = static_cast<const char*> (data);
    while (size > 0)
    {
        const ssize_t n = ::write (fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw HostError ("cannot write '" + finalPath + "': " + std::strerror (n < 0 ? errno : EIO));
        bytes += n;
        size -= (size_t) n;
    }
}

void AtomicOutputFile::commit()
{
    if (fd >= 0)
    {
        const int result = ::close (fd);
        fd = -1;
        if (result != 0)
            throw HostError ("cannot write '" + finalPath + "': " + std::strerror (errno));
    }
    if (::rename (tempPath.c_str(), finalPath.c_str()) != 0)
        throw HostError ("cannot write '" + finalPath + "': " + std::strerror (errno));
    committed = true;
    clearPending();
}

void AtomicOutputFile::discard() noexcept
{
    if (fd >= 0)
        ::close (fd);
    fd = -1;
    if (! tempPath.empty())
        ::unlink (tempPath.c_str());
    clearPending();
}

} // namespace qvhost
