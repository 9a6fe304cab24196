#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace zentrik {

namespace detail {
// What a Connection needs of its signal: removal by id, whatever the signal's arguments.
struct SlotList {
    virtual ~SlotList() = default;
    virtual void remove(uint64_t id) = 0;
};
} // namespace detail

// A listener's hold on a signal. Destroying or reassigning it disconnects, so a view that
// goes away can never be called again. Outliving the signal is fine: then it does nothing.
class Connection {
public:
    Connection() = default;
    Connection(std::weak_ptr<detail::SlotList> list, uint64_t id)
        : m_list(std::move(list)), m_id(id) {}
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Connection(Connection&& other) noexcept
        : m_list(std::move(other.m_list)), m_id(std::exchange(other.m_id, 0)) {}
    Connection& operator=(Connection&& other) noexcept {
        if (this != &other) {
            disconnect();
            m_list = std::move(other.m_list);
            m_id = std::exchange(other.m_id, 0);
        }
        return *this;
    }
    ~Connection() { disconnect(); }

    void disconnect() {
        if (auto list = m_list.lock(); list && m_id != 0)
            list->remove(m_id);
        m_list.reset();
        m_id = 0;
    }
    bool connected() const { return m_id != 0 && !m_list.expired(); }

private:
    std::weak_ptr<detail::SlotList> m_list;
    uint64_t m_id = 0;
};

// A notification with any number of listeners, called in the order they connected. A listener
// may connect or disconnect others (or itself) while the signal notifies: one disconnected
// during a notification is not called after that, one connected during it is called from the
// next notification on.
template <class... Args> class Signal {
public:
    using Slot = std::function<void(Args...)>;

    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    [[nodiscard]] Connection connect(Slot slot) {
        const uint64_t id = m_list->nextId++;
        m_list->entries.push_back({id, std::make_shared<Slot>(std::move(slot))});
        return Connection(m_list, id);
    }

    void operator()(Args... args) const {
        // Held for the whole notification: a listener may destroy the signal's owner.
        const std::shared_ptr<List> list = m_list;
        ++list->depth;
        const size_t count = list->entries.size();
        for (size_t i = 0; i < count; ++i) {
            // A copy of the pointer keeps the function alive even if it disconnects itself.
            std::shared_ptr<Slot> slot = list->entries[i].fn;
            if (slot)
                (*slot)(args...);
        }
        --list->depth;
        list->purge();
    }

    size_t listenerCount() const {
        return size_t(std::count_if(m_list->entries.begin(), m_list->entries.end(),
                                    [](const Entry& e) { return e.fn != nullptr; }));
    }

private:
    struct Entry {
        uint64_t id;
        std::shared_ptr<Slot> fn; // null once disconnected
    };
    // (No member may be called "slots", "signals" or "emit": Qt defines those as macros.)
    struct List final : detail::SlotList {
        std::vector<Entry> entries;
        uint64_t nextId = 1;
        int depth = 0;

        void remove(uint64_t id) override {
            for (Entry& e : entries)
                if (e.id == id)
                    e.fn.reset();
            purge();
        }
        // Entries are only erased outside a notification, so its indices stay valid.
        void purge() {
            if (depth == 0)
                std::erase_if(entries, [](const Entry& e) { return e.fn == nullptr; });
        }
    };

    std::shared_ptr<List> m_list = std::make_shared<List>();
};

} // namespace zentrik
