#pragma once
// The VST 2.4 binary interface as hosts and plug-ins exchange it: the effect
// record, the callback signatures, the opcode and flag numbers and the small
// records passed by pointer. Written from the published numbers and layouts;
// every field keeps its size and position, so this header is the contract with
// real hosts and must not be reordered.

#include <cstdint>

namespace vst
{

#if defined(_WIN32) && !defined(_WIN64)
 #define QV_VSTCALL __cdecl
#else
 #define QV_VSTCALL
#endif

struct AEffect;

using HostCallback      = intptr_t (QV_VSTCALL*) (AEffect*, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
using DispatcherProc    = intptr_t (QV_VSTCALL*) (AEffect*, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
using ProcessProc       = void     (QV_VSTCALL*) (AEffect*, float** inputs, float** outputs, int32_t sampleFrames);
using ProcessDoubleProc = void     (QV_VSTCALL*) (AEffect*, double** inputs, double** outputs, int32_t sampleFrames);
using SetParameterProc  = void     (QV_VSTCALL*) (AEffect*, int32_t index, float value);
using GetParameterProc  = float    (QV_VSTCALL*) (AEffect*, int32_t index);
using EntryProc         = AEffect* (QV_VSTCALL*) (HostCallback);

/** Packs four characters the way VST identifiers are packed: first character in the top byte. */
constexpr int32_t fourCC (char a, char b, char c, char d) noexcept
{
    return (int32_t) (((uint32_t) (uint8_t) a << 24) | ((uint32_t) (uint8_t) b << 16)
                      | ((uint32_t) (uint8_t) c << 8) | (uint32_t) (uint8_t) d);
}

constexpr int32_t kEffectMagic = fourCC ('V', 's', 't', 'P');

struct AEffect
{
    int32_t magic;
    DispatcherProc dispatcher;
    ProcessProc process;               // deprecated accumulating call
    SetParameterProc setParameter;
    GetParameterProc getParameter;
    int32_t numPrograms;
    int32_t numParams;
    int32_t numInputs;
    int32_t numOutputs;
    int32_t flags;
    intptr_t resvd1;
    intptr_t resvd2;
    int32_t initialDelay;
    int32_t realQualities;
    int32_t offQualities;
    float ioRatio;
    void* object;                      // the plug-in's own instance
    void* user;                        // free for the host
    int32_t uniqueID;
    int32_t version;
    ProcessProc processReplacing;
    ProcessDoubleProc processDoubleReplacing;
    char future[56];
};

enum EffectFlags : int32_t
{
    effFlagsHasEditor          = 1 << 0,
    effFlagsCanReplacing       = 1 << 4,
    effFlagsProgramChunks      = 1 << 5,
    effFlagsIsSynth            = 1 << 8,
    effFlagsNoSoundInStop      = 1 << 9,
    effFlagsCanDoubleReplacing = 1 << 12,
};

/** Opcodes the host sends to the plug-in's dispatcher. */
enum EffectOpcode : int32_t
{
    effOpen = 0, effClose, effSetProgram, effGetProgram, effSetProgramName, effGetProgramName,
    effGetParamLabel, effGetParamDisplay, effGetParamName, effGetVu, effSetSampleRate,
    effSetBlockSize, effMainsChanged, effEditGetRect, effEditOpen, effEditClose, effEditDraw,
    effEditMouse, effEditKey, effEditIdle, effEditTop, effEditSleep, effIdentify, effGetChunk,
    effSetChunk, effProcessEvents, effCanBeAutomated, effString2Parameter,
    effGetNumProgramCategories, effGetProgramNameIndexed, effCopyProgram, effConnectInput,
    effConnectOutput, effGetInputProperties, effGetOutputProperties, effGetPlugCategory,
    effGetCurrentPosition, effGetDestinationBuffer, effOfflineNotify, effOfflinePrepare,
    effOfflineRun, effProcessVarIo, effSetSpeakerArrangement, effSetBlockSizeAndSampleRate,
    effSetBypass, effGetEffectName, effGetErrorText, effGetVendorString, effGetProductString,
    effGetVendorVersion, effVendorSpecific, effCanDo, effGetTailSize, effIdle, effGetIcon,
    effSetViewPosition, effGetParameterProperties, effKeysRequired, effGetVstVersion,
    effEditKeyDown, effEditKeyUp, effSetEditKnobMode, effGetMidiProgramName,
    effGetCurrentMidiProgram, effGetMidiProgramCategory, effHasMidiProgramsChanged,
    effGetMidiKeyName, effBeginSetProgram, effEndSetProgram, effGetSpeakerArrangement,
    effShellGetNextPlugin, effStartProcess, effStopProcess, effSetTotalSampleSizeToProcess,
    effSetPanLaw, effBeginLoadBank, effBeginLoadProgram, effSetProcessPrecision,
    effGetNumMidiInputChannels, effGetNumMidiOutputChannels,
};
static_assert (effEditIdle == 19 && effGetChunk == 23 && effCanDo == 51
               && effGetSpeakerArrangement == 69 && effGetNumMidiOutputChannels == 79,
               "opcode numbering");

/** Opcodes the plug-in sends to the host callback. */
enum HostOpcode : int32_t
{
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterCurrentId = 2,
    audioMasterIdle = 3,
    audioMasterWantMidi = 6,
    audioMasterGetTime = 7,
    audioMasterProcessEvents = 8,
    audioMasterIOChanged = 13,
    audioMasterSizeWindow = 15,
    audioMasterGetSampleRate = 16,
    audioMasterGetBlockSize = 17,
    audioMasterGetInputLatency = 18,
    audioMasterGetOutputLatency = 19,
    audioMasterGetCurrentProcessLevel = 23,
    audioMasterGetAutomationState = 24,
    audioMasterGetVendorString = 32,
    audioMasterGetProductString = 33,
    audioMasterGetVendorVersion = 34,
    audioMasterVendorSpecific = 35,
    audioMasterCanDo = 37,
    audioMasterGetLanguage = 38,
    audioMasterGetDirectory = 41,
    audioMasterUpdateDisplay = 42,
    audioMasterBeginEdit = 43,
    audioMasterEndEdit = 44,
};

enum PlugCategory : int32_t
{
    kPlugCategUnknown = 0,
    kPlugCategEffect = 1,
};

/** Transport and validity flags of VstTimeInfo::flags. */
enum TimeInfoFlags : int32_t
{
    kVstTransportChanged     = 1,
    kVstTransportPlaying     = 1 << 1,
    kVstTransportCycleActive = 1 << 2,
    kVstTransportRecording   = 1 << 3,
    kVstAutomationWriting    = 1 << 6,
    kVstAutomationReading    = 1 << 7,
    kVstNanosValid           = 1 << 8,
    kVstPpqPosValid          = 1 << 9,
    kVstTempoValid           = 1 << 10,
    kVstBarsValid            = 1 << 11,
    kVstCyclePosValid        = 1 << 12,
    kVstTimeSigValid         = 1 << 13,
    kVstSmpteValid           = 1 << 14,
    kVstClockValid           = 1 << 15,
};

/** SMPTE frame-rate codes of VstTimeInfo::smpteFrameRate. */
enum SmpteFrameRate : int32_t
{
    kVstSmpte24fps = 0, kVstSmpte25fps = 1, kVstSmpte2997fps = 2, kVstSmpte30fps = 3,
    kVstSmpte2997dfps = 4, kVstSmpte30dfps = 5, kVstSmpteFilm16mm = 6, kVstSmpteFilm35mm = 7,
    kVstSmpte239fps = 10, kVstSmpte249fps = 11, kVstSmpte599fps = 12, kVstSmpte60fps = 13,
};

struct VstTimeInfo
{
    double samplePos;
    double sampleRate;
    double nanoSeconds;
    double ppqPos;
    double tempo;
    double barStartPos;
    double cycleStartPos;
    double cycleEndPos;
    int32_t timeSigNumerator;
    int32_t timeSigDenominator;
    int32_t smpteOffset;
    int32_t smpteFrameRate;
    int32_t samplesToNextClock;
    int32_t flags;
};

struct ERect
{
    int16_t top, left, bottom, right;
};

/** Text sizes the standard gives the host's buffers (characters, without the zero byte). */
enum StringLimits : int
{
    kVstMaxProgNameLen   = 24,
    kVstMaxParamStrLen   = 8,
    kVstMaxVendorStrLen  = 64,
    kVstMaxProductStrLen = 64,
    kVstMaxEffectNameLen = 32,
};

constexpr int32_t kVstVersion = 2400;

} // namespace vst
