#include "platform/background_transfer.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform {

struct BackgroundTransfer::Worker {
    struct Request {
        File* file = nullptr;
        void* buffer = nullptr;
        std::size_t length = 0;
        bool isRead = false;
        bool collected = true;  // the slot is free
        std::int64_t result = -1;
    };

    std::mutex mutex;
    std::condition_variable requested;
    std::condition_variable completed;
    std::array<Request, kMaxQueued> requests{};  // ticket n in slot n % kMaxQueued
    std::int64_t started = 0;                    // guarded by the mutex
    std::atomic<std::int64_t> done{0};           // transfers carried out; only the worker raises it
    bool stopping = false;
    std::thread thread;

    Request& slot(std::int64_t ticket) { return requests[static_cast<std::size_t>(ticket % kMaxQueued)]; }

    void run() {
        bool writeFailed = false;
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            const std::int64_t next = done.load(std::memory_order_relaxed);
            requested.wait(lock, [&] { return started != next || stopping; });
            if (started == next) return;
            Request& request = slot(next);
            lock.unlock();
            std::int64_t got = -1;
            if (request.isRead) {
                got = request.file->read(request.buffer, request.length);
            } else if (!writeFailed) {
                got = request.file->write(request.buffer, request.length);
                writeFailed = got != static_cast<std::int64_t>(request.length);
            }
            lock.lock();
            request.result = got;
            done.store(next + 1, std::memory_order_release);
            completed.notify_all();
        }
    }
};

BackgroundTransfer::BackgroundTransfer() = default;

BackgroundTransfer::~BackgroundTransfer() {
    if (!worker_) return;
    {
        std::lock_guard<std::mutex> lock(worker_->mutex);
        worker_->stopping = true;
    }
    worker_->requested.notify_one();
    // The worker carries out every transfer started before it stops.
    worker_->thread.join();
}

std::int64_t BackgroundTransfer::start(File& file, void* buffer, std::size_t length, bool isRead) {
    if (!worker_) {
        // No exception leaves this layer: without a thread the caller transfers by itself.
        try {
            auto worker = std::make_unique<Worker>();
            worker->thread = std::thread([w = worker.get()] { w->run(); });
            worker_ = std::move(worker);
        } catch (const std::exception&) {
            return -1;
        }
    }
    std::int64_t ticket = -1;
    {
        std::lock_guard<std::mutex> lock(worker_->mutex);
        Worker::Request& request = worker_->slot(worker_->started);
        if (!request.collected) return -1;
        request = Worker::Request{&file, buffer, length, isRead, false, -1};
        ticket = worker_->started++;
    }
    worker_->requested.notify_one();
    return ticket;
}

std::int64_t BackgroundTransfer::startRead(File& file, void* buffer, std::size_t length) {
    return start(file, buffer, length, true);
}

std::int64_t BackgroundTransfer::startWrite(File& file, const void* buffer, std::size_t length) {
    // The worker only reads from the buffer of a write.
    return start(file, const_cast<void*>(buffer), length, false);
}

bool BackgroundTransfer::finished(std::int64_t ticket) const {
    return worker_ && worker_->done.load(std::memory_order_acquire) > ticket;
}

std::int64_t BackgroundTransfer::collect(std::int64_t ticket) {
    if (!worker_ || ticket < 0) return -1;
    std::unique_lock<std::mutex> lock(worker_->mutex);
    if (ticket >= worker_->started) return -1;
    worker_->completed.wait(lock, [&] { return worker_->done.load(std::memory_order_relaxed) > ticket; });
    Worker::Request& request = worker_->slot(ticket);
    request.collected = true;
    return request.result;
}

}  // namespace platform
