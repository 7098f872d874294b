#include "tests/controls/RealMouse.h"

#include "tests/controls/ControlsTestSupport.h"

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace
{
    /** Without a display, run this program again under xvfb-run, so the GUI
        tests work from a plain `ctest` as well as under CI's xvfb-run. Test
        listing needs no display and is left alone. */
    struct RerunUnderXvfb
    {
        RerunUnderXvfb()
        {
            const char* display = std::getenv ("DISPLAY");
            if ((display != nullptr && *display != 0) || std::getenv ("QV_XVFB_RERUN") != nullptr)
                return;

            std::ifstream cmdline ("/proc/self/cmdline", std::ios::binary);
            std::vector<std::string> args;
            for (std::string arg; std::getline (cmdline, arg, '\0');)
                args.push_back (arg);
            for (const auto& a : args)
                if (a.rfind ("--gtest_list_tests", 0) == 0)
                    return;

            if (access ("/usr/bin/xvfb-run", X_OK) != 0)
                return;   // the tests report the missing display themselves

            setenv ("QV_XVFB_RERUN", "1", 1);
            std::vector<char*> argv { const_cast<char*> ("xvfb-run"), const_cast<char*> ("-a"),
                                      const_cast<char*> ("-s"), const_cast<char*> ("-screen 0 1024x768x24") };
            char self[4096] = {};
            const auto n = readlink ("/proc/self/exe", self, sizeof (self) - 1);
            if (n <= 0)
                return;
            argv.push_back (self);
            for (size_t i = 1; i < args.size(); ++i)
                argv.push_back (const_cast<char*> (args[i].c_str()));
            argv.push_back (nullptr);
            execv ("/usr/bin/xvfb-run", argv.data());
        }
    };
    const RerunUnderXvfb rerun;

    int ignoreXErrors (Display*, XErrorEvent*) { return 0; }
}

struct RealMouse::Api
{
    void* x11 = dlopen ("libX11.so.6", RTLD_NOW | RTLD_GLOBAL);
    void* xtst = dlopen ("libXtst.so.6", RTLD_NOW | RTLD_GLOBAL);

    template <typename Fn> Fn get (void* lib, const char* name) const
    {
        return lib != nullptr ? reinterpret_cast<Fn> (dlsym (lib, name)) : nullptr;
    }

    decltype (&XOpenDisplay) openDisplay = get<decltype (&XOpenDisplay)> (x11, "XOpenDisplay");
    decltype (&XCloseDisplay) closeDisplay = get<decltype (&XCloseDisplay)> (x11, "XCloseDisplay");
    decltype (&XSync) sync = get<decltype (&XSync)> (x11, "XSync");
    decltype (&XSetErrorHandler) setErrorHandler = get<decltype (&XSetErrorHandler)> (x11, "XSetErrorHandler");
    using FakeMotion = int (*) (Display*, int, int, int, unsigned long);
    using FakeButton = int (*) (Display*, unsigned int, Bool, unsigned long);
    FakeMotion fakeMotion = get<FakeMotion> (xtst, "XTestFakeMotionEvent");
    FakeButton fakeButton = get<FakeButton> (xtst, "XTestFakeButtonEvent");

    Display* display = nullptr;
    int lockFile = -1;
};

RealMouse::RealMouse() : api (std::make_unique<Api>())
{
    if (api->openDisplay == nullptr || api->fakeMotion == nullptr || api->fakeButton == nullptr)
    {
        failure = "libX11 or libXtst not loadable";
        return;
    }

    // JUCE installs no X error handler inside a library; Xlib's default one
    // would end the test program on the first harmless error (for example a
    // missing window-manager atom on a bare Xvfb).
    api->setErrorHandler (ignoreXErrors);

    api->display = api->openDisplay (nullptr);
    if (api->display == nullptr)
    {
        failure = "no X display (run under xvfb-run -a)";
        return;
    }

    // There is one pointer per display: test programs running in parallel on
    // the same display take turns.
    juce::String lockName ("/tmp/qv-controls-pointer");
    lockName << juce::String (std::getenv ("DISPLAY")).retainCharacters ("0123456789") << ".lock";
    api->lockFile = open (lockName.toRawUTF8(), O_RDWR | O_CREAT, 0666);
    if (api->lockFile >= 0)
        flock (api->lockFile, LOCK_EX);
}

RealMouse::~RealMouse()
{
    if (buttonDown)
        release();

    if (control != nullptr)
        control->removeMouseListener (&counter);
    window.reset();
    ControlsTest::pumpPending();

    if (api->display != nullptr)
        api->closeDisplay (api->display);

    if (api->lockFile >= 0)
    {
        flock (api->lockFile, LOCK_UN);
        close (api->lockFile);
    }
}

bool RealMouse::show (juce::Component& c)
{
    if (failure.isNotEmpty())
        return false;

    control = &c;
    window = std::make_unique<juce::Component>();
    window->setBounds (200, 150, c.getWidth() + 80, c.getHeight() + 80);
    window->setOpaque (true);
    c.setTopLeftPosition (40, 40);
    window->addAndMakeVisible (c);
    window->addToDesktop (juce::ComponentPeer::windowIsTemporary);
    window->setVisible (true);
    c.addMouseListener (&counter, false);

    // The window is ready once a pointer move over it arrives as a JUCE
    // mouse event at the expected place. Start from a corner, so the move
    // into the window is a real movement even if the pointer was left there.
    for (int attempt = 0; attempt < 50; ++attempt)
    {
        ControlsTest::pumpUntil ([] { return false; }, 20);
        api->fakeMotion (api->display, -1, 0, 0, 0);
        api->sync (api->display, False);
        pointer = { 0, 0 };
        const int before = counter.moves;
        moveTo (c.getWidth() / 2, c.getHeight() / 2);
        if (counter.moves > before && counter.last == juce::Point<int> (c.getWidth() / 2, c.getHeight() / 2))
            return true;
    }

    failure = "the test window never received pointer events";
    return false;
}

void RealMouse::moveTo (int x, int y)
{
    const auto screen = control->localPointToGlobal (juce::Point<int> (x, y));
    if (screen == pointer)
        return;   // no movement, so no event to wait for
    pointer = screen;

    const int movesBefore = counter.moves, dragsBefore = counter.drags;
    api->fakeMotion (api->display, -1, screen.x, screen.y, 0);
    api->sync (api->display, False);

    const bool inside = control->getLocalBounds().contains (x, y);
    ControlsTest::pumpUntil ([&]
    {
        // A motion with the button down always reaches the control that got
        // the press; without it only while the pointer is inside.
        if (buttonDown)
            return counter.drags > dragsBefore;
        if (inside)
            return counter.moves > movesBefore;
        return true;
    }, 1000);

    // Outside the control nothing observable arrives; give JUCE a moment.
    if (! buttonDown && ! inside)
        ControlsTest::pumpUntil ([] { return false; }, 30);
}

void RealMouse::press()
{
    const int before = counter.downs;
    api->fakeButton (api->display, 1, True, 0);
    api->sync (api->display, False);
    buttonDown = true;
    ControlsTest::pumpUntil ([&] { return counter.downs > before; }, 1000);
}

void RealMouse::release()
{
    const int before = counter.ups;
    api->fakeButton (api->display, 1, False, 0);
    api->sync (api->display, False);
    buttonDown = false;
    ControlsTest::pumpUntil ([&] { return counter.ups > before; }, 1000);
}

void RealMouse::wheel (bool up)
{
    const int before = counter.wheels;
    const unsigned int button = up ? 4 : 5;
    api->fakeButton (api->display, button, True, 0);
    api->fakeButton (api->display, button, False, 0);
    api->sync (api->display, False);
    ControlsTest::pumpUntil ([&] { return counter.wheels > before; }, 1000);
}
