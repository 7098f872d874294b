#include "fuzz/ChunkDocument.h"
#include <algorithm>
#include <cstdio>

namespace
{
    uint32_t readLittleEndian (const uint8_t* p) noexcept
    {
        return (uint32_t) p[0] | ((uint32_t) p[1] << 8) | ((uint32_t) p[2] << 16) | ((uint32_t) p[3] << 24);
    }

    void writeLittleEndian (std::vector<uint8_t>& out, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out.push_back ((uint8_t) (v >> (8 * i)));
    }

    bool isNameCharacter (char c) noexcept
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    }
}

std::string ChunkDocument::parse (const std::vector<uint8_t>& chunk)
{
    tag.clear();
    attributes.clear();

    if (chunk.size() < 10)
        return "chunk of " + std::to_string (chunk.size()) + " bytes";
    if (readLittleEndian (chunk.data()) != magic)
        return "wrong envelope number";

    const size_t n = readLittleEndian (chunk.data() + 4);

    if (chunk.size() != n + 10)
        return "length field " + std::to_string (n) + " in a chunk of " + std::to_string (chunk.size()) + " bytes";
    if (chunk[8 + n] != 0)
        return "no zero byte after the document";

    const std::string text (chunk.begin() + 8, chunk.begin() + 8 + (long) n);

    for (unsigned char c : text)
        if (c == 0 || c >= 128 || c == '\n' || c == '\r')
            return "character " + std::to_string ((int) c) + " in the document text";

    size_t pos = 0;
    const auto expect = [&] (char c) { return pos < text.size() && text[pos++] == c; };

    if (! expect ('<'))
        return "document does not start with '<'";

    const auto nameEnd = [&text] (size_t from)
    {
        while (from < text.size() && isNameCharacter (text[from]))
            ++from;
        return from;
    };

    tag = text.substr (pos, nameEnd (pos) - pos);
    pos += tag.size();

    for (;;)
    {
        if (pos < text.size() && text[pos] == '/')
            break;
        if (! expect (' '))
            return "no space before attribute " + std::to_string (attributes.size());

        std::string name = text.substr (pos, nameEnd (pos) - pos);
        pos += name.size();

        if (name.empty() || ! expect ('=') || ! expect ('"'))
            return "malformed attribute " + std::to_string (attributes.size());

        const size_t end = text.find ('"', pos);
        if (end == std::string::npos)
            return "unterminated value of " + name;

        if (std::any_of (text.begin() + (long) pos, text.begin() + (long) end, [] (char c) { return c == '<' || c == '>'; }))
            return "unescaped character in the value of " + name;

        attributes.emplace_back (std::move (name), text.substr (pos, end - pos));
        pos = end + 1;
    }

    if (text.compare (pos, std::string::npos, "/>") != 0)
        return "document does not end with \"/>\"";

    return {};
}

std::vector<uint8_t> ChunkDocument::write() const
{
    std::string text = "<" + tag;

    for (const auto& [name, value] : attributes)
        text += " " + name + "=\"" + value + "\"";

    text += "/>";

    std::vector<uint8_t> out;
    writeLittleEndian (out, magic);
    writeLittleEndian (out, (uint32_t) text.size());
    out.insert (out.end(), text.begin(), text.end());
    out.push_back (0);
    out.push_back (0);
    return out;
}

std::string ChunkDocument::numberText (float value)
{
    char buffer[64];
    std::snprintf (buffer, sizeof (buffer), "%.9g", (double) value);
    return buffer;
}

bool ChunkDocument::hasUsableEnvelope (const uint8_t* data, size_t size)
{
    return data != nullptr && size > 8 && readLittleEndian (data) == magic && readLittleEndian (data + 4) != 0;
}
