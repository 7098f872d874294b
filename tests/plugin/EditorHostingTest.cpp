#include <gtest/gtest.h>
#include "plugin/JuceVSTWrapper.h"
#include "processor/DemoJuceFilter.h"
#include "tests/support/MessagePump.h"
#include <X11/Xlib.h>
#include <vector>

using namespace vst;

namespace
{
/** What the host side saw, and how it answers the window requests. */
struct HostRecord
{
    bool acceptsSizeWindow = false;
    std::vector<std::pair<int, int>> sizeRequests;
    std::vector<juce::uint32> idleTimes;
};

HostRecord* currentHost = nullptr;

intptr_t QV_VSTCALL hostCallback (AEffect*, int32_t opcode, int32_t index, intptr_t value, void* ptr, float)
{
    switch (opcode)
    {
        case audioMasterVersion: return 2400;
        case audioMasterCanDo:
            return (ptr != nullptr && std::string (static_cast<const char*> (ptr)) == "sizeWindow" && currentHost->acceptsSizeWindow) ? 1 : 0;
        case audioMasterSizeWindow:
            currentHost->sizeRequests.emplace_back (index, (int) value);
            return currentHost->acceptsSizeWindow ? 1 : 0;
        case audioMasterIdle:
            currentHost->idleTimes.push_back (juce::Time::getMillisecondCounter());
            return 0;
        default: return 0;
    }
}

/** A host's own X windows, made on a separate connection as a host would. */
struct HostWindows
{
    HostWindows() : display (XOpenDisplay (nullptr)) {}
    ~HostWindows()
    {
        if (display != nullptr)
            XCloseDisplay (display);
    }

    Window make (Window parent, int w, int h)
    {
        const Window win = XCreateSimpleWindow (display, parent, 0, 0, (unsigned) w, (unsigned) h, 0, 0, 0);
        XMapWindow (display, win);
        XSync (display, False);
        return win;
    }

    std::pair<int, int> size (Window w)
    {
        XSync (display, False);
        XWindowAttributes a {};
        XGetWindowAttributes (display, w, &a);
        return { a.width, a.height };
    }

    Window parentOf (Window w)
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int n = 0;
        XQueryTree (display, w, &root, &parent, &children, &n);
        if (children != nullptr)
            XFree (children);
        return parent;
    }

    Display* display;
};

class EditorHosting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::getenv ("DISPLAY") == nullptr || windows.display == nullptr)
            GTEST_SKIP() << "needs an X display (run under xvfb-run)";

        currentHost = &host;
        wrapper = new JuceVSTWrapper (hostCallback, std::make_unique<DemoJuceFilter>());
        effect = wrapper->getAeffect();
        dispatch (effOpen);
    }

    void TearDown() override
    {
        if (effect != nullptr)
            EXPECT_EQ (dispatch (effClose), 1);
        qvtest::pumpMessages();
        currentHost = nullptr;
    }

    intptr_t dispatch (int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr)
    {
        return effect->dispatcher (effect, opcode, index, value, ptr, 0.0f);
    }

    Window editorXWindow() const
    {
        auto* peer = wrapper->getEditorWindow()->getPeer();
        return peer != nullptr ? (Window) (uintptr_t) peer->getNativeHandle() : 0;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    HostWindows windows;
    HostRecord host;
    JuceVSTWrapper* wrapper = nullptr;
    AEffect* effect = nullptr;
};

TEST_F (EditorHosting, RectBeforeOpenCreatesTheEditorAndOpenRebuildsIt)
{
    ERect* rect = nullptr;
    ASSERT_NE (dispatch (effEditGetRect, 0, 0, &rect), 0);
    ASSERT_NE (rect, nullptr);
    EXPECT_EQ (rect->top, 0);
    EXPECT_EQ (rect->left, 0);
    EXPECT_EQ (rect->right, 525);
    EXPECT_EQ (rect->bottom, 312);
    juce::Component::SafePointer<juce::Component> first (wrapper->getEditorWindow()->getEditor());
    EXPECT_EQ ((juce::Component*) wrapper->getProcessor().getActiveEditor(), first.getComponent());

    const Window parent = windows.make (DefaultRootWindow (windows.display), 525, 312);
    EXPECT_EQ (dispatch (effEditOpen, 0, 0, (void*) (uintptr_t) parent), 1);
    EXPECT_EQ (first.getComponent(), nullptr);   // the editor made for the rectangle is gone
    EXPECT_EQ ((juce::Component*) wrapper->getProcessor().getActiveEditor(), wrapper->getEditorWindow()->getEditor());
    EXPECT_EQ (windows.parentOf (editorXWindow()), parent);

    // A second open without a close shows a new window.
    juce::Component::SafePointer<juce::Component> second (wrapper->getEditorWindow());
    EXPECT_EQ (dispatch (effEditOpen, 0, 0, (void*) (uintptr_t) parent), 1);
    EXPECT_EQ (second.getComponent(), nullptr);
    ASSERT_NE (wrapper->getEditorWindow(), nullptr);
    EXPECT_EQ (windows.parentOf (editorXWindow()), parent);

    EXPECT_EQ (dispatch (effEditClose), 0);
    EXPECT_EQ (wrapper->getEditorWindow(), nullptr);
    EXPECT_EQ (wrapper->getProcessor().getActiveEditor(), nullptr);
    EXPECT_EQ (dispatch (effEditClose), 0);   // nothing open: nothing happens
}

TEST_F (EditorHosting, SizeChangeGoesThroughTheHostWhenItOffersSizeWindow)
{
    host.acceptsSizeWindow = true;
    const Window parent = windows.make (DefaultRootWindow (windows.display), 525, 312);
    ASSERT_EQ (dispatch (effEditOpen, 0, 0, (void*) (uintptr_t) parent), 1);

    wrapper->getEditorWindow()->getEditor()->setSize (600, 350);
    qvtest::pumpMessages();

    ASSERT_EQ (host.sizeRequests.size(), 1u);
    EXPECT_EQ (host.sizeRequests[0], std::make_pair (600, 350));
    EXPECT_EQ (windows.size (parent), std::make_pair (525, 312));   // the host resizes its own windows
    EXPECT_EQ (wrapper->getEditorWindow()->getWidth(), 600);
    auto& filter = static_cast<DemoJuceFilter&> (wrapper->getProcessor());
    EXPECT_EQ (filter.lastEditorWidth, 600);
    EXPECT_EQ (filter.lastEditorHeight, 350);
}

TEST_F (EditorHosting, WithoutSizeWindowTheHoldingWindowsGrowByTheirBorders)
{
    // root > outer (700 x 420, more than 100 larger: keeps its size)
    //      > frame (545 x 332) > panel (525 x 312) > the editor
    const Window outer = windows.make (DefaultRootWindow (windows.display), 700, 420);
    const Window frame = windows.make (outer, 545, 332);
    const Window panel = windows.make (frame, 525, 312);
    ASSERT_EQ (dispatch (effEditOpen, 0, 0, (void*) (uintptr_t) panel), 1);

    wrapper->getEditorWindow()->getEditor()->setSize (600, 350);
    qvtest::pumpMessages();

    EXPECT_EQ (host.sizeRequests.size(), 0u);
    EXPECT_EQ (windows.size (editorXWindow()), std::make_pair (600, 350));
    EXPECT_EQ (windows.size (panel), std::make_pair (600, 350));
    EXPECT_EQ (windows.size (frame), std::make_pair (620, 370));
    EXPECT_EQ (windows.size (outer), std::make_pair (700, 420));
}

TEST_F (EditorHosting, TheWalkStopsAfterTheTopLevelWindow)
{
    const Window top = windows.make (DefaultRootWindow (windows.display), 535, 322);
    const Window panel = windows.make (top, 525, 312);
    ASSERT_EQ (dispatch (effEditOpen, 0, 0, (void*) (uintptr_t) panel), 1);

    wrapper->getEditorWindow()->getEditor()->setSize (400, 300);
    qvtest::pumpMessages();

    EXPECT_EQ (windows.size (panel), std::make_pair (400, 300));
    EXPECT_EQ (windows.size (top), std::make_pair (410, 310));
}

TEST_F (EditorHosting, HostIdleOnlyWhileAButtonIsHeldAndAtMostEvery20ms)
{
    const Window parent = windows.make (DefaultRootWindow (windows.display), 525, 312);
    ASSERT_EQ (dispatch (effEditOpen, 0, 0, (void*) (uintptr_t) parent), 1);
    auto* editor = wrapper->getEditorWindow()->getEditor();

    const auto paintFor = [&] (int ms)
    {
        const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) ms;
        while (juce::Time::getMillisecondCounter() < end)
        {
            editor->repaint();
            qvtest::pumpMessagesFor (1);
        }
    };

    juce::ModifierKeys::currentModifiers = juce::ModifierKeys();
    paintFor (300);
    EXPECT_TRUE (host.idleTimes.empty());

    juce::ModifierKeys::currentModifiers = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier);
    paintFor (300);
    juce::ModifierKeys::currentModifiers = juce::ModifierKeys();

    ASSERT_GE (host.idleTimes.size(), 3u);
    for (size_t i = 1; i < host.idleTimes.size(); ++i)
        EXPECT_GE (host.idleTimes[i] - host.idleTimes[i - 1], 21u);
}

TEST_F (EditorHosting, IdleFromTheMessageThreadRunsTimersAndRepaints)
{
    const Window parent = windows.make (DefaultRootWindow (windows.display), 525, 312);
    ASSERT_EQ (dispatch (effEditOpen, 0, 0, (void*) (uintptr_t) parent), 1);
    EXPECT_EQ (dispatch (effEditIdle), 0);
    EXPECT_EQ (dispatch (effEditIdle), 0);
}

TEST_F (EditorHosting, AHostThatDestroysItsWindowFirstDoesNotTakeThePluginDown)
{
    const Window parent = windows.make (DefaultRootWindow (windows.display), 525, 312);
    ASSERT_EQ (dispatch (effEditOpen, 0, 0, (void*) (uintptr_t) parent), 1);
    qvtest::pumpMessagesFor (50);

    XDestroyWindow (windows.display, parent);
    XSync (windows.display, False);
    qvtest::pumpMessagesFor (50);

    EXPECT_EQ (dispatch (effEditClose), 0);
    qvtest::pumpMessagesFor (50);
    EXPECT_EQ (wrapper->getEditorWindow(), nullptr);
}
}
