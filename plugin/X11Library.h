#pragma once

// The Xlib types come from the headers; the functions are looked up at run
// time, so the module loads on machines without X (headless hosts) and only
// touches libX11 once an editor is opened.
#include <X11/Xlib.h>

/** The Xlib functions the window hosting uses, from libX11 loaded with dlopen. */
class X11Library
{
public:
    /** Loads libX11 on first use; null when it is not available. */
    static X11Library* get();

    Display* (*openDisplay) (const char*) = nullptr;
    int (*closeDisplay) (Display*) = nullptr;
    Status (*queryTree) (Display*, Window, Window*, Window*, Window**, unsigned int*) = nullptr;
    int (*free) (void*) = nullptr;
    Status (*getWindowAttributes) (Display*, Window, XWindowAttributes*) = nullptr;
    int (*resizeWindow) (Display*, Window, unsigned int, unsigned int) = nullptr;
    int (*raiseWindow) (Display*, Window) = nullptr;
    int (*sync) (Display*, Bool) = nullptr;
    XErrorHandler (*setErrorHandler) (XErrorHandler) = nullptr;
    Atom (*internAtom) (Display*, const char*, Bool) = nullptr;
    int (*getWindowProperty) (Display*, Window, Atom, long, long, Bool, Atom, Atom*, int*,
                              unsigned long*, unsigned long*, unsigned char**) = nullptr;
    int (*freeColormap) (Display*, Colormap) = nullptr;

private:
    X11Library() = default;
    bool load();

    void* handle = nullptr;
};
