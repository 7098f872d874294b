// As HostThreadsTest, with the editor open as well: the host's user-interface
// thread sends idle calls while the module's message thread refreshes the
// editor after every batch of changes. Needs an X display.
#include "tests/concurrency/ConcurrentHost.h"
#include <X11/Xlib.h>
#include <chrono>
#include <cstdlib>
#include <thread>

using namespace vst;

namespace
{
TEST_F (ConcurrentHost, AnOpenEditorRefreshesWhileAudioAndControlThreadsRun)
{
    if (std::getenv ("DISPLAY") == nullptr)
        GTEST_SKIP() << "no X display";

    std::atomic<bool> opened { false };
    std::atomic<long> idles { 0 };

    runAndCompare (3, [&] (const std::atomic<bool>& stop, std::atomic<bool>& ready)
    {
        Display* display = XOpenDisplay (nullptr);
        if (display == nullptr)
            return;

        const Window window = XCreateSimpleWindow (display, DefaultRootWindow (display), 0, 0, 525, 312, 0, 0, 0);
        XMapWindow (display, window);
        XSync (display, False);

        AEffect* e = effect();
        void* rect = nullptr;
        e->dispatcher (e, effEditGetRect, 0, 0, &rect, 0.0f);
        opened = e->dispatcher (e, effEditOpen, 0, (intptr_t) display, (void*) window, 0.0f) == 1;
        ready = true;

        while (! stop.load())
        {
            e->dispatcher (e, effEditIdle, 0, 0, nullptr, 0.0f);
            ++idles;

            while (XPending (display) > 0)
            {
                XEvent event;
                XNextEvent (display, &event);
            }

            std::this_thread::sleep_for (std::chrono::milliseconds (10));
        }

        e->dispatcher (e, effEditClose, 0, 0, nullptr, 0.0f);
        XDestroyWindow (display, window);
        XCloseDisplay (display);
    });

    EXPECT_TRUE (opened.load());
    EXPECT_GT (idles.load(), 10);
}
}
