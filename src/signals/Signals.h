#pragma once

// Signals: the program's own small signal and slot library.
//
// An object exposes a Signals::Signal<R(Args...)>; receivers derived from Signals::Trackable
// connect member functions to it; emit() calls every connected member function, in connection
// order. A connection ends by itself when either the signal or the receiver is destroyed.
//
// Single-threaded: a signal, its connections and its receivers belong to one thread.
//
// Emission pins the node it is calling (raises its refCount for the duration of
// the call and until the walk has moved on), so a callback may end connections of the signal it is
// being called from (its own, by destroying its receiver, or others) without the walk touching
// freed memory. A node unlinked while pinned keeps its "next" pointer and a reference on that
// successor, so the walk resumes at the first node after it that is still connected. A callback
// still must not destroy the signal that is calling it.

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace Signals
{

/** Placeholder for the N-th argument (N from 1) of a callback bound with std::bind. */
template <int N>
struct ArgPlaceholder
{
};

} // namespace Signals

namespace std
{
template <int N>
struct is_placeholder<Signals::ArgPlaceholder<N>> : std::integral_constant<int, N>
{
};
} // namespace std

namespace Signals
{

class Trackable;

namespace Lib
{

/** The default collector: for void it collects nothing and every callback is called. */
template <typename R>
struct CollectorDefault
{
    using CollectorResult = R;

    /** Keeps the last result; every callback is called. */
    bool operator()(R value)
    {
        last = std::move(value);
        return true;
    }

    CollectorResult result() { return std::move(last); }

    R last{};
};

template <>
struct CollectorDefault<void>
{
    using CollectorResult = void;
    void result() {}
};

/** One connected callback, or the head node of a signal's ring (empty callback). */
template <typename Function>
struct CallbackNode
{
    CallbackNode* next = nullptr;
    /** Null once the node has been unlinked from its ring. */
    CallbackNode* prev = nullptr;
    Function callback;
    int refCount = 1;

    explicit CallbackNode(Function f) : callback(std::move(f)) {}

    bool isLinked() const { return prev != nullptr; }

    void incRef() { ++refCount; }

    /** Drops one reference. A node freed after it was unlinked while pinned also drops the
        reference it held on its successor; done in a loop so long chains need no recursion. */
    static void decRef(CallbackNode* node)
    {
        while (node != nullptr)
        {
            if (--node->refCount > 0)
                return;
            CallbackNode* heldSuccessor = node->isLinked() ? nullptr : node->next;
            delete node;
            node = heldSuccessor;
        }
    }

    /** Takes the node out of its ring and drops the ring's
        reference. When something else still pins the node (an emission calling it or walking
        through it), its callback is kept alive until the last reference goes, and the node keeps
        its next pointer together with a reference on that successor. */
    static void unlink(CallbackNode* node)
    {
        if (node == nullptr || !node->isLinked())
            return;

        CallbackNode* after = node->next;
        CallbackNode* before = node->prev;
        if (after != nullptr)
            after->prev = before;
        if (before != nullptr)
            before->next = after;
        node->prev = nullptr;

        if (node->refCount > 1)
        {
            // Pinned: the callback may be executing right now; keep it until the node is freed.
            if (after != nullptr)
                after->incRef();
        }
        else
        {
            node->next = nullptr;
            node->callback = nullptr;
        }
        decRef(node);
    }
};

/** What a Trackable knows of each of its connections. */
class ConnectionBase
{
public:
    ConnectionBase() = default;
    ConnectionBase(const ConnectionBase&) = delete;
    ConnectionBase& operator=(const ConnectionBase&) = delete;
    virtual ~ConnectionBase() = default;
    virtual void disconnect() = 0;
};

/** One connection of a signal: its node in the ring, and where the signal's ring starts. */
template <typename Function>
class Connection : public ConnectionBase
{
public:
    using Node = CallbackNode<Function>;

    Connection(Node** ring, Node* callbackNode) : signalRing(ring), node(callbackNode) {}

    ~Connection() override { Connection::disconnect(); }

    void disconnect() override
    {
        if (signalRing == nullptr)
            return;

        Node* head = *signalRing;
        if (head != nullptr && head->next != nullptr && head->next != head)
        {
            for (Node* walk = head->next; walk != nullptr && walk != head; walk = walk->next)
            {
                if (walk == node)
                {
                    Node::unlink(node);
                    break;
                }
            }
        }
        signalRing = nullptr;
        node = nullptr;
    }

    bool isConnected() const { return signalRing != nullptr; }

private:
    Node** signalRing;
    Node* node;
};

/** Calls one callback and hands its result to the collector; false stops the emission. */
template <typename Collector, typename R, typename... Args>
struct CollectorInvocation
{
    static bool invoke(Collector& collector, const std::function<R(Args...)>& callback,
                       Args&... args)
    {
        return collector(callback(args...));
    }
};

template <typename Collector, typename... Args>
struct CollectorInvocation<Collector, void, Args...>
{
    static bool invoke(Collector&, const std::function<void(Args...)>& callback, Args&... args)
    {
        callback(args...);
        return true;
    }
};

template <typename Signature, typename Collector>
class ProtoSignal;

template <typename Collector, typename R, typename... Args>
class ProtoSignal<R(Args...), Collector> : private CollectorInvocation<Collector, R, Args...>
{
public:
    using Function = std::function<R(Args...)>;
    using Node = CallbackNode<Function>;
    using CollectorResult = typename Collector::CollectorResult;

    ProtoSignal() = default;
    ProtoSignal(const ProtoSignal&) = delete;
    ProtoSignal& operator=(const ProtoSignal&) = delete;

    ~ProtoSignal()
    {
        // 1. Release the connections, last first; each one unlinks its node from the intact ring.
        while (!connections.empty())
            connections.pop_back();
        std::vector<std::shared_ptr<ConnectionBase>>().swap(connections);

        // 2. Unlink what is left, then drop the head's two references.
        if (ringHead != nullptr)
        {
            while (ringHead->next != ringHead)
                Node::unlink(ringHead->next);
            Node* head = ringHead;
            ringHead = nullptr;
            Node::decRef(head);
            Node::decRef(head);
        }
    }

    /** Connects memberFunction of receiver; the connection ends when either side is destroyed. */
    template <typename Class>
    void connect(Class* receiver, R (Class::*memberFunction)(Args...))
    {
        connectBound(receiver, memberFunction);
    }

    template <typename Class>
    void connect(Class* receiver, R (Class::*memberFunction)(Args...) const)
    {
        connectBound(receiver, memberFunction);
    }

    /** Calls every connected callback with args, in connection order. */
    CollectorResult emit(Args... args)
    {
        Collector collector;
        if (ringHead == nullptr)
            return collector.result();

        Node* node = ringHead->next;
        if (node == ringHead)
            return collector.result();

        node->incRef(); // pin the node being called
        for (;;)
        {
            bool keepGoing = true;
            if (node->isLinked() && node->callback)
                keepGoing = this->invoke(collector, node->callback, args...);

            // Linked: next is its ring neighbour. Unlinked while pinned: next is the successor it
            // had then, on which it holds a reference.
            Node* following = node->next;
            if (!keepGoing || following == nullptr || following == ringHead)
            {
                Node::decRef(node);
                break;
            }
            following->incRef();
            Node::decRef(node);
            node = following;
        }
        return collector.result();
    }

    /** Number of connections that are still connected (for tests and diagnostics). */
    std::size_t connectedCount() const
    {
        std::size_t count = 0;
        if (ringHead != nullptr)
            for (Node* walk = ringHead->next; walk != ringHead; walk = walk->next)
                ++count;
        return count;
    }

private:
    template <typename Class, typename Member>
    void connectBound(Class* receiver, Member memberFunction)
    {
        static_assert(std::is_base_of<Trackable, Class>::value,
                      "Signals: the receiver must derive from Signals::Trackable");
        if (receiver == nullptr || memberFunction == nullptr)
            return;

        // 1. Bind the member to the receiver, one ArgPlaceholder per argument.
        Function bound = bindMember(receiver, memberFunction, std::index_sequence_for<Args...>{});

        // 2. The head node, made on the first connection.
        if (ringHead == nullptr)
        {
            ringHead = new Node(Function{});
            ringHead->refCount = 2;
            ringHead->next = ringHead;
            ringHead->prev = ringHead;
        }

        // 3. The callback node, at the end of the ring.
        Node* node = new Node(std::move(bound));
        node->prev = ringHead->prev;
        node->next = ringHead;
        ringHead->prev->next = node;
        ringHead->prev = node;

        // 4 to 6. The connection, known weakly by the receiver and owned by the signal.
        auto connection = std::make_shared<Connection<Function>>(&ringHead, node);
        trackOn(*receiver, connection);
        connections.push_back(std::move(connection));
    }

    template <typename Class, typename Member, std::size_t... I>
    static Function bindMember(Class* receiver, Member memberFunction, std::index_sequence<I...>)
    {
        return Function(
            std::bind(memberFunction, receiver, ArgPlaceholder<static_cast<int>(I) + 1>{}...));
    }

    static void trackOn(Trackable& receiver, const std::shared_ptr<ConnectionBase>& connection);

    Node* ringHead = nullptr;
    std::vector<std::shared_ptr<ConnectionBase>> connections;
};

} // namespace Lib

/** Base of every receiver: its connections end when it is destroyed. It never owns them. */
class Trackable
{
public:
    Trackable() = default;
    /** A copy starts with no connections; the original's stay the original's. */
    Trackable(const Trackable&) {}
    Trackable& operator=(const Trackable&) { return *this; }

    virtual ~Trackable()
    {
        // Moved out first so that nothing a disconnect does can touch the vector being walked.
        auto tracked = std::move(trackedConnections);
        trackedConnections.clear();
        for (auto& weak : tracked)
        {
            if (auto connection = weak.lock())
                connection->disconnect();
        }
        tracked.clear();
        tracked.shrink_to_fit();
    }

private:
    template <typename Signature, typename Collector>
    friend class Lib::ProtoSignal;

    void track(const std::shared_ptr<Lib::ConnectionBase>& connection)
    {
        // Connections whose signal is gone are dropped, so a long-lived receiver does not grow.
        trackedConnections.erase(
            std::remove_if(trackedConnections.begin(), trackedConnections.end(),
                           [](const std::weak_ptr<Lib::ConnectionBase>& w) { return w.expired(); }),
            trackedConnections.end());
        trackedConnections.push_back(connection);
    }

    std::vector<std::weak_ptr<Lib::ConnectionBase>> trackedConnections;
};

namespace Lib
{
template <typename Collector, typename R, typename... Args>
void ProtoSignal<R(Args...), Collector>::trackOn(Trackable& receiver,
                                                 const std::shared_ptr<ConnectionBase>& connection)
{
    receiver.track(connection);
}
} // namespace Lib

namespace Lib
{
template <typename Signature>
struct DefaultCollectorFor;

template <typename R, typename... Args>
struct DefaultCollectorFor<R(Args...)>
{
    using type = CollectorDefault<R>;
};
} // namespace Lib

template <typename Signature,
          typename Collector = typename Lib::DefaultCollectorFor<Signature>::type>
class Signal;

/** A signal of callback signature R(Args...); Collector defaults to CollectorDefault<R>. */
template <typename R, typename... Args, typename Collector>
class Signal<R(Args...), Collector> : public Lib::ProtoSignal<R(Args...), Collector>
{
public:
    Signal() = default;
    virtual ~Signal() = default;
};

} // namespace Signals
