#include "ProcessorTestSupport.h"
#include "processor/TBIAudioProcessor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

// Every heap allocation of this test binary passes through here; while a block runs on the
// calling thread, it is counted.
namespace
{
thread_local bool countingThisThread = false;
std::atomic<int> allocationsWhileCounting{0};

void* allocate(std::size_t size)
{
    if (countingThisThread)
        ++allocationsWhileCounting;
    if (auto* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

struct CountAllocations
{
    CountAllocations() { countingThisThread = true; }
    ~CountAllocations() { countingThisThread = false; }
};
} // namespace

void* operator new(std::size_t size)
{
    return allocate(size);
}
void* operator new[](std::size_t size)
{
    return allocate(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

TEST(RealtimeSafety, BlocksAllocateNothingWhileEveryParameterMoves)
{
    TBIAudioProcessor p;
    p.prepareToPlay(48000.0, 256);
    ProcessorDriver driver(p);
    auto& storage = *p.getInstanceStorage();
    juce::AudioBuffer<float> buffer(2, 256);
    juce::Random random(42);

    allocationsWhileCounting = 0;
    for (int block = 0; block < 400; ++block)
    {
        for (auto* parameter : p.getParameters())
            parameter->setValueNotifyingHost(random.nextFloat());
        if (block % 50 == 10)
            storage.resetRequested = true;
        if (block % 50 == 30)
            storage.randomizeRequested = true;
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < buffer.getNumSamples(); ++i)
                buffer.setSample(ch, i, random.nextFloat() - 0.5f);

        CountAllocations counting;
        driver.process(buffer, block % 7 == 3);
    }
    EXPECT_EQ(allocationsWhileCounting.load(), 0);
}
