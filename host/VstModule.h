#pragma once
#include "plugin/VstAbi.h"

#include <memory>
#include <string>

namespace qvhost
{

/** One loaded VST 2.4 module file: the library handle and its entry function.
    Loading looks for the entry under `VSTPluginMain` first, then under the older name `main`.
    The library is unloaded when the last owner lets go, so keep the module alive for as
    long as any instance made from it exists (PluginInstance holds a reference). */
class VstModule
{
public:
    /** Loads the file; throws HostError with a one-line reason when it is not a loadable
        library or has no entry point. */
    static std::shared_ptr<VstModule> load (const std::string& path);

    ~VstModule();

    VstModule (const VstModule&) = delete;
    VstModule& operator= (const VstModule&) = delete;

    const std::string& path() const noexcept { return filePath; }
    /** The folder holding the module, without a trailing slash. */
    std::string folder() const;
    /** "VSTPluginMain" or "main": the name the entry was found under. */
    const std::string& entryName() const noexcept { return entrySymbol; }
    vst::EntryProc entry() const noexcept { return entryFunction; }

private:
    VstModule (std::string path, void* handle, vst::EntryProc entry, std::string entryName);

    std::string filePath;
    void* handle = nullptr;
    vst::EntryProc entryFunction = nullptr;
    std::string entrySymbol;
};

} // namespace qvhost
