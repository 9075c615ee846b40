// What an action gives back: its value, or the failure that stopped it.
#pragma once

#include <utility>
#include <variant>

#include "failure/failure.h"

namespace pdehost {

// The value of an action that gives nothing back but its success.
struct Done {};

template <class T, class E = Failure>
class Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(E failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  explicit operator bool() const { return state_.index() == 0; }
  const T& value() const { return std::get<0>(state_); }
  T& value() { return std::get<0>(state_); }
  const E& failure() const { return std::get<1>(state_); }

 private:
  std::variant<T, E> state_;
};

}  // namespace pdehost
