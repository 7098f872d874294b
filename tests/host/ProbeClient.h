#pragma once
// Test-side helpers to talk to a probe module through the host library.
#include "host/PluginInstance.h"
#include "tests/host/fixtures/ProbeProtocol.h"

namespace hosttest
{

inline probe::Report probeReport (qvhost::PluginInstance& instance)
{
    probe::Report report;
    instance.dispatch (vst::effVendorSpecific, probe::kReport, 0, &report);
    return report;
}

/** Makes the probe call the host with these arguments; answers the host's answer. */
inline intptr_t probeCallsHost (qvhost::PluginInstance& instance, int32_t opcode, int32_t index = 0, intptr_t value = 0,
                                void* ptr = nullptr, float opt = 0.0f)
{
    probe::HostCallRequest request;
    request.opcode = opcode;
    request.index = index;
    request.value = value;
    request.ptr = ptr;
    request.opt = opt;
    instance.dispatch (vst::effVendorSpecific, probe::kForwardHostCall, 0, &request);
    return request.result;
}

} // namespace hosttest
