#include "host/HostWindow.h"
#include "host/HostError.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

namespace qvhost
{

namespace
{
    unsigned long pixelForColour (Display* display, uint32_t rgb)
    {
        const int screen = DefaultScreen (display);
        Visual* visual = DefaultVisual (display, screen);
        if (visual->c_class != TrueColor && visual->c_class != DirectColor)
            return BlackPixel (display, screen);

        const auto place = [] (uint32_t component, unsigned long mask)
        {
            if (mask == 0)
                return 0ul;
            int shift = 0;
            while ((mask & 1ul) == 0)
            {
                mask >>= 1;
                ++shift;
            }
            int bits = 0;
            while ((mask & 1ul) != 0)
            {
                mask >>= 1;
                ++bits;
            }
            return (unsigned long) (bits >= 8 ? component << (bits - 8) : component >> (8 - bits)) << shift;
        };
        return place ((rgb >> 16) & 0xff, visual->red_mask) | place ((rgb >> 8) & 0xff, visual->green_mask)
               | place (rgb & 0xff, visual->blue_mask);
    }

    /** Reads one colour channel out of a pixel value as 8 bits. */
    uint32_t channel (unsigned long pixel, unsigned long mask)
    {
        if (mask == 0)
            return 0;
        int shift = 0;
        while ((mask & 1ul) == 0)
        {
            mask >>= 1;
            ++shift;
        }
        int bits = 0;
        for (unsigned long m = mask; (m & 1ul) != 0; m >>= 1)
            ++bits;
        const unsigned long value = (pixel >> shift) & mask;
        return bits >= 8 ? (uint32_t) (value >> (bits - 8)) : (uint32_t) ((value * 255) / mask);
    }
}

HostWindow::HostWindow (Display* d, const std::string& title, Placement placement, bool bare)
    : display (d), size (placement)
{
    const int screen = DefaultScreen (display);
    XSetWindowAttributes attributes {};
    attributes.background_pixel = pixelForColour (display, backgroundColour);
    attributes.event_mask = StructureNotifyMask | ExposureMask;
    window = XCreateWindow (display, RootWindow (display, screen), placement.x, placement.y,
                            (unsigned) placement.width, (unsigned) placement.height, 0, CopyFromParent, InputOutput,
                            CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    if (window == 0)
        throw HostError ("cannot create a host window");

    XStoreName (display, window, title.c_str());

    // Where the window goes: a window manager would otherwise place it as it likes, and
    // tests find the editor's controls from this position.
    XSizeHints hints {};
    hints.flags = USPosition | USSize;
    hints.x = placement.x;
    hints.y = placement.y;
    hints.width = placement.width;
    hints.height = placement.height;
    XSetWMNormalHints (display, window, &hints);

    if (! bare)
    {
        deleteAtom = XInternAtom (display, "WM_DELETE_WINDOW", False);
        XSetWMProtocols (display, window, &deleteAtom, 1);

        const unsigned long pid = (unsigned long) ::getpid();
        XChangeProperty (display, window, XInternAtom (display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                         PropModeReplace, reinterpret_cast<const unsigned char*> (&pid), 1);
    }
}

HostWindow::~HostWindow()
{
    destroy();
}

void HostWindow::show()
{
    if (destroyed)
        return;
    XMapRaised (display, window);
    XFlush (display);
}

void HostWindow::resize (int newWidth, int newHeight)
{
    if (destroyed || newWidth < 1 || newHeight < 1)
        return;
    XResizeWindow (display, window, (unsigned) newWidth, (unsigned) newHeight);
    XFlush (display);
}

void HostWindow::destroy()
{
    if (destroyed)
        return;
    destroyed = true;
    mapped = false;
    XDestroyWindow (display, window);
    XSync (display, False);
}

HostWindow::Change HostWindow::handleEvent (const XEvent& event)
{
    if (destroyed || event.xany.window != window)
        return Change::none;

    switch (event.type)
    {
        case MapNotify:
            mapped = true;
            return Change::none;

        case UnmapNotify:
            mapped = false;
            return Change::none;

        case ConfigureNotify:
            if (event.xconfigure.width == size.width && event.xconfigure.height == size.height)
                return Change::none;
            size.width = event.xconfigure.width;
            size.height = event.xconfigure.height;
            return Change::resized;

        case DestroyNotify:
            if (event.xdestroywindow.window != window)
                return Change::none;
            destroyed = true;
            mapped = false;
            return Change::destroyed;

        case ClientMessage:
            if (deleteAtom != None && event.xclient.format == 32 && (Atom) event.xclient.data.l[0] == deleteAtom)
                return Change::closeRequested;
            return Change::none;

        default:
            return Change::none;
    }
}

WindowPicture HostWindow::capture() const
{
    if (destroyed || ! mapped)
        return {};
    return read (display, window);
}

WindowPicture HostWindow::read (Display* display, Window window)
{
    // XGetImage fails with an X error unless the window is viewable and wholly on the screen.
    XWindowAttributes attributes {};
    if (XGetWindowAttributes (display, window, &attributes) == 0 || attributes.map_state != IsViewable)
        return {};
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates (display, window, attributes.root, 0, 0, &rootX, &rootY, &child);
    const int screenWidth = WidthOfScreen (attributes.screen), screenHeight = HeightOfScreen (attributes.screen);
    if (rootX < 0 || rootY < 0 || rootX + attributes.width > screenWidth || rootY + attributes.height > screenHeight)
        return {};

    XImage* image = XGetImage (display, window, 0, 0, (unsigned) attributes.width, (unsigned) attributes.height,
                               AllPlanes, ZPixmap);
    if (image == nullptr)
        return {};

    WindowPicture picture (attributes.width, attributes.height);
    const bool direct = image->bits_per_pixel == 32 && image->red_mask == 0xff0000 && image->green_mask == 0xff00
                        && image->blue_mask == 0xff && image->byte_order == LSBFirst;
    for (int y = 0; y < attributes.height; ++y)
    {
        if (direct)
        {
            const auto* row = reinterpret_cast<const uint32_t*> (image->data + (size_t) y * (size_t) image->bytes_per_line);
            for (int x = 0; x < attributes.width; ++x)
                picture.setPixel (x, y, row[x]);
        }
        else
        {
            for (int x = 0; x < attributes.width; ++x)
            {
                const unsigned long p = XGetPixel (image, x, y);
                picture.setPixel (x, y, (channel (p, image->red_mask) << 16) | (channel (p, image->green_mask) << 8)
                                            | channel (p, image->blue_mask));
            }
        }
    }
    XDestroyImage (image);
    return picture;
}

} // namespace qvhost
