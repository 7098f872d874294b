// The .fxp/.fxb layout on its own, without a module: field positions, byte order, the name
// field, exact round trips, and a clear refusal for every kind of damaged or foreign file.
#include "host/HostError.h"
#include "host/PresetFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using qvhost::HostError;
using qvhost::PresetFile;
using ::testing::HasSubstr;

namespace
{
constexpr int32_t qT02 = ('q' << 24) | ('T' << 16) | ('0' << 8) | '2';

std::vector<uint8_t> someChunk (size_t size)
{
    std::vector<uint8_t> chunk (size);
    for (size_t i = 0; i < size; ++i)
        chunk[i] = (uint8_t) (i * 7 + 3);
    return chunk;
}

uint32_t bigEndianAt (const std::vector<uint8_t>& bytes, size_t at)
{
    return ((uint32_t) bytes[at] << 24) | ((uint32_t) bytes[at + 1] << 16) | ((uint32_t) bytes[at + 2] << 8) | bytes[at + 3];
}

void putBigEndian (std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    bytes[at] = (uint8_t) (value >> 24);
    bytes[at + 1] = (uint8_t) (value >> 16);
    bytes[at + 2] = (uint8_t) (value >> 8);
    bytes[at + 3] = (uint8_t) value;
}

std::string fourChars (const std::vector<uint8_t>& bytes, size_t at) { return std::string (bytes.begin() + (long) at, bytes.begin() + (long) at + 4); }

std::vector<uint8_t> programBytes() { return PresetFile::program (qT02, 65792, 36, "Slap-back", someChunk (40)).toBytes(); }
std::vector<uint8_t> bankBytes() { return PresetFile::bank (qT02, 65792, 128, 5, someChunk (300)).toBytes(); }

/** The message fromBytes gives for these bytes, or "accepted". */
std::string refusal (const std::vector<uint8_t>& bytes)
{
    try
    {
        PresetFile::fromBytes (bytes, "x.fxp");
        return "accepted";
    }
    catch (const HostError& e)
    {
        return e.what();
    }
}
}

TEST (PresetFileLayout, ProgramFieldsSitWhereHostsLookForThem)
{
    const auto chunk = someChunk (40);
    const auto bytes = PresetFile::program (qT02, 65792, 36, "Slap-back", chunk).toBytes();
    ASSERT_EQ (bytes.size(), 60u + 40u);

    EXPECT_EQ (fourChars (bytes, 0), "CcnK");
    EXPECT_EQ (bigEndianAt (bytes, 4), bytes.size() - 8);
    EXPECT_EQ (fourChars (bytes, 8), "FPCh");
    EXPECT_EQ (bigEndianAt (bytes, 12), 1u);        // format version
    EXPECT_EQ (fourChars (bytes, 16), "qT02");      // the id, most significant byte first
    EXPECT_EQ (bigEndianAt (bytes, 20), 65792u);    // 1.1.0
    EXPECT_EQ (bigEndianAt (bytes, 24), 36u);
    EXPECT_EQ (std::string (bytes.begin() + 28, bytes.begin() + 37), "Slap-back");
    for (size_t i = 37; i < 56; ++i)
        EXPECT_EQ (bytes[i], 0) << "name field byte " << i;
    EXPECT_EQ (bigEndianAt (bytes, 56), 40u);
    EXPECT_EQ (std::vector<uint8_t> (bytes.begin() + 60, bytes.end()), chunk);
}

TEST (PresetFileLayout, BankRecordsItsCurrentProgramAndReservesTheRest)
{
    const auto chunk = someChunk (300);
    const auto bytes = PresetFile::bank (qT02, 65792, 128, 5, chunk).toBytes();
    ASSERT_EQ (bytes.size(), 160u + 300u);

    EXPECT_EQ (fourChars (bytes, 0), "CcnK");
    EXPECT_EQ (bigEndianAt (bytes, 4), bytes.size() - 8);
    EXPECT_EQ (fourChars (bytes, 8), "FBCh");
    EXPECT_EQ (bigEndianAt (bytes, 12), 2u);
    EXPECT_EQ (fourChars (bytes, 16), "qT02");
    EXPECT_EQ (bigEndianAt (bytes, 20), 65792u);
    EXPECT_EQ (bigEndianAt (bytes, 24), 128u);
    EXPECT_EQ (bigEndianAt (bytes, 28), 5u);
    for (size_t i = 32; i < 156; ++i)
        EXPECT_EQ (bytes[i], 0) << "reserved byte " << i;
    EXPECT_EQ (bigEndianAt (bytes, 156), 300u);
    EXPECT_EQ (std::vector<uint8_t> (bytes.begin() + 160, bytes.end()), chunk);
}

TEST (PresetFileLayout, ReadingGivesBackEveryFieldAndWritingTheSameBytes)
{
    for (const auto& bytes : { programBytes(), bankBytes() })
    {
        const auto file = PresetFile::fromBytes (bytes, "x");
        EXPECT_EQ (file.pluginId(), qT02);
        EXPECT_EQ (file.pluginVersion(), 65792);
        EXPECT_EQ (file.toBytes(), bytes);
        if (file.isBank())
        {
            EXPECT_EQ (file.count(), 128);
            EXPECT_EQ (file.currentProgram(), 5);
            EXPECT_EQ (file.chunk(), someChunk (300));
        }
        else
        {
            EXPECT_EQ (file.count(), 36);
            EXPECT_EQ (file.programName(), "Slap-back");
            EXPECT_EQ (file.chunk(), someChunk (40));
        }
    }
}

TEST (PresetFileLayout, NameFieldKeepsItsTerminatorOrTakesAForeignFullWidthName)
{
    const std::string longName (40, 'n');
    const auto written = PresetFile::program (qT02, 1, 36, longName, someChunk (8)).toBytes();
    EXPECT_EQ (PresetFile::fromBytes (written, "x").programName(), std::string (27, 'n'));
    EXPECT_EQ (written[28 + 27], 0);

    // Another host may fill all 28 bytes: read as they are, written back unchanged.
    auto foreign = written;
    for (size_t i = 28; i < 56; ++i)
        foreign[i] = 'm';
    const auto file = PresetFile::fromBytes (foreign, "x");
    EXPECT_EQ (file.programName(), std::string (28, 'm'));
    EXPECT_EQ (file.toBytes(), foreign);
}

TEST (PresetFileLayout, VersionOneBankHasNoCurrentProgram)
{
    auto bytes = bankBytes();
    putBigEndian (bytes, 12, 1);
    putBigEndian (bytes, 28, 0);
    const auto file = PresetFile::fromBytes (bytes, "x");
    EXPECT_EQ (file.formatVersion(), 1);
    EXPECT_EQ (file.currentProgram(), 0);
    EXPECT_EQ (file.toBytes(), bytes);
}

TEST (PresetFileLayout, SizeFieldLeftAtZeroIsForgiven)
{
    auto bytes = programBytes();
    putBigEndian (bytes, 4, 0);
    EXPECT_EQ (PresetFile::fromBytes (bytes, "x").chunk(), someChunk (40));
}

TEST (PresetFileRefusal, EveryFileCutShortSaysSo)
{
    for (const auto& whole : { programBytes(), bankBytes() })
        for (size_t size = 0; size < whole.size(); ++size)
        {
            const std::vector<uint8_t> cut (whole.begin(), whole.begin() + (long) size);
            EXPECT_THAT (refusal (cut), HasSubstr ("cut short")) << size << " of " << whole.size() << " bytes";
        }
}

TEST (PresetFileRefusal, DamagedOrForeignFilesNameTheirFault)
{
    struct Case
    {
        const char* what;
        std::vector<uint8_t> (*make)();
        const char* message;
    };
    const Case cases[] = {
        { "a RIFF file", [] { auto b = programBytes(); b[0] = 'R', b[1] = 'I', b[2] = 'F', b[3] = 'F'; return b; },
          "not a VST preset file: it begins with 'RIFF'" },
        { "one changed magic byte", [] { auto b = programBytes(); b[1] = 'C'; return b; }, "where 'CcnK' belongs" },
        { "a parameter-list program", [] { auto b = programBytes(); b[8] = 'F', b[9] = 'x', b[10] = 'C', b[11] = 'k'; return b; },
          "lists parameter values ('FxCk')" },
        { "a parameter-list bank", [] { auto b = bankBytes(); b[8] = 'F', b[9] = 'x', b[10] = 'B', b[11] = 'k'; return b; },
          "lists parameter values ('FxBk')" },
        { "an unknown kind", [] { auto b = programBytes(); b[8] = 'A', b[9] = 'B', b[10] = 'C', b[11] = 'D'; return b; },
          "unknown preset kind 'ABCD'" },
        { "program format version 2", [] { auto b = programBytes(); putBigEndian (b, 12, 2); return b; },
          "unknown FPCh format version 2" },
        { "bank format version 3", [] { auto b = bankBytes(); putBigEndian (b, 12, 3); return b; },
          "unknown FBCh format version 3" },
        { "an empty chunk", [] { auto b = programBytes(); b.resize (60); putBigEndian (b, 4, 52); putBigEndian (b, 56, 0); return b; },
          "empty state chunk" },
        { "a chunk size past the end", [] { auto b = programBytes(); putBigEndian (b, 56, 41); return b; },
          "cut short: the state chunk should have 41 bytes but only 40 bytes follow" },
        { "a chunk size of 2^31 and more", [] { auto b = programBytes(); putBigEndian (b, 56, 0xfffffff0u); return b; },
          "cut short" },
        { "bytes after the chunk", [] { auto b = programBytes(); b.push_back (0); putBigEndian (b, 4, (uint32_t) b.size() - 8); return b; },
          "1 byte after the end of the state chunk" },
        { "a size field promising more", [] { auto b = bankBytes(); putBigEndian (b, 4, (uint32_t) b.size()); return b; },
          "cut short: the header announces" },
    };
    for (const auto& c : cases)
    {
        const std::string message = refusal (c.make());
        EXPECT_THAT (message, HasSubstr (c.message)) << c.what;
        EXPECT_THAT (message, HasSubstr ("'x.fxp'")) << c.what;   // names the file
    }
}

TEST (PresetFileRefusal, UnreadablePathsAreReportedAsSuch)
{
    const auto folder = std::filesystem::temp_directory_path();
    EXPECT_THROW (
        {
            try { PresetFile::readFile ((folder / "qv-no-such-preset.fxp").string()); }
            catch (const HostError& e) { EXPECT_THAT (e.what(), HasSubstr ("cannot read")); throw; }
        },
        HostError);
    EXPECT_THROW (
        {
            try { PresetFile::readFile (folder.string()); }
            catch (const HostError& e) { EXPECT_THAT (e.what(), HasSubstr ("it is a folder")); throw; }
        },
        HostError);
}
