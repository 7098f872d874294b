#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** A small non-editable label showing the version text. */
class qGUIPluginVersion : public juce::Component
{
public:
    qGUIPluginVersion();
    ~qGUIPluginVersion() override;

    /** Replaces the text silently. */
    void setVersionText (juce::String text);
    juce::String getVersionText() const;

    void resized() override;

private:
    std::unique_ptr<juce::Label> label;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (qGUIPluginVersion)
};
