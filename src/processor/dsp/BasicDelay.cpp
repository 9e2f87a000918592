#include "BasicDelay.h"

#include <algorithm>
#include <cmath>

// A zero-length buffer (a zero look-ahead) would have nowhere to write; one sample delays by 0.
BasicDelay::BasicDelay(int bufferLength)
    : length(std::max(1, bufferLength)), buffer(static_cast<size_t>(length), 0.0f)
{
}

void BasicDelay::SetDelay(int samples)
{
    if (samples < 0 || samples >= length)
        return;
    delay.SetTarget(static_cast<float>(samples));
}

void BasicDelay::Reset()
{
    delay.snapNext = true;
    delay.current = delay.target;

    const auto firstPending =
        static_cast<int>(wrapIndex(static_cast<int>(readPosition(delay.current))));
    if (writeIndex > firstPending)
    {
        std::fill(buffer.begin() + firstPending, buffer.begin() + writeIndex, 0.0f);
    }
    else if (writeIndex < firstPending)
    {
        std::fill(buffer.begin(), buffer.begin() + writeIndex, 0.0f);
        std::fill(buffer.begin() + firstPending, buffer.end(), 0.0f);
    }
}

void BasicDelay::ProcessInPlace(int numSamples, float* data)
{
    if (numSamples <= 0)
        return;

    for (int i = 0; i < numSamples; ++i)
    {
        buffer[static_cast<size_t>(writeIndex)] = data[i];
        const float p = readPosition(delay.Next());
        const float below = buffer[wrapIndex(static_cast<int>(p))];
        const float above = buffer[wrapIndex(static_cast<int>(p + 1.0f))];
        data[i] = (above - below) * (p - std::floor(p)) + below;
        writeIndex = writeIndex + 1 < length ? writeIndex + 1 : 0;
    }
    delay.snapNext = false;
}

float BasicDelay::readPosition(float d) const
{
    float p = static_cast<float>(writeIndex) - d;
    if (p < 0.0f)
        p += static_cast<float>(length);
    if (p >= static_cast<float>(length))
        p -= static_cast<float>(length);
    return p;
}

size_t BasicDelay::wrapIndex(int i) const
{
    if (i < 0)
        i += length;
    return static_cast<size_t>(i % length);
}
