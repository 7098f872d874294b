#include "tests/editorhost/EditorHostFixture.h"
#include "host/HostWindow.h"

#include <unistd.h>
#include <chrono>
#include <thread>

namespace edhost
{

void EditorHostFixture::SetUp()
{
    if (! XvfbServer::isInstalled() || ! PointerDriver::isInstalled())
        GTEST_SKIP() << "needs Xvfb and xdotool (scripts/install-deps.sh gui)";
    if (::access (modulePath().c_str(), R_OK) != 0 || ::access ((buildDir() + "/qvhost").c_str(), X_OK) != 0)
        GTEST_FAIL() << "build QV-DelayTX and qvhost first (" << buildDir() << ")";

    server = std::make_unique<XvfbServer>();
    ASSERT_TRUE (server->isRunning()) << server->problem();
    scratch = std::make_unique<ScratchFolder>();
    pointer = std::make_unique<PointerDriver> (*server, scratch->path());
    display = XOpenDisplay (server->name().c_str());
    ASSERT_NE (display, nullptr) << "cannot connect to " << server->name();
}

void EditorHostFixture::TearDown()
{
    if (display != nullptr)
        XCloseDisplay (display);
    display = nullptr;
    pointer.reset();
    server.reset();
    scratch.reset();
}

qvhost::WindowPicture EditorHostFixture::capture (unsigned long window) const
{
    return qvhost::HostWindow::read (display, (Window) window);
}

qvhost::WindowPicture EditorHostFixture::settledPictureAfter (unsigned long window, const qvhost::WindowPicture& before,
                                                              double seconds) const
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double> (seconds);
    qvhost::WindowPicture last = capture (window);
    for (;;)
    {
        std::this_thread::sleep_for (std::chrono::milliseconds (60));
        qvhost::WindowPicture now = capture (window);
        if (now == last && now != before)
            return now;
        last = std::move (now);
        if (std::chrono::steady_clock::now() >= deadline)
            return last;
    }
}

std::vector<std::pair<int, int>> EditorHostFixture::changedPixels (const qvhost::WindowPicture& a, const qvhost::WindowPicture& b)
{
    std::vector<std::pair<int, int>> changes;
    if (a.width() != b.width() || a.height() != b.height())
        return changes;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel (x, y) != b.pixel (x, y))
                changes.emplace_back (x, y);
    return changes;
}

size_t EditorHostFixture::countOutside (const std::vector<std::pair<int, int>>& changes, const std::vector<Area>& areas)
{
    size_t outside = 0;
    for (const auto& [x, y] : changes)
    {
        bool inside = false;
        for (const auto& area : areas)
            inside = inside || area.contains (x, y);
        outside += inside ? 0 : 1;
    }
    return outside;
}

size_t EditorHostFixture::countInside (const std::vector<std::pair<int, int>>& changes, const Area& area)
{
    size_t inside = 0;
    for (const auto& [x, y] : changes)
        inside += area.contains (x, y) ? 1 : 0;
    return inside;
}

std::vector<HostEvent> EditorHostFixture::named (const std::vector<HostEvent>& events, const std::string& name)
{
    std::vector<HostEvent> found;
    for (const auto& e : events)
        if (e.name == name)
            found.push_back (e);
    return found;
}

} // namespace edhost
