// An object's life as seen from inside one of its own calls. A window procedure, an event handler
// or a menu's loop called from a method may free the object whose method is running (a form that
// closes releases its skin provider, a click frees the button it came from). The object keeps a
// TLifetime; before it calls out (the saved window procedure, DefWindowProc, a user's event) it
// takes a token, and after the call it touches nothing of itself unless the token says it lives.
#pragma once

#include <memory>

namespace fw {

class TLifeToken {
 public:
  // The object still lives.
  explicit operator bool() const { return *alive_; }

 private:
  friend class TLifetime;
  explicit TLifeToken(std::shared_ptr<const bool> alive) : alive_(std::move(alive)) {}
  std::shared_ptr<const bool> alive_;
};

class TLifetime {
 public:
  TLifetime() = default;
  ~TLifetime() { End(); }
  TLifetime(const TLifetime&) = delete;
  TLifetime& operator=(const TLifetime&) = delete;

  TLifeToken Token() const { return TLifeToken(alive_); }
  // Ends the life before the owner's members go: a destructor that calls out while it tears
  // down marks itself ended first.
  void End() { *alive_ = false; }

 private:
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace fw
