#include <openssl/evp.h>

#include <stdexcept>

#include "platform/Sha256.h"

namespace platform {

struct Sha256::State {
  EVP_MD_CTX* context = nullptr;
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
  state_->context = EVP_MD_CTX_new();
  if (!state_->context || EVP_DigestInit_ex(state_->context, EVP_sha256(), nullptr) != 1)
    throw std::runtime_error("A SHA-256 hash could not be started.");
}

Sha256::~Sha256() {
  EVP_MD_CTX_free(state_->context);
}

void Sha256::Update(const void* data, size_t size) {
  EVP_DigestUpdate(state_->context, data, size);
}

TSha256Digest Sha256::Final() {
  TSha256Digest digest{};
  unsigned int length = 0;
  EVP_DigestFinal_ex(state_->context, digest.data(), &length);
  return digest;
}

}  // namespace platform
