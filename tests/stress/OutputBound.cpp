#include "OutputBound.h"

#include "HilbertAllpassPair.h"

#include <algorithm>
#include <cmath>

namespace
{
// +3 dB, the top of both level ranges.
const double maximumGain = std::pow(10.0, 3.0 / 20.0);
// The most a tap's feedback adds to a stored sample: the soft clip's ceiling.
constexpr double feedbackCeiling = 0.975;
constexpr int numTaps = 8;
// The limiter's -1.5 dBFS ceiling, its 0.5 ms attack and 7.5 ms release (coefficients per sample
// 1 - e^(-2000 / fs) and 1 - e^(-133.33 / fs)) and its 1 ms hold.
const double limiterCeiling = std::pow(10.0, -1.5 / 20.0);

/** sqrt(|h_inPhase|_1^2 + |h_quadrature|_1^2), from the splitter's impulse responses. */
double splitterPeakGain()
{
    HilbertAllpassPair splitter;
    double inPhase = 0.0;
    double quadrature = 0.0;
    for (int n = 0; n < (1 << 20); ++n)
    {
        const auto out = splitter.ProcessSample(n == 0 ? 1.0f : 0.0f);
        inPhase += std::abs(static_cast<double>(out.inPhase));
        quadrature += std::abs(static_cast<double>(out.quadrature));
    }
    return std::sqrt(inPhase * inPhase + quadrature * quadrature);
}
} // namespace

OutputBound::OutputBound(double sampleRate, float inputPeak)
    : holdSamples(std::max(1, static_cast<int>(sampleRate * static_cast<double>(0.001f)))),
      shifterGain(splitterPeakGain())
{
    const auto peak = static_cast<double>(inputPeak);
    const auto dry = maximumGain * peak;
    unlimited = dry + maximumGain * numTaps * (feedbackCeiling + shifterGain * peak);

    const auto attackLeft = std::exp(-2000.0 / sampleRate * holdSamples);
    const auto releaseKept = std::exp(-133.33333 / sampleRate * holdSamples);
    limited = dry + maximumGain * limiterCeiling / (releaseKept * (1.0 - attackLeft));
}
