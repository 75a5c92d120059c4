// A scope's undo for the way out by an exception: state that a call sets up for its own duration
// (a window made transparent, a process-wide flag, painting switched off) is put back when the
// call is left by a throw; the normal way out does its own ending.
#pragma once

#include <exception>
#include <utility>

namespace fw {

template <typename Undo>
class TOnThrow {
 public:
  explicit TOnThrow(Undo undo) : undo_(std::move(undo)) {}
  ~TOnThrow() {
    if (std::uncaught_exceptions() > pending_) undo_();
  }
  TOnThrow(const TOnThrow&) = delete;
  TOnThrow& operator=(const TOnThrow&) = delete;

 private:
  Undo undo_;
  int pending_ = std::uncaught_exceptions();
};

}  // namespace fw
