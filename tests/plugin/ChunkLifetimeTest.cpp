#include <gtest/gtest.h>
#include "plugin/JuceVSTWrapper.h"
#include "processor/DemoJuceFilter.h"
#include "tests/support/MessagePump.h"

using namespace vst;

namespace
{
intptr_t QV_VSTCALL host (AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

TEST (ChunkLifetime, TheTimerDropsAHandedOutChunkAfterTwoSeconds)
{
    juce::ScopedJuceInitialiser_GUI juce;
    auto* wrapper = new JuceVSTWrapper (host, std::make_unique<DemoJuceFilter>());
    AEffect* e = wrapper->getAeffect();
    e->dispatcher (e, effOpen, 0, 0, nullptr, 0.0f);

    void* data = nullptr;
    const auto size = e->dispatcher (e, effGetChunk, 1, 0, &data, 0.0f);
    ASSERT_GT (size, 0);
    ASSERT_NE (data, nullptr);
    const auto handedOut = juce::Time::getApproximateMillisecondCounter();
    EXPECT_TRUE (wrapper->isHoldingChunk());

    while (wrapper->isHoldingChunk() && juce::Time::getApproximateMillisecondCounter() - handedOut < 4000)
        qvtest::pumpMessagesFor (10);

    const auto heldFor = juce::Time::getApproximateMillisecondCounter() - handedOut;
    EXPECT_FALSE (wrapper->isHoldingChunk());
    EXPECT_GE (heldFor, 2000u);
    EXPECT_LE (heldFor, 2300u);

    // Setting a chunk releases the held one at once.
    e->dispatcher (e, effGetChunk, 0, 0, &data, 0.0f);
    EXPECT_TRUE (wrapper->isHoldingChunk());
    e->dispatcher (e, effSetChunk, 0, 0, nullptr, 0.0f);
    EXPECT_FALSE (wrapper->isHoldingChunk());

    EXPECT_EQ (e->dispatcher (e, effClose, 0, 0, nullptr, 0.0f), 1);
}
}
