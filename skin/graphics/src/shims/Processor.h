// What the processor offers the blending code.
#pragma once

namespace sk_shims {

// CPUID exists (EFLAGS bit 21 toggles), the family is at least 5 and the level-1 features have MMX (bit 23).
bool DetectMmx();

}  // namespace sk_shims
