// The process-wide look-and-feel across JUCE's own lifetime. A host may unload
// the module (which shuts JUCE down) and load it again in the same process;
// the shared look-and-feel must go with JUCE and be made afresh after.
// This program runs JUCE itself, round by round, instead of once for all tests.
#include <gtest/gtest.h>
#include "editor/EditorResources.h"
#include "plugin/AudioFilterEditor.h"
#include "processor/DemoJuceFilter.h"

TEST (EditorLifetime, SharedLookAndFeelEndsWithJuceAndIsMadeAgainAfterARestart)
{
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE ("round " + std::to_string (round));
        {
            juce::ScopedJuceInitialiser_GUI juce;
            EXPECT_EQ (EditorResources::getInstanceWithoutCreating(), nullptr);

            DemoJuceFilter processor;
            std::unique_ptr<AudioFilterEditor> editor (processor.getOrCreateEditor());
            ASSERT_NE (editor, nullptr);

            auto* shared = &juce::LookAndFeel::getDefaultLookAndFeel();
            EXPECT_NE (dynamic_cast<juce::LookAndFeel_V1*> (shared), nullptr);
            EXPECT_EQ (shared, &EditorResources::getInstance().getLookAndFeel());

            processor.forgetEditor (editor.get());
            editor.reset();

            // Still there for the next editor while JUCE runs.
            EXPECT_NE (EditorResources::getInstanceWithoutCreating(), nullptr);
        }

        EXPECT_EQ (EditorResources::getInstanceWithoutCreating(), nullptr);
    }
}
