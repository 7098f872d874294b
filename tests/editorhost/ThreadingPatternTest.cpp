// The editor in qvhost's own top-level window, driven the four ways real Linux hosts drive
// an editor, with real pointer input on the X server.
#include "tests/editorhost/EditorHostFixture.h"
#include "host/HostWindow.h"

#include <cmath>

namespace edhost
{
namespace
{

class ThreadingPattern : public EditorHostFixture,
                         public ::testing::WithParamInterface<const char*>
{
};

std::vector<HostEvent> automationOf (const std::vector<HostEvent>& events, int index)
{
    std::vector<HostEvent> found;
    for (const auto& e : events)
        if (e.name == "automate" && e.whole ("index") == index)
            found.push_back (e);
    return found;
}

TEST_P (ThreadingPattern, EditorPaintsFollowsThePointerReportsAutomationAndCloses)
{
    const std::string shot = scratch->file ("editor.png");
    QvhostEditor host (*server, { "--pattern", GetParam(), "--hold", "300", "--screenshot", shot });

    const auto open = host.waitFor ("open");
    ASSERT_TRUE (open) << host.outcome();
    ASSERT_TRUE (host.waitFor ("screenshot")) << host.outcome();
    EXPECT_EQ (open->text ("pattern"), GetParam());
    EXPECT_EQ (open->whole ("width"), Layout::editor.width);
    EXPECT_EQ (open->whole ("height"), Layout::editor.height);

    // The window a user (or xdotool) finds by the host's process and title is the one the
    // editor was opened in.
    const unsigned long window = pointer->findWindow (host.child().pid(), "^qvhost: QV-Delay TX$");
    ASSERT_EQ (window, (unsigned long) open->whole ("window"));

    // The screenshot is the whole editor as the screen shows it.
    const qvhost::WindowPicture shown = capture (window);
    ASSERT_EQ (shown.width(), Layout::editor.width);
    ASSERT_EQ (shown.height(), Layout::editor.height);
    EXPECT_FALSE (shown.isBlank());
    EXPECT_TRUE (qvhost::WindowPicture::loadPng (shot) == shown);
    // Nothing cut, shifted or scaled: pixel for pixel the editor as it renders itself off
    // the screen (the editor's own tests keep that picture).
    EXPECT_TRUE (qvhost::WindowPicture::loadPng (std::string (QV_TEST_SOURCE_DIR) + "/docs/editor-default.png") == shown);

    // No button has been held: painting has asked the host for no idle time.
    EXPECT_TRUE (named (host.events(), "idle").empty());

    // The left feedback knob: pressed on its left side, turned over the top (half way),
    // then into the dead zone at the lower right (all the way).
    const auto& knob = Layout::feedbackKnob;
    pointer->drag (window, { { knob.x + 2, knob.y + 15 }, { knob.x + 16, knob.y }, { knob.x + 31, knob.y + 30 } }, 0.25);
    ASSERT_TRUE (host.waitFor ("automate", 10.0, [] (const HostEvent& e)
                               { return e.whole ("index") == Layout::fFeedbackLeft && e.number ("value") == 1.0; }))
        << host.outcome();

    auto events = host.events();
    const auto feedback = automationOf (events, Layout::fFeedbackLeft);
    EXPECT_EQ (named (events, "automate").size(), feedback.size()) << "only the dragged knob reports";
    EXPECT_TRUE (std::any_of (feedback.begin(), feedback.end(),
                              [] (const HostEvent& e) { return std::abs (e.number ("value") - 0.5) < 0.02; }))
        << "the top of the turn is half way";

    // While the button was held the host got idle calls, never closer than 20 ms.
    const auto idle = named (events, "idle");
    EXPECT_FALSE (idle.empty());
    for (size_t i = 1; i < idle.size(); ++i)
        EXPECT_GE (idle[i].number ("ms") - idle[i - 1].number ("ms"), 19.5);

    // Only the knob, its value and the feedback picture above it were repainted.
    const qvhost::WindowPicture turned = settledPictureAfter (window, shown);
    const auto turnChanges = changedPixels (shown, turned);
    EXPECT_GT (countInside (turnChanges, Layout::feedbackKnob), 0u);
    EXPECT_GT (countInside (turnChanges, Layout::feedbackValue), 0u);
    EXPECT_EQ (countOutside (turnChanges, { Layout::feedbackKnob, Layout::feedbackValue, Layout::feedbackIcon }), 0u);

    // The power switch: off, then on again.
    pointer->click (window, Layout::powerSwitch.centre());
    ASSERT_TRUE (host.waitFor ("automate", 10.0, [] (const HostEvent& e)
                               { return e.whole ("index") == Layout::fOnButton && e.number ("value") == 0.0; }))
        << host.outcome();
    const qvhost::WindowPicture off = settledPictureAfter (window, turned);
    const auto offChanges = changedPixels (turned, off);
    EXPECT_GT (offChanges.size(), 0u);
    EXPECT_EQ (countOutside (offChanges, { Layout::powerSwitch }), 0u);

    pointer->click (window, Layout::powerSwitch.centre());
    ASSERT_TRUE (host.waitFor ("automate", 10.0, [] (const HostEvent& e)
                               { return e.whole ("index") == Layout::fOnButton && e.number ("value") == 1.0; }))
        << host.outcome();
    EXPECT_TRUE (settledPictureAfter (window, off) == turned);

    // The user makes the host's window larger: the editor stays as it is in its corner and
    // the host's own background fills the rest.
    pointer->moveTo (window, { 600, 400 });
    pointer->resize (window, 700, 420);
    ASSERT_TRUE (host.waitFor ("configure", 10.0, [] (const HostEvent& e) { return e.whole ("width") == 700; }))
        << host.outcome();
    const qvhost::WindowPicture larger = settledPictureAfter (window, turned);
    ASSERT_EQ (larger.width(), 700);
    ASSERT_EQ (larger.height(), 420);
    size_t editorDifferences = 0, hostDifferences = 0;
    for (int y = 0; y < larger.height(); ++y)
        for (int x = 0; x < larger.width(); ++x)
            if (Layout::editor.contains (x, y))
                editorDifferences += larger.pixel (x, y) != turned.pixel (x, y) ? 1 : 0;
            else
                hostDifferences += larger.pixel (x, y) != qvhost::HostWindow::backgroundColour ? 1 : 0;
    EXPECT_EQ (editorDifferences, 0u);
    EXPECT_EQ (hostDifferences, 0u);

    host.stop();
    EXPECT_EQ (host.child().exitCode(), 0) << host.outcome();
    EXPECT_EQ (named (host.events(), "closed").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P (EditorInHostWindow, ThreadingPattern, ::testing::Values ("a", "b", "c", "d"),
                          [] (const ::testing::TestParamInfo<const char*>& info) { return std::string ("pattern_") + info.param; });

} // namespace
} // namespace edhost
