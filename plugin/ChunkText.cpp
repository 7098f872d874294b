#include "plugin/ChunkText.h"
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>

namespace ChunkText
{
namespace
{
    bool isPlainCharacter (juce::juce_wchar c) noexcept
    {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ')
            return true;

        static constexpr char listed[] = ".,;:-()_+=?!'#@[]/\\*%~{}";
        return c < 128 && c != 0 && std::strchr (listed, (int) c) != nullptr;
    }

    void appendUtf8 (std::string& out, uint8_t byte)
    {
        if (byte < 0x80)
        {
            out.push_back ((char) byte);
        }
        else
        {
            out.push_back ((char) (0xc0 | (byte >> 6)));
            out.push_back ((char) (0x80 | (byte & 0x3f)));
        }
    }

    /** State documents are a single element. Anything nested deeply would only
        cost stack in the recursive parser, so it is refused before parsing. */
    bool nestsTooDeep (const uint8_t* text, size_t length, int maxDepth) noexcept
    {
        int depth = 0;
        bool inTag = false;
        uint8_t quote = 0;

        for (size_t i = 0; i < length; ++i)
        {
            const uint8_t c = text[i];

            if (quote != 0)
            {
                if (c == quote)
                    quote = 0;
                continue;
            }

            if (inTag)
            {
                if (c == '"' || c == '\'')
                    quote = c;
                else if (c == '/' && i + 1 < length && text[i + 1] == '>')
                    --depth, inTag = false, ++i;
                else if (c == '>')
                    inTag = false;
                continue;
            }

            if (c == '<' && i + 1 < length)
            {
                const uint8_t next = text[i + 1];

                if (next == '/')
                    --depth;
                else if (next != '?' && next != '!')
                {
                    inTag = true;
                    if (++depth > maxDepth)
                        return true;
                }
            }
        }

        return false;
    }

    bool declaresDocumentType (const std::string& text)
    {
        static constexpr char marker[] = "<!doctype";
        const auto n = sizeof (marker) - 1;

        for (size_t i = 0; i + n <= text.size(); ++i)
        {
            size_t j = 0;
            while (j < n && std::tolower ((unsigned char) text[i + j]) == marker[j])
                ++j;
            if (j == n)
                return true;
        }

        return false;
    }

#if defined(_WIN32)
    double strtodC (const char* s, char** end)
    {
        static _locale_t c = _create_locale (LC_ALL, "C");
        return _strtod_l (s, end, c);
    }
#else
    double strtodC (const char* s, char** end)
    {
        static locale_t c = newlocale (LC_ALL_MASK, "C", (locale_t) 0);
        return strtod_l (s, end, c);
    }
#endif
}

std::string escapeValue (const juce::String& value)
{
    std::string out;
    out.reserve ((size_t) value.length());

    for (auto p = value.getCharPointer(); ! p.isEmpty();)
    {
        const juce::juce_wchar c = p.getAndAdvance();

        if (isPlainCharacter (c))
            out.push_back ((char) c);
        else if (c == '"')  out += "&quot;";
        else if (c == '&')  out += "&amp;";
        else if (c == '<')  out += "&lt;";
        else if (c == '>')  out += "&gt;";
        else if (c == '\n') out += "&#10;";
        else if (c == '\r') out += "&#13;";
        else
        {
            out += "&#";
            out += std::to_string ((uint32_t) c);
            out += ';';
        }
    }

    return out;
}

std::string writeDocument (const ChunkElement& element)
{
    std::string out;
    out.reserve (64 + element.attributes.size() * 24);
    out += '<';
    out += element.tag;

    for (const auto& [name, value] : element.attributes)
    {
        out += ' ';
        out += name;
        out += "=\"";
        out += escapeValue (value);
        out += '"';
    }

    out += "/>";
    return out;
}

std::string formatNumber (float value)
{
    char buffer[64];
    const auto result = std::to_chars (buffer, buffer + sizeof (buffer), (double) value,
                                       std::chars_format::general, 9);
    return std::string (buffer, result.ptr);
}

double parseNumber (const juce::String& text)
{
    const std::string s = text.toStdString();
    const char* p = s.c_str();

    // strtod skips leading white space itself and stops at the first character
    // that cannot continue a number; no prefix at all leaves end == start.
    char* end = nullptr;
    const double v = strtodC (p, &end);
    return end == p ? 0.0 : v;
}

float toFloat (double value) noexcept
{
    // Round-to-nearest overflows to infinity from the midpoint between
    // FLT_MAX and 2^128 upwards; below it the result is FLT_MAX.
    const double overflowPoint = std::ldexp (1.0, 128) - std::ldexp (1.0, 103);

    if (value >= overflowPoint)
        return std::numeric_limits<float>::infinity();
    if (value <= -overflowPoint)
        return -std::numeric_limits<float>::infinity();
    if (value > (double) std::numeric_limits<float>::max())
        return std::numeric_limits<float>::max();
    if (value < -(double) std::numeric_limits<float>::max())
        return -std::numeric_limits<float>::max();

    return (float) value;
}

std::unique_ptr<juce::XmlElement> parseDocument (const uint8_t* text, size_t length)
{
    if (text == nullptr || length == 0 || nestsTooDeep (text, length, 16))
        return nullptr;

    std::string utf8;
    utf8.reserve (length);

    for (size_t i = 0; i < length; ++i)
        appendUtf8 (utf8, text[i]);

    // The parser expands entities declared in a DTD recursively; a state
    // document never has one, and a hostile one could recurse without end.
    if (declaresDocumentType (utf8))
        return nullptr;

    juce::XmlDocument document (juce::String::fromUTF8 (utf8.data(), (int) utf8.size()));
    return document.getDocumentElement();
}
}
