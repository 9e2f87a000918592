#include "signals/Signals.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

using Log = std::vector<std::string>;

struct Receiver : Signals::Trackable
{
    Receiver(Log& l, std::string n) : log(l), name(std::move(n)) {}

    void onSignal() { log.push_back(name); }
    void onSignalAgain() { log.push_back(name + "'"); }
    void onConst() const { log.push_back(name + " const"); }

    Log& log;
    std::string name;
};

struct ThreeArgs : Signals::Trackable
{
    void onValues(bool b, std::string first, const std::string& second)
    {
        flag = b;
        a = std::move(first);
        c = second;
        ++calls;
    }

    bool flag = false;
    std::string a, c;
    int calls = 0;
};

/** Counts destructions so a test can see that the library does not touch a dead receiver. */
struct Counted : Signals::Trackable
{
    explicit Counted(int& d) : destroyed(d) {}
    ~Counted() override { ++destroyed; }
    void onSignal() { ++calls; }
    int& destroyed;
    int calls = 0;
};

} // namespace

TEST(Signals, EmitWithoutConnectionsDoesNothing)
{
    Signals::Signal<void()> signal;
    signal.emit();
    EXPECT_EQ(signal.connectedCount(), 0u);
}

TEST(Signals, DestroyingAnUnusedSignalIsFine)
{
    auto signal = std::make_unique<Signals::Signal<void(int)>>();
    signal.reset();
    SUCCEED();
}

TEST(Signals, CallsInConnectionOrder)
{
    Log log;
    Receiver a(log, "a"), b(log, "b"), c(log, "c");
    Signals::Signal<void()> signal;
    signal.connect(&b, &Receiver::onSignal);
    signal.connect(&a, &Receiver::onSignal);
    signal.connect(&c, &Receiver::onSignal);
    signal.connect(&a, &Receiver::onConst);
    signal.emit();
    EXPECT_EQ(log, (Log{"b", "a", "c", "a const"}));
    log.clear();
    signal.emit();
    EXPECT_EQ(log, (Log{"b", "a", "c", "a const"}));
}

TEST(Signals, SameMemberTwiceIsCalledTwice)
{
    Log log;
    Receiver a(log, "a");
    Signals::Signal<void()> signal;
    signal.connect(&a, &Receiver::onSignal);
    signal.connect(&a, &Receiver::onSignalAgain);
    signal.connect(&a, &Receiver::onSignal);
    signal.emit();
    EXPECT_EQ(log, (Log{"a", "a'", "a"}));
}

TEST(Signals, MiddleReceiverDestroyedIsSkipped)
{
    Log log;
    Receiver first(log, "1"), third(log, "3");
    auto second = std::make_unique<Receiver>(log, "2");
    Signals::Signal<void()> signal;
    signal.connect(&first, &Receiver::onSignal);
    signal.connect(second.get(), &Receiver::onSignal);
    signal.connect(&third, &Receiver::onSignal);
    signal.emit();
    EXPECT_EQ(log, (Log{"1", "2", "3"}));
    second.reset();
    log.clear();
    signal.emit();
    EXPECT_EQ(log, (Log{"1", "3"}));
    EXPECT_EQ(signal.connectedCount(), 2u);
}

TEST(Signals, ReceiverDestroyedFirst)
{
    int destroyed = 0;
    auto signal = std::make_unique<Signals::Signal<void()>>();
    auto receiver = std::make_unique<Counted>(destroyed);
    signal->connect(receiver.get(), &Counted::onSignal);
    signal->connect(receiver.get(), &Counted::onSignal);
    signal->emit();
    EXPECT_EQ(receiver->calls, 2);
    receiver.reset();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(signal->connectedCount(), 0u);
    signal->emit(); // must not reach the dead receiver (ASan would report it)
    signal.reset(); // frees the remaining, disconnected connection objects
    EXPECT_EQ(destroyed, 1);
}

TEST(Signals, SignalDestroyedFirst)
{
    int destroyed = 0;
    auto receiver = std::make_unique<Counted>(destroyed);
    {
        Signals::Signal<void()> signal;
        signal.connect(receiver.get(), &Counted::onSignal);
        signal.emit();
    }
    EXPECT_EQ(receiver->calls, 1);
    receiver.reset(); // its weak references have expired: nothing to disconnect
    EXPECT_EQ(destroyed, 1);
}

TEST(Signals, ReceiverOutlivesManySignals)
{
    Log log;
    Receiver r(log, "r");
    for (int i = 0; i < 100; ++i)
    {
        Signals::Signal<void()> signal;
        signal.connect(&r, &Receiver::onSignal);
        signal.emit();
    }
    EXPECT_EQ(log.size(), 100u);
}

TEST(Signals, ThreeArguments)
{
    ThreeArgs receiver;
    Signals::Signal<void(bool, std::string, const std::string&)> signal;
    signal.connect(&receiver, &ThreeArgs::onValues);
    signal.emit(true, "left", "right");
    EXPECT_TRUE(receiver.flag);
    EXPECT_EQ(receiver.a, "left");
    EXPECT_EQ(receiver.c, "right");
}

TEST(Signals, EveryReceiverGetsItsOwnCopyOfByValueArguments)
{
    ThreeArgs one, two;
    Signals::Signal<void(bool, std::string, const std::string&)> signal;
    signal.connect(&one, &ThreeArgs::onValues);
    signal.connect(&two, &ThreeArgs::onValues);
    std::string long1(100, 'x');
    signal.emit(false, long1, "b");
    EXPECT_EQ(one.a, long1);
    EXPECT_EQ(two.a, long1); // not a moved-from string
    EXPECT_EQ(two.c, "b");
}

TEST(Signals, ArgPlaceholderIsAStdPlaceholder)
{
    static_assert(std::is_placeholder<Signals::ArgPlaceholder<1>>::value == 1);
    static_assert(std::is_placeholder<Signals::ArgPlaceholder<3>>::value == 3);
    auto minus = std::bind([](int x, int y) { return x - y; }, Signals::ArgPlaceholder<2>{},
                           Signals::ArgPlaceholder<1>{});
    EXPECT_EQ(minus(1, 10), 9);
}

TEST(Signals, NonVoidResultCollectsTheLast)
{
    struct Answer : Signals::Trackable
    {
        int value = 0;
        int get(int add) { return value + add; }
    };
    Answer a, b;
    a.value = 1;
    b.value = 20;
    Signals::Signal<int(int)> signal;
    EXPECT_EQ(signal.emit(5), 0);
    signal.connect(&a, &Answer::get);
    signal.connect(&b, &Answer::get);
    EXPECT_EQ(signal.emit(5), 25);
}

// ---- Disconnection during an emission (the node being called is pinned) ----

namespace
{

/** Destroys itself (and so ends its own connections) from inside its callback. */
struct SelfDestroyer : Signals::Trackable
{
    SelfDestroyer(Log& l, std::unique_ptr<SelfDestroyer>& o) : log(l), owner(o) {}
    void onSignal()
    {
        log.push_back("self");
        owner.reset(); // runs ~Trackable while this very callback is executing
    }
    Log& log;
    std::unique_ptr<SelfDestroyer>& owner;
};

/** Destroys other receivers from inside its callback. */
struct Killer : Signals::Trackable
{
    void onSignal()
    {
        for (auto* victim : victims)
            victim->reset();
        ++calls;
    }
    std::vector<std::unique_ptr<Receiver>*> victims;
    int calls = 0;
};

} // namespace

TEST(Signals, SelfDisconnectDuringEmission)
{
    Log log;
    Receiver before(log, "before"), after(log, "after");
    std::unique_ptr<SelfDestroyer> self;
    self = std::make_unique<SelfDestroyer>(log, self);
    Signals::Signal<void()> signal;
    signal.connect(&before, &Receiver::onSignal);
    signal.connect(self.get(), &SelfDestroyer::onSignal);
    signal.connect(&after, &Receiver::onSignal);

    signal.emit();
    EXPECT_EQ(self, nullptr);
    EXPECT_EQ(log, (Log{"before", "self", "after"}));
    log.clear();
    signal.emit();
    EXPECT_EQ(log, (Log{"before", "after"}));
    EXPECT_EQ(signal.connectedCount(), 2u);
}

TEST(Signals, SelfDisconnectOfTheOnlyAndTheLastConnection)
{
    Log log;
    std::unique_ptr<SelfDestroyer> self;
    self = std::make_unique<SelfDestroyer>(log, self);
    Signals::Signal<void()> signal;
    signal.connect(self.get(), &SelfDestroyer::onSignal);
    signal.emit();
    EXPECT_EQ(log, (Log{"self"}));
    signal.emit();
    EXPECT_EQ(log.size(), 1u);
    EXPECT_EQ(signal.connectedCount(), 0u);
}

TEST(Signals, SelfDisconnectWithTwoConnectionsInARow)
{
    // The receiver is connected twice, one after the other: its destruction from the first
    // callback also unlinks the node the emission would visit next.
    Log log;
    Receiver after(log, "after");
    std::unique_ptr<SelfDestroyer> self;
    self = std::make_unique<SelfDestroyer>(log, self);
    Signals::Signal<void()> signal;
    signal.connect(self.get(), &SelfDestroyer::onSignal);
    signal.connect(self.get(), &SelfDestroyer::onSignal);
    signal.connect(&after, &Receiver::onSignal);
    signal.emit();
    EXPECT_EQ(log, (Log{"self", "after"}));
}

TEST(Signals, CallbackDestroysTheFollowingReceivers)
{
    Log log;
    auto second = std::make_unique<Receiver>(log, "2");
    auto third = std::make_unique<Receiver>(log, "3");
    Receiver fourth(log, "4");
    Killer killer;
    killer.victims = {&second, &third};
    Signals::Signal<void()> signal;
    signal.connect(&killer, &Killer::onSignal);
    signal.connect(second.get(), &Receiver::onSignal);
    signal.connect(third.get(), &Receiver::onSignal);
    signal.connect(&fourth, &Receiver::onSignal);
    signal.emit();
    EXPECT_EQ(log, (Log{"4"}));
    EXPECT_EQ(killer.calls, 1);
}

TEST(Signals, NestedEmissionWithSelfDisconnect)
{
    struct Nester : Signals::Trackable
    {
        Signals::Signal<void()>* signal = nullptr;
        std::unique_ptr<Nester>* owner = nullptr;
        int depth = 0;
        int* calls = nullptr;
        void onSignal()
        {
            ++*calls;
            if (depth++ == 0)
                signal->emit(); // re-enters this callback once
            else
                owner->reset();
        }
    };
    int calls = 0;
    Signals::Signal<void()> signal;
    std::unique_ptr<Nester> nester = std::make_unique<Nester>();
    nester->signal = &signal;
    nester->owner = &nester;
    nester->calls = &calls;
    signal.connect(nester.get(), &Nester::onSignal);
    signal.emit();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(nester, nullptr);
    signal.emit();
    EXPECT_EQ(calls, 2);
}
