#pragma once
#include <X11/Xlib.h>
#include <string>

namespace qvhost
{

/** What this process holds at one moment: its resident memory, and what its X connections
    (the host's own and any a module opened) hold on the X server. Counts are -1 where they
    cannot be known: the X figures per connection need the server's X-Resource extension
    (and qvhost built with libXRes); the window count works everywhere. */
struct ResourceUse
{
    long residentKb = -1;
    int xConnections = -1;    // connections of this process
    long xResources = -1;     // windows, pixmaps, GCs, fonts, cursors, ... of those connections
    long xPixmapKb = -1;      // pixmap memory of those connections
    long windowsOnScreen = -1;  // all windows in the screen's tree, of any client

    /** "rss-kb=… x-connections=… x-resources=… x-pixmap-kb=… windows=…" */
    std::string describe() const;
};

/** Takes ResourceUse readings. */
class ResourceMeter
{
public:
    /** A reading through `display` (any connection of this process to the server). */
    static ResourceUse measure (Display* display);

    /** Resident set size of this process from /proc, in KiB; -1 when unreadable. */
    static long residentKb();

    /** Whether this build and this server can count per-connection resources. */
    static bool canCountConnections (Display* display);

private:
    static long countWindows (Display* display, Window top);
};

} // namespace qvhost
