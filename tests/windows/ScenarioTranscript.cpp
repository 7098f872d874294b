#include "tests/windows/ScenarioTranscript.h"
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace
{
    const char fileMagic[] = "QV-SCENARIO-TRANSCRIPT 1\n";
}

ScenarioTranscript::Section& ScenarioTranscript::sectionNamed (const std::string& name, bool isAudio)
{
    for (auto& s : sections)
        if (s.name == name)
            return s;

    sections.push_back ({ name, {}, isAudio });
    return sections.back();
}

void ScenarioTranscript::append (const std::string& name, const void* data, size_t size)
{
    sectionNamed (name, false).bytes.append (static_cast<const char*> (data), size);
}

void ScenarioTranscript::appendText (const std::string& name, const std::string& text)
{
    auto& s = sectionNamed (name, false);
    s.bytes += text;
    s.bytes += '\n';
}

void ScenarioTranscript::appendAudio (const std::string& name, const float* samples, size_t count)
{
    sectionNamed (name, true).bytes.append (reinterpret_cast<const char*> (samples), count * sizeof (float));
}

bool ScenarioTranscript::save (const std::string& path) const
{
    std::ofstream out (path, std::ios::binary | std::ios::trunc);
    out << fileMagic;

    for (auto& s : sections)
        out << (s.isAudio ? "audio " : "bytes ") << s.name << '\n' << s.bytes.size() << '\n' << s.bytes;

    return static_cast<bool> (out.flush());
}

bool ScenarioTranscript::load (const std::string& path)
{
    std::ifstream in (path, std::ios::binary);
    const std::string all ((std::istreambuf_iterator<char> (in)), std::istreambuf_iterator<char>());
    const size_t magicLength = std::strlen (fileMagic);

    if (all.compare (0, magicLength, fileMagic) != 0)
        return false;

    sections.clear();
    size_t pos = magicLength;

    while (pos < all.size())
    {
        const size_t nameEnd = all.find ('\n', pos);
        const size_t sizeEnd = nameEnd == std::string::npos ? nameEnd : all.find ('\n', nameEnd + 1);

        if (sizeEnd == std::string::npos || nameEnd - pos < 7)
            return false;

        Section s;
        s.isAudio = all.compare (pos, 6, "audio ") == 0;
        s.name = all.substr (pos + 6, nameEnd - pos - 6);
        const auto size = (size_t) std::stoull (all.substr (nameEnd + 1, sizeEnd - nameEnd - 1));

        if (sizeEnd + 1 + size > all.size())
            return false;

        s.bytes = all.substr (sizeEnd + 1, size);
        pos = sizeEnd + 1 + size;
        sections.push_back (std::move (s));
    }

    return true;
}

std::string ScenarioTranscript::compare (const ScenarioTranscript& a, const ScenarioTranscript& b)
{
    std::ostringstream report;
    report.precision (9);
    const auto& sa = a.getSections();
    const auto& sb = b.getSections();

    if (sa.size() != sb.size())
        report << "section count differs: " << sa.size() << " and " << sb.size() << '\n';

    for (size_t i = 0; i < sa.size() && i < sb.size(); ++i)
    {
        const auto& x = sa[i];
        const auto& y = sb[i];

        if (x.name != y.name)
        {
            report << "section " << i << " is '" << x.name << "' and '" << y.name << "'\n";
            continue;
        }

        if (x.bytes == y.bytes)
            continue;

        size_t first = 0;
        while (first < x.bytes.size() && first < y.bytes.size() && x.bytes[first] == y.bytes[first])
            ++first;

        report << x.name << ": " << x.bytes.size() << " and " << y.bytes.size() << " bytes, ";

        if (x.isAudio)
        {
            const size_t sample = first / sizeof (float);
            size_t differing = 0;
            const size_t count = std::min (x.bytes.size(), y.bytes.size()) / sizeof (float);

            for (size_t k = 0; k < count; ++k)
                if (std::memcmp (x.bytes.data() + k * 4, y.bytes.data() + k * 4, 4) != 0)
                    ++differing;

            float fx = 0, fy = 0;
            if ((sample + 1) * 4 <= x.bytes.size()) std::memcpy (&fx, x.bytes.data() + sample * 4, 4);
            if ((sample + 1) * 4 <= y.bytes.size()) std::memcpy (&fy, y.bytes.data() + sample * 4, 4);
            report << differing << " samples differ, the first at sample " << sample << ": " << fx << " and " << fy << '\n';
        }
        else
        {
            const size_t from = first < 40 ? 0 : first - 40;
            report << "first difference at byte " << first << ":\n  " << x.bytes.substr (from, 100)
                   << "\n  " << y.bytes.substr (from, 100) << '\n';
        }
    }

    return report.str();
}
