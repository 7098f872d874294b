// Hosts that do things the editor must survive without taking the host process down: an
// X server that never ran a window manager, a host window destroyed before effEditClose,
// several editors open at once in one process.
#include "tests/editorhost/EditorHostFixture.h"

#include <unistd.h>

namespace edhost
{
namespace
{

using EditorInHostWindow = EditorHostFixture;

bool atomExists (Display* display, const char* name)
{
    return XInternAtom (display, name, True) != None;
}

TEST_F (EditorInHostWindow, BareServerWithoutWindowManagerAtoms)
{
    // The window-manager atoms the editor's windows look up without creating them are
    // missing on this fresh server, and stay missing: a bare host window creates none.
    const char* const windowManagerAtoms[] = { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING",
                                               "WM_CHANGE_STATE", "WM_STATE", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE" };
    for (const char* atom : windowManagerAtoms)
        ASSERT_FALSE (atomExists (display, atom)) << atom << " exists before the host started";

    const std::string shot = scratch->file ("bare.png");
    QvhostEditor host (*server, { "--bare-window", "--hold", "300", "--screenshot", shot });
    const auto open = host.waitFor ("open");
    ASSERT_TRUE (open) << host.outcome();
    ASSERT_TRUE (host.waitFor ("screenshot")) << host.outcome();

    for (const char* atom : windowManagerAtoms)
        EXPECT_FALSE (atomExists (display, atom)) << atom << " was created while the editor opened";

    const unsigned long window = (unsigned long) open->whole ("window");
    const qvhost::WindowPicture shown = capture (window);
    EXPECT_EQ (shown.width(), Layout::editor.width);
    EXPECT_FALSE (shown.isBlank());
    EXPECT_TRUE (qvhost::WindowPicture::loadPng (shot) == shown);

    pointer->click (window, Layout::powerSwitch.centre());
    EXPECT_TRUE (host.waitFor ("automate", 10.0, [] (const HostEvent& e) { return e.whole ("index") == Layout::fOnButton; }))
        << host.outcome();

    host.stop();
    EXPECT_EQ (host.child().exitCode(), 0) << host.outcome();
}

TEST_F (EditorInHostWindow, HostDestroysItsWindowBeforeEffEditClose)
{
    // Every cycle destroys the parent (and with it the editor's X window) and only then
    // sends effEditClose; the next editor must open whole, at full size, and paint.
    QvhostEditor host (*server, { "--destroy-parent-first", "--open-close", "20" });
    ASSERT_TRUE (host.finish (120.0)) << "qvhost did not finish";
    ASSERT_EQ (host.child().exitCode(), 0) << host.outcome();

    const auto events = host.events();
    const auto opened = named (events, "open");
    ASSERT_EQ (opened.size(), 21u);
    for (const auto& e : opened)
    {
        EXPECT_EQ (e.whole ("width"), Layout::editor.width);
        EXPECT_EQ (e.whole ("height"), Layout::editor.height);
    }
    EXPECT_EQ (named (events, "painted").size(), 21u);
    EXPECT_TRUE (named (events, "size-window").empty()) << "the editor asked the host for a new size";

    // Each close: the parent goes first, effEditClose right after.
    size_t pairs = 0;
    for (size_t i = 0; i + 1 < events.size(); ++i)
        if (events[i].name == "parent-destroyed")
            pairs += events[i + 1].name == "closed" ? 1 : 0;
    EXPECT_EQ (pairs, 21u);
}

TEST_F (EditorInHostWindow, AnotherClientDestroysTheHostWindow)
{
    QvhostEditor host (*server, { "--hold", "300" });
    const auto open = host.waitFor ("open");
    ASSERT_TRUE (open) << host.outcome();
    ASSERT_TRUE (host.waitFor ("ready")) << host.outcome();

    XDestroyWindow (display, (Window) open->whole ("window"));
    XSync (display, False);

    // The host learns it from the server, closes the editor after the fact and, with no
    // editor left, ends by itself.
    ASSERT_TRUE (host.finish (30.0)) << "qvhost still runs";
    EXPECT_EQ (host.child().exitCode(), 0) << host.outcome();
    const auto events = host.events();
    ASSERT_GE (events.size(), 2u);
    EXPECT_EQ (events[events.size() - 2].name, "parent-destroyed");
    EXPECT_EQ (events.back().name, "closed");
}

TEST_F (EditorInHostWindow, AThirdPartyEditorShowsInTheSameHost)
{
    // The host is not made to measure for this module: a LinuxVST editor of another
    // framework (DPF, in Debian's zam-plugins) opens, paints and closes in it too.
    const std::string zamDelay = "/usr/lib/vst/ZamDelay-vst.so";
    if (::access (zamDelay.c_str(), R_OK) != 0)
        GTEST_SKIP() << "needs zam-plugins (scripts/install-deps.sh ardour)";

    const std::string shot = scratch->file ("zam.png");
    QvhostEditor host (*server, zamDelay, { "--screenshot", shot });
    ASSERT_TRUE (host.finish (60.0)) << "qvhost did not finish";
    ASSERT_EQ (host.child().exitCode(), 0) << host.outcome();
    const auto picture = qvhost::WindowPicture::loadPng (shot);
    const auto open = named (host.events(), "open");
    ASSERT_EQ (open.size(), 1u);
    EXPECT_EQ (picture.width(), open[0].whole ("width"));
    EXPECT_EQ (picture.height(), open[0].whole ("height"));
    EXPECT_FALSE (picture.isBlank());
}

class SeveralInstances : public EditorHostFixture,
                         public ::testing::WithParamInterface<const char*>
{
};

TEST_P (SeveralInstances, EachEditorAnswersForItsOwnEffect)
{
    QvhostEditor host (*server, { "--instances", "3", "--pattern", GetParam(), "--hold", "300" });
    ASSERT_TRUE (host.waitFor ("ready")) << host.outcome();

    const auto opened = named (host.events(), "open");
    ASSERT_EQ (opened.size(), 3u);
    std::vector<unsigned long> windows;
    std::vector<qvhost::WindowPicture> before;
    for (const auto& e : opened)
    {
        windows.push_back ((unsigned long) e.whole ("window"));
        before.push_back (capture (windows.back()));
        EXPECT_FALSE (before.back().isBlank());
    }

    // The power switch in the second window switches the second effect only.
    pointer->click (windows[1], Layout::powerSwitch.centre());
    ASSERT_TRUE (host.waitFor ("automate", 10.0, [] (const HostEvent& e) { return e.whole ("index") == Layout::fOnButton; }))
        << host.outcome();
    EXPECT_TRUE (settledPictureAfter (windows[1], before[1]) != before[1]);
    EXPECT_TRUE (capture (windows[0]) == before[0]);
    EXPECT_TRUE (capture (windows[2]) == before[2]);

    // A knob in the third window turns the third effect's parameter.
    const auto& knob = Layout::feedbackKnob;
    pointer->drag (windows[2], { { knob.x + 2, knob.y + 15 }, { knob.x + 31, knob.y + 30 } }, 0.2);
    ASSERT_TRUE (host.waitFor ("automate", 10.0, [] (const HostEvent& e)
                               { return e.whole ("index") == Layout::fFeedbackLeft && e.number ("value") == 1.0; }))
        << host.outcome();

    for (const auto& e : named (host.events(), "automate"))
        EXPECT_EQ (e.text ("instance"), e.whole ("index") == Layout::fOnButton ? "1" : "2");

    host.stop();
    EXPECT_EQ (host.child().exitCode(), 0) << host.outcome();
    EXPECT_EQ (named (host.events(), "closed").size(), 3u);
}

INSTANTIATE_TEST_SUITE_P (EditorInHostWindow, SeveralInstances, ::testing::Values ("a", "b"),
                          [] (const ::testing::TestParamInfo<const char*>& info) { return std::string ("pattern_") + info.param; });

} // namespace
} // namespace edhost
