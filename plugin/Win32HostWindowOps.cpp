#include "plugin/Win32HostWindowOps.h"

#ifndef NOMINMAX
 #define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

HostWindowOps& HostWindowOps::get()
{
    static Win32HostWindowOps ops;
    return ops;
}

namespace
{
    // Parent chains are short; the bound only guards against a host whose
    // windows change while the walk runs.
    constexpr int maxWalkDepth = 64;

    // Keeps position, Z order and activation: only the size changes.
    constexpr UINT resizeFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    static_assert (resizeFlags == 0x216, "resize flags");

    bool isMdiClient (HWND w)
    {
        char className[32] = {};
        GetClassNameA (w, className, 31);
        return lstrcmpiA (className, "MDIClient") == 0;
    }

    int widthOf (const RECT& r)  { return r.right - r.left; }
    int heightOf (const RECT& r) { return r.bottom - r.top; }

    void resizeWindow (HWND w, int width, int height)
    {
        SetWindowPos (w, nullptr, 0, 0, width, height, resizeFlags);
    }
}

void Win32HostWindowOps::attachToHost (juce::Component& window, void* hostWindow)
{
    window.addToDesktop (0, nullptr);
    auto* hwnd = static_cast<HWND> (window.getWindowHandle());

    if (hwnd == nullptr)
        return;

    SetParent (hwnd, static_cast<HWND> (hostWindow));

    // Clear WS_POPUP and WS_CHILD (the two top bits), then make it a child.
    const auto style = (DWORD) GetWindowLongA (hwnd, GWL_STYLE);
    SetWindowLongA (hwnd, GWL_STYLE, (LONG) ((style & 0x3fffffffu) | WS_CHILD));
}

void* Win32HostWindowOps::findHostFrame (void* nativeWindow)
{
    auto w = static_cast<HWND> (nativeWindow);
    const int frame = GetSystemMetrics (SM_CYDLGFRAME);

    for (int depth = 0; w != nullptr && depth < maxWalkDepth; ++depth)
    {
        const HWND parent = GetParent (w);

        if (parent == nullptr)
            break;

        if (isMdiClient (parent))
        {
            w = parent;
            break;
        }

        RECT own {}, outer {};
        GetWindowRect (w, &own);
        GetWindowRect (parent, &outer);
        const int dw = widthOf (outer) - widthOf (own);
        const int dh = heightOf (outer) - heightOf (own);

        if (dw > 100 || dh > 100)
            break;

        w = parent;

        if (dw == 2 * frame)
            break;
    }

    return w;
}

void Win32HostWindowOps::bringHostFrameToFront (void* nativeWindow)
{
    if (nativeWindow == nullptr)
        return;

    if (auto frame = static_cast<HWND> (findHostFrame (nativeWindow)))
        SetWindowPos (frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32HostWindowOps::resizeHostFrames (void* nativeWindow, int width, int height)
{
    auto w = static_cast<HWND> (nativeWindow);

    if (w == nullptr)
        return;

    const int frame = GetSystemMetrics (SM_CYDLGFRAME);
    int dw = 0, dh = 0;

    // Each window is sized to the new editor size plus the border it had
    // around its child before; the borders are measured before resizing.
    for (int depth = 0; depth < maxWalkDepth; ++depth)
    {
        const HWND parent = GetParent (w);

        if (parent == nullptr || isMdiClient (parent))
        {
            resizeWindow (w, width + dw, height + dh);
            return;
        }

        RECT own {}, outer {};
        GetWindowRect (w, &own);
        GetWindowRect (parent, &outer);
        resizeWindow (w, width + dw, height + dh);

        dw = widthOf (outer) - widthOf (own);
        dh = heightOf (outer) - heightOf (own);
        w = parent;

        if (dw == 2 * frame)
        {
            resizeWindow (w, width + dw, height + dh);
            return;
        }

        if (dw > 100 || dh > 100)
            return;
    }
}
