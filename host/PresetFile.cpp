#include "host/PresetFile.h"
#include "host/HostError.h"
#include "host/ReadWholeFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace qvhost
{

namespace
{
    constexpr uint32_t fourChars (const char (&text)[5])
    {
        return ((uint32_t) (uint8_t) text[0] << 24) | ((uint32_t) (uint8_t) text[1] << 16)
             | ((uint32_t) (uint8_t) text[2] << 8) | (uint32_t) (uint8_t) text[3];
    }

    constexpr uint32_t magicCcnK = fourChars ("CcnK");
    constexpr uint32_t magicFPCh = fourChars ("FPCh");
    constexpr uint32_t magicFBCh = fourChars ("FBCh");
    constexpr uint32_t magicFxCk = fourChars ("FxCk");
    constexpr uint32_t magicFxBk = fourChars ("FxBk");

    // Offsets of the fields after the common part (magic, size, kind, version, id, version, count).
    constexpr size_t commonHeaderSize = 28;
    constexpr size_t bankReservedSize = 124;

    // Far above any real preset; keeps a wrong file name from reading gigabytes into memory.
    constexpr uintmax_t largestFile = 256u * 1024u * 1024u;

    uint32_t readBigEndian (const std::vector<uint8_t>& bytes, size_t at)
    {
        return ((uint32_t) bytes[at] << 24) | ((uint32_t) bytes[at + 1] << 16) | ((uint32_t) bytes[at + 2] << 8)
             | (uint32_t) bytes[at + 3];
    }

    void appendBigEndian (std::vector<uint8_t>& bytes, uint32_t value)
    {
        bytes.push_back ((uint8_t) (value >> 24));
        bytes.push_back ((uint8_t) (value >> 16));
        bytes.push_back ((uint8_t) (value >> 8));
        bytes.push_back ((uint8_t) value);
    }

    std::string bytesText (size_t n) { return std::to_string (n) + (n == 1 ? " byte" : " bytes"); }
}

std::string PresetFile::fourCharText (uint32_t code)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const auto c = (unsigned char) (code >> shift);
        if (c < 0x20 || c > 0x7e)
        {
            char hex[16];
            std::snprintf (hex, sizeof hex, "0x%08x", (unsigned) code);
            return hex;
        }
        text += (char) c;
    }
    return "'" + text + "'";
}

PresetFile PresetFile::program (int32_t pluginId, int32_t pluginVersion, int32_t numParameters, const std::string& name,
                                std::vector<uint8_t> chunk)
{
    PresetFile file;
    file.fileKind = Kind::program;
    file.version = 1;
    file.id = pluginId;
    file.fxVersion = pluginVersion;
    file.itemCount = numParameters;
    file.name = name.substr (0, std::min (name.find ('\0'), nameFieldSize - 1));
    file.data = std::move (chunk);
    return file;
}

PresetFile PresetFile::bank (int32_t pluginId, int32_t pluginVersion, int32_t numPrograms, int32_t currentProgram,
                             std::vector<uint8_t> chunk)
{
    PresetFile file;
    file.fileKind = Kind::bank;
    file.version = 2;
    file.id = pluginId;
    file.fxVersion = pluginVersion;
    file.itemCount = numPrograms;
    file.current = currentProgram;
    file.data = std::move (chunk);
    return file;
}

std::string PresetFile::kindName() const
{
    return isBank() ? "bank preset (FBCh)" : "program preset (FPCh)";
}

PresetFile PresetFile::fromBytes (const std::vector<uint8_t>& bytes, const std::string& source)
{
    const auto fail = [&source] (const std::string& why) { return HostError ("'" + source + "': " + why); };
    const size_t size = bytes.size();

    if (size < 4)
        throw fail ("cut short: " + bytesText (size) + ", too few for a VST preset file");
    const uint32_t magic = readBigEndian (bytes, 0);
    if (magic != magicCcnK)
        throw fail ("not a VST preset file: it begins with " + fourCharText (magic) + " where 'CcnK' belongs");
    if (size < 12)
        throw fail ("cut short: " + bytesText (size) + ", the file ends inside the preset header");

    const uint32_t kindMagic = readBigEndian (bytes, 8);
    if (kindMagic == magicFxCk || kindMagic == magicFxBk)
        throw fail ("a preset that lists parameter values (" + fourCharText (kindMagic)
                    + "); only presets that carry the plug-in's state chunk (FPCh, FBCh) can be loaded");
    if (kindMagic != magicFPCh && kindMagic != magicFBCh)
        throw fail ("unknown preset kind " + fourCharText (kindMagic) + " (expected 'FPCh' for a program or 'FBCh' for a bank)");

    PresetFile file;
    file.fileKind = kindMagic == magicFBCh ? Kind::bank : Kind::program;
    const size_t headerSize = file.isBank() ? bankHeaderSize : programHeaderSize;
    const char* kindCode = file.isBank() ? "FBCh" : "FPCh";
    if (size < headerSize)
        throw fail ("cut short: " + bytesText (size) + ", but the " + kindCode + " header alone takes " + bytesText (headerSize));

    // The size field counts everything after itself. A writer that left it 0 (or too small) is
    // forgiven, since the chunk size says the same; one that promises more than is there means
    // the file was cut.
    const uint32_t declared = readBigEndian (bytes, 4);
    if ((uintmax_t) declared + 8 > size)
        throw fail ("cut short: the header announces " + bytesText ((size_t) declared + 8) + " but the file has "
                    + bytesText (size));

    file.version = (int32_t) readBigEndian (bytes, 12);
    const bool versionKnown = file.isBank() ? (file.version == 1 || file.version == 2) : file.version == 1;
    if (! versionKnown)
        throw fail (std::string ("unknown ") + kindCode + " format version " + std::to_string (file.version)
                    + (file.isBank() ? " (1 and 2 are known)" : " (1 is known)"));

    file.id = (int32_t) readBigEndian (bytes, 16);
    file.fxVersion = (int32_t) readBigEndian (bytes, 20);
    file.itemCount = (int32_t) readBigEndian (bytes, 24);

    if (file.isBank())
    {
        file.current = file.version >= 2 ? (int32_t) readBigEndian (bytes, commonHeaderSize) : 0;
    }
    else
    {
        const auto* nameStart = reinterpret_cast<const char*> (bytes.data() + commonHeaderSize);
        file.name.assign (nameStart, strnlen (nameStart, nameFieldSize));
    }

    const uint32_t chunkSize = readBigEndian (bytes, headerSize - 4);
    const size_t available = size - headerSize;
    if (chunkSize == 0)
        throw fail ("the preset holds an empty state chunk");
    if (chunkSize > available)
        throw fail ("cut short: the state chunk should have " + bytesText (chunkSize) + " but only "
                    + bytesText (available) + " follow the header");
    if (chunkSize < available)
        throw fail (bytesText (available - chunkSize) + " after the end of the state chunk; the file is not one preset");

    file.data.assign (bytes.begin() + (std::ptrdiff_t) headerSize, bytes.end());
    return file;
}

PresetFile PresetFile::readFile (const std::string& path)
{
    return fromBytes (readWholeFile (path, largestFile, "a preset file"), path);
}

std::vector<uint8_t> PresetFile::toBytes() const
{
    const size_t headerSize = isBank() ? bankHeaderSize : programHeaderSize;
    const size_t total = headerSize + data.size();
    if (data.empty() || total - 8 > 0x7fffffffu)
        throw HostError (data.empty() ? "a preset needs a state chunk; this one is empty"
                                      : "the state chunk is too large for a preset file");

    std::vector<uint8_t> bytes;
    bytes.reserve (total);
    appendBigEndian (bytes, magicCcnK);
    appendBigEndian (bytes, (uint32_t) (total - 8));
    appendBigEndian (bytes, isBank() ? magicFBCh : magicFPCh);
    appendBigEndian (bytes, (uint32_t) version);
    appendBigEndian (bytes, (uint32_t) id);
    appendBigEndian (bytes, (uint32_t) fxVersion);
    appendBigEndian (bytes, (uint32_t) itemCount);

    if (isBank())
    {
        appendBigEndian (bytes, version >= 2 ? (uint32_t) current : 0u);
        bytes.insert (bytes.end(), bankReservedSize, 0);
    }
    else
    {
        // The name and its terminating zero; the rest of the field is zero as well, so equal
        // names give equal files.
        bytes.insert (bytes.end(), name.begin(), name.end());
        bytes.insert (bytes.end(), nameFieldSize - name.size(), 0);
    }

    appendBigEndian (bytes, (uint32_t) data.size());
    bytes.insert (bytes.end(), data.begin(), data.end());
    return bytes;
}

} // namespace qvhost
