#include "plugin/EditorCompWrapper.h"
#include "plugin/HostWindowOps.h"
#include "plugin/JuceVSTWrapper.h"

EditorCompWrapper::EditorCompWrapper (JuceVSTWrapper& wrapper, juce::Component* editorToOwn)
    : vstWrapper (wrapper)
{
    setOpaque (true);
    editorToOwn->setOpaque (true);
    setBounds (editorToOwn->getBounds());
    editorToOwn->setTopLeftPosition (0, 0);
    addAndMakeVisible (editorToOwn);

    // Listening to itself and every nested child: a press anywhere in the
    // editor raises the host's frame.
    addMouseListener (this, true);
}

EditorCompWrapper::~EditorCompWrapper()
{
    cancelPendingUpdate();
    removeMouseListener (this);
    deleteAllChildren();
}

void EditorCompWrapper::paintOverChildren (juce::Graphics&)
{
    triggerAsyncUpdate();
}

void EditorCompWrapper::handleAsyncUpdate()
{
    vstWrapper.callHostIdle();
}

void EditorCompWrapper::resized()
{
    // A host that destroys its window before closing the editor takes this
    // window with it; JUCE then reads the size of a window that is gone as
    // 0 x 0. Passed on, the editor would remember that size and the next one
    // would open as a single pixel.
    if (getWidth() <= 0 || getHeight() <= 0)
        return;

    if (auto* child = getChildComponent (0))
        child->setBounds (0, 0, getWidth(), getHeight());
}

void EditorCompWrapper::childBoundsChanged (juce::Component* child)
{
    child->setTopLeftPosition (0, 0);
    const int w = child->getWidth();
    const int h = child->getHeight();
    vstWrapper.resizeHostFrame (w, h);
    setSize (w, h);
}

void EditorCompWrapper::mouseDown (const juce::MouseEvent&)
{
    broughtToFront();
}

void EditorCompWrapper::broughtToFront()
{
    if (auto* peer = getPeer())
        HostWindowOps::get().bringHostFrameToFront (peer->getNativeHandle());
}
