#pragma once
#include <cstdint>
#if !(defined(__x86_64__) || defined(__i386__))
 #include <cfenv>
#endif

namespace qvhost
{

/** Keeps a foreign module from changing the host's floating-point behaviour: remembers the
    control registers when constructed and puts them back when destroyed. Some modules switch
    on flush-to-zero or change the rounding mode in their entry or processing calls; without
    this, every later computation of the host would silently follow their settings.
    Wrap every call into a module (load, entry, dispatcher, audio calls, unload) in one. */
class FpuGuard
{
public:
    FpuGuard() noexcept;
    ~FpuGuard();

    FpuGuard (const FpuGuard&) = delete;
    FpuGuard& operator= (const FpuGuard&) = delete;

    /** The SSE control and status register (MXCSR) of the calling thread; 0 where there is none. */
    static uint32_t currentMxcsr() noexcept;
    static void setMxcsr (uint32_t value) noexcept;

private:
#if defined(__x86_64__) || defined(__i386__)
    uint32_t savedMxcsr = 0;
    uint16_t savedX87 = 0;
#else
    std::fenv_t savedEnvironment;
#endif
};

} // namespace qvhost
