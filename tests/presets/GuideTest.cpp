// docs/guide.md: its pictures are in the repository under relative links, its links inside
// the page find their headings, and the qvhost examples it shows run as written.
#include "tests/presets/PresetTestSupport.h"

#include <gtest/gtest.h>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

using namespace presettest;
namespace fs = std::filesystem;

namespace
{
std::string guideText()
{
    std::ifstream in (sourceDir() + "/docs/guide.md");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> lines (const std::string& text)
{
    std::vector<std::string> all;
    std::istringstream in (text);
    for (std::string line; std::getline (in, line);)
        all.push_back (line);
    return all;
}

/** The anchor GitHub gives a heading: lower case, punctuation dropped, spaces to hyphens. */
std::string anchorOf (const std::string& heading)
{
    std::string anchor;
    for (unsigned char c : heading)
    {
        if (std::isalnum (c) || c == '-' || c == '_')
            anchor += (char) std::tolower (c);
        else if (c == ' ')
            anchor += '-';
    }
    return anchor;
}

/** Splits a shell line into words, honouring double quotes (enough for the guide's examples). */
std::vector<std::string> words (const std::string& line)
{
    std::vector<std::string> result;
    std::string word;
    bool quoted = false, any = false;
    for (char c : line)
    {
        if (c == '"')
            quoted = ! quoted, any = true;
        else if (c == ' ' && ! quoted)
        {
            if (any)
                result.push_back (word);
            word.clear();
            any = false;
        }
        else
            word += c, any = true;
    }
    if (any)
        result.push_back (word);
    return result;
}
}

TEST (Guide, PicturesAreRelativeLinksToPngFilesBesideIt)
{
    const std::string text = guideText();
    ASSERT_FALSE (text.empty());
    const std::regex picture (R"(!\[[^\]]*\]\(([^)\s]+)\))");
    int count = 0;
    for (std::sregex_iterator it (text.begin(), text.end(), picture), end; it != end; ++it, ++count)
    {
        const std::string link = (*it)[1];
        EXPECT_EQ (link.find ("://"), std::string::npos) << link;
        EXPECT_NE (link.front(), '/') << link;
        const auto path = sourceDir() + "/docs/" + link;
        ASSERT_TRUE (fs::exists (path)) << link;
        const auto bytes = readBytes (path);
        ASSERT_GE (bytes.size(), 8u) << link;
        EXPECT_EQ (std::string (bytes.begin() + 1, bytes.begin() + 4), "PNG") << link;
    }
    EXPECT_GE (count, 8);   // the editor, five labelled sections, two plots
}

TEST (Guide, LinksWithinThePageFindTheirHeadings)
{
    std::set<std::string> anchors;
    for (const auto& line : lines (guideText()))
        if (line.rfind ("#", 0) == 0)
            anchors.insert (anchorOf (line.substr (line.find_first_not_of ("# "))));

    const std::string text = guideText();
    const std::regex link (R"(\]\(#([^)]+)\))");
    int count = 0;
    for (std::sregex_iterator it (text.begin(), text.end(), link), end; it != end; ++it, ++count)
        EXPECT_TRUE (anchors.count ((*it)[1])) << "#" << (*it)[1] << " names no heading";
    EXPECT_GT (count, 0);
}

TEST (Guide, QvhostExamplesRunAsWritten)
{
    // The examples use paths from the top of the checkout: build/, presets/, demo/.
    TempFolder place;
    fs::create_directory_symlink (buildDir(), place.file ("build"));
    fs::create_directory_symlink (presetsDir(), place.file ("presets"));
    fs::create_directory_symlink (sourceDir() + "/demo", place.file ("demo"));

    std::vector<std::string> commands;
    std::string pending;
    for (auto line : lines (guideText()))
    {
        if (line.rfind ("    ", 0) != 0)
            continue;
        line = line.substr (line.find_first_not_of (' '));
        if (pending.empty() && line.rfind ("build/qvhost ", 0) != 0)
            continue;
        const auto comment = line.find ("  #");
        if (comment != std::string::npos)
            line = line.substr (0, comment);
        while (! line.empty() && line.back() == ' ')
            line.pop_back();
        if (! line.empty() && line.back() == '\\')
        {
            pending += line.substr (0, line.size() - 1);
            continue;
        }
        commands.push_back (pending + line);
        pending.clear();
    }
    ASSERT_GE (commands.size(), 10u);

    const auto here = fs::current_path();
    fs::current_path (place.path());
    for (const auto& command : commands)
    {
        auto arguments = words (command);
        if (arguments.size() > 1 && arguments[1] == "editor")
            continue;   // needs an X display; the editor tests cover it
        const auto program = buildDir() + "/qvhost";
        arguments.erase (arguments.begin());
        const auto result = runProcess (program, arguments);
        EXPECT_EQ (result.exitCode, 0) << command << "\n" << result.err;
    }
    fs::current_path (here);
}
