#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

/** A state chunk as the plug-in writes it: the 8-byte envelope around one
    XML element written on one line, attributes in order, values escaped.

    This is the harness's own reader and writer, kept independent of the
    plug-in's: it reads only the exact form the plug-in must write and says
    what is wrong with anything else, and it builds chunks to load. Values
    stay as written (escaped text), so two states compare equal exactly when
    their chunk texts do. */
class ChunkDocument
{
public:
    std::string tag;
    std::vector<std::pair<std::string, std::string>> attributes;

    /** Reads a chunk the plug-in handed out. Empty result: it has the exact
        form; otherwise what breaks it. */
    std::string parse (const std::vector<uint8_t>& chunk);

    /** The chunk bytes for this element (values are written as given, so
        they must already be escaped). */
    std::vector<uint8_t> write() const;

    const std::string& value (size_t index) const { return attributes.at (index).second; }

    /** The text "%.9g" gives for a float widened to double, as the plug-in
        writes parameter values. */
    static std::string numberText (float value);

    /** Whether the bytes start with a well-formed envelope that announces a
        non-empty document: what a reader needs before it looks any further. */
    static bool hasUsableEnvelope (const uint8_t* data, size_t size);

    static constexpr uint32_t magic = 0x21324356;
};
