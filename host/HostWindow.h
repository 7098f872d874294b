#pragma once
#include "host/WindowPicture.h"

#include <X11/Xlib.h>
#include <string>

namespace qvhost
{

/** A top-level X window of the host, the parent a module's editor is embedded into.

    It lives on a connection the host owns and is used only from the thread that owns that
    connection. The host reads the connection's events and hands those of this window to
    `handleEvent`; the window keeps track of its size, of whether it is mapped, and of
    whether it still exists (someone else may destroy it).

    A plain window carries what a window manager expects: a title, the host's process id
    (_NET_WM_PID) and WM_DELETE_WINDOW, so a close button asks the host to close the editor.
    A bare window carries only its title: the host then creates no atom, and an X server that
    has never run a window manager keeps lacking the ones a window manager would create. */
class HostWindow
{
public:
    struct Placement
    {
        int x = 0, y = 0, width = 1, height = 1;
    };

    HostWindow (Display* display, const std::string& title, Placement placement, bool bare);
    /** Destroys the window if it still exists. */
    ~HostWindow();

    HostWindow (const HostWindow&) = delete;
    HostWindow& operator= (const HostWindow&) = delete;

    Window id() const noexcept { return window; }
    bool exists() const noexcept { return ! destroyed; }
    bool isMapped() const noexcept { return mapped; }
    int width() const noexcept { return size.width; }
    int height() const noexcept { return size.height; }

    void show();
    /** Asks the server for a new size; `width`/`height` follow once the server reports it. */
    void resize (int newWidth, int newHeight);
    /** Destroys the window now (and with it every window inside it). */
    void destroy();

    enum class Change
    {
        none,
        resized,          // width() and height() changed
        closeRequested,   // a window manager's close button (WM_DELETE_WINDOW)
        destroyed,        // destroyed by someone else; exists() is false now
    };

    /** Takes one event of the connection; events of other windows change nothing. */
    Change handleEvent (const XEvent& event);

    /** The window's pixels, those of the windows inside it included, as the screen shows
        them. Empty when the window is not mapped or not wholly on the screen (reading it
        then would be an X error). */
    WindowPicture capture() const;

    /** The pixels of any window, on any connection, as `capture` reads them; empty when
        the window is not viewable or not wholly on the screen. */
    static WindowPicture read (Display* display, Window window);

    /** The colour the host fills its window with: what a capture shows before an editor
        has painted. */
    static constexpr uint32_t backgroundColour = 0x2d2d30;

private:
    Display* display;
    Window window = 0;
    Atom deleteAtom = None;
    Placement size;
    bool mapped = false;
    bool destroyed = false;
};

} // namespace qvhost
