// How qvhost turns a typed parameter name into an index: reported names, full names taken
// from the module's own program chunk, and what is refused.
#include "host/HostError.h"
#include "host/ParameterResolver.h"
#include "host/PluginInstance.h"
#include "host/VstModule.h"
#include "tests/host/TestModules.h"

#include <gtest/gtest.h>

using namespace qvhost;
using namespace hosttest;

namespace
{

std::vector<uint8_t> bytes (const std::string& text) { return std::vector<uint8_t> (text.begin(), text.end()); }

// Reported names cut to 8 characters, as a module with long identifiers shows them.
const std::vector<std::string> reported { "fOnButto", "fPreDela", "fPreDela", "fMix", "fFeedbac", "fFeedbac" };
const std::vector<std::string> full { "fOnButton", "fPreDelayLeft", "fPreDelayRight", "fMix", "fFeedbackLeft", "fFeedbackRight" };

std::vector<uint8_t> chunkWithFullNames()
{
    // An envelope of binary bytes, then the element; the run of names lines up from "fOnButton".
    std::string text ("\x56\x43\x32\x21\x80\x00\x00\x00", 8);
    text += "<PRESET Version=\"1.1.0\" fOnButton=\"1\" fPreDelayLeft=\"0\" fPreDelayRight=\"0.25\" fMix=\"0.5\""
            " fFeedbackLeft=\"0\" fFeedbackRight='0' programName=\"say fOnButton=&quot;x&quot;\"/>";
    text += std::string ("\0\x7f", 2);
    return bytes (text);
}

TEST (ParameterNames, FullNamesComeFromTheModulesChunkWhenTheyLineUp)
{
    EXPECT_EQ (ParameterResolver::fullNamesFromChunk (chunkWithFullNames(), reported), full);
}

TEST (ParameterNames, ChunksThatDoNotLineUpGiveNoFullNames)
{
    const std::pair<const char*, std::string> cases[] = {
        { "binary", std::string ("\x01\x02\xff\x00 abc", 8) },
        { "one name missing", "<P fOnButton=\"1\" fPreDelayLeft=\"0\" fMix=\"0.5\" fFeedbackLeft=\"0\" fFeedbackRight=\"0\"/>" },
        { "order differs", "<P fOnButton=\"1\" fPreDelayLeft=\"0\" fMix=\"0.5\" fPreDelayRight=\"0\" fFeedbackLeft=\"0\" fFeedbackRight=\"0\"/>" },
        { "two runs line up", "<P fOnButton=\"1\" fPreDelayLeft=\"0\" fPreDelayRight=\"0\" fMix=\"0.5\" fFeedbackLeft=\"0\" fFeedbackRight=\"0\""
                              " fOnButton2=\"1\" fPreDelayLeft2=\"0\" fPreDelayRight2=\"0\" fMix2=\"0.5\" fFeedbackLeft2=\"0\" fFeedbackRight2=\"0\"/>" },
        { "names that do not tell two apart", "<P fOnButton=\"1\" fPreDela=\"0\" fPreDela=\"0\" fMix=\"0.5\" fFeedbackLeft=\"0\" fFeedbackRight=\"0\"/>" },
        { "names only inside a value", "<P a=\"fOnButton='1' fPreDelayLeft='0' fPreDelayRight='0' fMix='0' fFeedbackLeft='0' fFeedbackRight='0'\"/>" },
        { "cut short", "<P fOnButton=\"1\" fPreDelayLeft=\"0\" fPreDelayRight=\"0\" fMix=\"0.5\" fFeedbackLeft=\"0\" fFeedbackRight=" },
    };
    for (const auto& [what, text] : cases)
        EXPECT_TRUE (ParameterResolver::fullNamesFromChunk (bytes (text), reported).empty()) << what;
}

TEST (ParameterNames, ResolvesIndicesReportedNamesAndFullNames)
{
    const ParameterResolver resolver (reported, full);
    const std::pair<const char*, int32_t> cases[] = {
        { "0", 0 }, { "5", 5 }, { "fOnButto", 0 }, { "fMix", 3 },
        { "fPreDelayLeft", 1 }, { "fPreDelayRight", 2 }, { "fFeedbackRight", 5 }, { "fOnButton", 0 },
    };
    for (const auto& [text, index] : cases)
        EXPECT_EQ (resolver.resolve (text), index) << text;
}

TEST (ParameterNames, RefusesWithAReason)
{
    const ParameterResolver withFull (reported, full);
    const ParameterResolver withoutFull (reported, {});
    struct Case { const ParameterResolver& resolver; const char* text; const char* reason; };
    const Case cases[] = {
        { withFull, "fPreDela", "ambiguous: parameters 1, 2 share it" },
        { withFull, "fPreDela", "fPreDelayLeft" },                  // the hint names the full names
        { withFull, "6", "out of range" },
        { withFull, "99999999999", "out of range" },
        { withFull, "fpredelayleft", "unknown parameter" },          // case counts
        { withFull, "fOnButtonX", "unknown parameter" },             // no prefix guessing with full names
        { withFull, "", "unknown parameter" },
        { withoutFull, "fPreDelayLeft", "ambiguous" },                // both cut names begin it
        { withoutFull, "fMixLeft", "unknown parameter" },            // "fMix" is not cut, so not a prefix
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.text);
        try
        {
            c.resolver.resolve (c.text);
            ADD_FAILURE() << "accepted";
        }
        catch (const HostError& e)
        {
            EXPECT_NE (std::string (e.what()).find (c.reason), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ (withoutFull.resolve ("fOnButton"), 0) << "a cut name begins exactly one full name";
}

TEST (ParameterNames, ReadsFullNamesFromARealModulesChunk)
{
    auto module = VstModule::load (probePath ("probe-stereo"));
    PluginInstance instance (module);
    const auto resolver = ParameterResolver::fromInstance (instance);
    EXPECT_EQ (resolver.reportedNames(), (std::vector<std::string> { "fPreDela", "fPreDela", "gain", "showTime" }));
    EXPECT_EQ (resolver.resolve ("fPreDelayRight"), 1);
    EXPECT_EQ (resolver.resolve ("showTimeInfo"), 3);
}

} // namespace
