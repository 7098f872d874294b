#include "tests/editorhost/PointerDriver.h"
#include "tests/editorhost/ChildProcess.h"
#include "tests/editorhost/XvfbServer.h"

#include <unistd.h>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace edhost
{

PointerDriver::PointerDriver (const XvfbServer& server, const std::string& scratchFolder)
    : environment (server.environment()), folder (scratchFolder)
{
}

bool PointerDriver::isInstalled()
{
    std::istringstream path (std::getenv ("PATH") != nullptr ? std::getenv ("PATH") : "/usr/bin:/bin");
    for (std::string dir; std::getline (path, dir, ':');)
        if (! dir.empty() && ::access ((dir + "/xdotool").c_str(), X_OK) == 0)
            return true;
    return false;
}

std::string PointerDriver::run (const std::vector<std::string>& arguments) const
{
    int status = 0;
    const std::string out = ChildProcess::run ("xdotool", arguments, { environment }, folder, 30.0, &status);
    if (status != 0)
    {
        std::string line;
        for (const auto& a : arguments)
            line += " " + a;
        throw std::runtime_error ("xdotool" + line + " failed with status " + std::to_string (status));
    }
    return out;
}

unsigned long PointerDriver::findWindow (int pid, const std::string& titlePattern) const
{
    int status = 0;
    const std::string out = ChildProcess::run ("xdotool", { "search", "--all", "--pid", std::to_string (pid), "--name", titlePattern },
                                               { environment }, folder, 30.0, &status);
    std::istringstream ids (out);
    unsigned long id = 0;
    ids >> id;
    return id;
}

void PointerDriver::click (unsigned long window, Point at) const
{
    const std::string w = std::to_string (window);
    run ({ "mousemove", "--window", w, std::to_string (at.x), std::to_string (at.y), "click", "1" });
}

void PointerDriver::moveTo (unsigned long window, Point at) const
{
    run ({ "mousemove", "--window", std::to_string (window), std::to_string (at.x), std::to_string (at.y) });
}

void PointerDriver::drag (unsigned long window, const std::vector<Point>& path, double pause) const
{
    if (path.empty())
        return;
    const std::string w = std::to_string (window);
    const std::string wait = std::to_string (pause);
    std::vector<std::string> steps { "mousemove", "--window", w, std::to_string (path[0].x), std::to_string (path[0].y),
                                     "sleep", wait, "mousedown", "1", "sleep", wait };
    for (size_t i = 1; i < path.size(); ++i)
        for (const std::string& s : { std::string ("mousemove"), std::string ("--window"), w, std::to_string (path[i].x),
                                      std::to_string (path[i].y), std::string ("sleep"), wait })
            steps.push_back (s);
    steps.push_back ("mouseup");
    steps.push_back ("1");
    run (steps);
}

void PointerDriver::resize (unsigned long window, int width, int height) const
{
    run ({ "windowsize", std::to_string (window), std::to_string (width), std::to_string (height) });
}

} // namespace edhost
