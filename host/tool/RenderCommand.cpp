#include "host/tool/AtomicOutputFile.h"
#include "host/tool/CommandLine.h"
#include "host/tool/Commands.h"
#include "host/tool/ModuleReport.h"
#include "host/tool/ParameterSettings.h"
#include "host/tool/ProgressBar.h"
#include "host/tool/SoundFile.h"
#include "host/HostError.h"
#include "host/ParameterResolver.h"
#include "host/PluginInstance.h"
#include "host/PresetFile.h"
#include "host/PresetTransfer.h"

#include <sndfile.h>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>

namespace qvhost
{

namespace
{
    struct RenderOptions
    {
        std::string modulePath, inputPath, outputPath;
        int outputMajor = 0;
        std::optional<int> sampleBits;   // 16 or 24; none: float (24 for FLAC)
        int32_t blockSize = 512;
        std::vector<ParameterSetting> parameters;
        std::optional<int32_t> program;
        std::optional<std::string> chunkPath, bankChunkPath, presetPath;
        double tempo = 120.0;
        int32_t timeSigNumerator = 4, timeSigDenominator = 4;
        bool playing = false;
        double tailSeconds = 0.0;
    };

    RenderOptions parseOptions (const CommandLine& line)
    {
        line.expectPositionals ({ "MODULE", "IN", "OUT" });
        RenderOptions o;
        o.modulePath = line.positionals()[0];
        o.inputPath = line.positionals()[1];
        o.outputPath = line.positionals()[2];

        o.outputMajor = SoundFile::majorFormatForName (o.outputPath);
        if (o.outputMajor == 0)
            throw UsageError ("cannot tell the output format from '" + o.outputPath + "': name it .wav, .aif, .aiff or .flac");

        if (auto format = line.value ("format"))
        {
            if (*format == "16" || *format == "24")
                o.sampleBits = std::atoi (format->c_str());
            else if (*format != "float")
                throw UsageError ("bad --format '" + *format + "': use 16, 24 or float");
            else if (o.outputMajor == SF_FORMAT_FLAC)
                throw UsageError ("FLAC holds no float samples: use --format 16 or 24 for a .flac output");
        }

        if (auto block = line.value ("block"))
        {
            const auto n = parseWhole (*block, "--block");
            if (n < 1 || n > 65536)
                throw UsageError ("bad --block '" + *block + "': use 1 to 65536 frames");
            o.blockSize = (int32_t) n;
        }

        o.parameters = parseParameterSettings (line);

        if (auto program = line.value ("program"))
            o.program = (int32_t) parseWhole (*program, "--program");
        o.chunkPath = line.value ("chunk");
        o.bankChunkPath = line.value ("bank-chunk");
        o.presetPath = line.value ("preset");

        if (auto tempo = line.value ("tempo"))
        {
            o.tempo = parseNumber (*tempo, "--tempo");
            if (o.tempo <= 0.0 || o.tempo > 999.0)
                throw UsageError ("bad --tempo '" + *tempo + "': use more than 0 and at most 999 BPM");
        }

        if (auto signature = line.value ("timesig"))
        {
            const auto slash = signature->find ('/');
            if (slash == std::string::npos)
                throw UsageError ("bad --timesig '" + *signature + "': use N/D, for example 3/4");
            const auto n = parseWhole (signature->substr (0, slash), "--timesig numerator");
            const auto d = parseWhole (signature->substr (slash + 1), "--timesig denominator");
            const bool powerOfTwo = d >= 1 && d <= 64 && (d & (d - 1)) == 0;
            if (n < 1 || n > 64 || ! powerOfTwo)
                throw UsageError ("bad --timesig '" + *signature + "': N is 1 to 64, D one of 1, 2, 4, 8, 16, 32, 64");
            o.timeSigNumerator = (int32_t) n;
            o.timeSigDenominator = (int32_t) d;
        }

        o.playing = line.has ("playing");

        if (auto tail = line.value ("tail"))
        {
            o.tailSeconds = parseNumber (*tail, "--tail");
            if (o.tailSeconds < 0.0 || o.tailSeconds > 3600.0)
                throw UsageError ("bad --tail '" + *tail + "': use 0 to 3600 seconds");
        }
        return o;
    }

    const char* sampleFormatName (int format)
    {
        switch (format & SF_FORMAT_SUBMASK)
        {
            case SF_FORMAT_PCM_16: return "16-bit";
            case SF_FORMAT_PCM_24: return "24-bit";
            case SF_FORMAT_FLOAT:  return "32-bit float";
            default:               return "?";
        }
    }
}

static int runRender (const std::vector<std::string>& arguments)
{
    CommandLine line (arguments, { { "format", true }, { "block", true }, { "param", true, true }, { "program", true },
                                   { "chunk", true }, { "bank-chunk", true }, { "preset", true }, { "tempo", true }, { "timesig", true },
                                   { "playing" }, { "tail", true } });
    if (line.wantsHelp())
    {
        std::cout << renderCommand.help;
        return exitOk;
    }
    const RenderOptions o = parseOptions (line);

    // Everything that can be checked goes first, so a refusal never leaves an output behind.
    SoundFile input = SoundFile::openForReading (o.inputPath);
    std::vector<uint8_t> bankChunk, programChunk;
    if (o.bankChunkPath)
        bankChunk = readChunkFile (*o.bankChunkPath);
    if (o.chunkPath)
        programChunk = readChunkFile (*o.chunkPath);
    std::optional<PresetFile> preset;
    if (o.presetPath)
    {
        preset = PresetFile::readFile (*o.presetPath);
        if (preset->isBank() && o.bankChunkPath)
            throw UsageError ("--preset '" + *o.presetPath + "' is a bank and so is --bank-chunk: give one of them");
        if (! preset->isBank() && o.chunkPath)
            throw UsageError ("--preset '" + *o.presetPath + "' is a program and so is --chunk: give one of them");
    }

    const int sampleRate = input.sampleRate();
    auto instance = openModule (o.modulePath, sampleRate, o.blockSize);
    const int32_t moduleInputs = instance->numInputs();
    const int32_t moduleOutputs = instance->numOutputs();
    if (moduleInputs < 1)
        throw HostError ("the module has no audio inputs; render processes a file through an effect");
    if (moduleOutputs < 1)
        throw HostError ("the module has no audio outputs");
    if (input.channels() != 1 && input.channels() != moduleInputs)
        throw HostError ("'" + o.inputPath + "' has " + std::to_string (input.channels()) + " channels but the module takes "
                         + std::to_string (moduleInputs) + (moduleInputs == 1 ? " input" : " inputs")
                         + ": give a mono file" + (moduleInputs > 1 ? " or one with " + std::to_string (moduleInputs) + " channels" : ""));

    if ((! bankChunk.empty() || ! programChunk.empty()) && ! instance->hasFlag (vst::effFlagsProgramChunks))
        throw HostError ("the module keeps no state chunks (effFlagsProgramChunks is clear); --chunk and --bank-chunk need them");
    if (preset)
        checkPresetFits (*instance, *preset, *o.presetPath);
    if (! bankChunk.empty())
        instance->setChunk (bankChunk, false);
    if (preset && preset->isBank())
        loadPreset (*instance, *preset, *o.presetPath);
    if (o.program)
        instance->setProgram (*o.program);
    if (! programChunk.empty())
        instance->setChunk (programChunk, true);
    if (preset && ! preset->isBank())
        loadPreset (*instance, *preset, *o.presetPath);
    applyParameterSettings (*instance, o.parameters);

    auto& timeline = instance->timeline();
    timeline.setTempo (o.tempo);
    timeline.setTimeSignature (o.timeSigNumerator, o.timeSigDenominator);
    timeline.setPlaying (o.playing);
    instance->setOfflineRendering (true);

    int subtype = SF_FORMAT_FLOAT;
    if (o.sampleBits)
        subtype = *o.sampleBits == 16 ? SF_FORMAT_PCM_16 : SF_FORMAT_PCM_24;
    else if (o.outputMajor == SF_FORMAT_FLAC)
        subtype = SF_FORMAT_PCM_24;

    AtomicOutputFile outputFile (o.outputPath);
    SoundFile output = SoundFile::openForWriting (outputFile.descriptor(), o.outputPath, o.outputMajor | subtype,
                                                  moduleOutputs, sampleRate);

    const int32_t block = o.blockSize;
    const int inChannels = input.channels();
    std::vector<float> interleavedIn ((size_t) block * (size_t) inChannels);
    std::vector<float> interleavedOut ((size_t) block * (size_t) moduleOutputs);
    std::vector<std::vector<float>> inBuffers ((size_t) moduleInputs, std::vector<float> ((size_t) block));
    std::vector<std::vector<float>> outBuffers ((size_t) moduleOutputs, std::vector<float> ((size_t) block));
    std::vector<float*> inPointers, outPointers;
    for (auto& b : inBuffers)
        inPointers.push_back (b.data());
    for (auto& b : outBuffers)
        outPointers.push_back (b.data());

    const auto tailFrames = (int64_t) std::llround (o.tailSeconds * sampleRate);
    const int64_t expected = std::max<int64_t> (input.frames(), 0) + tailFrames;
    ProgressBar progress (expected, expected >= 20 * (int64_t) sampleRate);

    auto processBlock = [&] (int32_t frames)
    {
        instance->process (inPointers.data(), outPointers.data(), frames);
        timeline.advance (frames);
        for (int32_t f = 0; f < frames; ++f)
            for (int32_t c = 0; c < moduleOutputs; ++c)
                interleavedOut[(size_t) f * (size_t) moduleOutputs + (size_t) c] = outBuffers[(size_t) c][(size_t) f];
        output.write (interleavedOut.data(), frames);
        progress.update (output.frames());
    };

    instance->resume();
    int64_t inputFrames = 0;
    for (;;)
    {
        const auto got = (int32_t) input.read (interleavedIn.data(), block);
        if (got == 0)
            break;
        inputFrames += got;
        for (int32_t c = 0; c < moduleInputs; ++c)
        {
            const int source = inChannels == 1 ? 0 : c;
            for (int32_t f = 0; f < got; ++f)
                inBuffers[(size_t) c][(size_t) f] = interleavedIn[(size_t) f * (size_t) inChannels + (size_t) source];
        }
        processBlock (got);
    }

    for (auto& b : inBuffers)
        std::fill (b.begin(), b.end(), 0.0f);
    for (int64_t left = tailFrames; left > 0;)
    {
        const auto frames = (int32_t) std::min<int64_t> (left, block);
        processBlock (frames);
        left -= frames;
    }
    instance->close();

    output.close();
    outputFile.commit();
    progress.finish();

    const int64_t total = inputFrames + tailFrames;
    std::printf ("rendered %lld frames (%.3f s) at %d Hz, %d channel%s, %s: %s\n", (long long) total,
                 (double) total / sampleRate, sampleRate, moduleOutputs, moduleOutputs == 1 ? "" : "s",
                 sampleFormatName (subtype), o.outputPath.c_str());
    return exitOk;
}

const Command renderCommand {
    "render",
    "render MODULE IN OUT [options]       process an audio file through the module",
    "usage: qvhost render MODULE IN OUT [options]\n"
    "\n"
    "Processes IN through one effect of MODULE, offline, block by block, and writes OUT at\n"
    "IN's sample rate. OUT's name picks its format: .wav, .aif/.aiff or .flac. A mono IN\n"
    "feeds every input of the module; any other IN needs as many channels as the module has\n"
    "inputs. OUT gets one channel per module output. OUT appears only when the whole render\n"
    "succeeded (it is written under a temporary name in the same folder, then renamed).\n"
    "\n"
    "options:\n"
    "  --format 16|24|float  sample format of OUT (default float; FLAC has no float: 24)\n"
    "  --block N             frames per processing call, 1 to 65536 (default 512)\n"
    "  --param NAME=VALUE    set a parameter before processing; repeatable (see below)\n"
    "  --param INDEX=VALUE\n"
    "  --program N           select program N\n"
    "  --bank-chunk FILE     load a bank state chunk (as saved by 'qvhost chunk get')\n"
    "  --chunk FILE          load a program state chunk ('qvhost chunk get --program')\n"
    "  --preset FILE         load a VST preset file ('qvhost preset save'): an .fxp like\n"
    "                        --chunk; an .fxb like --bank-chunk, then its current program\n"
    "                        is selected (--program picks another)\n"
    "  --tempo BPM           host tempo, more than 0 up to 999 (default 120)\n"
    "  --timesig N/D         host time signature (default 4/4)\n"
    "  --playing             the host transport plays (default: stopped); the play\n"
    "                        position starts at 0 and moves on with each block only\n"
    "                        while playing\n"
    "  --tail SECONDS        silence appended after IN so echoes ring out (default 0)\n"
    "\n"
    "Before processing, the settings are applied in this order, whatever their order on the\n"
    "command line: bank chunk or bank preset, program, program chunk or program preset,\n"
    "parameters. A preset for another plug-in, or a damaged one, is refused before OUT is made.\n"
    "\n"
    "Parameter names, tried in this order (exact, case counts):\n"
    "  1. an index, 0 to count - 1;\n"
    "  2. the name the module reports for exactly one parameter ('qvhost info' lists them);\n"
    "  3. a full name: when the module's program chunk holds name=\"value\" pairs whose names\n"
    "     line up one to one, in parameter order, with the reported names as their\n"
    "     beginnings, those names are the full names (so fPreDelayLeft and fPreDelayRight\n"
    "     are told apart although both are reported as \"fPreDela\");\n"
    "  4. only for modules without full names: a name beginning with the reported name of\n"
    "     exactly one parameter, when that reported name is 8 characters long (the most a\n"
    "     VST 2.4 module may report, so it may have been cut).\n"
    "A reported name that several parameters share is refused as ambiguous.\n"
    "\n"
    "A progress bar appears on stderr when it is a terminal and the output is 20 s or longer.\n",
    runRender,
};

} // namespace qvhost
