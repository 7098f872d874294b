#pragma once
#include "host/HostTimeline.h"
#include "host/VstModule.h"
#include "plugin/VstAbi.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace qvhost
{

/** A call the module made to the host, as it arrived. `text` holds the string of
    audioMasterCanDo; it is empty for every other opcode. */
struct HostCall
{
    int32_t opcode = 0;
    int32_t index = 0;
    intptr_t value = 0;
    float opt = 0.0f;
    std::string text;
};

/** One audioMasterAutomate report: the parameter and the value the module passed in opt. */
struct AutomationEvent
{
    int32_t index = 0;
    float value = 0.0f;
    bool operator== (const AutomationEvent& other) const noexcept { return index == other.index && value == other.value; }
};

/** One effect made by a module's entry, and the host the effect talks to.

    Every call into the module goes through this class, inside an FpuGuard, so the module
    cannot change the host's floating-point settings. The host side answers the module's
    callbacks (version 2400, time information from `timeline()`, sample rate, block size,
    vendor and product, canDo, idle, window size, ...) and records every call; the
    audioMasterAutomate reports are also kept in order as AutomationEvents. A test can put a
    hook in front of the answers to act like another host.

    The lifecycle is the usual one: the constructor calls the entry; `open` sends effOpen,
    the sample rate and the block size; `resume`/`suspend` switch processing on and off;
    `close` (or the destructor) suspends if needed and sends effClose. The instance keeps its
    module loaded while it lives. Not copyable. Calls may come from any thread, but one thread
    at a time, as with a real host; the records are safe to read while a module reports. */
class PluginInstance
{
public:
    /** Answers a host call in place of the built-in answer, or gives nothing to let the
        built-in answer stand. Runs on the thread the module calls from. */
    using CallbackHook = std::function<std::optional<intptr_t> (PluginInstance&, int32_t opcode, int32_t index,
                                                                intptr_t value, void* ptr, float opt)>;

    /** Calls the module's entry. Throws HostError when the entry gives no effect, or a record
        without the VST 2.4 magic number. */
    explicit PluginInstance (std::shared_ptr<VstModule> module, double sampleRate = 44100.0, int32_t blockSize = 512);
    ~PluginInstance();

    PluginInstance (const PluginInstance&) = delete;
    PluginInstance& operator= (const PluginInstance&) = delete;

    //==========================================================================
    // Lifecycle
    void open();
    void close();
    bool isOpen() const noexcept { return opened; }
    /** effMainsChanged (1) then effStartProcess. */
    void resume();
    /** effStopProcess then effMainsChanged (0). */
    void suspend();
    bool isResumed() const noexcept { return resumed; }

    /** Tells the module (when open) and the timeline. Hosts change these while suspended. */
    void setSampleRate (double rate);
    double getSampleRate() const noexcept { return sampleRate; }
    void setBlockSize (int32_t size);
    int32_t getBlockSize() const noexcept { return blockSize; }

    //==========================================================================
    // The effect record and the dispatcher
    const vst::AEffect& effect() const;
    const VstModule& module() const noexcept { return *moduleRef; }
    intptr_t dispatch (int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);

    int32_t numParameters() const { return effect().numParams; }
    int32_t numPrograms() const { return effect().numPrograms; }
    int32_t numInputs() const { return effect().numInputs; }
    int32_t numOutputs() const { return effect().numOutputs; }
    int32_t flags() const { return effect().flags; }
    int32_t uniqueId() const { return effect().uniqueID; }
    int32_t version() const { return effect().version; }
    bool hasFlag (int32_t flag) const { return (flags() & flag) != 0; }

    std::string effectName();
    std::string vendorString();
    std::string productString();
    intptr_t vendorVersion();
    intptr_t vstVersion();
    intptr_t category();
    /** effCanDo: 1 yes, -1 no, 0 does not know. */
    intptr_t canDo (const std::string& text);

    std::string parameterName (int32_t index);
    std::string parameterDisplay (int32_t index);
    std::string parameterLabel (int32_t index);
    float getParameter (int32_t index);
    void setParameter (int32_t index, float value);

    int32_t currentProgram();
    void setProgram (int32_t index);
    std::string programName();
    /** effGetProgramNameIndexed; nothing when the module does not answer it. */
    std::optional<std::string> programNameIndexed (int32_t index);

    /** effGetChunk; empty when the module hands out no data. */
    std::vector<uint8_t> getChunk (bool programOnly);
    void setChunk (const std::vector<uint8_t>& data, bool programOnly);

    /** processReplacing with the module's channel counts; resumes first when suspended.
        A module without replacing processing gets the old accumulating call on cleared
        outputs. The timeline is not moved; call `timeline().advance` per block. */
    void process (float* const* inputs, float* const* outputs, int32_t frames);

    //==========================================================================
    // The host side
    HostTimeline& timeline() noexcept { return hostTimeline; }

    /** Offline: audioMasterGetCurrentProcessLevel answers "offline" during audio calls. */
    void setOfflineRendering (bool isOffline) noexcept { offline = isOffline; }

    /** Overrides the host's answer to an audioMasterCanDo text (1, -1 or 0). */
    void setHostCanDo (const std::string& text, intptr_t answer);
    void setCallbackHook (CallbackHook hook);

    std::vector<AutomationEvent> automation() const;
    std::vector<HostCall> hostCalls() const;
    /** How many calls with this opcode the module made. */
    size_t countHostCalls (int32_t opcode) const;
    void clearRecords();
    /** The last audioMasterSizeWindow request (width, height). */
    std::optional<std::pair<int32_t, int32_t>> lastSizeRequest() const;

    /** The host's own identity as it tells modules. */
    static constexpr const char* hostVendor = "Quarvel";
    static constexpr const char* hostProduct = "qvhost";
    static constexpr intptr_t hostVendorVersion = 1100;

private:
    static intptr_t QV_VSTCALL hostCallback (vst::AEffect*, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
    intptr_t answer (int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
    intptr_t builtInAnswer (int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
    std::string readText (int32_t opcode, int32_t index);
    void checkParameterIndex (int32_t index) const;

    std::shared_ptr<VstModule> moduleRef;
    vst::AEffect* effectRecord = nullptr;
    bool opened = false;
    bool resumed = false;
    double sampleRate;
    int32_t blockSize;
    bool offline = false;
    std::string moduleFolder;

    HostTimeline hostTimeline;
    vst::VstTimeInfo timeInfo {};

    mutable std::mutex recordLock;
    std::vector<HostCall> calls;
    std::vector<AutomationEvent> automationEvents;
    std::optional<std::pair<int32_t, int32_t>> sizeRequest;
    std::map<std::string, intptr_t> canDoAnswers;
    CallbackHook hook;
};

} // namespace qvhost
