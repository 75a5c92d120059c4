// Linked into a test program, this makes every freed C++ object unreadable: its bytes are
// overwritten and the block is held back from the heap for a while (the heap would write its own
// bookkeeping into it, or hand it out again), so code that reads an object after a call freed it
// follows pointers that lead nowhere and stops the program at once, instead of reading what
// happened to stay there.
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr std::size_t kHeld = 16384;            // blocks held back at most
constexpr std::size_t kHeldBytes = 256u << 20;  // and bytes

void* held[kHeld];
std::size_t heldSizes[kHeld];
std::size_t next = 0, heldBytes = 0;
std::atomic_flag busy = ATOMIC_FLAG_INIT;

void* Take(std::size_t size) {
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

void Release(std::size_t slot) {
  if (!held[slot]) return;
  std::free(held[slot]);
  heldBytes -= heldSizes[slot];
  held[slot] = nullptr;
}

void Poison(void* p) {
  if (!p) return;
  const std::size_t size = _msize(p);
  std::memset(p, 0xFE, size);
  if (size > kHeldBytes) {
    std::free(p);
    return;
  }
  while (busy.test_and_set(std::memory_order_acquire)) {
  }
  // The slot taken now and, while the bytes held are too many, the oldest after it go back.
  const std::size_t slot = next;
  Release(slot);
  for (std::size_t older = (slot + 1) % kHeld; heldBytes + size > kHeldBytes;
       older = (older + 1) % kHeld)
    Release(older);
  held[slot] = p;
  heldSizes[slot] = size;
  heldBytes += size;
  next = (slot + 1) % kHeld;
  busy.clear(std::memory_order_release);
}

}  // namespace

void* operator new(std::size_t size) {
  return Take(size);
}
void* operator new[](std::size_t size) {
  return Take(size);
}
void operator delete(void* p) noexcept {
  Poison(p);
}
void operator delete[](void* p) noexcept {
  Poison(p);
}
void operator delete(void* p, std::size_t) noexcept {
  Poison(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  Poison(p);
}
