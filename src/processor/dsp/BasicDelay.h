#pragma once

#include "OnePoleSmoother.h"

#include <vector>

/** Block delay with a linearly interpolated, smoothed read distance; delays the dry signal by
    the limiter's look-ahead so dry and wet stay aligned.

    y[n] = x[n - D], D gliding by the smoother's coefficient (set by the owner). The write comes
    before the read, so D = 0 passes the input through. Reset() forgets whatever is still
    waiting to be read, so a path switched on again starts from silence instead of stale audio.
    Allocates only in the constructor. */
class BasicDelay
{
public:
    /** length is the buffer size; delays from 0 to length - 1 are valid. At least 1. */
    explicit BasicDelay(int length);

    /** Sets the delay in whole samples; ignored unless 0 <= samples < buffer length. */
    void SetDelay(int samples);

    /** Sets the per-sample coefficient of the delay glide. */
    void SetDelayCoefficient(float coefficient) { delay.coefficient = coefficient; }

    /** Jumps to the target delay and zeroes the samples still waiting to be read. */
    void Reset();

    /** Delays numSamples samples of data in place; nothing when numSamples <= 0. */
    void ProcessInPlace(int numSamples, float* data);

private:
    float readPosition(float d) const;
    size_t wrapIndex(int i) const;

    int length;
    std::vector<float> buffer;
    int writeIndex = 0;
    OnePoleSmoother delay;
};
