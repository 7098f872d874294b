#include <gtest/gtest.h>
#include "processor/DemoJuceFilter.h"
#include "tests/support/MessagePump.h"
#include <thread>

using namespace ParameterTable;

namespace
{
class ParametersAndPrograms : public ::testing::Test
{
protected:
    juce::ScopedJuceInitialiser_GUI juce;
    DemoJuceFilter filter;
};

TEST_F (ParametersAndPrograms, NewInstanceHoldsTheDefaultsInEveryProgram)
{
    EXPECT_EQ (filter.getNumParameters(), 36);
    EXPECT_EQ (filter.getNumPrograms(), 128);
    EXPECT_EQ (filter.getCurrentProgram(), 0);
    EXPECT_EQ (filter.getCurrentProgramName(), "Default");

    for (int p = 0; p < 128; ++p)
        EXPECT_EQ (filter.getProgramName (p), "Default") << p;

    const float expected[36] = { 1, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                 1, 1, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0.5f, 0.5f, 0.5f, 0.5f, 0, 0.5f };
    for (int i = 0; i < 36; ++i)
        EXPECT_EQ (filter.getParameter (i), expected[i]) << i;

    EXPECT_EQ (filter.getParameterText (32), "0.50");
    EXPECT_EQ (filter.getParameterText (0), "1.00");
}

TEST_F (ParametersAndPrograms, NamesAreTheFullIdentifiers)
{
    EXPECT_EQ (filter.getParameterName (0), "fOnButton");
    EXPECT_EQ (filter.getParameterName (7), "fPreDelayLeft");
    EXPECT_EQ (filter.getParameterName (8), "fPreDelayRight");
    EXPECT_EQ (filter.getParameterName (25), "fFilterBPButtonB");
    EXPECT_EQ (filter.getParameterName (35), "fMix");
    EXPECT_EQ (filter.getParameterName (36), "");
    EXPECT_EQ (filter.getParameterName (-1), "");
}

TEST_F (ParametersAndPrograms, OutOfRangeIndexChangesNothingButStillSignalsAChange)
{
    qvtest::pumpMessages();
    qvtest::ChangeCounter changes (filter);

    filter.setParameter (40, 0.3f);
    filter.setParameter (-3, 0.3f);
    qvtest::pumpMessages();

    EXPECT_EQ (changes.count, 1);   // two sends, merged into one delivery
    EXPECT_EQ (filter.getParameter (40), 0.0f);
    EXPECT_EQ (filter.getParameterText (40), "");

    for (int i = 0; i < 36; ++i)
        EXPECT_EQ (filter.getParameter (i), defaults[i]);
}

TEST_F (ParametersAndPrograms, ValuesAreStoredUnclamped)
{
    filter.setParameter (fDelayLeft, 1.5f);
    EXPECT_EQ (filter.getParameter (fDelayLeft), 1.5f);
    EXPECT_EQ (filter.getParameterText (fDelayLeft), "1.50");

    filter.setParameter (fPanLeft, -0.25f);
    EXPECT_EQ (filter.getParameterText (fPanLeft), "-0.25");
}

TEST_F (ParametersAndPrograms, EditsLiveInTheCurrentProgramsRecord)
{
    filter.setParameter (fFeedbackLeft, 0.7f);
    filter.setCurrentProgram (5);
    EXPECT_EQ (filter.getParameter (fFeedbackLeft), 0.0f);

    filter.setParameter (fFeedbackLeft, 0.2f);
    filter.setCurrentProgram (0);
    EXPECT_EQ (filter.getParameter (fFeedbackLeft), 0.7f);

    filter.setCurrentProgram (5);
    EXPECT_EQ (filter.getParameter (fFeedbackLeft), 0.2f);
}

TEST_F (ParametersAndPrograms, ProgramIndicesOutsideTheBankAreRejected)
{
    filter.setCurrentProgram (3);
    filter.setCurrentProgram (128);
    filter.setCurrentProgram (-1);
    EXPECT_EQ (filter.getCurrentProgram(), 3);

    filter.setCurrentProgram (127);
    EXPECT_EQ (filter.getCurrentProgram(), 127);
}

TEST_F (ParametersAndPrograms, RenamingNamesTheRecordAndTheCurrentNameWhateverTheIndex)
{
    filter.renameProgram (3, "Slapback");
    EXPECT_EQ (filter.getProgramName (3), "Slapback");
    EXPECT_EQ (filter.getProgramName (0), "Default");
    EXPECT_EQ (filter.getCurrentProgramName(), "Slapback");

    filter.renameProgram (0, "Dub");
    filter.setCurrentProgram (2);
    EXPECT_EQ (filter.getCurrentProgramName(), "Dub");   // selecting never renames
    EXPECT_EQ (filter.getProgramName (2), "Default");
}

TEST_F (ParametersAndPrograms, ProgramChangeReachesListenersAsOneMessage)
{
    qvtest::pumpMessages();
    qvtest::ChangeCounter changes (filter);

    filter.setCurrentProgram (9);
    qvtest::pumpMessages();
    EXPECT_EQ (changes.count, 1);

    filter.renameProgram (9, "x");
    qvtest::pumpMessages();
    EXPECT_EQ (changes.count, 1);   // renaming sends nothing
}

TEST_F (ParametersAndPrograms, ChangesFromAnotherThreadAreDeliveredOnTheMessageThread)
{
    qvtest::pumpMessages();
    qvtest::ChangeCounter changes (filter);

    std::thread audio ([this]
    {
        for (int i = 0; i < 100; ++i)
            filter.setParameter (fFeedbackRight, (float) i / 100.0f);
    });
    audio.join();

    qvtest::pumpMessagesFor (100);
    EXPECT_EQ (changes.count, 1);
    EXPECT_EQ (filter.getParameter (fFeedbackRight), 0.99f);
}
}
