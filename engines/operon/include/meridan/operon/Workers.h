// A small fixed team of threads for the fit's data-parallel steps. Each
// step splits its work into parts whose results it combines afterwards in a
// fixed order, so the outcome does not depend on the number of threads.
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace meridan::operon {

class Workers {
public:
    // count threads in all, the calling one included (at least 1).
    explicit Workers(int count);
    ~Workers();
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;

    int count() const { return static_cast<int>(helpers_.size()) + 1; }

    // Runs task(w) for w = 0 … count()-1, task(0) on the calling thread, and
    // returns when all have finished; an exception of any is rethrown.
    void run(const std::function<void(int)>& task);

private:
    void helperLoop(int worker);

    std::vector<std::thread> helpers_;
    std::mutex mutex_;
    std::condition_variable start_;
    std::condition_variable done_;
    const std::function<void(int)>* task_ = nullptr;
    unsigned long generation_ = 0;
    int pending_ = 0;
    bool stopping_ = false;
    std::exception_ptr failure_;
};

} // namespace meridan::operon
