// qvhost info, chunk and help, and how every subcommand fails: one line, a non-zero status,
// never a crash.
#include "tests/support/RunProcess.h"
#include "tests/host/TestModules.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

using namespace hosttest;
using namespace qvtest;

namespace
{

bool contains (const std::string& text, const std::string& part) { return text.find (part) != std::string::npos; }

int countMatches (const std::string& text, const std::string& pattern)
{
    const std::regex re (pattern);
    return (int) std::distance (std::sregex_iterator (text.begin(), text.end(), re), std::sregex_iterator());
}

/** How many whole lines of `text` match `pattern`. */
int countLines (const std::string& text, const std::string& pattern)
{
    const std::regex re (pattern);
    std::istringstream in (text);
    int count = 0;
    for (std::string line; std::getline (in, line);)
        count += std::regex_match (line, re) ? 1 : 0;
    return count;
}

TEST (QvhostInfo, PrintsIdentityFlagsChannelsParametersAndPrograms)
{
    const auto r = runQvhost ({ "info", probePath ("probe-stereo") });
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_EQ (r.err, "");
    for (const char* line : { "Effect name:     QV Probe\n", "Vendor:          Quarvel Tests\n", "Product:         Probe\n",
                              "Vendor version:  7\n", "Unique id:       'qPrb' (1901097570)\n", "Version:         3 (0x3)\n",
                              "VST version:     2400\n", "Category:        1 (effect)\n",
                              "Flags:           0x30 (CanReplacing ProgramChunks)\n", "Inputs:          2\n",
                              "Outputs:         2\n", "Parameters:      4\n", "Programs:        2 (current 0)\n",
                              "(entry VSTPluginMain)" })
        EXPECT_TRUE (contains (r.out, line)) << line << "\n" << r.out;

    // index, name, display, label, value
    EXPECT_TRUE (std::regex_search (r.out, std::regex ("\n +1  fPreDela +0\\.000000 +0\n")));
    EXPECT_TRUE (std::regex_search (r.out, std::regex ("\n +2  gain +0\\.500000 +x +0\\.5\n")));
    EXPECT_TRUE (contains (r.out, "      0  program 0\n      1  program 1\n"));
}

TEST (QvhostInfo, WorksOnDebiansModules)
{
    const std::pair<std::string, std::vector<std::string>> modules[] = {
        { zamDelayPath(), { "Effect name:     ZamDelay\n", "(entry main)", "Inputs:          1\n", "Feedback" } },
        { lspStereoDelayPath(), { "Vendor:          LSP VST\n", "(entry VSTPluginMain)", "ProgramChunks", "Parameters:      11\n" } },
    };
    for (const auto& [path, expected] : modules)
    {
        if (path.empty())
            continue;
        SCOPED_TRACE (path);
        const auto r = runQvhost ({ "info", path });
        ASSERT_EQ (r.exitCode, 0) << r.err;
        for (const auto& part : expected)
            EXPECT_TRUE (contains (r.out, part)) << part << "\n" << r.out;
    }
}

TEST (QvhostInfo, ShowsOurModule)
{
    if (ourModulePath().empty())
        GTEST_SKIP() << "QV-DelayTX.so is not built in QV_BUILD_DIR";
    const auto r = runQvhost ({ "info", ourModulePath() });
    ASSERT_EQ (r.exitCode, 0) << r.err;
    for (const char* part : { "Effect name:     QV-Delay TX\n", "Vendor:          Quarvel\n", "Unique id:       'qT02'",
                              "Version:         65792 (0x10100)\n", "Flags:           0x31 (HasEditor CanReplacing ProgramChunks)\n",
                              "Parameters:      36\n", "Programs:        128 (current 0)\n" })
        EXPECT_TRUE (contains (r.out, part)) << part << "\n" << r.out;
    EXPECT_EQ (countLines (r.out, " +[78]  fPreDela .*"), 2);
    EXPECT_EQ (countLines (r.out, " +[0-9]+  Default"), 128);
}

TEST (QvhostHelp, OverviewAndCommandHelp)
{
    const auto overview = runQvhost ({ "help" });
    EXPECT_EQ (overview.exitCode, 0);
    for (const char* command : { "info MODULE", "chunk get", "chunk set", "render MODULE IN OUT" })
        EXPECT_TRUE (contains (overview.out, command)) << command;

    const auto viaHelp = runQvhost ({ "help", "render" });
    const auto viaOption = runQvhost ({ "render", "--help" });
    EXPECT_EQ (viaHelp.exitCode, 0);
    EXPECT_EQ (viaOption.exitCode, 0);
    EXPECT_EQ (viaHelp.out, viaOption.out);
    EXPECT_TRUE (contains (viaHelp.out, "--bank-chunk FILE"));
    EXPECT_TRUE (contains (viaHelp.out, "fPreDelayLeft"));

    const auto none = runQvhost ({});
    EXPECT_EQ (none.exitCode, 2);
    EXPECT_TRUE (contains (none.err, "usage: qvhost"));
}

struct Failure
{
    const char* what;
    std::vector<std::string> arguments;
    int exitCode;
    const char* message;
};

TEST (QvhostFailures, OneLineANonZeroStatusAndNoCrash)
{
    TempFolder folder;
    writeFile (folder.file ("text.so"), "not a module");
    writeFile (folder.file ("empty.chunk"), "");
    const std::string probe = probePath ("probe-stereo");

    std::vector<Failure> cases = {
        { "unknown command", { "frobnicate" }, 2, "unknown command 'frobnicate'" },
        { "info without module", { "info" }, 2, "missing MODULE" },
        { "info, extra argument", { "info", probe, "more" }, 2, "unexpected argument 'more'" },
        { "info, unknown option", { "info", "--bogus", probe }, 2, "unknown option '--bogus'" },
        { "text file", { "info", folder.file ("text.so") }, 1, "cannot load" },
        { "missing module", { "info", folder.file ("none.so") }, 1, "No such file" },
        { "folder as module", { "info", folder.path() }, 1, "not a regular file" },
        { "no entry", { "info", probePath ("probe-no-entry") }, 1, "exports neither VSTPluginMain nor main" },
        { "null record", { "info", probePath ("probe-null-record") }, 1, "returned no effect" },
        { "bad magic", { "info", probePath ("probe-bad-magic") }, 1, "magic" },
        { "throwing entry", { "info", probePath ("probe-throws") }, 1, "threw" },
        { "chunk without action", { "chunk" }, 2, "missing 'get' or 'set'" },
        { "chunk, unknown action", { "chunk", "put", probe, "x" }, 2, "unknown chunk action" },
        { "chunk get without OUT", { "chunk", "get", probe }, 2, "missing OUT" },
        { "chunk set, missing file", { "chunk", "set", probe, folder.file ("none.chunk") }, 1, "cannot read" },
        { "chunk set, empty file", { "chunk", "set", probe, folder.file ("empty.chunk") }, 1, "is empty" },
        { "chunk get into a missing folder", { "chunk", "get", probe, folder.file ("no/such/out.chunk") }, 1, "cannot write" },
        { "chunk get onto a folder", { "chunk", "get", probe, folder.path() }, 1, "it is a folder" },
    };
    if (! zamDelayPath().empty())
        cases.push_back ({ "chunk get, module without chunks", { "chunk", "get", zamDelayPath(), folder.file ("z.chunk") }, 1,
                           "keeps no state chunks" });

    const auto before = folder.list();
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        const auto r = runQvhost (c.arguments);
        EXPECT_EQ (r.signal, 0) << "crashed";
        EXPECT_EQ (r.exitCode, c.exitCode) << r.err;
        const auto lines = r.errorLines();
        ASSERT_FALSE (lines.empty());
        EXPECT_TRUE (contains (lines.back(), "qvhost: ")) << lines.back();
        EXPECT_TRUE (contains (lines.back(), c.message)) << lines.back();
        EXPECT_EQ (countMatches (r.err, "qvhost: "), 1) << r.err;
    }
    EXPECT_EQ (folder.list(), before) << "no file left behind";
}

TEST (QvhostChunk, GetWritesTheModulesBytesAndSetReportsWhatItReadsBack)
{
    TempFolder folder;
    const std::string probe = probePath ("probe-stereo");

    auto r = runQvhost ({ "chunk", "get", probe, folder.file ("bank.chunk") });
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_EQ (readFile (folder.file ("bank.chunk")), "<PROBEBANK gain0=\"0.500000\" gain1=\"0.500000\"/>");
    EXPECT_TRUE (contains (r.out, "(bank chunk)"));

    r = runQvhost ({ "chunk", "get", probe, "--program", folder.file ("program.chunk") });
    ASSERT_EQ (r.exitCode, 0) << r.err;
    const std::string program = readFile (folder.file ("program.chunk"));
    EXPECT_EQ (program.rfind ("<PROBE Version=\"1\" fPreDelayLeft=\"0.000000\"", 0), 0u) << program;

    r = runQvhost ({ "chunk", "set", probe, "--program", "--verify", folder.file ("program.chunk") });
    EXPECT_EQ (r.exitCode, 0) << r.err;
    EXPECT_TRUE (contains (r.out, "read back " + std::to_string (program.size()) + " bytes: identical"));

    std::string changed = program;
    changed.replace (changed.find ("gain=\"0.500000\""), 15, "gain=\"0.25\"");
    writeFile (folder.file ("changed.chunk"), changed);
    r = runQvhost ({ "chunk", "set", probe, "--program", "--verify", folder.file ("changed.chunk") });
    EXPECT_EQ (r.exitCode, 3) << "read back differs";
    EXPECT_TRUE (contains (r.out, ": different"));
    EXPECT_TRUE (std::regex_search (r.out, std::regex ("\n +2  gain +0\\.250000 +x +0\\.25\n"))) << r.out;

    r = runQvhost ({ "chunk", "set", probe, "--program", folder.file ("changed.chunk") });
    EXPECT_EQ (r.exitCode, 0) << "without --verify a difference is only reported";
}

TEST (QvhostChunk, OurModulesChunksRoundTrip)
{
    if (ourModulePath().empty())
        GTEST_SKIP() << "QV-DelayTX.so is not built in QV_BUILD_DIR";
    TempFolder folder;
    for (const bool program : { true, false })
    {
        SCOPED_TRACE (program ? "program" : "bank");
        std::vector<std::string> get { "chunk", "get", ourModulePath(), folder.file ("state.chunk") };
        std::vector<std::string> set { "chunk", "set", ourModulePath(), "--verify", folder.file ("state.chunk") };
        if (program)
        {
            get.push_back ("--program");
            set.push_back ("--program");
        }
        ASSERT_EQ (runQvhost (get).exitCode, 0);
        const std::string bytes = readFile (folder.file ("state.chunk"));
        ASSERT_GT (bytes.size(), 10u);
        EXPECT_EQ (bytes.substr (0, 4), std::string ("\x56\x43\x32\x21", 4));
        const auto r = runQvhost (set);
        EXPECT_EQ (r.exitCode, 0) << r.out << r.err;
    }
}

} // namespace
