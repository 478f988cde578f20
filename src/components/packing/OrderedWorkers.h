#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace packing {

// Items each worker may run ahead of the consumer. Items differ several-fold in cost (a flat
// BMP against a noisy PNG), so a short window leaves a worker waiting behind one slow item
// that the consumer needs next; a few dozen small results in memory cost nothing.
constexpr std::size_t kItemsAheadPerThread = 16;

// Runs produce(state, i) for i = 0..count-1 on a few worker threads and hands
// each result to consume(i, result) on the calling thread, strictly in index
// order. Each worker has its own default-constructed State (scratch buffers
// that live from one item to the next). Workers run at most `window` items
// ahead of the consumer, which bounds the results held in memory. The output
// therefore never depends on the number of threads or on timing. An exception
// from produce is rethrown to the caller.
template <class State, class Result, class Produce, class Consume>
void runOrderedWith(std::size_t count, unsigned threads, Produce produce, Consume consume)
{
    threads = std::max(1u, std::min<unsigned>(threads, static_cast<unsigned>(count)));
    if (threads <= 1) {
        State state;
        for (std::size_t i = 0; i < count; ++i) {
            consume(i, produce(state, i));
        }
        return;
    }
    const std::size_t window = std::size_t{threads} * kItemsAheadPerThread;
    std::mutex mutex;
    std::condition_variable changed;
    std::map<std::size_t, Result> ready;
    std::exception_ptr failure;
    std::size_t next = 0;     // next index a worker takes
    std::size_t consumed = 0; // results handed to the consumer so far
    bool stop = false;

    auto work = [&] {
        State state;
        for (;;) {
            std::size_t index = 0;
            {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock,
                             [&] { return stop || next >= count || next < consumed + window; });
                if (stop || next >= count) {
                    return;
                }
                index = next++;
            }
            try {
                Result result = produce(state, index);
                std::lock_guard<std::mutex> lock(mutex);
                ready.emplace(index, std::move(result));
            } catch (...) {
                std::lock_guard<std::mutex> lock(mutex);
                if (!failure) {
                    failure = std::current_exception();
                }
                stop = true;
            }
            changed.notify_all();
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t) {
        pool.emplace_back(work);
    }
    for (std::size_t i = 0; i < count; ++i) {
        Result result;
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [&] { return stop || ready.count(i) != 0; });
            if (stop) {
                break;
            }
            auto it = ready.find(i);
            result = std::move(it->second);
            ready.erase(it);
            consumed = i + 1;
        }
        changed.notify_all();
        try {
            consume(i, std::move(result));
        } catch (...) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                failure = std::current_exception();
                stop = true;
            }
            changed.notify_all();
            break;
        }
    }
    for (std::thread& t : pool) {
        t.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

// As runOrderedWith, for work that needs no state of its own: produce(i).
template <class Result, class Produce, class Consume>
void runOrdered(std::size_t count, unsigned threads, Produce produce, Consume consume)
{
    struct None
    {
    };
    runOrderedWith<None, Result>(
        count, threads, [&](None&, std::size_t i) { return produce(i); }, consume);
}

} // namespace packing
