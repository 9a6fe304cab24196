#pragma once

#include <string>
#include <utility>
#include <variant>

namespace zentrik {

// A problem with the data or the files, meant for the user: the text of a message box and its
// caption. Bugs are assertions, not Errors.
struct Error {
    std::string text;
    std::string caption = "Zentrik";
};

// Value or Error, shaped like std::expected (which GCC 12 lacks).
template <class T> class Result {
public:
    Result(T value) : m_v(std::move(value)) {}
    Result(Error error) : m_v(std::move(error)) {}

    bool ok() const { return m_v.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() & { return std::get<0>(m_v); }
    const T& value() const& { return std::get<0>(m_v); }
    T&& value() && { return std::get<0>(std::move(m_v)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    const Error& error() const { return std::get<1>(m_v); }

private:
    std::variant<T, Error> m_v;
};

template <> class Result<void> {
public:
    Result() = default;
    Result(Error error) : m_error(std::move(error)), m_ok(false) {}

    bool ok() const { return m_ok; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return m_error; }

private:
    Error m_error;
    bool m_ok = true;
};

using Status = Result<void>;

} // namespace zentrik
