// SHA-256 of a byte stream. Windows hashes with the system's cryptography (CNG), which uses the
// processor's SHA instructions where it has them; elsewhere libcrypto does the same.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>

namespace platform {

using TSha256Digest = std::array<unsigned char, 32>;

class Sha256 {
 public:
  Sha256();
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;

  void Update(const void* data, size_t size);
  // The digest of everything passed so far; the object is spent afterwards.
  TSha256Digest Final();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The digest as 64 lower-case hex digits.
std::string HexDigest(const TSha256Digest& digest);

}  // namespace platform
