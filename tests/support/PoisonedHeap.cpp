// Linked into a test program, this makes every freed C++ object unreadable: its bytes are
// overwritten before the block goes back to the heap, so code that reads an object after a call
// freed it follows pointers that lead nowhere and stops the program at once, instead of reading
// what happened to stay there.
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

void* Take(std::size_t size) {
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

void Poison(void* p) {
  if (!p) return;
  std::memset(p, 0xFE, _msize(p));
  std::free(p);
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
