#include "plugin/AudioFilterBase.h"
#include "plugin/AudioFilterEditor.h"
#include <algorithm>
#include <cstring>

AudioFilterBase::AudioFilterBase() = default;
AudioFilterBase::~AudioFilterBase() = default;

void AudioFilterBase::getProgramState (juce::MemoryBlock& destination)
{
    getState (destination);
}

void AudioFilterBase::setProgramState (const void* data, int sizeInBytes)
{
    setState (data, sizeInBytes);
}

void AudioFilterBase::attachHost (FilterNativeCallbacks* callbacks) noexcept
{
    hostCallbacks = callbacks;
}

void AudioFilterBase::setParameterAndNotifyHost (int index, float value)
{
    if (hostCallbacks != nullptr)
        hostCallbacks->reportParameterChange (index, value);
    else
        setParameter (index, value);
}

bool AudioFilterBase::getHostPosition (HostPosition& position)
{
    return hostCallbacks != nullptr && hostCallbacks->queryHostPosition (position);
}

AudioFilterEditor* AudioFilterBase::getOrCreateEditor()
{
    if (activeEditor != nullptr)
        return activeEditor;

    auto* editor = createEditor();

    if (editor != nullptr)
    {
        const juce::ScopedLock sl (processLock);
        activeEditor = editor;
    }

    return editor;
}

void AudioFilterBase::forgetEditor (AudioFilterEditor* editor)
{
    const juce::ScopedLock sl (processLock);

    if (activeEditor == editor)
        activeEditor = nullptr;
}

//==============================================================================
namespace
{
    constexpr uint32_t chunkMagic = 0x21324356;

    void putLittleEndian32 (uint8_t* dest, uint32_t v) noexcept
    {
        for (int i = 0; i < 4; ++i)
            dest[i] = (uint8_t) (v >> (8 * i));
    }

    uint32_t getLittleEndian32 (const uint8_t* src) noexcept
    {
        return (uint32_t) src[0] | ((uint32_t) src[1] << 8) | ((uint32_t) src[2] << 16) | ((uint32_t) src[3] << 24);
    }
}

void AudioFilterBase::writeXmlChunk (const ChunkElement& element, juce::MemoryBlock& destination)
{
    const std::string text = ChunkText::writeDocument (element);
    const auto n = text.size();

    destination.setSize (n + 10, true);
    auto* bytes = static_cast<uint8_t*> (destination.getData());
    putLittleEndian32 (bytes, chunkMagic);
    putLittleEndian32 (bytes + 4, (uint32_t) n);
    std::memcpy (bytes + 8, text.data(), n);
    bytes[8 + n] = 0;
    bytes[9 + n] = 0;
}

std::unique_ptr<juce::XmlElement> AudioFilterBase::readXmlChunk (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= 8)
        return nullptr;

    const auto* bytes = static_cast<const uint8_t*> (data);

    if (getLittleEndian32 (bytes) != chunkMagic)
        return nullptr;

    const uint32_t declared = getLittleEndian32 (bytes + 4);

    if (declared == 0)
        return nullptr;

    // Never trust the length field beyond the bytes actually handed over.
    const size_t available = (size_t) sizeInBytes - 8;
    const size_t limit = std::min ((size_t) declared, available);
    const auto* text = bytes + 8;
    const size_t length = (size_t) (std::find (text, text + limit, (uint8_t) 0) - text);

    return ChunkText::parseDocument (text, length);
}
