// `qvhost editor` refuses what it cannot do with a one-line reason and the usual status,
// before it loads anything.
#include "tests/editorhost/ChildProcess.h"
#include "tests/editorhost/QvhostEditor.h"

#include <gtest/gtest.h>

namespace edhost
{
namespace
{

struct Refusal
{
    const char* what;
    std::vector<std::string> arguments;   // after "editor MODULE"
    std::string display;                  // DISPLAY for the run
    int status;
    const char* message;
};

TEST (QvhostEditorCommand, RefusesWithAReason)
{
    const Refusal cases[] = {
        { "no display", {}, "", 1, "no X display" },
        { "unknown pattern", { "--pattern", "e" }, ":0", 2, "bad --pattern 'e'" },
        { "no cycles", { "--open-close", "0" }, ":0", 2, "bad --open-close" },
        { "negative hold", { "--hold", "-1" }, ":0", 2, "bad --hold" },
        { "too many instances", { "--instances", "17" }, ":0", 2, "bad --instances" },
        { "unknown option", { "--frobnicate" }, ":0", 2, "unknown option '--frobnicate'" },
    };

    ScratchFolder scratch;
    for (const auto& c : cases)
    {
        std::vector<std::string> arguments { "editor", modulePath() };
        arguments.insert (arguments.end(), c.arguments.begin(), c.arguments.end());
        ChildProcess qvhost (buildDir() + "/qvhost", arguments, { "DISPLAY=" + c.display }, scratch.path());
        ASSERT_TRUE (qvhost.waitFor (30.0)) << c.what;
        EXPECT_EQ (qvhost.exitCode(), c.status) << c.what;
        EXPECT_NE (qvhost.errors().find (c.message), std::string::npos) << c.what << ": " << qvhost.errors();
    }
}

} // namespace
} // namespace edhost
