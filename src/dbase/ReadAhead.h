#pragma once
// Runs the steps of a long read, in order, on a second thread, while the caller works through the
// steps already done. Opening a large table reads it a block at a time: the system's copying of
// block k+1 (and its clearing of the fresh memory it lands in) then overlaps the checking of the
// records of block k, on a machine with a second core to spare.

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace valmora::dbase {

class ReadAhead {
public:
    // Starts at once. Where no thread can be started, each step runs when it is waited for.
    ReadAhead(std::size_t steps, std::function<void(std::size_t)> step);
    // Stops after the step under way and waits for it: the caller may leave early, by an exception.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Returns once step `i` is done; throws what a step up to `i` threw.
    void waitFor(std::size_t i);
    // The same, calling `meanwhile` while step `i` is not done, for as long as it returns true (it found
    // something to do). It must not need any step done: it runs beside them.
    void waitFor(std::size_t i, const std::function<bool()>& meanwhile);

private:
    void run();

    std::size_t steps_;
    std::function<void(std::size_t)> step_;
    std::mutex mutex_;
    std::condition_variable progress_;
    std::size_t done_ = 0;
    std::exception_ptr failure_;
    bool stop_ = false;
    std::thread thread_;
};

} // namespace valmora::dbase
