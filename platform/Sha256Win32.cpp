#include <windows.h>
#include <bcrypt.h>

#include <stdexcept>

#include "platform/Sha256.h"

namespace platform {
namespace {

// Opening the algorithm provider is the expensive step, so the process opens it once.
BCRYPT_ALG_HANDLE Algorithm() {
  static BCRYPT_ALG_HANDLE algorithm = [] {
    BCRYPT_ALG_HANDLE opened = nullptr;
    if (BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0)
      throw std::runtime_error("The system offers no SHA-256 hashing.");
    return opened;
  }();
  return algorithm;
}

}  // namespace

struct Sha256::State {
  BCRYPT_HASH_HANDLE hash = nullptr;
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
  if (BCryptCreateHash(Algorithm(), &state_->hash, nullptr, 0, nullptr, 0, 0) != 0)
    throw std::runtime_error("A SHA-256 hash could not be started.");
}

Sha256::~Sha256() {
  if (state_->hash) BCryptDestroyHash(state_->hash);
}

void Sha256::Update(const void* data, size_t size) {
  // The call takes at most 4 GB at a time.
  const auto* bytes = static_cast<const unsigned char*>(data);
  while (size > 0) {
    ULONG piece = size > 0x40000000 ? 0x40000000 : static_cast<ULONG>(size);
    BCryptHashData(state_->hash, const_cast<PUCHAR>(bytes), piece, 0);
    bytes += piece;
    size -= piece;
  }
}

TSha256Digest Sha256::Final() {
  TSha256Digest digest{};
  BCryptFinishHash(state_->hash, digest.data(), static_cast<ULONG>(digest.size()), 0);
  return digest;
}

}  // namespace platform
