// The resident memory of a process, sampled once a second on a thread of its own.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// VmRSS of /proc/<pid>/status in kB; none once the process is gone.
std::optional<int64_t> residentKb(pid_t pid);

struct RssSample {
    double seconds = 0;  // since sampling started
    int64_t kb = 0;
};

class RssSampler {
public:
    explicit RssSampler(pid_t pid);
    // Stops sampling.
    ~RssSampler();
    RssSampler(const RssSampler&) = delete;
    RssSampler& operator=(const RssSampler&) = delete;

    // Seconds since sampling started, on the samples' clock.
    double now() const;
    std::vector<RssSample> samples() const;

private:
    void sample();

    pid_t pid_;
    std::chrono::steady_clock::time_point start_;
    mutable std::mutex lock_;  // guards samples_ and stopping_
    std::condition_variable stop_;
    std::vector<RssSample> samples_;
    bool stopping_ = false;
    std::thread thread_;
};

// The largest sample taken in [from, to) seconds, or 0 when none was.
int64_t largestBetween(const std::vector<RssSample>& samples, double from, double to);
