#pragma once
#include <juce_gui_basics/juce_gui_basics.h>

class AudioFilterBase;

/** Base of the processor's editor: a component that knows its processor (not owned). */
class AudioFilterEditor : public juce::Component
{
public:
    explicit AudioFilterEditor (AudioFilterBase* ownerProcessor);
    ~AudioFilterEditor() override;

    AudioFilterBase* getProcessor() const noexcept { return processor; }

private:
    AudioFilterBase* const processor;

    JUCE_DECLARE_NON_COPYABLE (AudioFilterEditor)
};
