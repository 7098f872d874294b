// Opening and closing the editor many times in one host process leaves memory and the
// X server's resources where they were. A benchmark-style check: the figures are printed
// and checked against generous bounds, never against a time.
#include "tests/editorhost/EditorHostFixture.h"

#include <cstdio>
#include <cstdlib>

namespace edhost
{
namespace
{

using EditorInHostWindow = EditorHostFixture;

int cycleCount()
{
    // 1000 by default (about a minute); QV_EDITOR_CYCLES sets another count.
    const char* text = std::getenv ("QV_EDITOR_CYCLES");
    const int n = text != nullptr ? std::atoi (text) : 0;
    return n > 0 ? n : 1000;
}

TEST_F (EditorInHostWindow, OpenCloseCyclesKeepMemoryAndXResources)
{
    const int cycles = cycleCount();
    QvhostEditor host (*server, { "--open-close", std::to_string (cycles) });
    ASSERT_TRUE (host.finish (600.0)) << "qvhost did not finish";
    ASSERT_EQ (host.child().exitCode(), 0) << host.outcome();

    const auto events = host.events();
    const auto done = named (events, "cycles");
    ASSERT_EQ (done.size(), 1u);
    EXPECT_EQ (done[0].whole ("count"), cycles);
    EXPECT_EQ (named (events, "painted").size(), (size_t) cycles + 1) << "every editor opened has painted";

    HostEvent before, after;
    for (const auto& e : named (events, "resources"))
        (e.text ("when") == "before" ? before : after) = e;
    ASSERT_FALSE (before.fields.empty());
    ASSERT_FALSE (after.fields.empty());

    std::printf ("%d open/close cycles in %.1f s\n  before: %ld KiB resident, %ld X resources, %ld windows\n"
                 "  after:  %ld KiB resident, %ld X resources, %ld windows\n",
                 cycles, done[0].number ("seconds"), before.whole ("rss-kb"), before.whole ("x-resources"),
                 before.whole ("windows"), after.whole ("rss-kb"), after.whole ("x-resources"), after.whole ("windows"));
    RecordProperty ("rss_kb_before", (int) before.whole ("rss-kb"));
    RecordProperty ("rss_kb_after", (int) after.whole ("rss-kb"));
    RecordProperty ("x_resources_before", (int) before.whole ("x-resources"));
    RecordProperty ("x_resources_after", (int) after.whole ("x-resources"));

    // An editor that stayed behind would leave its windows, and its X resources
    // (a window, a colormap, ...) would grow with every cycle.
    EXPECT_EQ (after.whole ("windows"), before.whole ("windows"));
    if (before.whole ("x-resources") >= 0)
    {
        EXPECT_EQ (after.whole ("x-connections"), before.whole ("x-connections"));
        EXPECT_LE (after.whole ("x-resources") - before.whole ("x-resources"), 8);
    }

    // The whole editor (69 components, their images) lost on every opening would be well
    // over this; caches filling up once stay far below.
    EXPECT_LE (after.whole ("rss-kb") - before.whole ("rss-kb"), 16 * 1024);
}

} // namespace
} // namespace edhost
