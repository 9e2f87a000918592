#pragma once

#if !defined(__SSE__) && !defined(_M_X64)
#error "ScopedFlushToZero needs SSE (x86-64)"
#endif

#include <xmmintrin.h>

/** Sets or clears flush-to-zero and denormals-are-zero in the MXCSR for its lifetime, and
    restores the previous mode on exit. The plug-in does the same per block. */
class ScopedFlushToZero
{
public:
    explicit ScopedFlushToZero(bool enabled) : saved(_mm_getcsr())
    {
        _mm_setcsr(enabled ? (saved | flushBits) : (saved & ~flushBits));
    }
    ~ScopedFlushToZero() { _mm_setcsr(saved); }

    ScopedFlushToZero(const ScopedFlushToZero&) = delete;
    ScopedFlushToZero& operator=(const ScopedFlushToZero&) = delete;

private:
    static constexpr unsigned flushBits = 0x8040; // FTZ (bit 15) | DAZ (bit 6)
    unsigned saved;
};
