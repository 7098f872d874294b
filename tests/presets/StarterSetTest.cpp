// The starter set in presets/ against the real module: every file loads and saves back to the
// same bytes, the bank holds the single files as programs 1 to 12 around a default program 0,
// and the set is what scripts/make-presets.sh makes from presets/starter-set.txt.
#include "tests/presets/PresetTestSupport.h"
#include "host/PluginInstance.h"
#include "host/PresetFile.h"
#include "host/PresetTransfer.h"
#include "host/VstModule.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <memory>
#include <set>

using namespace presettest;
using qvhost::PluginInstance;
using qvhost::PresetFile;

namespace
{
class StarterSet : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { module = qvhost::VstModule::load (modulePath()); }
    static void TearDownTestSuite() { module.reset(); }

    std::unique_ptr<PluginInstance> newEffect()
    {
        auto effect = std::make_unique<PluginInstance> (module);
        effect->open();
        return effect;
    }

    std::vector<float> parameters (PluginInstance& effect)
    {
        std::vector<float> values;
        for (int32_t i = 0; i < effect.numParameters(); ++i)
            values.push_back (effect.getParameter (i));
        return values;
    }

    static std::shared_ptr<qvhost::VstModule> module;
};
std::shared_ptr<qvhost::VstModule> StarterSet::module;
}

TEST_F (StarterSet, IsADozenNamedProgramsForThisPlugIn)
{
    const auto files = starterPrograms();
    ASSERT_EQ (files.size(), 12u);
    auto effect = newEffect();
    std::set<std::string> names;
    for (const auto& path : files)
    {
        const auto preset = PresetFile::readFile (path);
        EXPECT_FALSE (preset.isBank()) << path;
        EXPECT_EQ (preset.pluginId(), effect->uniqueId()) << path;
        EXPECT_EQ (preset.pluginVersion(), effect->version()) << path;
        EXPECT_EQ (preset.count(), effect->numParameters()) << path;
        EXPECT_FALSE (preset.programName().empty()) << path;
        EXPECT_NE (preset.programName(), "Default") << path;
        names.insert (preset.programName());
    }
    EXPECT_EQ (names.size(), files.size()) << "every program has a name of its own";
}

TEST_F (StarterSet, EveryFileLoadsAndSavesBackByteForByte)
{
    auto files = starterPrograms();
    files.push_back (starterBank());
    for (const auto& path : files)
    {
        const auto bytes = readBytes (path);
        const auto preset = PresetFile::fromBytes (bytes, path);
        auto effect = newEffect();
        qvhost::loadPreset (*effect, preset, path);
        const auto saved = preset.isBank() ? qvhost::makeBankPreset (*effect) : qvhost::makeProgramPreset (*effect);
        EXPECT_EQ (saved.toBytes(), bytes) << path;
    }
}

TEST_F (StarterSet, ProgramPresetChangesTheSoundAndNamesTheProgram)
{
    auto fresh = newEffect();
    const auto defaults = parameters (*fresh);
    for (const auto& path : starterPrograms())
    {
        const auto preset = PresetFile::readFile (path);
        auto effect = newEffect();
        qvhost::loadPreset (*effect, preset, path);
        EXPECT_NE (parameters (*effect), defaults) << path;
        EXPECT_EQ (effect->currentProgram(), 0) << path;
        EXPECT_EQ (effect->programName(), preset.programName()) << path;
    }
}

TEST_F (StarterSet, BankHoldsTheFilesAsProgramsOneToTwelveAndDefaultsElsewhere)
{
    const auto bank = PresetFile::readFile (starterBank());
    ASSERT_TRUE (bank.isBank());
    auto effect = newEffect();
    EXPECT_EQ (bank.count(), effect->numPrograms());
    EXPECT_EQ (bank.currentProgram(), 0);
    qvhost::loadPreset (*effect, bank, starterBank());

    auto fresh = newEffect();
    const auto defaults = parameters (*fresh);
    const auto defaultName = fresh->programName();
    ASSERT_EQ (defaultName, "Default");

    // The bank's current program is program 0: loading it leaves the defaults sounding.
    EXPECT_EQ (parameters (*effect), defaults);

    const auto files = starterPrograms();
    for (int32_t program = 0; program < effect->numPrograms(); ++program)
    {
        effect->setProgram (program);
        const auto values = parameters (*effect);
        const auto name = effect->programNameIndexed (program);
        ASSERT_TRUE (name.has_value());
        if (program >= 1 && program <= (int32_t) files.size())
        {
            const auto& path = files[(size_t) program - 1];
            const auto single = PresetFile::readFile (path);
            auto alone = newEffect();
            qvhost::loadPreset (*alone, single, path);
            EXPECT_EQ (values, parameters (*alone)) << "program " << program << " against " << path;
            EXPECT_EQ (*name, single.programName()) << "program " << program;
        }
        else
        {
            EXPECT_EQ (values, defaults) << "program " << program;
            EXPECT_EQ (*name, defaultName) << "program " << program;
        }
    }
}

TEST_F (StarterSet, IsWhatTheScriptMakesFromTheSettingsText)
{
    TempFolder out;
    const auto made = runProcess ("/bin/bash", { sourceDir() + "/scripts/make-presets.sh", buildDir(), out.path() });
    ASSERT_EQ (made.exitCode, 0) << made.err;

    std::vector<std::string> expected;
    for (const auto& path : starterPrograms())
        expected.push_back (std::filesystem::path (path).filename().string());
    expected.push_back ("starter-set.fxb");
    ASSERT_EQ (out.list(), expected);

    for (const auto& name : expected)
        EXPECT_EQ (readBytes (out.file (name)), readBytes (presetsDir() + "/" + name))
            << name << " differs from what presets/starter-set.txt makes: run scripts/make-presets.sh";
}
