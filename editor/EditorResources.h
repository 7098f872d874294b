#pragma once
#include <juce_gui_basics/juce_gui_basics.h>

/** What all editors of the process share: the old-school look-and-feel that
    becomes the process default, and the typeface of the small labels.

    Made by the first editor and then kept, so every later editor (of this or
    another plug-in instance) gets the very same look-and-feel. It is deleted
    by JUCE's own shutdown rather than by static destruction: a host may
    unload the module and load it again in one process, and JUCE is shut down
    on unload, so nothing here may outlive it. The next editor after such a
    restart simply makes a new one. Message thread only. */
class EditorResources : private juce::DeletedAtShutdown
{
public:
    static EditorResources& getInstance();

    /** The instance if one exists, without making one. */
    static EditorResources* getInstanceWithoutCreating() noexcept { return instance; }

    juce::LookAndFeel& getLookAndFeel() noexcept { return lookAndFeel; }

    /** "Arial" 10 bold. On Linux no font of that name is packaged, and JUCE
        would otherwise pick whatever sans-serif it finds first, so the
        metric-compatible Liberation Sans Bold is loaded from its file and
        used explicitly; that keeps the text identical on every machine that
        has it. Without the file (or elsewhere) the font is asked for by name. */
    juce::Font makeLabelFont() const;

    /** True when the labels use the typeface loaded from a file. */
    bool hasLoadedTypeface() const noexcept { return labelTypeface != nullptr; }

private:
    EditorResources();
    ~EditorResources() override;

    static juce::Typeface::Ptr loadLabelTypeface();

    // A plain pointer on purpose: it has no destructor that could run at
    // static-destruction time, after JUCE is gone.
    static EditorResources* instance;

    juce::LookAndFeel_V1 lookAndFeel;
    juce::Typeface::Ptr labelTypeface;

    JUCE_DECLARE_NON_COPYABLE (EditorResources)
};
