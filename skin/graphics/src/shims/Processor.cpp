// MMX detection through CPUID, and EMMS to hand the floating-point registers back after MMX code.
#include "shims/Processor.h"

#include <skin/Common.h>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace sk_shims {

bool DetectMmx() {
#if defined(__i386__) || defined(__x86_64__)
    // __get_cpuid_max makes the EFLAGS bit-21 test on 32-bit processors; every x86-64 processor passes it.
    if (__get_cpuid_max(0, nullptr) < 1) return false;
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
    unsigned family = (eax >> 8) & 0xF;
    return family >= 5 && (edx & (1u << 23)) != 0;
#else
    return false;
#endif
}

}  // namespace sk_shims

void ResetMmxState() {
#if defined(__i386__) || defined(__x86_64__)
    if (MmxAvailable()) __asm__ __volatile__("emms");
#endif
}
