#pragma once
#include <string>
#include <vector>

namespace edhost
{

class XvfbServer;

/** Real pointer input on a test's X server through xdotool (XTEST): the events reach the
    editor exactly as a user's would, through the server and the editor's own connection.
    Positions are in the coordinates of the window given. */
class PointerDriver
{
public:
    struct Point
    {
        int x, y;
    };

    PointerDriver (const XvfbServer& server, const std::string& scratchFolder);

    static bool isInstalled();

    /** The top-level window of process `pid` whose title matches `titlePattern` (a regular
        expression, as xdotool takes it); 0 when there is none. */
    unsigned long findWindow (int pid, const std::string& titlePattern) const;

    void click (unsigned long window, Point at) const;
    /** Presses the left button at the first point, moves through the others, pausing
        `pause` seconds at each, and releases it at the last. */
    void drag (unsigned long window, const std::vector<Point>& path, double pause) const;
    void moveTo (unsigned long window, Point at) const;
    void resize (unsigned long window, int width, int height) const;

private:
    std::string run (const std::vector<std::string>& arguments) const;

    std::string environment;
    std::string folder;
};

} // namespace edhost
