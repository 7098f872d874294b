#include "tests/editor/EditorFixture.h"
#include "controls/qGUIFilmStrip.h"
#include "controls/qGUIImageSwitch.h"
#include <thread>

namespace
{
    /** JUCE lives for the whole test program, as it would in a host between
        loading and unloading the module. */
    class JuceEnvironment : public ::testing::Environment
    {
    public:
        void SetUp() override    { juce = std::make_unique<juce::ScopedJuceInitialiser_GUI>(); }
        void TearDown() override { juce.reset(); }

    private:
        std::unique_ptr<juce::ScopedJuceInitialiser_GUI> juce;
    };

    [[maybe_unused]] auto* const juceEnvironment = ::testing::AddGlobalTestEnvironment (new JuceEnvironment());
}

void EditorFixture::SetUp()
{
    TestHost::reset();
    wrapper = std::make_unique<JuceVSTWrapper> (&TestHost::callback, std::make_unique<DemoJuceFilter>());
    pump();
}

void EditorFixture::TearDown()
{
    closeEditor();
    wrapper.reset();
    pump();
}

DemoEditorComponent& EditorFixture::openEditor()
{
    auto* created = dynamic_cast<DemoEditorComponent*> (filter().getOrCreateEditor());

    if (created == nullptr)
        throw std::runtime_error ("the processor made no DemoEditorComponent");

    editor = created;
    return *editor;
}

void EditorFixture::closeEditor()
{
    if (editor != nullptr)
    {
        filter().forgetEditor (editor);
        delete editor;
        editor = nullptr;
    }
}

void EditorFixture::pump()
{
    while (juce::dispatchNextMessageOnSystemQueue (true)) {}
}

void EditorFixture::pumpFor (int milliseconds)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) milliseconds;

    while (juce::Time::getMillisecondCounter() < end)
    {
        pump();
        std::this_thread::sleep_for (std::chrono::milliseconds (2));
    }

    pump();
}

void EditorFixture::hostSelectsProgram (int program)
{
    effect()->dispatcher (effect(), vst::effSetProgram, 0, program, nullptr, 0.0f);
}

std::vector<char> EditorFixture::hostGetsChunk (bool preset)
{
    void* data = nullptr;
    const auto size = effect()->dispatcher (effect(), vst::effGetChunk, preset ? 1 : 0, 0, &data, 0.0f);

    if (data == nullptr || size <= 0)
        return {};

    return std::vector<char> (static_cast<char*> (data), static_cast<char*> (data) + size);
}

void EditorFixture::hostSetsChunk (std::vector<char> chunk, bool preset)
{
    effect()->dispatcher (effect(), vst::effSetChunk, preset ? 1 : 0, (intptr_t) chunk.size(), chunk.data(), 0.0f);
}

void EditorFixture::hostProcessesBlock (bool onAudioThread)
{
    constexpr int numSamples = 64;
    std::vector<float> inL (numSamples), inR (numSamples), outL (numSamples), outR (numSamples);
    float* ins[] = { inL.data(), inR.data() };
    float* outs[] = { outL.data(), outR.data() };

    auto run = [&] { effect()->processReplacing (effect(), ins, outs, numSamples); };

    if (onAudioThread)
        std::thread (run).join();
    else
        run();
}

double EditorFixture::knob (int number)
{
    return child<qGUIFilmStrip> (number).getKnobValue();
}

double EditorFixture::button (int number)
{
    return child<qGUIImageSwitch> (number).getButtonValue();
}
