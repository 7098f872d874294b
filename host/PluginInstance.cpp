#include "host/PluginInstance.h"
#include "host/FpuGuard.h"
#include "host/HostError.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace qvhost
{

namespace
{
    // The instance whose entry call is running on this thread: modules call the host before
    // the entry has returned their record (audioMasterVersion with a null effect, often more),
    // so those calls cannot be routed through the record yet.
    thread_local PluginInstance* instanceInEntry = nullptr;
    // True while this thread is inside an audio call of some module.
    thread_local bool inAudioCall = false;

    // Instances whose records have been handed out. The record's `user` field (the host's own)
    // points back at the instance; checking it against this set keeps a stray or stale record
    // from sending the callback into freed memory.
    std::mutex liveLock;
    std::set<const PluginInstance*> liveInstances;

    constexpr size_t maxRecordedCalls = 1000000;
    constexpr size_t textBufferSize = 512;  // far above every size the standard gives a module

    void copyText (const char* text, void* destination, size_t maxChars)
    {
        if (destination == nullptr)
            return;
        auto* out = static_cast<char*> (destination);
        const size_t n = std::min (std::strlen (text), maxChars);
        std::memcpy (out, text, n);
        out[n] = 0;
    }

    struct AudioCallScope
    {
        AudioCallScope() noexcept { inAudioCall = true; }
        ~AudioCallScope() { inAudioCall = false; }
    };
}

PluginInstance::PluginInstance (std::shared_ptr<VstModule> module, double rate, int32_t size)
    : moduleRef (std::move (module)), sampleRate (rate), blockSize (size)
{
    if (moduleRef == nullptr)
        throw HostError ("no module given");

    moduleFolder = moduleRef->folder();
    hostTimeline.setSampleRate (sampleRate);

    // Host-side answers to audioMasterCanDo; anything else gets 0 ("don't know").
    for (const char* text : { "sendVstTimeInfo", "sizeWindow", "startStopProcess" })
        canDoAnswers[text] = 1;
    for (const char* text : { "sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent",
                              "reportConnectionChanges", "acceptIOChanges", "offline", "openFileSelector",
                              "closeFileSelector", "editFile", "shellCategory", "supplyIdle", "supportShell",
                              "sendVstMidiEventFlagIsRealtime" })
        canDoAnswers[text] = -1;

    vst::AEffect* record = nullptr;
    bool threw = false;
    {
        FpuGuard guard;
        PluginInstance* outer = instanceInEntry;
        instanceInEntry = this;
        try
        {
            record = moduleRef->entry() (&PluginInstance::hostCallback);
        }
        catch (...)
        {
            threw = true;  // a module must not throw across its boundary; treat as no effect
        }
        instanceInEntry = outer;
    }

    const std::string& path = moduleRef->path();
    if (threw)
        throw HostError ("the entry of '" + path + "' threw an exception instead of answering");
    if (record == nullptr)
        throw HostError ("the entry of '" + path + "' returned no effect");
    if (record->magic != vst::kEffectMagic)
        throw HostError ("the entry of '" + path + "' returned a record without the VST 2.4 magic 'VstP'");
    if (record->dispatcher == nullptr)
        throw HostError ("the effect of '" + path + "' has no dispatcher");

    effectRecord = record;
    effectRecord->user = this;
    std::lock_guard<std::mutex> lock (liveLock);
    liveInstances.insert (this);
}

PluginInstance::~PluginInstance()
{
    try
    {
        close();
    }
    catch (...)
    {
    }
    std::lock_guard<std::mutex> lock (liveLock);
    liveInstances.erase (this);
}

//==============================================================================
void PluginInstance::open()
{
    if (opened)
        return;
    dispatch (vst::effOpen);
    opened = true;
    dispatch (vst::effSetSampleRate, 0, 0, nullptr, (float) sampleRate);
    dispatch (vst::effSetBlockSize, 0, blockSize);
}

void PluginInstance::close()
{
    if (effectRecord == nullptr)
        return;
    if (resumed)
        suspend();
    dispatch (vst::effClose);
    // The module has deleted the record; nothing may reach it any more.
    {
        std::lock_guard<std::mutex> lock (liveLock);
        liveInstances.erase (this);
    }
    effectRecord = nullptr;
    opened = false;
}

void PluginInstance::resume()
{
    if (resumed)
        return;
    dispatch (vst::effMainsChanged, 0, 1);
    dispatch (vst::effStartProcess);
    resumed = true;
}

void PluginInstance::suspend()
{
    if (! resumed)
        return;
    dispatch (vst::effStopProcess);
    dispatch (vst::effMainsChanged, 0, 0);
    resumed = false;
}

void PluginInstance::setSampleRate (double rate)
{
    sampleRate = rate;
    hostTimeline.setSampleRate (rate);
    if (opened)
        dispatch (vst::effSetSampleRate, 0, 0, nullptr, (float) rate);
}

void PluginInstance::setBlockSize (int32_t size)
{
    blockSize = size;
    if (opened)
        dispatch (vst::effSetBlockSize, 0, size);
}

//==============================================================================
const vst::AEffect& PluginInstance::effect() const
{
    if (effectRecord == nullptr)
        throw HostError ("the effect has been closed");
    return *effectRecord;
}

intptr_t PluginInstance::dispatch (int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    vst::AEffect* record = const_cast<vst::AEffect*> (&effect());
    FpuGuard guard;
    return record->dispatcher (record, opcode, index, value, ptr, opt);
}

std::string PluginInstance::readText (int32_t opcode, int32_t index)
{
    // Zero-filled and larger than any standard size, so a module that writes more than it
    // should, or forgets the zero byte, still leaves a readable text behind.
    char buffer[textBufferSize + 1] = {};
    dispatch (opcode, index, 0, buffer);
    buffer[textBufferSize] = 0;
    return buffer;
}

std::string PluginInstance::effectName()    { return readText (vst::effGetEffectName, 0); }
std::string PluginInstance::vendorString()  { return readText (vst::effGetVendorString, 0); }
std::string PluginInstance::productString() { return readText (vst::effGetProductString, 0); }
intptr_t PluginInstance::vendorVersion()    { return dispatch (vst::effGetVendorVersion); }
intptr_t PluginInstance::vstVersion()       { return dispatch (vst::effGetVstVersion); }
intptr_t PluginInstance::category()         { return dispatch (vst::effGetPlugCategory); }

intptr_t PluginInstance::canDo (const std::string& text)
{
    std::string copy = text;  // the module gets a writable, zero-terminated text
    return dispatch (vst::effCanDo, 0, 0, copy.data());
}

void PluginInstance::checkParameterIndex (int32_t index) const
{
    if (index < 0 || index >= effect().numParams)
        throw HostError ("parameter index " + std::to_string (index) + " is out of range (the module has "
                         + std::to_string (effect().numParams) + " parameters)");
}

std::string PluginInstance::parameterName (int32_t index)    { checkParameterIndex (index); return readText (vst::effGetParamName, index); }
std::string PluginInstance::parameterDisplay (int32_t index) { checkParameterIndex (index); return readText (vst::effGetParamDisplay, index); }
std::string PluginInstance::parameterLabel (int32_t index)   { checkParameterIndex (index); return readText (vst::effGetParamLabel, index); }

float PluginInstance::getParameter (int32_t index)
{
    checkParameterIndex (index);
    vst::AEffect* record = const_cast<vst::AEffect*> (&effect());
    if (record->getParameter == nullptr)
        return 0.0f;
    FpuGuard guard;
    return record->getParameter (record, index);
}

void PluginInstance::setParameter (int32_t index, float value)
{
    checkParameterIndex (index);
    vst::AEffect* record = const_cast<vst::AEffect*> (&effect());
    if (record->setParameter == nullptr)
        return;
    FpuGuard guard;
    record->setParameter (record, index, value);
}

int32_t PluginInstance::currentProgram() { return (int32_t) dispatch (vst::effGetProgram); }
std::string PluginInstance::programName() { return readText (vst::effGetProgramName, 0); }

void PluginInstance::setProgram (int32_t index)
{
    if (index < 0 || index >= effect().numPrograms)
        throw HostError ("program " + std::to_string (index) + " is out of range (the module has "
                         + std::to_string (effect().numPrograms) + " programs)");
    dispatch (vst::effSetProgram, 0, index);
}

std::optional<std::string> PluginInstance::programNameIndexed (int32_t index)
{
    char buffer[textBufferSize + 1] = {};
    if (dispatch (vst::effGetProgramNameIndexed, index, -1, buffer) == 0)
        return std::nullopt;
    buffer[textBufferSize] = 0;
    return std::string (buffer);
}

std::vector<uint8_t> PluginInstance::getChunk (bool programOnly)
{
    void* data = nullptr;
    const intptr_t size = dispatch (vst::effGetChunk, programOnly ? 1 : 0, 0, &data);
    if (size <= 0 || data == nullptr)
        return {};
    const auto* bytes = static_cast<const uint8_t*> (data);
    return std::vector<uint8_t> (bytes, bytes + size);
}

void PluginInstance::setChunk (const std::vector<uint8_t>& data, bool programOnly)
{
    std::vector<uint8_t> copy (data);  // modules take a writable pointer
    dispatch (vst::effSetChunk, programOnly ? 1 : 0, (intptr_t) copy.size(), copy.empty() ? nullptr : copy.data());
}

void PluginInstance::process (float* const* inputs, float* const* outputs, int32_t frames)
{
    vst::AEffect* record = const_cast<vst::AEffect*> (&effect());
    if (! resumed)
        resume();

    auto** in = const_cast<float**> (inputs);
    auto** out = const_cast<float**> (outputs);
    AudioCallScope scope;
    if ((record->flags & vst::effFlagsCanReplacing) != 0 && record->processReplacing != nullptr)
    {
        FpuGuard guard;
        record->processReplacing (record, in, out, frames);
    }
    else if (record->process != nullptr)
    {
        for (int32_t c = 0; c < record->numOutputs; ++c)
            std::fill (outputs[c], outputs[c] + frames, 0.0f);
        FpuGuard guard;
        record->process (record, in, out, frames);
    }
}

//==============================================================================
void PluginInstance::setHostCanDo (const std::string& text, intptr_t answerValue)
{
    std::lock_guard<std::mutex> lock (recordLock);
    canDoAnswers[text] = answerValue;
}

void PluginInstance::setCallbackHook (CallbackHook newHook)
{
    std::lock_guard<std::mutex> lock (recordLock);
    hook = std::move (newHook);
}

std::vector<AutomationEvent> PluginInstance::automation() const
{
    std::lock_guard<std::mutex> lock (recordLock);
    return automationEvents;
}

std::vector<HostCall> PluginInstance::hostCalls() const
{
    std::lock_guard<std::mutex> lock (recordLock);
    return calls;
}

size_t PluginInstance::countHostCalls (int32_t opcode) const
{
    std::lock_guard<std::mutex> lock (recordLock);
    return (size_t) std::count_if (calls.begin(), calls.end(), [opcode] (const HostCall& c) { return c.opcode == opcode; });
}

void PluginInstance::clearRecords()
{
    std::lock_guard<std::mutex> lock (recordLock);
    calls.clear();
    automationEvents.clear();
    sizeRequest.reset();
}

std::optional<std::pair<int32_t, int32_t>> PluginInstance::lastSizeRequest() const
{
    std::lock_guard<std::mutex> lock (recordLock);
    return sizeRequest;
}

//==============================================================================
intptr_t QV_VSTCALL PluginInstance::hostCallback (vst::AEffect* effect, int32_t opcode, int32_t index,
                                                  intptr_t value, void* ptr, float opt)
{
    try
    {
        PluginInstance* self = nullptr;
        if (effect != nullptr && effect->user != nullptr)
        {
            std::lock_guard<std::mutex> lock (liveLock);
            auto* candidate = static_cast<PluginInstance*> (effect->user);
            if (liveInstances.count (candidate) != 0 && candidate->effectRecord == effect)
                self = candidate;
        }
        if (self == nullptr)
            self = instanceInEntry;

        if (self != nullptr)
            return self->answer (opcode, index, value, ptr, opt);

        // A call that belongs to no instance we know (a module thread calling after close,
        // say): answer what needs no instance and decline the rest.
        return opcode == vst::audioMasterVersion ? vst::kVstVersion : 0;
    }
    catch (...)
    {
        return 0;
    }
}

intptr_t PluginInstance::answer (int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    CallbackHook currentHook;
    {
        std::lock_guard<std::mutex> lock (recordLock);
        if (calls.size() < maxRecordedCalls)
        {
            HostCall call { opcode, index, value, opt, {} };
            if (opcode == vst::audioMasterCanDo && ptr != nullptr)
                call.text = static_cast<const char*> (ptr);
            calls.push_back (std::move (call));
        }
        if (opcode == vst::audioMasterAutomate)
            automationEvents.push_back ({ index, opt });
        if (opcode == vst::audioMasterSizeWindow)
            sizeRequest = std::make_pair (index, (int32_t) value);
        currentHook = hook;
    }

    if (currentHook)
        if (auto replaced = currentHook (*this, opcode, index, value, ptr, opt))
            return *replaced;

    return builtInAnswer (opcode, index, value, ptr, opt);
}

intptr_t PluginInstance::builtInAnswer (int32_t opcode, int32_t, intptr_t value, void* ptr, float)
{
    switch (opcode)
    {
        case vst::audioMasterAutomate:          return 0;
        case vst::audioMasterVersion:           return vst::kVstVersion;
        case vst::audioMasterCurrentId:         return 0;
        case vst::audioMasterIdle:              return 0;
        case vst::audioMasterGetTime:           return (intptr_t) hostTimeline.query (timeInfo, value);
        case vst::audioMasterSizeWindow:        return 1;
        case vst::audioMasterGetSampleRate:     return (intptr_t) sampleRate;
        case vst::audioMasterGetBlockSize:      return blockSize;
        case vst::audioMasterGetInputLatency:   return 0;
        case vst::audioMasterGetOutputLatency:  return 0;
        // 1 user interface, 2 real time, 4 offline
        case vst::audioMasterGetCurrentProcessLevel: return inAudioCall ? (offline ? 4 : 2) : 1;
        case vst::audioMasterGetAutomationState:     return 1;  // automation off
        case vst::audioMasterGetVendorString:   copyText (hostVendor, ptr, vst::kVstMaxVendorStrLen); return 1;
        case vst::audioMasterGetProductString:  copyText (hostProduct, ptr, vst::kVstMaxProductStrLen); return 1;
        case vst::audioMasterGetVendorVersion:  return hostVendorVersion;
        case vst::audioMasterCanDo:
        {
            if (ptr == nullptr)
                return 0;
            std::lock_guard<std::mutex> lock (recordLock);
            auto found = canDoAnswers.find (static_cast<const char*> (ptr));
            return found != canDoAnswers.end() ? found->second : 0;
        }
        case vst::audioMasterGetLanguage:       return 1;  // English
        case vst::audioMasterGetDirectory:      return (intptr_t) moduleFolder.c_str();
        case vst::audioMasterUpdateDisplay:     return 1;
        case vst::audioMasterBeginEdit:         return 1;
        case vst::audioMasterEndEdit:           return 1;
        default:                                return 0;
    }
}

} // namespace qvhost
