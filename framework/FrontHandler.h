// A handler put in front of a control's WindowProc that can step aside again. While it is in
// force its handler gets every message and passes on what it does not finish with CallSaved.
// Release gives the chain back when it is still the front handler; under a handler that came
// later it only stops handling, and the link stays a plain pass-through, so that later chain
// never loses a link.
#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "framework/Messages.h"

namespace fw {

class TFrontHandler {
 public:
  void Install(TWndMethod& chain, std::function<void(TMessage&)> handler) {
    state_ = std::make_shared<State>(State{true, std::move(handler), chain});
    chain = Proc{state_};
  }
  bool Active() const { return state_ && state_->active; }
  void CallSaved(TMessage& message) const { state_->saved(message); }
  // Stops handling, for a chain that must not be touched any more (its control is going).
  void Deactivate() {
    if (state_) state_->active = false;
  }
  void Release(TWndMethod& chain) {
    if (!state_) return;
    state_->active = false;
    const Proc* front = chain.target<Proc>();
    if (front && front->state == state_) chain = state_->saved;
  }

 private:
  struct State {
    bool active;
    std::function<void(TMessage&)> handler;
    TWndMethod saved;
  };
  struct Proc {
    std::shared_ptr<State> state;
    void operator()(TMessage& message) const {
      if (state->active)
        state->handler(message);
      else
        state->saved(message);
    }
  };
  std::shared_ptr<State> state_;
};

}  // namespace fw
