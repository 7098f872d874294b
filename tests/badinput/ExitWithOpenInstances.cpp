// A host that ends its process with instances still open: loads the module,
// opens two instances, runs audio through one, and returns from main.
//   badinput_exit_host MODULE
#include "host/PluginInstance.h"
#include "host/VstModule.h"
#include <cstdio>
#include <vector>

int main (int argc, char** argv)
{
    if (argc != 2)
        return 2;

    auto module = qvhost::VstModule::load (argv[1]);
    auto* first = new qvhost::PluginInstance (module, 48000.0, 256);
    auto* second = new qvhost::PluginInstance (module, 48000.0, 256);
    first->open();
    second->open();
    first->resume();

    std::vector<float> l (256, 0.1f), r (256, 0.1f);
    float* ch[2] = { l.data(), r.data() };
    first->process (ch, ch, 256);

    std::puts ("leaving with two instances open");
    return 0;   // neither instance is closed, the module stays loaded
}
