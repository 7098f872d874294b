// Ardour 7 loads the module as a LinuxVST plug-in: its scanner accepts it, a session
// instantiates it on a stereo track, lists its name, maker and parameter names, sets a
// parameter and rolls the transport for a second, then closes cleanly.
#include "tests/support/RunProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>

using namespace qvtest;
namespace fs = std::filesystem;

namespace
{

const std::string ardourLua = "/usr/bin/ardour7-lua";
const std::string vstScanner = "/usr/lib/ardour7/ardour-vst-scanner";

/** What the session script printed about the plug-in. */
struct ArdourReport
{
    ProcessResult run;
    std::string scannedName, scannedMaker;
    std::string name, maker;
    int parameterCount = -1;
    std::vector<std::string> parameterNames;
    std::string valueAfterSet;
    bool rolled = false;
    bool done = false;
};

std::vector<std::string> split (const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::stringstream in (line);
    for (std::string field; std::getline (in, field, separator);)
        fields.push_back (field);
    return fields;
}

class ArdourHost : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (! fileExists (ardourLua) || ! fileExists (vstScanner))
            GTEST_SKIP() << "Ardour 7 is not installed (scripts/install-deps.sh ardour)";
    }

    /** Runs the scanner and a session script for the module at `modulePath`, with parameter
        `parameter` set to `value` before rolling. */
    ArdourReport runArdour (const std::string& modulePath, int parameter, float value)
    {
        // A private home, so no user settings or earlier scans play a part; the module is
        // copied and made older than the scan cache, which Ardour requires to trust the cache.
        const std::string home = folder.file ("home"), plugins = folder.file ("plugins");
        fs::create_directories (home);
        fs::create_directories (plugins);
        const std::string module = plugins + "/" + fs::path (modulePath).filename().string();
        fs::copy_file (modulePath, module);
        fs::last_write_time (module, fs::file_time_type::clock::now() - std::chrono::minutes (1));

        const std::vector<std::string> environment {
            "HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config", "XDG_CACHE_HOME=" + home + "/.cache",
            "LXVST_PATH=" + plugins, "LD_LIBRARY_PATH=/usr/lib/ardour7", "DISPLAY=",
        };

        ArdourReport report;
        const auto scan = runProcess ("/usr/bin/timeout", { "60", vstScanner, "-f", module }, environment);
        EXPECT_EQ (scan.exitCode, 0) << scan.out << scan.err;

        const std::string script = folder.file ("session.lua");
        writeFile (script, sessionScript (module, folder.file ("session"), parameter, value));
        report.run = runProcess ("/usr/bin/timeout", { "120", ardourLua, script }, environment);

        std::istringstream lines (report.run.out);
        for (std::string line; std::getline (lines, line);)
        {
            const auto fields = split (line, '|');
            if (fields.empty() || fields[0] != "QVTEST")
                continue;
            const std::string& kind = fields.size() > 1 ? fields[1] : std::string();
            if (kind == "SCANNED" && fields.size() == 4)
            {
                report.scannedName = fields[2];
                report.scannedMaker = fields[3];
            }
            else if (kind == "PLUGIN" && fields.size() == 5)
            {
                report.name = fields[2];
                report.maker = fields[3];
                report.parameterCount = std::atoi (fields[4].c_str());
            }
            else if (kind == "PARAM")
                report.parameterNames.push_back (fields.size() > 3 ? fields[3] : std::string());
            else if (kind == "VALUE" && fields.size() == 3)
                report.valueAfterSet = fields[2];
            else if (kind == "ROLLED")
                report.rolled = true;
            else if (kind == "DONE")
                report.done = true;
        }
        return report;
    }

    static std::string sessionScript (const std::string& module, const std::string& session, int parameter, float value)
    {
        std::ostringstream s;
        s << "local function say(...) print(table.concat({'QVTEST', ...}, '|')) end\n"
          << "if not create_session([[" << session << "]], 'qvtest', 48000) then say('FAIL', 'no session') quit() end\n"
          << "local info = nil\n"
          << "for p in ARDOUR.LuaAPI.list_plugins():iter() do\n"
          << "  if p.type == ARDOUR.PluginType.LXVST and p.path == [[" << module << "]] then info = p end\n"
          << "end\n"
          << "if not info then say('FAIL', 'not scanned') close_session() quit() end\n"
          << "say('SCANNED', info.name, info.creator)\n"
          << "local tracks = Session:new_audio_track(2, 2, nil, 1, 'T', ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)\n"
          << "local proc = ARDOUR.LuaAPI.new_plugin(Session, info.unique_id, ARDOUR.PluginType.LXVST, '')\n"
          << "if proc:isnil() then say('FAIL', 'not instantiated') close_session() quit() end\n"
          << "tracks:front():add_processor_by_index(proc, 0, nil, true)\n"
          << "local plugin = proc:to_insert():plugin(0)\n"
          << "say('PLUGIN', plugin:name(), plugin:maker(), plugin:parameter_count())\n"
          << "for i = 0, plugin:parameter_count() - 1 do say('PARAM', i, plugin:parameter_label(i)) end\n"
          << "ARDOUR.LuaAPI.set_processor_param(proc, " << parameter << ", " << value << ")\n"
          << "say('VALUE', (ARDOUR.LuaAPI.get_processor_param(proc, " << parameter << ", true)))\n"
          << "Session:request_roll(ARDOUR.TransportRequestSource.TRS_UI)\n"
          << "sleep(1)\n"
          << "if Session:transport_rolling() then say('ROLLED') end\n"
          << "Session:request_stop(false, false, ARDOUR.TransportRequestSource.TRS_UI)\n"
          << "close_session()\n"
          << "say('DONE')\n";
        return s.str();
    }

    TempFolder folder;
};

std::string ourModulePath()
{
    const char* dir = std::getenv ("QV_BUILD_DIR");
    const std::string path = std::string (dir != nullptr ? dir : QV_TEST_BUILD_DIR) + "/QV-DelayTX.so";
    return fileExists (path) ? path : std::string();
}

/** Runs the whole recipe on a Debian LinuxVST module, so a broken recipe shows even when the
    project's module is not built. */
TEST_F (ArdourHost, InstantiatesADebianLinuxVst)
{
    const std::string zam = "/usr/lib/vst/ZamDelay-vst.so";
    if (! fileExists (zam))
        GTEST_SKIP() << "zam-plugins not installed";

    const auto r = runArdour (zam, 7, 0.25f);
    EXPECT_EQ (r.run.exitCode, 0) << r.run.err;
    EXPECT_TRUE (r.done) << r.run.out << r.run.err;
    EXPECT_EQ (r.scannedName, "ZamDelay");
    EXPECT_EQ (r.name, "ZamDelay");
    EXPECT_EQ (r.maker, "Damien Zammit");
    EXPECT_EQ (r.parameterCount, 8);
    ASSERT_EQ (r.parameterNames.size(), 8u);
    EXPECT_EQ (r.parameterNames[7], "Feedback");
    EXPECT_EQ (r.valueAfterSet, "0.25");
    EXPECT_TRUE (r.rolled);
}

TEST_F (ArdourHost, InstantiatesOurModuleAndListsItsParameters)
{
    const std::string module = ourModulePath();
    if (module.empty())
        GTEST_SKIP() << "QV-DelayTX.so is not built in QV_BUILD_DIR";

    // Index 14, fFeedbackLeft: the names Ardour shows are the identifiers cut to 8 characters.
    const auto r = runArdour (module, 14, 0.25f);
    EXPECT_EQ (r.run.exitCode, 0) << r.run.err;
    EXPECT_TRUE (r.done) << r.run.out << r.run.err;
    EXPECT_EQ (r.scannedName, "QV-Delay TX");
    EXPECT_EQ (r.scannedMaker, "Quarvel");
    EXPECT_EQ (r.name, "QV-Delay TX");
    EXPECT_EQ (r.maker, "Quarvel");
    EXPECT_EQ (r.parameterCount, 36);

    const std::vector<std::string> names {
        "fOnButto", "fLeftSel", "fRightSe", "fStereoS", "fStereoM", "fLinkMod", "fPingPon", "fPreDela", "fPreDela",
        "fDelaySy", "fDelayTr", "fDelayDo", "fDelayLe", "fDelayRi", "fFeedbac", "fFeedbac", "fPanLeft", "fPanRigh",
        "fFilterO", "fFilterL", "fFilterH", "fFilterB", "fFilterO", "fFilterL", "fFilterH", "fFilterB", "fFilterF",
        "fFilterR", "fFilterF", "fFilterR", "fMixLeft", "fMixRigh", "fOutputL", "fOutputR", "fVolDb", "fMix",
    };
    EXPECT_EQ (r.parameterNames, names);
    EXPECT_EQ (r.valueAfterSet, "0.25");
    EXPECT_TRUE (r.rolled);
}

} // namespace
