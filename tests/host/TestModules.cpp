#include "tests/host/TestModules.h"
#include "tests/host/RunProcess.h"

#include <cstdlib>

namespace hosttest
{

std::string probePath (const std::string& name) { return std::string (QV_PROBE_DIR) + "/" + name + ".so"; }

static std::string ifPresent (const std::string& path) { return fileExists (path) ? path : std::string(); }

std::string zamDelayPath() { return ifPresent ("/usr/lib/vst/ZamDelay-vst.so"); }
std::string lspStereoDelayPath() { return ifPresent ("/usr/lib/vst/lsp-plugins/comp-delay-stereo.so"); }

std::string ourModulePath()
{
    const char* dir = std::getenv ("QV_BUILD_DIR");
    return dir != nullptr ? ifPresent (std::string (dir) + "/QV-DelayTX.so") : std::string();
}

} // namespace hosttest
