// The editor factory sits in its own file so the processor library can be
// built and tested without the editor library (QV_HAS_EDITOR is set by the
// build when the editor is part of it).
#include "processor/DemoJuceFilter.h"

#if QV_HAS_EDITOR
 #include "editor/DemoEditorComponent.h"
#endif

AudioFilterEditor* DemoJuceFilter::createEditor()
{
#if QV_HAS_EDITOR
    return new DemoEditorComponent (this);
#else
    return nullptr;
#endif
}
