#include "meridan/operon/Workers.h"

namespace meridan::operon {

Workers::Workers(int count)
{
    for (int w = 1; w < count; ++w)
        helpers_.emplace_back([this, w] { helperLoop(w); });
}

Workers::~Workers()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    start_.notify_all();
    for (std::thread& t : helpers_)
        t.join();
}

void Workers::run(const std::function<void(int)>& task)
{
    if (helpers_.empty()) {
        task(0);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        task_ = &task;
        pending_ = static_cast<int>(helpers_.size());
        failure_ = nullptr;
        ++generation_;
    }
    start_.notify_all();
    std::exception_ptr own;
    try {
        task(0);
    } catch (...) {
        own = std::current_exception();
    }
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return pending_ == 0; });
    task_ = nullptr;
    if (own)
        std::rethrow_exception(own);
    if (failure_)
        std::rethrow_exception(failure_);
}

void Workers::helperLoop(int worker)
{
    unsigned long seen = 0;
    while (true) {
        const std::function<void(int)>* task;
        {
            std::unique_lock lock(mutex_);
            start_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_)
                return;
            seen = generation_;
            task = task_;
        }
        std::exception_ptr failure;
        try {
            (*task)(worker);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            if (failure && !failure_)
                failure_ = failure;
            --pending_;
        }
        done_.notify_one();
    }
}

} // namespace meridan::operon
