#include <gtest/gtest.h>
#include "plugin/AudioFilterBase.h"
#include "plugin/AudioFilterEditor.h"
#include <vector>

namespace
{
/** The smallest processor: records what the contract's base operations do with it. */
struct MinimalProcessor : AudioFilterBase
{
    void prepareToProcess (double, int) override {}
    void releaseProcessing() override {}
    void processBlock (const juce::AudioBuffer<float>&, juce::AudioBuffer<float>&, bool, juce::MidiBuffer&) override {}
    AudioFilterEditor* createEditor() override { ++editorsCreated; return offerEditor ? new AudioFilterEditor (this) : nullptr; }
    int getNumParameters() override { return 1; }
    juce::String getParameterName (int) override { return "p"; }
    float getParameter (int) override { return value; }
    juce::String getParameterText (int) override { return {}; }
    void setParameter (int, float v) override { value = v; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    juce::String getProgramName (int) override { return {}; }
    void renameProgram (int, const juce::String&) override {}
    void getState (juce::MemoryBlock& dest) override { dest.replaceAll ("whole", 5); }
    void setState (const void* data, int size) override { received.assign ((const char*) data, (const char*) data + size); }

    int editorsCreated = 0;
    bool offerEditor = true;
    float value = 0.0f;
    std::string received;
};

struct RecordingHost : FilterNativeCallbacks
{
    explicit RecordingHost (AudioFilterBase& p) : processor (p) {}
    bool queryHostPosition (HostPosition&) override { return false; }
    void reportParameterChange (int index, float v) override
    {
        processor.setParameter (index, v);
        reports.push_back ({ index, processor.getParameter (index) });
    }
    AudioFilterBase& processor;
    std::vector<std::pair<int, float>> reports;   // value as the processor held it when the host heard
};

class ProcessorContract : public ::testing::Test
{
protected:
    juce::ScopedJuceInitialiser_GUI juce;
    MinimalProcessor processor;
};

TEST_F (ProcessorContract, EditorIsCreatedOnceAndForgottenOnlyByItself)
{
    auto* first = processor.getOrCreateEditor();
    EXPECT_EQ (processor.getOrCreateEditor(), first);
    EXPECT_EQ (processor.editorsCreated, 1);

    AudioFilterEditor stranger (&processor);
    processor.forgetEditor (&stranger);
    EXPECT_EQ (processor.getActiveEditor(), first);

    processor.forgetEditor (first);
    EXPECT_EQ (processor.getActiveEditor(), nullptr);
    delete first;

    processor.offerEditor = false;
    EXPECT_EQ (processor.getOrCreateEditor(), nullptr);
    EXPECT_EQ (processor.getActiveEditor(), nullptr);
}

TEST_F (ProcessorContract, SingleProgramStateFallsBackToTheWholeState)
{
    juce::MemoryBlock block;
    processor.getProgramState (block);
    EXPECT_EQ (block.toString(), "whole");

    processor.setProgramState ("abc", 3);
    EXPECT_EQ (processor.received, "abc");
}

TEST_F (ProcessorContract, GesturesGoThroughTheHostWhenOneIsAttached)
{
    processor.setParameterAndNotifyHost (0, 0.25f);
    EXPECT_EQ (processor.value, 0.25f);

    HostPosition position;
    EXPECT_FALSE (processor.getHostPosition (position));

    RecordingHost host (processor);
    processor.attachHost (&host);
    processor.setParameterAndNotifyHost (0, 0.75f);
    ASSERT_EQ (host.reports.size(), 1u);
    EXPECT_EQ (host.reports[0], std::make_pair (0, 0.75f));
}
}
