#include "plugin/XmlAttributeIndex.h"

XmlAttributeIndex::XmlAttributeIndex (juce::XmlElement& element)
{
    // XmlElement only offers indexed access, which walks its list from the
    // start each time. Taking the first attribute and removing it keeps the
    // whole pass linear.
    for (;;)
    {
        const juce::String& name = element.getAttributeName (0);

        if (name.isEmpty())
            break;

        values.emplace (foldCase (name.toStdString()), element.getAttributeValue (0));
        element.removeAttribute (juce::Identifier (name));
    }
}

const juce::String* XmlAttributeIndex::find (const std::string& name) const
{
    const auto it = values.find (foldCase (name));
    return it == values.end() ? nullptr : &it->second;
}

std::string XmlAttributeIndex::foldCase (const std::string& name)
{
    std::string folded (name);

    for (auto& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = (char) (c - 'A' + 'a');

    return folded;
}
