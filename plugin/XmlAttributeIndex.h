#pragma once
#include <juce_core/juce_core.h>
#include <string>
#include <unordered_map>

/** Case-insensitive attribute look-up built in one pass over an element.
    A bank document carries 4737 attributes; asking the element for each one
    by name would search its attribute list every time. */
class XmlAttributeIndex
{
public:
    /** Takes the element's attributes (the element is left without them). When
        several names differ only in case, the first one in the document wins. */
    explicit XmlAttributeIndex (juce::XmlElement& element);

    /** The value of the attribute with this name in any case, or null. */
    const juce::String* find (const std::string& name) const;

    size_t size() const noexcept { return values.size(); }

private:
    static std::string foldCase (const std::string& name);

    std::unordered_map<std::string, juce::String> values;
};
