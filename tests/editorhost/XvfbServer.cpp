#include "tests/editorhost/XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace edhost
{

bool XvfbServer::isInstalled()
{
    std::istringstream path (std::getenv ("PATH") != nullptr ? std::getenv ("PATH") : "/usr/bin:/bin");
    for (std::string folder; std::getline (path, folder, ':');)
        if (! folder.empty() && ::access ((folder + "/Xvfb").c_str(), X_OK) == 0)
            return true;
    return false;
}

XvfbServer::XvfbServer (int width, int height)
{
    // The server picks a free display number itself and writes it to this pipe once it
    // accepts connections.
    int ready[2];
    if (::pipe (ready) != 0)
    {
        failure = "no pipe";
        return;
    }
    ::fcntl (ready[0], F_SETFD, FD_CLOEXEC);

    const std::string fd = std::to_string (ready[1]);
    const std::string screen = std::to_string (width) + "x" + std::to_string (height) + "x24";
    std::vector<const char*> argv { "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
                                    "-nolisten", "tcp", nullptr };

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_addopen (&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen (&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen (&actions, 2, "/dev/null", O_WRONLY, 0);
    const int failed = posix_spawnp (&server, "Xvfb", &actions, nullptr, const_cast<char* const*> (argv.data()), environ);
    posix_spawn_file_actions_destroy (&actions);
    ::close (ready[1]);
    if (failed != 0)
    {
        ::close (ready[0]);
        server = -1;
        failure = std::string ("cannot start Xvfb: ") + std::strerror (failed);
        return;
    }

    std::string number;
    pollfd waiting { ready[0], POLLIN, 0 };
    while (::poll (&waiting, 1, 20000) > 0)
    {
        char c = 0;
        if (::read (ready[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    ::close (ready[0]);

    if (number.empty())
        failure = "Xvfb did not report a display";
    else
        displayName = ":" + number;
}

XvfbServer::~XvfbServer()
{
    if (server <= 0)
        return;
    ::kill (server, SIGTERM);
    for (int i = 0; i < 500; ++i)
    {
        int status = 0;
        if (::waitpid (server, &status, WNOHANG) == server)
            return;
        std::this_thread::sleep_for (std::chrono::milliseconds (10));
    }
    ::kill (server, SIGKILL);
    ::waitpid (server, nullptr, 0);
}

} // namespace edhost
