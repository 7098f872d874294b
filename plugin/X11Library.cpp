#include "plugin/X11Library.h"
#include <dlfcn.h>
#include <mutex>

X11Library* X11Library::get()
{
    static X11Library library;
    static bool loaded = false;
    static std::once_flag once;
    std::call_once (once, [] { loaded = library.load(); });
    return loaded ? &library : nullptr;
}

bool X11Library::load()
{
    handle = dlopen ("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);

    if (handle == nullptr)
        return false;

    bool ok = true;
    const auto find = [this, &ok] (auto& fn, const char* name)
    {
        fn = reinterpret_cast<std::remove_reference_t<decltype (fn)>> (dlsym (handle, name));
        ok = ok && fn != nullptr;
    };

    find (openDisplay, "XOpenDisplay");
    find (closeDisplay, "XCloseDisplay");
    find (queryTree, "XQueryTree");
    find (free, "XFree");
    find (getWindowAttributes, "XGetWindowAttributes");
    find (resizeWindow, "XResizeWindow");
    find (raiseWindow, "XRaiseWindow");
    find (sync, "XSync");
    find (setErrorHandler, "XSetErrorHandler");
    find (internAtom, "XInternAtom");
    find (getWindowProperty, "XGetWindowProperty");
    find (freeColormap, "XFreeColormap");
    return ok;
}
