// The Linux side of the cross-platform comparison: runs the module scenario
// on the Linux module, and compares two transcripts.
//   qv_scenario_host run <module.so> <transcript>
//   qv_scenario_host compare <transcript> <transcript>
#include "tests/windows/ModuleScenario.h"
#include <cstdio>
#include <cstring>
#include <dlfcn.h>

int main (int argc, char** argv)
{
    if (argc == 4 && std::strcmp (argv[1], "run") == 0)
    {
        void* module = dlopen (argv[2], RTLD_NOW | RTLD_LOCAL);
        auto entry = module != nullptr ? reinterpret_cast<vst::EntryProc> (dlsym (module, "VSTPluginMain")) : nullptr;

        if (entry == nullptr)
        {
            std::fprintf (stderr, "cannot load %s: %s\n", argv[2], dlerror());
            return 2;
        }

        auto* effect = entry (ModuleScenario::hostCallback);

        if (effect == nullptr)
        {
            std::fprintf (stderr, "the entry returned no effect\n");
            return 1;
        }

        ScenarioTranscript transcript;
        ModuleScenario::run (effect, transcript);
        dlclose (module);
        return transcript.save (argv[3]) ? 0 : 2;
    }

    if (argc == 4 && std::strcmp (argv[1], "compare") == 0)
    {
        ScenarioTranscript a, b;

        if (! a.load (argv[2]) || ! b.load (argv[3]))
        {
            std::fprintf (stderr, "cannot read the transcripts\n");
            return 2;
        }

        const auto report = ScenarioTranscript::compare (a, b);

        if (! report.empty())
        {
            std::fprintf (stderr, "%s", report.c_str());
            return 1;
        }

        size_t bytes = 0;
        for (auto& s : a.getSections())
            bytes += s.bytes.size();

        std::printf ("identical: %zu sections, %zu bytes\n", a.getSections().size(), bytes);
        return 0;
    }

    std::fprintf (stderr, "usage: %s run <module> <transcript> | compare <transcript> <transcript>\n", argv[0]);
    return 2;
}
