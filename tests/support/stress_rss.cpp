#include "tests/support/stress_rss.h"

#include <algorithm>
#include <fstream>
#include <string>

namespace {

constexpr auto kInterval = std::chrono::seconds(1);

}  // namespace

std::optional<int64_t> residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string field; status >> field;) {
        if (field == "VmRSS:") {
            int64_t kb = 0;
            if (status >> kb)
                return kb;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

RssSampler::RssSampler(pid_t pid)
    : pid_(pid), start_(std::chrono::steady_clock::now()), thread_([this] { sample(); }) {}

RssSampler::~RssSampler() {
    {
        std::lock_guard guard(lock_);
        stopping_ = true;
    }
    stop_.notify_all();
    thread_.join();
}

double RssSampler::now() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

std::vector<RssSample> RssSampler::samples() const {
    std::lock_guard guard(lock_);
    return samples_;
}

void RssSampler::sample() {
    std::unique_lock guard(lock_);
    while (!stopping_) {
        // Read unlocked: the file system may take its time.
        guard.unlock();
        const std::optional<int64_t> kb = residentKb(pid_);
        const double at = now();
        guard.lock();
        if (kb)
            samples_.push_back({at, *kb});
        stop_.wait_for(guard, kInterval, [this] { return stopping_; });
    }
}

int64_t largestBetween(const std::vector<RssSample>& samples, double from, double to) {
    int64_t largest = 0;
    for (const RssSample& sample : samples) {
        if (sample.seconds >= from && sample.seconds < to)
            largest = std::max(largest, sample.kb);
    }
    return largest;
}
