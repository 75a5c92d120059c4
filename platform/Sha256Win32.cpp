#include <windows.h>
#include <bcrypt.h>

#include <stdexcept>

#include "platform/Sha256.h"
#include "platform/SystemEntry.h"

namespace platform {
namespace {

// The system's hashing, looked up when the first hash starts, and its SHA-256 provider, opened
// once for the process (the expensive step).
struct TCng {
  using TOpen = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE*, LPCWSTR, LPCWSTR, ULONG);
  using TCreate = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE, BCRYPT_HASH_HANDLE*, PUCHAR, ULONG, PUCHAR,
                                    ULONG, ULONG);
  using THash = NTSTATUS(WINAPI*)(BCRYPT_HASH_HANDLE, PUCHAR, ULONG, ULONG);
  using TFinish = NTSTATUS(WINAPI*)(BCRYPT_HASH_HANDLE, PUCHAR, ULONG, ULONG);
  using TDestroy = NTSTATUS(WINAPI*)(BCRYPT_HASH_HANDLE);
  TOpen open = SystemEntry<TOpen>("bcrypt.dll", "BCryptOpenAlgorithmProvider");
  TCreate create = SystemEntry<TCreate>("bcrypt.dll", "BCryptCreateHash");
  THash hash = SystemEntry<THash>("bcrypt.dll", "BCryptHashData");
  TFinish finish = SystemEntry<TFinish>("bcrypt.dll", "BCryptFinishHash");
  TDestroy destroy = SystemEntry<TDestroy>("bcrypt.dll", "BCryptDestroyHash");
  BCRYPT_ALG_HANDLE algorithm = nullptr;

  TCng() {
    if (!open || !create || !hash || !finish || !destroy ||
        open(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0)
      throw std::runtime_error("The system offers no SHA-256 hashing.");
  }
};

const TCng& Cng() {
  static const TCng cng;
  return cng;
}

}  // namespace

struct Sha256::State {
  BCRYPT_HASH_HANDLE hash = nullptr;
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
  if (Cng().create(Cng().algorithm, &state_->hash, nullptr, 0, nullptr, 0, 0) != 0)
    throw std::runtime_error("A SHA-256 hash could not be started.");
}

Sha256::~Sha256() {
  if (state_->hash) Cng().destroy(state_->hash);
}

void Sha256::Update(const void* data, size_t size) {
  // The call takes at most 4 GB at a time.
  const auto* bytes = static_cast<const unsigned char*>(data);
  while (size > 0) {
    ULONG piece = size > 0x40000000 ? 0x40000000 : static_cast<ULONG>(size);
    Cng().hash(state_->hash, const_cast<PUCHAR>(bytes), piece, 0);
    bytes += piece;
    size -= piece;
  }
}

TSha256Digest Sha256::Final() {
  TSha256Digest digest{};
  Cng().finish(state_->hash, digest.data(), static_cast<ULONG>(digest.size()), 0);
  return digest;
}

}  // namespace platform
