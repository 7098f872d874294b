#pragma once
#include <string>

namespace hosttest
{

/** A probe module built with the tests: "probe-stereo", "probe-no-entry", ... */
std::string probePath (const std::string& name);

/** Third-party LinuxVST modules from Debian, or "" when not installed. */
std::string zamDelayPath();       // zam-plugins: 1 in, 1 out, entry `main` only
std::string lspStereoDelayPath(); // lsp-plugins-vst: 2 in, 2 out, entry VSTPluginMain, program chunks

/** True while the library at `path` is still mapped into this process. */
bool stillLoaded (const std::string& path);

/** The project's own module in the build folder, or "" when it has not been built. */
std::string ourModulePath();

} // namespace hosttest
