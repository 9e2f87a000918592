#pragma once

#include <cmath>
#include <limits>

/** One-pole glide toward a target, stepped once per sample.

    y[n] = (target - y[n-1]) * coefficient + y[n-1], in the precision of Sample.

    With coefficient k = 1 - e^(-1/n) the value covers 63.2 % of a step after n samples.
    Two guards make every glide end exactly on its target, which callers rely on to detect
    arrival with ==:
    - a step that would leave a subnormal value stores 0 instead (no denormal stalls near 0);
    - a step that makes no progress at this precision snaps to the target.
    An idle smoother (current == target) returns current without arithmetic, so an infinite
    target never turns into inf - inf. A NaN target is taken as 0, so a bad value cannot leave
    NaN in current for good.

    While snapNext is set, SetTarget moves current as well: the owner clears it after the first
    block following preparation, so that block starts at its targets instead of gliding from 0.
    The fields are public because owners restart glides by writing them directly. */
template <typename Sample>
struct BasicOnePoleSmoother
{
    Sample current = 0;
    Sample coefficient = 1;
    Sample target = 0;
    bool snapNext = true;

    /** Sets the value to glide to; also jumps there while snapNext is set. */
    void SetTarget(Sample value)
    {
        target = std::isnan(value) ? Sample(0) : value;
        if (snapNext)
            current = target;
    }

    /** Advances one sample and returns the new value. */
    Sample Next()
    {
        if (current == target)
            return current;

        const Sample old = current;
        Sample v = (target - current) * coefficient + current;
        current = v;

        if (v != 0 && std::abs(v) < std::numeric_limits<Sample>::min())
        {
            current = 0;
            v = 0;
        }

        if (v == old)
        {
            current = target;
            v = target;
        }
        return v;
    }
};

using OnePoleSmoother = BasicOnePoleSmoother<float>;
using OnePoleSmootherDouble = BasicOnePoleSmoother<double>;

/** Coefficient that covers 1 - 1/e of a step in n samples; 1 (jump at once) when n < 1.
    Computed in double, rounded to float. */
inline float smoothingCoefficient(int n)
{
    if (n < 1)
        return 1.0f;
    return static_cast<float>(1.0 - std::exp(-1.0 / static_cast<double>(n)));
}

/** A time in seconds as whole samples, truncated toward zero. The time is a float constant
    widened to double, so 0.01 s at 48 kHz is 479 samples, not 480. */
inline int smoothingSamples(float seconds, double sampleRate)
{
    return static_cast<int>(static_cast<double>(seconds) * sampleRate);
}
