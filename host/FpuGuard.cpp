#include "host/FpuGuard.h"

#if defined(__x86_64__) || defined(__i386__)
 #include <xmmintrin.h>
 #define QVHOST_X86 1
#else
 #include <cfenv>
#endif

namespace qvhost
{

#if QVHOST_X86
// The sticky exception bits (0-5) record what happened, not how to compute; restoring them
// would hide nothing useful and clearing them is harmless, so only the control bits travel.
static constexpr uint32_t mxcsrControlBits = ~uint32_t (0x3f);

uint32_t FpuGuard::currentMxcsr() noexcept { return _mm_getcsr(); }
void FpuGuard::setMxcsr (uint32_t value) noexcept { _mm_setcsr (value); }

FpuGuard::FpuGuard() noexcept
{
    savedMxcsr = _mm_getcsr();
    __asm__ __volatile__ ("fnstcw %0" : "=m" (savedX87));
}

FpuGuard::~FpuGuard()
{
    _mm_setcsr ((savedMxcsr & mxcsrControlBits) | (_mm_getcsr() & ~mxcsrControlBits));
    __asm__ __volatile__ ("fldcw %0" : : "m" (savedX87));
}
#else
uint32_t FpuGuard::currentMxcsr() noexcept { return 0; }
void FpuGuard::setMxcsr (uint32_t) noexcept {}

FpuGuard::FpuGuard() noexcept { std::fegetenv (&savedEnvironment); }
FpuGuard::~FpuGuard() { std::fesetenv (&savedEnvironment); }
#endif

} // namespace qvhost
