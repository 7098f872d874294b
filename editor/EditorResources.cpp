#include "editor/EditorResources.h"

EditorResources* EditorResources::instance = nullptr;

EditorResources& EditorResources::getInstance()
{
    if (instance == nullptr)
    {
        // JUCE deletes its shutdown objects newest first. Making sure the
        // Desktop exists before this object means this one goes first, while
        // the Desktop can still be told to stop using the look-and-feel.
        juce::Desktop::getInstance();
        instance = new EditorResources();
    }

    return *instance;
}

EditorResources::EditorResources()
    : labelTypeface (loadLabelTypeface())
{
}

EditorResources::~EditorResources()
{
    if (&juce::LookAndFeel::getDefaultLookAndFeel() == &lookAndFeel)
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);

    instance = nullptr;
}

juce::Typeface::Ptr EditorResources::loadLabelTypeface()
{
   #if JUCE_LINUX || JUCE_BSD
    // Debian's fonts-liberation and fonts-liberation2 use these two folders.
    static constexpr const char* candidates[] = {
        "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
        "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf",
    };

    for (auto* path : candidates)
    {
        juce::MemoryBlock data;

        if (juce::File (path).loadFileAsData (data) && data.getSize() > 0)
            if (auto face = juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize()))
                if (face->getName().isNotEmpty())
                    return face;
    }
   #endif

    return nullptr;
}

juce::Font EditorResources::makeLabelFont() const
{
    if (labelTypeface != nullptr)
        return juce::Font (labelTypeface).withHeight (10.0f);

    return juce::Font ("Arial", 10.0f, juce::Font::bold);
}
