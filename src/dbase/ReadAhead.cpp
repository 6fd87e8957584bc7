#include "dbase/ReadAhead.h"

#include <system_error>

namespace valmora::dbase {

ReadAhead::ReadAhead(std::size_t steps, std::function<void(std::size_t)> step)
    : steps_(steps), step_(std::move(step)) {
    if (steps_ < 2)
        return; // nothing to overlap
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
    }
}

ReadAhead::~ReadAhead() {
    if (!thread_.joinable())
        return;
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    thread_.join();
}

void ReadAhead::run() {
    for (std::size_t i = 0; i < steps_; ++i) {
        {
            const std::lock_guard lock(mutex_);
            if (stop_)
                return;
        }
        try {
            step_(i);
        } catch (...) {
            const std::lock_guard lock(mutex_);
            failure_ = std::current_exception();
            progress_.notify_all();
            return;
        }
        const std::lock_guard lock(mutex_);
        done_ = i + 1;
        progress_.notify_all();
    }
}

void ReadAhead::waitFor(std::size_t i, const std::function<bool()>& meanwhile) {
    if (thread_.joinable()) {
        for (;;) {
            {
                const std::lock_guard lock(mutex_);
                if (done_ > i || failure_)
                    break;
            }
            if (!meanwhile())
                break;
        }
    }
    waitFor(i);
}

void ReadAhead::waitFor(std::size_t i) {
    if (!thread_.joinable()) {
        // No second thread: the steps run here, each once, in order.
        for (; done_ <= i && done_ < steps_; ++done_)
            step_(done_);
        return;
    }
    std::unique_lock lock(mutex_);
    progress_.wait(lock, [&] { return done_ > i || failure_; });
    if (done_ > i)
        return;
    std::rethrow_exception(failure_);
}

} // namespace valmora::dbase
