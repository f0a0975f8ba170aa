#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace mako {

/// A failure with a message meant for the user.
struct Error {
    QString message;
};

/// The outcome of an operation that can fail: a value or an Error, never both.
template <typename T> class Result {
public:
    Result(T value)
        : m_state(std::move(value))
    { }
    Result(Error error)
        : m_state(std::move(error))
    { }

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<T>(m_state); }
    T& value() & { return std::get<T>(m_state); }
    T&& value() && { return std::get<T>(std::move(m_state)); }
    const T* operator->() const { return &value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const { return std::get<Error>(m_state); }
    const QString& errorMessage() const { return error().message; }

private:
    std::variant<T, Error> m_state;
};

} // namespace mako
