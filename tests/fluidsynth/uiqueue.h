// Stands in for the UI thread's event queue: the device posts to it, the test drains it.
#pragma once

#include <deque>
#include <functional>
#include <mutex>

namespace tanzel::test {

class UiQueue {
public:
    std::function<void(std::function<void()>)> poster() {
        return [this](std::function<void()> event) {
            std::lock_guard lock(mutex);
            events.push_back(std::move(event));
        };
    }

    // Runs what was posted, including what the events themselves post. Returns how many ran.
    int drain() {
        int ran = 0;
        while (std::function<void()> event = next()) {
            event();
            ++ran;
        }
        return ran;
    }

private:
    std::function<void()> next() {
        std::lock_guard lock(mutex);
        if (events.empty())
            return nullptr;
        std::function<void()> event = std::move(events.front());
        events.pop_front();
        return event;
    }

    std::mutex mutex;
    std::deque<std::function<void()>> events;
};

} // namespace tanzel::test
