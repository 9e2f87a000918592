#include "Random.h"

namespace BAS
{
namespace
{

unsigned int seedFromSystem()
{
    // One device for the whole process; opened on first use, which is never the audio thread
    // because only construction draws from it.
    static std::random_device device("/dev/urandom");
    return device();
}

} // namespace

Random::Random(float min, float max, unsigned int seed)
    : engine(seed != 0 ? seed : seedFromSystem()), minValue(min), maxValue(max)
{
}

} // namespace BAS
