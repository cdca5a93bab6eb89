// The outcome of a file operation: a value, or the text that says what failed and why.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace corvane {

struct Error {
  std::string message;  // what failed and why, ready to show to the user
};

template <class T>
class Result {
 public:
  Result(T value) : state_(std::move(value)) {}      // NOLINT: implicit by design
  Result(Error error) : state_(std::move(error)) {}  // NOLINT: implicit by design

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }
  const T& value() const& { return std::get<0>(state_); }
  T& value() & { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  const std::string& error() const { return std::get<1>(state_).message; }

 private:
  std::variant<T, Error> state_;
};

struct Done {};
using Status = Result<Done>;

}  // namespace corvane
