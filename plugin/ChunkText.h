#pragma once
#include <juce_core/juce_core.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

/** A state document as the plug-in writes it: one element, attributes in
    order, no children. Kept apart from juce::XmlElement because setting 4737
    attributes one by one on an XmlElement costs a linear search each. */
struct ChunkElement
{
    std::string tag;
    std::vector<std::pair<std::string, juce::String>> attributes;

    void add (std::string name, juce::String value) { attributes.emplace_back (std::move (name), std::move (value)); }
};

/** The text side of state chunks: writing the one-line document, parsing it
    back, and the number conversions used for parameter values. Numbers never
    depend on the process locale, which hosts are free to change. */
namespace ChunkText
{
    /** `<tag name="value" .../>` with the chunk format's escaping; ASCII only. */
    std::string writeDocument (const ChunkElement& element);

    /** Escapes an attribute value: listed punctuation, letters, digits and space
        stay, the five XML specials become named entities, the rest &#code;. */
    std::string escapeValue (const juce::String& value);

    /** A float widened to double and written like printf's "%.9g". */
    std::string formatNumber (float value);

    /** Leading white space skipped, longest numeric prefix taken, 0.0 without one. */
    double parseNumber (const juce::String& text);

    /** A double narrowed to float the way the FPU does it: out-of-range values
        become infinities instead of undefined behaviour. */
    float toFloat (double value) noexcept;

    /** Parses bytes (8-bit characters) as an XML document; null when they do not
        parse, declare a DTD, or nest deeper than any state document could. */
    std::unique_ptr<juce::XmlElement> parseDocument (const uint8_t* text, size_t length);
}
