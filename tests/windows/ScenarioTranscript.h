#pragma once
#include <cstddef>
#include <string>
#include <vector>

/** What a host saw while driving a module: named sections of bytes (texts,
    state chunks, rendered audio) in the order they were recorded. Written to
    a file on one platform and compared byte for byte with another's. */
class ScenarioTranscript
{
public:
    struct Section
    {
        std::string name;
        std::string bytes;
        bool isAudio = false;   // 32-bit floats, compared and reported sample by sample
    };

    /** Appends to the section of that name, creating it at the end if new. */
    void append (const std::string& name, const void* data, size_t size);
    void appendText (const std::string& name, const std::string& text);
    void appendAudio (const std::string& name, const float* samples, size_t count);

    const std::vector<Section>& getSections() const noexcept { return sections; }

    bool save (const std::string& path) const;
    bool load (const std::string& path);

    /** Empty when both hold the same sections with the same bytes; otherwise
        one line per difference, naming the section and the first byte or
        sample that differs. */
    static std::string compare (const ScenarioTranscript& a, const ScenarioTranscript& b);

private:
    Section& sectionNamed (const std::string& name, bool isAudio);

    std::vector<Section> sections;
};
