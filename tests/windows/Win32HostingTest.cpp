// qv-win32-hosting-test: the Win32 window rules of the editor hosting, in
// process (run under Wine). The editor changes its own size, as it does when
// its component is resized, and the host windows around it must follow:
// each grows by the border it had around its child, and the walk stops at an
// MDI client, after a frame of exactly two dialog frames, or below an
// ancestor more than 100 pixels larger than its child.
#include "plugin/JuceVSTWrapper.h"
#include "plugin/MessageThread.h"
#include "plugin/Win32HostWindowOps.h"
#include "processor/DemoJuceFilter.h"
#include "tests/windows/CheckLog.h"

#include <windows.h>
#include <cstring>
#include <vector>

using namespace vst;

namespace
{
CheckLog checks;

struct HostRecord
{
    bool acceptsSizeWindow = false;
    std::vector<std::pair<int, int>> sizeRequests;
};

HostRecord host;

intptr_t QV_VSTCALL hostCallback (AEffect*, int32_t opcode, int32_t index, intptr_t value, void* ptr, float)
{
    switch (opcode)
    {
        case audioMasterVersion: return kVstVersion;
        case audioMasterCanDo:
            return ptr != nullptr && std::strcmp (static_cast<const char*> (ptr), "sizeWindow") == 0 && host.acceptsSizeWindow ? 1 : 0;
        case audioMasterSizeWindow:
            host.sizeRequests.emplace_back (index, (int) value);
            return host.acceptsSizeWindow ? 1 : 0;
        default: return 0;
    }
}

void pump (int milliseconds)
{
    const DWORD end = GetTickCount() + (DWORD) milliseconds;

    do
    {
        MSG msg;
        while (PeekMessageA (&msg, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage (&msg);
            DispatchMessageA (&msg);
        }
        Sleep (5);
    }
    while ((int) (end - GetTickCount()) > 0);
}

HWND mdiClient = nullptr;

LRESULT CALLBACK frameProc (HWND w, UINT msg, WPARAM wp, LPARAM lp)   { return DefFrameProcA (w, mdiClient, msg, wp, lp); }
LRESULT CALLBACK mdiChildProc (HWND w, UINT msg, WPARAM wp, LPARAM lp) { return DefMDIChildProcA (w, msg, wp, lp); }

void registerClasses()
{
    WNDCLASSA plain {};
    plain.lpfnWndProc = DefWindowProcA;
    plain.hInstance = GetModuleHandleA (nullptr);
    plain.hbrBackground = (HBRUSH) (COLOR_BTNFACE + 1);
    plain.lpszClassName = "QvTestWindow";
    RegisterClassA (&plain);

    WNDCLASSA frame = plain;
    frame.lpfnWndProc = frameProc;
    frame.lpszClassName = "QvTestMdiFrame";
    RegisterClassA (&frame);

    WNDCLASSA child = plain;
    child.lpfnWndProc = mdiChildProc;
    child.lpszClassName = "QvTestMdiChild";
    RegisterClassA (&child);
}

HWND makeWindow (HWND parent, int x, int y, int w, int h)
{
    const DWORD style = parent != nullptr ? (WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN) : (WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    return CreateWindowExA (0, "QvTestWindow", "", style, x, y, w, h, parent, nullptr, GetModuleHandleA (nullptr), nullptr);
}

SIZE sizeOf (HWND w)
{
    RECT r {};
    GetWindowRect (w, &r);
    return { r.right - r.left, r.bottom - r.top };
}

void expectSize (HWND w, int width, int height, const std::string& what)
{
    const SIZE s = sizeOf (w);
    checks.expect (s.cx == width && s.cy == height,
                what + " is " + std::to_string (width) + " x " + std::to_string (height)
                    + (s.cx == width && s.cy == height ? "" : " (got " + std::to_string (s.cx) + " x " + std::to_string (s.cy) + ")"));
}

/** One instance, its editor open in the given host window. */
struct Instance
{
    explicit Instance (HWND parent)
        : wrapper (new JuceVSTWrapper (hostCallback, std::make_unique<DemoJuceFilter>())),
          effect (wrapper->getAeffect())
    {
        effect->dispatcher (effect, effOpen, 0, 0, nullptr, 0.0f);
        opened = effect->dispatcher (effect, effEditOpen, 0, 0, parent, 0.0f) == 1;
        pump (200);
    }

    ~Instance()
    {
        effect->dispatcher (effect, effClose, 0, 0, nullptr, 0.0f);
        pump (50);
    }

    HWND editorWindow() const
    {
        auto* peer = wrapper->getEditorWindow() != nullptr ? wrapper->getEditorWindow()->getPeer() : nullptr;
        return peer != nullptr ? static_cast<HWND> (peer->getNativeHandle()) : nullptr;
    }

    /** The editor component takes a new size by itself. */
    void resizeEditor (int width, int height)
    {
        wrapper->getEditorWindow()->getEditor()->setSize (width, height);
        pump (200);
    }

    JuceVSTWrapper* wrapper;
    AEffect* effect;
    bool opened = false;
};

void mdiChain()
{
    HWND frame = CreateWindowExA (0, "QvTestMdiFrame", "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                                  0, 0, 1000, 720, nullptr, nullptr, GetModuleHandleA (nullptr), nullptr);
    CLIENTCREATESTRUCT ccs { nullptr, 1000 };
    mdiClient = CreateWindowExA (0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE,
                                 0, 0, 980, 680, frame, nullptr, GetModuleHandleA (nullptr), &ccs);
    MDICREATESTRUCTA mcs {};
    mcs.szClass = "QvTestMdiChild";
    mcs.szTitle = "QV-Delay TX";
    mcs.hOwner = GetModuleHandleA (nullptr);
    mcs.x = 10;
    mcs.y = 10;
    mcs.cx = 560;
    mcs.cy = 360;
    HWND mdiChild = (HWND) SendMessageA (mdiClient, WM_MDICREATE, 0, (LPARAM) &mcs);
    HWND panel = makeWindow (mdiChild, 0, 0, 525, 312);
    const SIZE childBefore = sizeOf (mdiChild), clientBefore = sizeOf (mdiClient);
    RECT childPlace {};
    GetWindowRect (mdiChild, &childPlace);
    pump (100);

    {
        Instance instance (panel);
        checks.expect (instance.opened && GetParent (instance.editorWindow()) == panel, "MDI chain: the editor is a child of the panel");
        checks.expect (Win32HostWindowOps::findHostFrame (instance.editorWindow()) == mdiClient,
                    "MDI chain: the host frame search ends at the MDI client");

        instance.resizeEditor (600, 350);
        checks.expect (host.sizeRequests.empty(), "MDI chain: the declining host is not asked to size the window");
        expectSize (instance.editorWindow(), 600, 350, "MDI chain: the editor window");
        expectSize (panel, 600, 350, "MDI chain: the panel (no border)");
        expectSize (mdiChild, 600 + childBefore.cx - 525, 350 + childBefore.cy - 312, "MDI chain: the MDI child (grown by its border)");
        expectSize (mdiClient, clientBefore.cx, clientBefore.cy, "MDI chain: the MDI client (unchanged)");
        RECT placeAfter {};
        GetWindowRect (mdiChild, &placeAfter);
        checks.expect (placeAfter.left == childPlace.left && placeAfter.top == childPlace.top, "MDI chain: the MDI child kept its place");
        checks.expect (instance.wrapper->getEditorWindow()->getWidth() == 600, "MDI chain: the editor window component took the size");
    }

    DestroyWindow (frame);
    mdiClient = nullptr;
}

void dialogFrameChain()
{
    const int f = GetSystemMetrics (SM_CYDLGFRAME);
    HWND top = makeWindow (nullptr, 0, 0, 900, 650);
    HWND frame = makeWindow (top, 10, 10, 525 + 2 * f + 4, 312 + 2 * f + 4);
    HWND inner = makeWindow (frame, 2, 2, 525 + 2 * f, 312 + 2 * f);
    HWND panel = makeWindow (inner, f, f, 525, 312);
    pump (100);

    {
        Instance instance (panel);
        checks.expect (Win32HostWindowOps::findHostFrame (instance.editorWindow()) == inner,
                    "dialog-frame chain: the host frame is the window with a border of two dialog frames");

        instance.resizeEditor (450, 280);
        expectSize (panel, 450, 280, "dialog-frame chain: the panel");
        expectSize (inner, 450 + 2 * f, 280 + 2 * f, "dialog-frame chain: the framed window (grown, then the walk ends)");
        expectSize (frame, 525 + 2 * f + 4, 312 + 2 * f + 4, "dialog-frame chain: the window around it (unchanged)");
    }

    DestroyWindow (top);
}

void wideAncestorChain()
{
    const int border = 2 * GetSystemMetrics (SM_CYDLGFRAME) + 6;
    HWND top = makeWindow (nullptr, 0, 0, 900, 650);
    HWND outer = makeWindow (top, 0, 0, 700, 460);
    HWND frame = makeWindow (outer, 10, 10, 525 + border, 312 + border);
    HWND panel = makeWindow (frame, border / 2, border / 2, 525, 312);
    pump (100);

    {
        Instance instance (panel);
        checks.expect (Win32HostWindowOps::findHostFrame (instance.editorWindow()) == frame,
                    "wide chain: the host frame search stops below the ancestor more than 100 pixels larger");

        instance.resizeEditor (600, 350);
        expectSize (panel, 600, 350, "wide chain: the panel");
        expectSize (frame, 600 + border, 350 + border, "wide chain: the frame (grown by its border)");
        expectSize (outer, 700, 460, "wide chain: the ancestor more than 100 pixels larger (unchanged)");
    }

    DestroyWindow (top);
}

void sizingHost()
{
    host.acceptsSizeWindow = true;
    host.sizeRequests.clear();
    HWND top = makeWindow (nullptr, 0, 0, 700, 500);
    HWND panel = makeWindow (top, 0, 0, 525, 312);
    pump (100);

    {
        Instance instance (panel);
        instance.resizeEditor (600, 350);
        checks.expect (host.sizeRequests.size() == 1 && host.sizeRequests[0] == std::make_pair (600, 350),
                    "sizing host: asked once with audioMasterSizeWindow 600 x 350");
        expectSize (panel, 525, 312, "sizing host: its window is left to the host");
        expectSize (instance.editorWindow(), 600, 350, "sizing host: the editor window");
    }

    DestroyWindow (top);
    host.acceptsSizeWindow = false;
}
}

int main()
{
    MessageThread::ensureRunning();
    registerClasses();

    mdiChain();
    dialogFrameChain();
    wideAncestorChain();
    sizingHost();

    MessageThread::stop();
    return checks.finish();
}
