#include "plugin/JuceVSTWrapper.h"
#include "plugin/AudioFilterEditor.h"
#include "plugin/HostWindowOps.h"
#include "plugin/MessageThread.h"
#include <cstring>

using namespace vst;

namespace
{
    // Shared by all instances and only touched on the message thread.
    bool idleGuard = false;
    juce::uint32 lastHostIdleTime = 0;
}

JuceVSTWrapper::JuceVSTWrapper (HostCallback hostCallback, std::unique_ptr<AudioFilterBase> processorToWrap)
    : AudioEffectX (hostCallback, processorToWrap->getNumPrograms(), processorToWrap->getNumParameters()),
      processor (std::move (processorToWrap))
{
    processor->numInputChannels = 2;
    processor->numOutputChannels = 2;
    processor->attachHost (this);
    setFlag (effFlagsHasEditor, true);

    cEffect.uniqueID = uniqueId;
    cEffect.version = effectVersion;
    cEffect.numInputs = processor->numInputChannels;
    cEffect.numOutputs = processor->numOutputChannels;
    setFlag (effFlagsCanReplacing, true);
    setFlag (effFlagsIsSynth, false);
    setFlag (effFlagsNoSoundInStop, false);
    cEffect.initialDelay = 0;
    setFlag (effFlagsProgramChunks, true);
}

JuceVSTWrapper::~JuceVSTWrapper()
{
    stopTimer();
    deleteEditorWrapper();
    processor.reset();
}

void JuceVSTWrapper::release()
{
    // Timers fire on the message thread; deleting there means no timer
    // callback can be running on this instance while it goes away.
    MessageThread::callSync ([this] { delete this; });
    MessageThread::release();
}

//==============================================================================
void JuceVSTWrapper::open()
{
    startTimer (timerPeriodMs);
}

void JuceVSTWrapper::close()
{
    MessageThread::callSync ([this]
    {
        stopTimer();
        deleteEditorWrapper();
    });
}

void JuceVSTWrapper::resume()
{
    processing = true;
    const double rate = (double) sampleRate;
    processor->sampleRate = rate > 0.0 ? rate : 44100.0;
    processor->blockSize = blockSize;
    processor->prepareToProcess (processor->sampleRate, processor->blockSize);
    midiBuffer.clear();
}

void JuceVSTWrapper::suspend()
{
    processor->releaseProcessing();
    midiBuffer.clear();
    processing = false;
}

void JuceVSTWrapper::processReplacing (float** inputs, float** outputs, int32_t sampleFrames)
{
    if (! processing)
        resume();

    const int numSamples = juce::jmax (0, (int) sampleFrames);
    const int numIns = processor->numInputChannels;
    const int numOuts = processor->numOutputChannels;

    const auto channelsPresent = [numSamples] (float** channels, int count)
    {
        if (numSamples == 0)
            return true;
        if (channels == nullptr)
            return false;
        for (int c = 0; c < count; ++c)
            if (channels[c] == nullptr)
                return false;
        return true;
    };

    // A host that hands over missing channel arrays gets an empty block
    // (engine update and position refresh only) rather than a crash.
    static float unused[1] = {};
    static float* placeholder[2] = { unused, unused };
    const bool usable = channelsPresent (inputs, numIns) && channelsPresent (outputs, numOuts);
    const bool empty = ! usable || numSamples == 0 || numIns > 2 || numOuts > 2;

    const juce::AudioBuffer<float> input (empty ? placeholder : inputs, numIns, empty ? 0 : numSamples);
    juce::AudioBuffer<float> output (empty ? placeholder : outputs, numOuts, empty ? 0 : numSamples);

    {
        const juce::ScopedLock sl (processor->processLock);
        processor->processBlock (input, output, false, midiBuffer);
    }

    if (! midiBuffer.isEmpty())
        midiBuffer.clear();
}

void JuceVSTWrapper::setParameter (int32_t index, float value)
{
    processor->setParameter (index, value);
}

float JuceVSTWrapper::getParameter (int32_t index)
{
    return processor->getParameter (index);
}

//==============================================================================
void JuceVSTWrapper::setProgram (int32_t index)
{
    processor->setCurrentProgram (index);
}

int32_t JuceVSTWrapper::getProgram()
{
    return processor->getCurrentProgram();
}

void JuceVSTWrapper::setProgramName (const char* name)
{
    // The standard sizes the host's name buffer for 24 characters; reading
    // further could run past a buffer that is not zero-terminated.
    const size_t length = strnlen (name, (size_t) kVstMaxProgNameLen);
    juce::String text;

    if (juce::CharPointer_UTF8::isValidString (name, (int) length))
    {
        text = juce::String::fromUTF8 (name, (int) length);
    }
    else
    {
        // Not UTF-8: take the bytes as Latin-1 characters.
        for (size_t i = 0; i < length; ++i)
            text += juce::String::charToString ((juce::juce_wchar) (unsigned char) name[i]);
    }

    processor->renameProgram (processor->getCurrentProgram(), text);
}

void JuceVSTWrapper::getProgramName (char* name)
{
    copyText (name, processor->getProgramName (processor->getCurrentProgram()).toRawUTF8(), kVstMaxProgNameLen);
}

bool JuceVSTWrapper::getProgramNameIndexed (int32_t, int32_t index, char* text)
{
    if (index < 0 || index >= processor->getNumPrograms())
        return false;

    copyText (text, processor->getProgramName (index).toRawUTF8(), kVstMaxProgNameLen);
    return true;
}

void JuceVSTWrapper::getParameterLabel (int32_t, char* text)
{
    copyText (text, "", kVstMaxParamStrLen);
}

void JuceVSTWrapper::getParameterDisplay (int32_t index, char* text)
{
    copyText (text, processor->getParameterText (index).toRawUTF8(), kVstMaxParamStrLen);
}

void JuceVSTWrapper::getParameterName (int32_t index, char* text)
{
    copyText (text, processor->getParameterName (index).toRawUTF8(), kVstMaxParamStrLen);
}

bool JuceVSTWrapper::canParameterBeAutomated (int32_t)
{
    return true;
}

//==============================================================================
int32_t JuceVSTWrapper::getChunk (void** data, bool isPreset)
{
    std::lock_guard<std::mutex> lock (chunkMutex);
    chunkBlock.reset();
    chunkTime = 0;

    if (isPreset)
        processor->getProgramState (chunkBlock);
    else
        processor->getState (chunkBlock);

    if (data != nullptr)
        *data = chunkBlock.getData();

    chunkTime = juce::jmax ((juce::uint32) 1, juce::Time::getApproximateMillisecondCounter());
    return (int32_t) chunkBlock.getSize();
}

int32_t JuceVSTWrapper::setChunk (void* data, int32_t byteSize, bool isPreset)
{
    {
        std::lock_guard<std::mutex> lock (chunkMutex);
        chunkBlock.reset();
        chunkTime = 0;
    }

    if (byteSize > 0 && data != nullptr)
    {
        if (isPreset)
            processor->setProgramState (data, byteSize);
        else
            processor->setState (data, byteSize);
    }

    return 0;
}

bool JuceVSTWrapper::isHoldingChunk()
{
    std::lock_guard<std::mutex> lock (chunkMutex);
    return chunkTime != 0;
}

void JuceVSTWrapper::releaseChunk()
{
    std::lock_guard<std::mutex> lock (chunkMutex);
    const auto now = juce::Time::getApproximateMillisecondCounter();

    if (chunkTime != 0 && now - chunkTime > chunkLifetimeMs)
    {
        chunkTime = 0;
        chunkBlock.reset();
    }
}

void JuceVSTWrapper::timerCallback()
{
    if (! idleGuard)
        releaseChunk();

    callHostIdle();
}

//==============================================================================
intptr_t JuceVSTWrapper::editGetRect (void** rect)
{
    intptr_t result = 0;

    MessageThread::callSync ([&]
    {
        createEditorWrapper();

        if (editorWindow == nullptr)
            return;

        editorRect.top = 0;
        editorRect.left = 0;
        editorRect.bottom = (int16_t) editorWindow->getHeight();
        editorRect.right = (int16_t) editorWindow->getWidth();

        if (rect != nullptr)
            *rect = &editorRect;

        result = 1;
    });

    return result;
}

intptr_t JuceVSTWrapper::editOpen (void* parentWindow, intptr_t)
{
    // The host's own display connection (if it passes one) belongs to its
    // thread; the editor uses JUCE's connection on the message thread.
    intptr_t result = 0;

    MessageThread::callSync ([&]
    {
        deleteEditorWrapper();
        createEditorWrapper();

        if (editorWindow == nullptr)
            return;

        editorWindow->setOpaque (true);
        editorWindow->setVisible (false);
        hostWindow = parentWindow;
        HostWindowOps::get().attachToHost (*editorWindow, parentWindow);
        editorWindow->setVisible (true);
        result = 1;
    });

    return result;
}

void JuceVSTWrapper::editClose()
{
    MessageThread::callSync ([this] { deleteEditorWrapper(); });
}

void JuceVSTWrapper::editIdle()
{
    if (MessageThread::isThisTheMessageThread())
        runIdleWork();
}

void JuceVSTWrapper::createEditorWrapper()
{
    if (editorWindow != nullptr)
        return;

    auto* editor = processor->getOrCreateEditor();

    if (editor == nullptr)
        return;

    editor->setOpaque (true);
    editor->setVisible (true);
    editorWindow = std::make_unique<EditorCompWrapper> (*this, editor);
}

void JuceVSTWrapper::deleteEditorWrapper()
{
    juce::PopupMenu::dismissAllActiveMenus();
    idleGuard = true;

    if (editorWindow != nullptr)
    {
        if (auto* modal = juce::Component::getCurrentlyModalComponent())
            modal->exitModalState (0);

        processor->forgetEditor (dynamic_cast<AudioFilterEditor*> (editorWindow->getEditor()));
        HostWindowOps::get().detachFromHost (*editorWindow);
        editorWindow.reset();
        hostWindow = nullptr;
    }

    idleGuard = false;
}

void JuceVSTWrapper::runIdleWork()
{
    if (idleGuard)
        return;

    const juce::MessageManagerLock mml;
    idleGuard = true;
    juce::Timer::callPendingTimersSynchronously();

    for (int i = juce::ComponentPeer::getNumPeers(); --i >= 0;)
        if (auto* peer = juce::ComponentPeer::getPeer (i))
            peer->performAnyPendingRepaintsNow();

    idleGuard = false;
}

void JuceVSTWrapper::callHostIdle()
{
    if (! juce::ModifierKeys::currentModifiers.isAnyMouseButtonDown() || idleGuard)
        return;

    const auto now = juce::Time::getMillisecondCounter();

    if (now > lastHostIdleTime + 20 && editorWindow != nullptr)
    {
        lastHostIdleTime = now;
        idleGuard = true;
        callHost (audioMasterIdle);
        idleGuard = false;
    }
}

void JuceVSTWrapper::resizeHostFrame (int width, int height)
{
    if (editorWindow == nullptr)
        return;

    bool hostResized = false;

    if (callHost (audioMasterCanDo, 0, 0, const_cast<char*> ("sizeWindow")) != 0)
        hostResized = callHost (audioMasterSizeWindow, width, height) != 0;

    auto* peer = editorWindow->getPeer();

    if (! hostResized && peer != nullptr)
        HostWindowOps::get().resizeHostFrames (peer->getNativeHandle(), width, height);

    if (editorWindow->isOnDesktop() && peer != nullptr)
        peer->handleMovedOrResized();
}

//==============================================================================
int32_t JuceVSTWrapper::getPlugCategory()
{
    return kPlugCategEffect;
}

bool JuceVSTWrapper::getEffectName (char* text)
{
    copyText (text, effectName, kVstMaxEffectNameLen);
    return true;
}

bool JuceVSTWrapper::getVendorString (char* text)
{
    copyText (text, vendorName, kVstMaxVendorStrLen);
    return true;
}

bool JuceVSTWrapper::getProductString (char* text)
{
    copyText (text, effectName, kVstMaxProductStrLen);
    return true;
}

int32_t JuceVSTWrapper::getVendorVersion()
{
    return vendorVersion;
}

int32_t JuceVSTWrapper::canDo (const char* text)
{
    static constexpr const char* declined[] = { "receiveVstEvents", "receiveVstMidiEvent", "receiveVstMidiEvents",
                                                "sendVstEvents", "sendVstMidiEvent", "sendVstMidiEvents" };
    static constexpr const char* offered[] = { "receiveVstTimeInfo", "conformsToWindowRules" };

    for (auto* t : declined)
        if (std::strcmp (text, t) == 0)
            return -1;

    for (auto* t : offered)
        if (std::strcmp (text, t) == 0)
            return 1;

    return 0;
}

//==============================================================================
void JuceVSTWrapper::reportParameterChange (int index, float value)
{
    setParameterAutomated (index, value);
}

bool JuceVSTWrapper::queryHostPosition (HostPosition& position)
{
    constexpr intptr_t requested = kVstPpqPosValid | kVstTempoValid | kVstBarsValid
                                 | kVstTimeSigValid | kVstSmpteValid | kVstClockValid;
    static_assert (requested == 0xEE00, "time-info request mask");

    const auto* info = reinterpret_cast<const VstTimeInfo*> (callHost (audioMasterGetTime, 0, requested));
    return convertTimeInfo (info, position);
}

bool JuceVSTWrapper::convertTimeInfo (const VstTimeInfo* info, HostPosition& position) noexcept
{
    if (info == nullptr || ! (info->sampleRate > 0.0))
        return false;

    const int32_t flags = info->flags;
    position.tempoBpm = (flags & kVstTempoValid) != 0 ? info->tempo : 0.0;

    if ((flags & kVstTimeSigValid) != 0)
    {
        position.timeSigNumerator = info->timeSigNumerator;
        position.timeSigDenominator = info->timeSigDenominator;
    }
    else
    {
        position.timeSigNumerator = 4;
        position.timeSigDenominator = 4;
    }

    position.timeSeconds = info->samplePos / info->sampleRate;
    position.ppqPosition = (flags & kVstPpqPosValid) != 0 ? info->ppqPos : 0.0;
    position.barStartPpq = (flags & kVstBarsValid) != 0 ? info->barStartPos : 0.0;

    // Frames per second for the SMPTE codes 0..6; the film and high-rate codes
    // above 6 have no entry, and their SMPTE information is treated as absent.
    static constexpr double framesPerSecond[] = { 24.0, 25.0, 30.0, 30.0, 30.0, 30.0, 1.0 };
    const int32_t code = info->smpteFrameRate;

    if ((flags & kVstSmpteValid) != 0 && code >= 0 && code <= 6)
    {
        position.smpteFrameRate = code;
        position.smpteStartSeconds = info->smpteOffset / (80.0 * framesPerSecond[code]);
    }
    else
    {
        position.smpteFrameRate = 99;
        position.smpteStartSeconds = 0.0;
    }

    position.recording = (flags & kVstTransportRecording) != 0;
    position.playing = (flags & kVstTransportPlaying) != 0 || position.recording;
    return true;
}
