// The editor factory sits in its own file so the processor library builds
// before (and without) the editor library.
#include "processor/DemoJuceFilter.h"

#if __has_include("editor/DemoEditorComponent.h")
 #include "editor/DemoEditorComponent.h"
 #define QV_HAS_EDITOR 1
#endif

AudioFilterEditor* DemoJuceFilter::createEditor()
{
#if QV_HAS_EDITOR
    return new DemoEditorComponent (this);
#else
    return nullptr;
#endif
}
