#include "processor/TBIAudioProcessor.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <pthread.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <set>
#include <vector>

// Every heap allocation, free and mutex lock of this test binary passes through here. The C
// allocation functions are replaced, not only operator new: JUCE's HeapBlock calls malloc directly,
// and libstdc++'s operator new ends in malloc too. Mutexes are counted where juce::CriticalSection
// and std::mutex end: pthread_mutex_lock and pthread_mutex_trylock. Only a thread inside a block
// counts, and it records which mutexes it locked.
extern "C"
{
    void* __libc_malloc(std::size_t size);
    void* __libc_calloc(std::size_t count, std::size_t size);
    void* __libc_realloc(void* p, std::size_t size);
    void* __libc_memalign(std::size_t alignment, std::size_t size);
    void __libc_free(void* p);
}

namespace
{
struct ThreadCounts
{
    bool counting = false;
    int allocations = 0;
    int frees = 0;
    int locks = 0;
    static constexpr int maxRecorded = 64;
    const void* lockedMutexes[maxRecorded]{};
};

// Plain data in static thread-local storage: touching it allocates nothing.
thread_local ThreadCounts counts;

void countAllocation()
{
    if (counts.counting)
        ++counts.allocations;
}

void countLock(const void* mutex)
{
    if (!counts.counting)
        return;
    if (counts.locks < ThreadCounts::maxRecorded)
        counts.lockedMutexes[counts.locks] = mutex;
    ++counts.locks;
}

template <typename Function>
Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

/** Counts what the calling thread does while it lives. */
struct Count
{
    Count() { counts = ThreadCounts{true}; }
    ~Count() { counts.counting = false; }
};
} // namespace

extern "C"
{
    void* malloc(std::size_t size)
    {
        countAllocation();
        return __libc_malloc(size);
    }
    void* calloc(std::size_t count, std::size_t size)
    {
        countAllocation();
        return __libc_calloc(count, size);
    }
    void* realloc(void* p, std::size_t size)
    {
        countAllocation();
        return __libc_realloc(p, size);
    }
    void* memalign(std::size_t alignment, std::size_t size)
    {
        countAllocation();
        return __libc_memalign(alignment, size);
    }
    void* aligned_alloc(std::size_t alignment, std::size_t size)
    {
        countAllocation();
        return __libc_memalign(alignment, size);
    }
    int posix_memalign(void** out, std::size_t alignment, std::size_t size)
    {
        countAllocation();
        *out = __libc_memalign(alignment, size);
        return *out != nullptr ? 0 : ENOMEM;
    }
    void free(void* p)
    {
        if (p != nullptr && counts.counting)
            ++counts.frees;
        __libc_free(p);
    }

    int pthread_mutex_lock(pthread_mutex_t* mutex)
    {
        static const auto real = next<int (*)(pthread_mutex_t*)>("pthread_mutex_lock");
        countLock(mutex);
        return real(mutex);
    }
    int pthread_mutex_trylock(pthread_mutex_t* mutex)
    {
        static const auto real = next<int (*)(pthread_mutex_t*)>("pthread_mutex_trylock");
        countLock(mutex);
        return real(mutex);
    }
}

namespace
{
void* volatile sink = nullptr;

// A host listens to its plug-ins, so notices sent from the audio thread reach a listener here too.
struct HostListener : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged(juce::AudioProcessor*, int, float) override {}
    void audioProcessorChanged(juce::AudioProcessor*, const ChangeDetails&) override {}
};

// The mutexes JUCE locks whenever a parameter notifies its listeners (each parameter's listener
// lock) and whenever the processor tells its host of a change such as its latency (the processor's
// listener lock). Reset, randomize and a Post Limiter switch send such notices from the audio
// thread, so these locks are the framework's and cannot be avoided there.
std::set<const void*> notificationLocks(TBIAudioProcessor& p)
{
    std::set<const void*> locks;
    const auto record = [&locks]
    {
        for (int i = 0; i < std::min(counts.locks, ThreadCounts::maxRecorded); ++i)
            locks.insert(counts.lockedMutexes[i]);
    };
    for (auto* parameter : p.getParameters())
    {
        const auto value = parameter->getValue();
        Count count;
        parameter->setValueNotifyingHost(value);
        record();
    }
    Count count;
    p.updateHostDisplay(juce::AudioProcessorListener::ChangeDetails().withLatencyChanged(true));
    record();
    return locks;
}
} // namespace

TEST(RealtimeSafety, BlocksAllocateFreeAndLockNothingWhileEveryParameterMoves)
{
    TBIAudioProcessor p;
    HostListener host;
    p.addListener(&host);
    const auto allowedLocks = notificationLocks(p);
    ASSERT_FALSE(allowedLocks.empty()) << "the lock counting does not see JUCE's locks";
    {
        // Kept in a juce::MemoryBlock (malloc) and a std::vector (operator new) the optimiser
        // cannot see through, so both allocations happen.
        Count count;
        juce::MemoryBlock cBlock(16);
        std::vector<float> cppBlock(16);
        sink = cBlock.getData();
        sink = cppBlock.data();
    }
    ASSERT_EQ(counts.allocations, 2) << "the allocation counting does not see malloc and new";
    ASSERT_EQ(counts.frees, 2);

    constexpr int blockSize = 256;
    p.prepareToPlay(48000.0, blockSize);
    auto& storage = *p.getInstanceStorage();
    juce::AudioBuffer<float> buffer(2, blockSize);
    juce::MidiBuffer midi;
    juce::Random random(42);

    int allocations = 0;
    int frees = 0;
    int blocksWithLocks = 0;
    bool limiterOn = p.postLimiterParam->get();
    for (int block = 0; block < 600; ++block)
    {
        // The host's side: every parameter automated, so Post Limiter switches about every other
        // block; bypass and the editor's requests now and then.
        for (auto* parameter : p.getParameters())
            parameter->setValueNotifyingHost(random.nextFloat());
        storage.resetRequested = block % 25 == 10;
        storage.randomizeRequested = block % 25 == 20;
        const bool requests = storage.resetRequested || storage.randomizeRequested;
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < blockSize; ++i)
                buffer.setSample(ch, i, random.nextFloat() - 0.5f);

        {
            Count count;
            // Automation a VST3 host sends with a block is set on the audio thread, without
            // notices.
            if (block % 2 == 1)
                for (auto* parameter : p.getParameters())
                    parameter->setValue(random.nextFloat());
            if (block % 7 == 3)
                p.processBlockBypassed(buffer, midi);
            else
                p.processBlock(buffer, midi);
        }

        allocations += counts.allocations;
        frees += counts.frees;
        blocksWithLocks += counts.locks > 0 ? 1 : 0;
        const bool latencyChanged = p.postLimiterParam->get() != limiterOn;
        limiterOn = p.postLimiterParam->get();
        if (!latencyChanged && !requests)
        {
            EXPECT_EQ(counts.locks, 0) << "block " << block;
        }
        for (int i = 0; i < std::min(counts.locks, ThreadCounts::maxRecorded); ++i)
        {
            EXPECT_EQ(allowedLocks.count(counts.lockedMutexes[i]), 1u)
                << "block " << block << " locked a mutex that is not JUCE's notification lock";
        }
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(frees, 0);
    EXPECT_GT(blocksWithLocks, 0) << "no block switched Post Limiter or carried out a request";
    p.removeListener(&host);
}
