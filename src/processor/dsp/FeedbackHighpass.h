#pragma once

#include <cmath>

/** Rational approximation of tan(w), close to it on [0, pi/2) (tan 0.5 = 0.546302, this gives
    0.546291). Used for the prewarped gain of the feedback high-pass; double precision. */
inline double tanApprox(double w)
{
    const double w2 = w * w;
    const double w3 = w2 * w;
    const double numerator =
        0.06984410699721913 * w3 + (-1.570761257796212 * w + 0.26028726871465285 * w2);
    const double denominator =
        -0.07463401635898298 * w3 +
        (0.5874359341671258 * w2 + (0.26140984646484844 * w - 1.5707963267948966));
    return numerator / denominator;
}

/** Fixed 1600 Hz high-pass in the feedback loop of a delay line: a trapezoidal (zero-delay
    feedback) state-variable filter with damping 1 (Q = 1) of which only the high-pass output is
    used. 12 dB/octave below the cutoff, unity gain at the cutoff and above it, DC fully removed.

    With g = tan(pi * 1600 / fs):
        hp = (x - (g + 1) s1 - s2) / (g^2 + 1 + g)
        bp = g hp + s1
        s1 += 2 g hp,  s2 += 2 g bp

    Runs in double; returns float. Guards: a non-finite input counts as 0 and non-finite state
    clears both integrators, so the output is never NaN and a stuck state cannot mute the loop
    for good. Below a 3.2 kHz sample rate the cutoff lies above Nyquist and the filter is not
    stable; the guards keep it bounded there. */
class FeedbackHighpass
{
public:
    explicit FeedbackHighpass(float sampleRate);

    /** Filters one sample. */
    float ProcessSample(double x)
    {
        if (!std::isfinite(x))
            x = 0.0;

        const double hp = (x - (gain + 1.0) * s1 - s2) / denominator;
        const double bp = gain * hp + s1;
        s1 = s1 + 2.0 * gain * hp;
        s2 = s2 + 2.0 * gain * bp;
        if (!std::isfinite(s1) || !std::isfinite(s2))
        {
            s1 = 0.0;
            s2 = 0.0;
        }

        return static_cast<float>(hp);
    }

private:
    double gain;
    double denominator;
    double s1 = 0.0;
    double s2 = 0.0;
};
