#pragma once

#include <cstring>

/** Plain float-array helpers for the block pipeline. */
namespace FAST
{

/** Sets n floats to 0; nothing when n <= 0. */
inline void Zero(int n, float* p)
{
    if (n > 0)
        std::memset(p, 0, static_cast<size_t>(n) * sizeof(float));
}

/** Copies n floats between non-overlapping arrays; nothing when n <= 0. */
inline void Copy(int n, const float* src, float* dst)
{
    if (n > 0)
        std::memcpy(dst, src, static_cast<size_t>(n) * sizeof(float));
}

} // namespace FAST
