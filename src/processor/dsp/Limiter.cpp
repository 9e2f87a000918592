#include "Limiter.h"

namespace
{

/** -1.5 dBFS computed in double, rounded to float and widened back: 0.8413951396942139. */
double ceilingAmplitude()
{
    return static_cast<double>(static_cast<float>(std::pow(10.0, -0.07500000000000001)));
}

/** One-pole coefficient 1 - e^(-scale / (fs / 2)), in float: a time constant of 1 / (2 scale) s. */
float coefficientFor(float scale, double sampleRate)
{
    return 1.0f - std::exp(-scale / (0.5f * static_cast<float>(sampleRate)));
}

int powerOfTwoAtLeast(unsigned requested)
{
    // Capped so that an absurd request cannot loop forever on overflow.
    unsigned size = 1;
    while (size < requested && size < (1u << 30))
        size <<= 1;
    return static_cast<int>(size);
}

/** The 1 ms look-ahead in samples. At least 1: below 1 kHz the one-sample ring buffer delays by
    one sample, and the reported latency must say so. */
int holdSamplesFor(double sampleRate)
{
    return std::max(1, static_cast<int>(sampleRate * static_cast<double>(0.001f)));
}

} // namespace

// Attack 0.5 ms, release 7.5 ms.
Limiter::Limiter(double sampleRate, unsigned requestedSize)
    : attackCoefficient(coefficientFor(1000.0f, sampleRate)),
      releaseCoefficient(coefficientFor(66.666664f, sampleRate)),
      envelope(static_cast<float>(ceilingAmplitude())), threshold(ceilingAmplitude()),
      heldPeak(threshold), holdSamples(holdSamplesFor(sampleRate)),
      bufferSize(powerOfTwoAtLeast(requestedSize)),
      lookaheadBuffer(static_cast<size_t>(bufferSize), 0.0f)
{
}
