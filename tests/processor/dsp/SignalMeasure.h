#pragma once

#include <cmath>
#include <complex>
#include <cstddef>
#include <vector>

/** Signal generators and measurements shared by the DSP tests. */
namespace signal_measure
{

constexpr double pi = 3.141592653589793;

/** n samples of amplitude * sin(2 pi hz t), computed in double and rounded to float. */
inline std::vector<float> sine(double hz, double sampleRate, int n, double amplitude = 1.0)
{
    std::vector<float> x(static_cast<size_t>(n));
    for (size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<float>(amplitude *
                                  std::sin(2.0 * pi * hz * static_cast<double>(i) / sampleRate));
    return x;
}

/** Amplitude of the sinusoid at hz in x[first, first + count), by a single-bin DFT. Free of
    leakage when hz completes whole cycles in count samples. */
inline double toneAmplitude(const std::vector<float>& x, size_t first, size_t count, double hz,
                            double sampleRate)
{
    std::complex<double> sum = 0.0;
    for (size_t i = 0; i < count; ++i)
    {
        const double w = 2.0 * pi * hz * static_cast<double>(i) / sampleRate;
        sum += static_cast<double>(x[first + i]) * std::complex<double>(std::cos(w), -std::sin(w));
    }
    return 2.0 * std::abs(sum) / static_cast<double>(count);
}

/** Mean of x[first, first + count): the DC component. */
inline double mean(const std::vector<float>& x, size_t first, size_t count)
{
    double sum = 0.0;
    for (size_t i = 0; i < count; ++i)
        sum += static_cast<double>(x[first + i]);
    return sum / static_cast<double>(count);
}

inline double decibels(double ratio)
{
    return 20.0 * std::log10(ratio);
}

} // namespace signal_measure
