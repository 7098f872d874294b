#pragma once
#include <sys/types.h>
#include <string>

namespace edhost
{

/** A virtual X server of a test's own: Xvfb on a free display number, 24-bit true colour,
    no window manager, no TCP. Each test gets a fresh one, so tests running side by side
    never share a pointer, and a test starts from a server with only the atoms the server
    makes itself. Stopped (and waited for) on destruction. */
class XvfbServer
{
public:
    /** Starts the server and waits until it accepts connections; `isRunning` tells
        whether that worked. */
    explicit XvfbServer (int width = 1280, int height = 1024);
    ~XvfbServer();

    XvfbServer (const XvfbServer&) = delete;
    XvfbServer& operator= (const XvfbServer&) = delete;

    bool isRunning() const noexcept { return ! displayName.empty(); }
    /** ":N" */
    const std::string& name() const noexcept { return displayName; }
    /** "DISPLAY=:N", for a child's environment. */
    std::string environment() const { return "DISPLAY=" + displayName; }
    /** Why it did not start. */
    const std::string& problem() const noexcept { return failure; }

    /** Whether the Xvfb program is installed (scripts/install-deps.sh gui). */
    static bool isInstalled();

private:
    pid_t server = -1;
    std::string displayName;
    std::string failure;
};

} // namespace edhost
