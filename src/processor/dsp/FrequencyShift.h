#pragma once

#include "HilbertAllpassPair.h"

#include <cmath>

/** Single-sideband frequency shifter: moves every component of the input by the same number
    of hertz (up for a positive frequency, down for a negative one). Not a pitch shifter.

    With (q, i) the phase-split pair of the input and phi the running phase in radians:

        y[n] = i[n] cos(phi[n]) - q[n] sin(phi[n]),   phi[n+1] = phi[n] + 2 pi f / fs

    The splitter runs in float; phase, sine, cosine and the product run in double. At 0 Hz the
    output is the splitter's in-phase output: same magnitude spectrum, dispersed phase.

    Guards: a non-finite or subnormal phase increment or phase becomes 0, so SetFrequency(NaN)
    freezes the phase rather than poisoning it. The phase is wrapped into [0, 2 pi) in both
    directions so that long runs at a negative frequency keep full precision. A non-finite
    result (only possible from a non-finite input) resets the splitter and returns 0, so one bad
    input sample cannot silence the shifter for good. */
class FrequencyShift
{
public:
    explicit FrequencyShift(float sampleRate);

    /** Sets the shift in Hz; cheap enough to call before every sample. */
    void SetFrequency(float hz)
    {
        phaseIncrement = flush(static_cast<double>(hz) / static_cast<double>(sampleRate) * twoPi);
    }

    /** Shifts one sample. */
    float ProcessSingle(float x)
    {
        const auto split = splitter.ProcessSample(x);
        const double sinPhase = std::sin(phase);
        const double cosPhase = std::cos(phase);

        phase += phaseIncrement;
        if (phase >= twoPi)
            phase -= twoPi;
        else if (phase < 0.0)
            phase += twoPi;
        phase = flush(phase);

        const auto y = static_cast<float>(static_cast<double>(split.inPhase) * cosPhase -
                                          static_cast<double>(split.quadrature) * sinPhase);
        if (!std::isfinite(y))
        {
            splitter.Reset();
            return 0.0f;
        }
        return y;
    }

private:
    static constexpr double twoPi = 6.283185307179586;

    /** v when it is a finite normal number, otherwise 0 (NaN, infinities and subnormals). */
    static double flush(double v)
    {
        return std::isfinite(v) && std::abs(v) >= 2.2250738585072014e-308 ? v : 0.0;
    }

    HilbertAllpassPair splitter;
    float sampleRate;
    double phase = 0.0;
    double phaseIncrement;
};
