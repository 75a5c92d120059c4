// What the adapters keep per window while they hook it: which adapter a window has, what an
// attachment slot's procedure replaced, which list hooks a header. Found on every message the
// window gets, so kept in a table of the process's own: a window property would do the same, but
// under Wine every property read is a round trip to the window server.
#pragma once

#include <windows.h>

#include <map>
#include <mutex>
#include <shared_mutex>

template <typename Key, typename Value>
class TveWindowTable {
 public:
  void Set(const Key& key, Value value) {
    std::unique_lock hold(lock_);
    values_[key] = value;
  }
  void Remove(const Key& key) {
    std::unique_lock hold(lock_);
    values_.erase(key);
  }
  // The value kept for key, or a value-initialised one.
  Value Find(const Key& key) const {
    std::shared_lock hold(lock_);
    auto found = values_.find(key);
    return found == values_.end() ? Value{} : found->second;
  }
  bool Contains(const Key& key) const {
    std::shared_lock hold(lock_);
    return values_.count(key) != 0;
  }

 private:
  mutable std::shared_mutex lock_;
  std::map<Key, Value> values_;
};
