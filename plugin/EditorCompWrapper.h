#pragma once
#include <juce_gui_basics/juce_gui_basics.h>

class JuceVSTWrapper;

/** Carries the processor's editor inside the host's window: its bounds are
    the editor's size, it passes size changes on to the host's frame, raises
    the host's frame on a mouse press anywhere in the editor, and gives the
    host idle time after paints while a mouse button is held. */
class EditorCompWrapper : public juce::Component,
                          private juce::AsyncUpdater
{
public:
    EditorCompWrapper (JuceVSTWrapper& wrapper, juce::Component* editorToOwn);
    ~EditorCompWrapper() override;

    juce::Component* getEditor() const { return getChildComponent (0); }

    void paintOverChildren (juce::Graphics&) override;
    void resized() override;
    void childBoundsChanged (juce::Component* child) override;
    void mouseDown (const juce::MouseEvent&) override;
    void broughtToFront() override;

private:
    void handleAsyncUpdate() override;

    JuceVSTWrapper& vstWrapper;

    JUCE_DECLARE_NON_COPYABLE (EditorCompWrapper)
};
