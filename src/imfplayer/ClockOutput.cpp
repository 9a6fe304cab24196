#include "AudioOutput.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace zentrik::imf {

namespace {

constexpr auto kPeriod = std::chrono::milliseconds(10);

class ClockOutput final : public AudioOutput {
public:
    explicit ClockOutput(uint32_t rate) : m_rate(rate) {}
    ~ClockOutput() override { shutdown(); }

    uint32_t sampleRate() const override { return m_rate; }
    bool hasDevice() const override { return false; }

    void start(SampleSource source) override {
        m_thread = std::thread([this, source = std::move(source)] { run(source); });
    }

    void shutdown() override {
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    void run(const SampleSource& source) {
        using Clock = std::chrono::steady_clock;
        const auto begin = Clock::now();
        uint64_t done = 0;
        std::vector<int16_t> scratch;
        std::unique_lock lock(m_mutex);
        while (!m_quit) {
            m_wake.wait_for(lock, kPeriod, [this] { return m_quit; });
            if (m_quit)
                break;
            const auto elapsed =
                std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - begin);
            const uint64_t due = uint64_t(elapsed.count()) * m_rate / 1000000;
            if (due <= done)
                continue;
            scratch.resize(size_t(due - done));
            lock.unlock();
            source(scratch.data(), scratch.size());
            lock.lock();
            done = due;
        }
    }

    uint32_t m_rate;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_quit = false;
};

} // namespace

std::unique_ptr<AudioOutput> openClockOutput(uint32_t sampleRate) {
    return std::make_unique<ClockOutput>(sampleRate);
}

} // namespace zentrik::imf
