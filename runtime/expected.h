// A value or the error that prevented it.
#pragma once

#include <utility>
#include <variant>

namespace runtime {

/// Either a value or the error that prevented it; never both, never neither.
/// A small stand-in for C++23's std::expected, enough for this program.
template <typename T, typename E>
class Expected {
public:
    Expected(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Expected(E error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool has_value() const { return state_.index() == 0; }
    explicit operator bool() const { return has_value(); }

    const T& value() const { return std::get<0>(state_); }
    T& value() { return std::get<0>(state_); }
    const E& error() const { return std::get<1>(state_); }

    const T& operator*() const { return value(); }
    T& operator*() { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

private:
    std::variant<T, E> state_;
};

}  // namespace runtime
