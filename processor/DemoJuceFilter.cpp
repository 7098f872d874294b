#include "processor/DemoJuceFilter.h"
#include "dsp/qDelaySyncCS.h"
#include "plugin/XmlAttributeIndex.h"
#include "processor/ValueText.h"
#include <cmath>

using namespace ParameterTable;

namespace
{
    constexpr int changeForwardIntervalMs = 15;

    /** Wet and dry blended by the mix share, then the output gain; single
        precision, in this order. */
    inline float blend (float dry, float wet, float mix, float gain) noexcept
    {
        return ((1.0f - mix) * dry + wet * mix) * gain;
    }

    /** Mix shares and output levels only ever come from 0 ... 1, but are
        stored as given. Outside that range a NaN share, or a level whose gain
        overflows, would send NaN or infinity into the host's mix, so the
        audio path keeps them to the range, NaN counting as 0. */
    inline float inControlRange (float v) noexcept
    {
        return v >= 0.0f ? (v <= 1.0f ? v : 1.0f) : 0.0f;
    }

    /** What the delay lines are fed. A NaN or infinite sample from the host
        would stay in the lines and their feedback for good (0 times NaN is
        NaN), silencing the echoes until the plug-in is reloaded; it enters as
        silence instead. The dry path passes the host's sample on unchanged,
        and finite samples are untouched. */
    inline float lineInput (float x) noexcept
    {
        return x - x == 0.0f ? x : 0.0f;
    }
}

DemoJuceFilter::DemoJuceFilter()
{
    for (int i = 0; i < numParameters; ++i)
        storeValue (i, defaults[i]);

    for (auto& p : programs)
        p = std::make_unique<ProgramRecord>();

    engine = std::make_unique<qDelaySyncCS>();
    engine->setBypass (false);

    setCurrentProgram (0);

    lastHostPosition = HostPosition::defaults();

    startTimer (changeForwardIntervalMs);
}

DemoJuceFilter::~DemoJuceFilter()
{
    stopTimer();
}

//==============================================================================
void DemoJuceFilter::prepareToProcess (double newSampleRate, int)
{
    engine->setSampleRate ((float) newSampleRate);
}

void DemoJuceFilter::releaseProcessing()
{
}

void DemoJuceFilter::updateEngine()
{
    auto& e = *engine;
    e.setPreDelayLeft (value (fPreDelayLeft));
    e.setPreDelayRight (value (fPreDelayRight));
    e.setDelayLeft (value (fDelayLeft));
    e.setDelayRight (value (fDelayRight));
    e.setFeedbackLeft (value (fFeedbackLeft));
    e.setFeedbackRight (value (fFeedbackRight));
    e.setSyncAndTempo (value (fDelaySyncButton), (float) lastHostPosition.tempoBpm);
    e.setDotted (value (fDelayDotButton));
    e.setTriplet (value (fDelayTripletButton));
    e.setPingPong (value (fPingPongModeButton));
    e.setFilterOnLeft (value (fFilterOnButton));
    e.setFilterOnRight (value (fFilterOnButtonB));
    e.setFilterLPLeft (value (fFilterLPButton));
    e.setFilterLPRight (value (fFilterLPButtonB));
    e.setFilterHPLeft (value (fFilterHPButton));
    e.setFilterHPRight (value (fFilterHPButtonB));
    e.setFilterBPLeft (value (fFilterBPButton));
    e.setFilterBPRight (value (fFilterBPButtonB));
    e.setFilterFreqLeft (value (fFilterFreqLeft));
    e.setFilterFreqRight (value (fFilterFreqRight));
    e.setFilterResLeft (value (fFilterResLeft));
    e.setFilterResRight (value (fFilterResRight));
    e.setPanLeft (value (fPanLeft));
    e.setPanRight (value (fPanRight));

    if (value (fOnButton) == 1.0f)
    {
        e.setBypass (false);

        // Output level: -12 dB at 0, 0 dB at 0.5, +12 dB at 1. The base is the
        // single-precision 1.12202, a rounded 10^(1/20).
        const auto gainFor = [] (float v)
        {
            const float dB = v * 24.0f - 12.0f;
            return (float) std::pow (1.1220200061798096, (double) dB);
        };

        outputGainLeft = gainFor (inControlRange (value (fOutputLeft)));
        outputGainRight = gainFor (inControlRange (value (fOutputRight)));
    }
    else
    {
        e.setBypass (true);
        outputGainLeft = 1.0f;
        outputGainRight = 1.0f;
    }
}

inline void DemoJuceFilter::mixFrame (const float* dry, const float* wet, float& outLeft, float& outRight) const noexcept
{
    outLeft = blend (dry[0], wet[0], inControlRange (value (fMixLeft)), outputGainLeft);
    outRight = blend (dry[1], wet[1], inControlRange (value (fMixRight)), outputGainRight);
}

void DemoJuceFilter::processBlock (const juce::AudioBuffer<float>& input, juce::AudioBuffer<float>& output,
                                   bool accumulate, juce::MidiBuffer&)
{
    updateEngine();

    if (input.getNumChannels() == 2 && output.getNumChannels() == 2)
    {
        const int numSamples = juce::jmin (input.getNumSamples(), output.getNumSamples());
        const float* inL = input.getReadPointer (0);
        const float* inR = input.getReadPointer (1);
        float* outL = output.getWritePointer (0);
        float* outR = output.getWritePointer (1);

        for (int start = 0; start < numSamples; start += framesPerStretch)
        {
            const int n = juce::jmin (framesPerStretch, numSamples - start);

            // Input selection. The stretch is copied before anything is
            // written, so hosts that pass the same arrays for input and output
            // are served correctly.
            for (int i = 0; i < n; ++i)
            {
                float left = inL[start + i];
                float right = inR[start + i];

                if (value (fLeftSelButton) != 0.0f)
                    right = left;
                else if (value (fRightSelButton) != 0.0f)
                    left = right;

                dryFrames[2 * i] = wetFrames[2 * i] = left;
                dryFrames[2 * i + 1] = wetFrames[2 * i + 1] = right;
            }

            // A pass of its own, so the compiler can do it four samples at a time.
            for (int j = 0; j < 2 * n; ++j)
                wetFrames[j] = lineInput (wetFrames[j]);

            engine->processFrames (wetFrames, n);

            for (int i = 0; i < n; ++i)
            {
                float resultLeft, resultRight;
                mixFrame (dryFrames + 2 * i, wetFrames + 2 * i, resultLeft, resultRight);

                if (accumulate)
                {
                    outL[start + i] += resultLeft;
                    outR[start + i] += resultRight;
                }
                else
                {
                    outL[start + i] = resultLeft;
                    outR[start + i] = resultRight;
                }
            }
        }
    }
    else if (! accumulate)
    {
        output.clear();
    }

    refreshHostPosition();
}

void DemoJuceFilter::refreshHostPosition()
{
    HostPosition position;

    if (getHostPosition (position))
    {
        if (position != lastHostPosition)
        {
            lastHostPosition = position;
            notifyChange();
        }
    }
    else
    {
        lastHostPosition = HostPosition::defaults();
    }
}

//==============================================================================
int DemoJuceFilter::getNumParameters()
{
    return numParameters;
}

juce::String DemoJuceFilter::getParameterName (int index)
{
    return isValidIndex (index) ? juce::String (identifiers[index]) : juce::String();
}

float DemoJuceFilter::getParameter (int index)
{
    return isValidIndex (index) ? value (index) : 0.0f;
}

juce::String DemoJuceFilter::getParameterText (int index)
{
    return isValidIndex (index) ? ValueText::fixed ((double) value (index), 2) : juce::String();
}

void DemoJuceFilter::setParameter (int index, float newValue)
{
    auto& record = *programs[(size_t) currentProgram.load (std::memory_order_relaxed)];

    if (isValidIndex (index))
    {
        record.set (index, newValue);
        storeValue (index, newValue);
    }

    notifyChange();
}

//==============================================================================
int DemoJuceFilter::getNumPrograms()
{
    return numPrograms;
}

int DemoJuceFilter::getCurrentProgram()
{
    return currentProgram.load (std::memory_order_relaxed);
}

void DemoJuceFilter::setCurrentProgram (int index)
{
    // Callers other than the host interface may pass anything; an index
    // outside the bank would select a record that does not exist.
    if (index < 0 || index >= numPrograms)
        return;

    currentProgram.store (index, std::memory_order_relaxed);

    auto& record = *programs[(size_t) index];

    for (int j = 0; j < numParameters; ++j)
        setParameter (j, record.get (j));
}

juce::String DemoJuceFilter::getProgramName (int index)
{
    return (index >= 0 && index < numPrograms) ? programs[(size_t) index]->name : juce::String();
}

void DemoJuceFilter::renameProgram (int index, const juce::String& newName)
{
    if (index >= 0 && index < numPrograms)
        programs[(size_t) index]->name = newName;

    currentProgramName = newName;
}

//==============================================================================
void DemoJuceFilter::getProgramState (juce::MemoryBlock& destination)
{
    ChunkElement doc;
    doc.tag = presetTag;
    doc.attributes.reserve (numParameters + 2);
    doc.add ("Version", stateVersion);

    for (int i = 0; i < numParameters; ++i)
        doc.add (identifiers[i], ChunkText::formatNumber (value (i)));

    doc.add ("programName", currentProgramName);
    writeXmlChunk (doc, destination);
}

void DemoJuceFilter::getState (juce::MemoryBlock& destination)
{
    ChunkElement doc;
    doc.tag = bankTag;
    doc.attributes.reserve (1 + (size_t) numPrograms * (numParameters + 1));
    doc.add ("Version", stateVersion);

    for (int p = 0; p < numPrograms; ++p)
    {
        const auto& record = *programs[(size_t) p];
        const std::string suffix = std::to_string (p);

        for (int i = 0; i < numParameters; ++i)
            doc.add (identifiers[i] + suffix, ChunkText::formatNumber (record.get (i)));

        doc.add ("ProgramName" + suffix, record.name);
    }

    writeXmlChunk (doc, destination);
}

void DemoJuceFilter::setProgramState (const void* data, int sizeInBytes)
{
    auto element = readXmlChunk (data, sizeInBytes);

    if (element == nullptr || ! element->getTagName().equalsIgnoreCase (presetTag))
        return;

    const XmlAttributeIndex attributes (*element);
    auto& record = *programs[(size_t) currentProgram.load (std::memory_order_relaxed)];

    for (int i = 0; i < numParameters; ++i)
    {
        const auto* text = attributes.find (identifiers[i]);
        const float v = text != nullptr ? ChunkText::toFloat (ChunkText::parseNumber (*text)) : value (i);
        record.set (i, v);
        storeValue (i, v);
    }

    const auto* name = attributes.find ("programName");
    const juce::String newName = name != nullptr ? *name : currentProgramName;
    record.name = newName;
    currentProgramName = newName;

    notifyChange();
}

void DemoJuceFilter::setState (const void* data, int sizeInBytes)
{
    auto element = readXmlChunk (data, sizeInBytes);

    if (element == nullptr || ! element->getTagName().equalsIgnoreCase (bankTag))
        return;

    const XmlAttributeIndex attributes (*element);

    for (int p = 0; p < getNumPrograms(); ++p)
    {
        auto& record = *programs[(size_t) p];
        const std::string suffix = std::to_string (p);

        for (int i = 0; i < numParameters; ++i)
        {
            const auto* text = attributes.find (identifiers[i] + suffix);
            record.set (i, text != nullptr ? ChunkText::toFloat (ChunkText::parseNumber (*text)) : value (i));
        }

        const auto* name = attributes.find ("ProgramName" + suffix);
        record.name = name != nullptr ? *name : currentProgramName;
    }

    notifyChange();
}

//==============================================================================
void DemoJuceFilter::notifyChange()
{
    if (juce::MessageManager::existsAndIsCurrentThread())
        sendChangeMessage();
    else
        changePending.store (true, std::memory_order_release);
}

void DemoJuceFilter::timerCallback()
{
    if (changePending.exchange (false, std::memory_order_acquire))
        sendChangeMessage();
}
