#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qvhost
{

/** A VST 2.4 preset file that carries a module's state as an opaque chunk: an .fxp with one
    program ('FPCh') or an .fxb with a bank ('FBCh'). The chunk bytes are the module's own
    (effGetChunk / effSetChunk) and are never looked into.

    Layout, every number a big-endian 32-bit integer:

        0   'CcnK'
        4   byte count of everything after this field
        8   'FPCh' or 'FBCh'
        12  format version (1 for a program; 1 or 2 for a bank, 2 adding the current program)
        16  the plug-in's unique id
        20  the plug-in's version
        24  program: parameter count   bank: program count
        28  program: name, 28 bytes, zero-terminated
            bank: current program (version 2; 0 in version 1), then 124 reserved zero bytes
        56 (program) / 156 (bank): chunk size N, then the N chunk bytes; nothing follows.

    Reading is strict: a file is taken whole or refused with a one-line HostError that says
    what is wrong (not a preset, a parameter-list preset, cut short, extra bytes, ...). A file
    written by `toBytes` reads back into the same fields, and the same fields write the same
    bytes, so a preset read and written again is byte for byte the file it was. */
class PresetFile
{
public:
    enum class Kind { program, bank };

    /** A program preset (format version 1). The name is cut to 27 bytes when written. */
    static PresetFile program (int32_t pluginId, int32_t pluginVersion, int32_t numParameters,
                               const std::string& name, std::vector<uint8_t> chunk);
    /** A bank preset (format version 2, which records the current program). */
    static PresetFile bank (int32_t pluginId, int32_t pluginVersion, int32_t numPrograms,
                            int32_t currentProgram, std::vector<uint8_t> chunk);

    /** Parses a whole file's bytes; `source` names the file in error messages. */
    static PresetFile fromBytes (const std::vector<uint8_t>& bytes, const std::string& source);
    /** Reads and parses a file; throws HostError when it cannot be read or parsed. */
    static PresetFile readFile (const std::string& path);

    std::vector<uint8_t> toBytes() const;

    Kind kind() const noexcept { return fileKind; }
    bool isBank() const noexcept { return fileKind == Kind::bank; }
    int32_t formatVersion() const noexcept { return version; }
    int32_t pluginId() const noexcept { return id; }
    int32_t pluginVersion() const noexcept { return fxVersion; }
    /** Parameters (program) or programs (bank), as the file states them. */
    int32_t count() const noexcept { return itemCount; }
    /** The name field of a program preset; empty for a bank. */
    const std::string& programName() const noexcept { return name; }
    /** The current program of a version-2 bank; 0 otherwise. */
    int32_t currentProgram() const noexcept { return current; }
    const std::vector<uint8_t>& chunk() const noexcept { return data; }

    /** "program preset (FPCh)" or "bank preset (FBCh)". */
    std::string kindName() const;

    /** Bytes in front of the chunk: 60 for a program, 160 for a bank (size field included). */
    static constexpr size_t programHeaderSize = 60;
    static constexpr size_t bankHeaderSize = 160;
    static constexpr size_t nameFieldSize = 28;

    /** A four-character code as text: 'qT02', or hex when not all four bytes are printable. */
    static std::string fourCharText (uint32_t code);

private:
    PresetFile() = default;

    Kind fileKind = Kind::program;
    int32_t version = 1;
    int32_t id = 0;
    int32_t fxVersion = 0;
    int32_t itemCount = 0;
    std::string name;
    int32_t current = 0;
    std::vector<uint8_t> data;
};

} // namespace qvhost
