#pragma once
#include "host/WindowPicture.h"
#include "tests/editorhost/PointerDriver.h"
#include "tests/editorhost/QvhostEditor.h"
#include "tests/editorhost/XvfbServer.h"

#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <memory>
#include <string>
#include <vector>

namespace edhost
{

/** A place in the editor, in its own coordinates (which are the host window's: the editor
    sits at its top left corner). */
struct Area
{
    int x, y, width, height;
    bool contains (int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
    PointerDriver::Point centre() const { return { x + width / 2, y + height / 2 }; }
};

/** Where the editor puts the controls these tests use. */
namespace Layout
{
    constexpr Area editor { 0, 0, 525, 312 };
    constexpr Area powerSwitch { 27, 131, 44, 19 };
    constexpr Area feedbackKnob { 161, 158, 32, 31 };
    constexpr Area feedbackValue { 158, 188, 37, 13 };
    constexpr Area feedbackIcon { 146, 16, 60, 60 };

    constexpr int fOnButton = 0;
    constexpr int fFeedbackLeft = 14;
}

/** Each test gets an X server of its own (no window manager), a connection to it for
    reading windows' pixels and destroying windows, and xdotool pointed at it. */
class EditorHostFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /** The window's pixels as the screen shows them. */
    qvhost::WindowPicture capture (unsigned long window) const;
    /** Waits until the window's pixels differ from `before` and then hold still for a moment
        (a repaint is asynchronous); gives the last picture read, changed or not. */
    qvhost::WindowPicture settledPictureAfter (unsigned long window, const qvhost::WindowPicture& before,
                                               double seconds = 5.0) const;

    /** Pixels that differ between two pictures of the same size. */
    static std::vector<std::pair<int, int>> changedPixels (const qvhost::WindowPicture& a, const qvhost::WindowPicture& b);
    /** How many of `changes` lie outside every area. */
    static size_t countOutside (const std::vector<std::pair<int, int>>& changes, const std::vector<Area>& areas);
    static size_t countInside (const std::vector<std::pair<int, int>>& changes, const Area& area);

    /** The events named `name` written so far. */
    static std::vector<HostEvent> named (const std::vector<HostEvent>& events, const std::string& name);

    std::unique_ptr<XvfbServer> server;
    std::unique_ptr<PointerDriver> pointer;
    std::unique_ptr<ScratchFolder> scratch;
    Display* display = nullptr;
};

} // namespace edhost
