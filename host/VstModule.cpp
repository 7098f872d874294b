#include "host/VstModule.h"
#include "host/FpuGuard.h"
#include "host/HostError.h"

#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <cerrno>
#include <cstring>

namespace qvhost
{

static std::string lastDlError()
{
    const char* text = dlerror();
    return text != nullptr ? std::string (text) : std::string ("unknown reason");
}

std::shared_ptr<VstModule> VstModule::load (const std::string& path)
{
    // dlopen searches the library path for names without a slash; a module is always a file.
    std::string file = path.find ('/') == std::string::npos ? "./" + path : path;

    struct stat info {};
    if (::stat (file.c_str(), &info) != 0)
        throw HostError ("cannot load '" + path + "': " + std::strerror (errno));
    if (! S_ISREG (info.st_mode))
        throw HostError ("cannot load '" + path + "': not a regular file");

    void* handle = nullptr;
    {
        FpuGuard guard;  // static constructors of the module run here
        dlerror();
        handle = dlopen (file.c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    if (handle == nullptr)
    {
        // The loader's text starts with the file name, which the message already gives.
        std::string reason = lastDlError();
        if (reason.compare (0, file.size() + 2, file + ": ") == 0)
            reason.erase (0, file.size() + 2);
        throw HostError ("cannot load '" + path + "' as a VST 2.4 module: " + reason);
    }

    for (const char* name : { "VSTPluginMain", "main" })
    {
        dlerror();
        void* symbol = dlsym (handle, name);
        if (symbol == nullptr)
            continue;

        // dlsym also searches the libraries the module depends on; an entry must be the
        // module's own, or `main` could resolve to something that is not a VST entry at all.
        Dl_info where {};
        link_map* self = nullptr;
        if (dladdr (symbol, &where) != 0 && dlinfo (handle, RTLD_DI_LINKMAP, &self) == 0 && self != nullptr
            && where.dli_fname != nullptr && self->l_name != nullptr
            && std::strcmp (where.dli_fname, self->l_name) != 0)
            continue;

        return std::shared_ptr<VstModule> (new VstModule (path, handle, reinterpret_cast<vst::EntryProc> (symbol), name));
    }

    {
        FpuGuard guard;
        dlclose (handle);
    }
    throw HostError ("'" + path + "' is not a VST 2.4 module: it exports neither VSTPluginMain nor main");
}

VstModule::VstModule (std::string path, void* h, vst::EntryProc entry, std::string entryName)
    : filePath (std::move (path)), handle (h), entryFunction (entry), entrySymbol (std::move (entryName))
{
}

VstModule::~VstModule()
{
    if (handle != nullptr)
    {
        FpuGuard guard;  // static destructors of the module run here
        dlclose (handle);
    }
}

std::string VstModule::folder() const
{
    const auto slash = filePath.find_last_of ('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string ("/") : filePath.substr (0, slash);
}

} // namespace qvhost
