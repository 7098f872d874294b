#include "host/ResourceMeter.h"

#include <unistd.h>
#include <cstdio>
#include <vector>

#if QV_HAVE_XRES
 #include <X11/extensions/XRes.h>
#endif

namespace qvhost
{

std::string ResourceUse::describe() const
{
    char text[256];
    std::snprintf (text, sizeof (text), "rss-kb=%ld x-connections=%d x-resources=%ld x-pixmap-kb=%ld windows=%ld",
                   residentKb, xConnections, xResources, xPixmapKb, windowsOnScreen);
    return text;
}

long ResourceMeter::residentKb()
{
    std::FILE* statm = std::fopen ("/proc/self/statm", "r");
    if (statm == nullptr)
        return -1;
    long total = 0, resident = 0;
    const bool read = std::fscanf (statm, "%ld %ld", &total, &resident) == 2;
    std::fclose (statm);
    return read ? resident * (::sysconf (_SC_PAGESIZE) / 1024) : -1;
}

long ResourceMeter::countWindows (Display* display, Window top)
{
    // Iterative, so a deep tree cannot exhaust the stack.
    long count = 0;
    std::vector<Window> pending { top };
    while (! pending.empty())
    {
        const Window w = pending.back();
        pending.pop_back();
        ++count;

        Window root = 0, parent = 0, *children = nullptr;
        unsigned int n = 0;
        if (XQueryTree (display, w, &root, &parent, &children, &n) == 0)
            continue;
        pending.insert (pending.end(), children, children + n);
        if (children != nullptr)
            XFree (children);
    }
    return count;
}

bool ResourceMeter::canCountConnections (Display* display)
{
#if QV_HAVE_XRES
    int events = 0, errors = 0, major = 0, minor = 0;
    return XResQueryExtension (display, &events, &errors) && XResQueryVersion (display, &major, &minor)
           && (major > 1 || (major == 1 && minor >= 2));
#else
    (void) display;
    return false;
#endif
}

ResourceUse ResourceMeter::measure (Display* display)
{
    ResourceUse use;
    use.residentKb = residentKb();
    if (display == nullptr)
        return use;

    // Every connection flushed, so the server has seen what the other threads did.
    XSync (display, False);
    use.windowsOnScreen = countWindows (display, DefaultRootWindow (display));

#if QV_HAVE_XRES
    if (! canCountConnections (display))
        return use;

    XResClientIdSpec all { 0, XRES_CLIENT_ID_PID_MASK };
    long count = 0;
    XResClientIdValue* ids = nullptr;
    // This request answers Success; the two below answer non-zero when they succeed.
    if (XResQueryClientIds (display, 1, &all, &count, &ids) != Success)
        return use;

    const pid_t self = ::getpid();
    use.xConnections = 0;
    use.xResources = 0;
    use.xPixmapKb = 0;
    for (long i = 0; i < count; ++i)
    {
        if (XResGetClientPid (&ids[i]) != self)
            continue;
        ++use.xConnections;

        int types = 0;
        XResType* perType = nullptr;
        if (XResQueryClientResources (display, ids[i].spec.client, &types, &perType) != 0)
        {
            for (int t = 0; t < types; ++t)
                use.xResources += perType[t].count;
            XFree (perType);
        }
        unsigned long pixmapBytes = 0;
        if (XResQueryClientPixmapBytes (display, ids[i].spec.client, &pixmapBytes) != 0)
            use.xPixmapKb += (long) (pixmapBytes / 1024);
    }
    XResClientIdsDestroy (count, ids);
#endif
    return use;
}

} // namespace qvhost
