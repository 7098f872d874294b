#include "plugin/AudioFilterEditor.h"

AudioFilterEditor::AudioFilterEditor (AudioFilterBase* ownerProcessor)
    : processor (ownerProcessor)
{
}

AudioFilterEditor::~AudioFilterEditor() = default;
