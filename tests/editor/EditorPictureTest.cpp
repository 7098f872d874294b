// The editor as it looks: rendered offscreen in three states and compared
// with the reference pictures in docs/. Bounds and values are checked one by
// one elsewhere; this catches what only shows in the picture (stacking, a
// control drawn in the wrong place or with the wrong frame, label texts).
//
// To renew the references after an intended change of layout or artwork:
//   QV_UPDATE_EDITOR_PICTURES=1 tests/editor/editor_tests --gtest_filter='EditorPicture*'
// The pictures of every run are also written to <build>/editor-pictures/.
#include "tests/editor/EditorFixture.h"
#include <cstdlib>

using namespace ParameterTable;

namespace
{
    struct PictureState
    {
        const char* name;   // docs/editor-<name>.png
        std::vector<std::pair<int, float>> values;
    };

    void PrintTo (const PictureState& s, std::ostream* os) { *os << s.name; }

    const PictureState states[] = {
        { "default", {} },
        { "linked", { { fStereoModeButton, 0.0f }, { fLinkModeButton, 1.0f }, { fDelayLeft, 0.35f },
                      { fFeedbackLeft, 0.6f }, { fPanLeft, 0.25f }, { fFilterFreqLeft, 0.7f },
                      { fFilterResLeft, 0.4f }, { fMixLeft, 0.3f }, { fOutputLeft, 0.75f } } },
        { "synced-dotted", { { fDelaySyncButton, 1.0f }, { fDelayDotButton, 1.0f }, { fDelayLeft, 0.4f },
                             { fDelayRight, 0.7f }, { fFeedbackRight, 0.45f }, { fFilterLPButtonB, 0.0f },
                             { fFilterHPButtonB, 1.0f }, { fFilterFreqRight, 0.3f } } },
    };

    juce::File sourceDir() { return juce::File (juce::SystemStats::getEnvironmentVariable ("QV_SOURCE_DIR", QV_TEST_SOURCE_DIR)); }
    juce::File buildDir()  { return juce::File (juce::SystemStats::getEnvironmentVariable ("QV_BUILD_DIR", QV_TEST_BUILD_DIR)); }

    bool writePng (const juce::Image& image, const juce::File& file)
    {
        file.getParentDirectory().createDirectory();
        file.deleteFile();
        juce::FileOutputStream out (file);
        juce::PNGImageFormat png;
        return out.openedOk() && png.writeImageToStream (image, out);
    }
}

class EditorPicture : public EditorFixture, public ::testing::WithParamInterface<PictureState>
{
protected:
    juce::Image render()
    {
        for (auto [index, value] : GetParam().values)
            hostSetsParameter (index, value);

        auto& e = openEditor();
        pump();
        return e.createComponentSnapshot (e.getLocalBounds(), true, 1.0f);
    }
};

TEST_P (EditorPicture, MatchesTheReferencePicture)
{
    const auto picture = render();
    const juce::String name = "editor-" + juce::String (GetParam().name) + ".png";
    writePng (picture, buildDir().getChildFile ("editor-pictures").getChildFile (name));

    const auto reference = sourceDir().getChildFile ("docs").getChildFile (name);

    if (juce::SystemStats::getEnvironmentVariable ("QV_UPDATE_EDITOR_PICTURES", {}) == "1")
    {
        ASSERT_TRUE (writePng (picture, reference));
        GTEST_SKIP() << "wrote " << reference.getFullPathName();
    }

    const auto expected = juce::ImageFileFormat::loadFrom (reference);
    ASSERT_TRUE (expected.isValid()) << "no reference " << reference.getFullPathName();
    ASSERT_EQ (expected.getBounds(), picture.getBounds());

    // Exact but for rounding in the blending: a control in the wrong place
    // or showing the wrong frame changes whole blocks of pixels.
    juce::Image diff (juce::Image::RGB, picture.getWidth(), picture.getHeight(), true);
    int differing = 0;

    for (int y = 0; y < picture.getHeight(); ++y)
    {
        for (int x = 0; x < picture.getWidth(); ++x)
        {
            const auto a = picture.getPixelAt (x, y);
            const auto b = expected.getPixelAt (x, y);
            const int delta = juce::jmax (std::abs (a.getRed() - b.getRed()), std::abs (a.getGreen() - b.getGreen()),
                                          std::abs (a.getBlue() - b.getBlue()));
            if (delta > 2)
            {
                ++differing;
                diff.setPixelAt (x, y, juce::Colours::red);
            }
        }
    }

    if (differing > 0)
        writePng (diff, buildDir().getChildFile ("editor-pictures").getChildFile ("diff-" + name));

    EXPECT_EQ (differing, 0) << "see " << buildDir().getChildFile ("editor-pictures").getFullPathName();
}

INSTANTIATE_TEST_SUITE_P (States, EditorPicture, ::testing::ValuesIn (states),
                          [] (const auto& info)
                          {
                              std::string s = info.param.name;
                              for (auto& ch : s)
                                  if (ch == '-')
                                      ch = '_';
                              return s;
                          });
