#include "tests/host/TestModules.h"
#include "tests/support/RunProcess.h"

#include <dlfcn.h>
#include <cstdlib>

namespace hosttest
{

std::string probePath (const std::string& name) { return std::string (QV_PROBE_DIR) + "/" + name + ".so"; }

static std::string ifPresent (const std::string& path) { return qvtest::fileExists (path) ? path : std::string(); }

std::string zamDelayPath() { return ifPresent ("/usr/lib/vst/ZamDelay-vst.so"); }
std::string lspStereoDelayPath() { return ifPresent ("/usr/lib/vst/lsp-plugins/comp-delay-stereo.so"); }

bool stillLoaded (const std::string& path)
{
    void* handle = dlopen (path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        return false;
    dlclose (handle);
    return true;
}

std::string ourModulePath()
{
    const char* dir = std::getenv ("QV_BUILD_DIR");
    return ifPresent (std::string (dir != nullptr ? dir : QV_DEFAULT_BUILD_DIR) + "/QV-DelayTX.so");
}

} // namespace hosttest
