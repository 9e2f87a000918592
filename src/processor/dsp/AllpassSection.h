#pragma once

/** Second-order allpass in z^-2, H(z) = (a - z^-2) / (1 - a z^-2), single precision.

    y[n] = a * (x[n] + y[n-2]) - x[n-2]

    Unity gain at every frequency; the phase turns fastest near the frequency set by a.
    There is no NaN guard here: the owner recovers from a non-finite result by resetting. */
class AllpassSection
{
public:
    explicit AllpassSection(float a) : coefficient(a) {}

    /** Filters one sample. */
    float ProcessSample(float x)
    {
        const float y = coefficient * (x + y2) - x2;
        y2 = y1;
        x2 = x1;
        y1 = y;
        x1 = x;
        return y;
    }

    /** Clears the filter memory. */
    void Reset() { y1 = y2 = x1 = x2 = 0.0f; }

private:
    float coefficient;
    float y1 = 0.0f;
    float y2 = 0.0f;
    float x1 = 0.0f;
    float x2 = 0.0f;
};
