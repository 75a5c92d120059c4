// Errors raised while loading pictures. Every one carries the message meant for the user.
#pragma once

#include <stdexcept>

namespace img {

// Base of all picture loading errors, so callers that only need "it failed" catch one type.
class EGraphicError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file is not a well-formed picture of its kind (bad signature, chunks, data, CRC).
class EInvalidGraphic : public EGraphicError {
 public:
  using EGraphicError::EGraphicError;
};

// The samples cannot be converted into any pixel format we produce.
class EColorConversionError : public EGraphicError {
 public:
  using EGraphicError::EGraphicError;
};

// The decompressor itself could not be set up or shut down.
class EGraphicCompression : public EGraphicError {
 public:
  using EGraphicError::EGraphicError;
};

}  // namespace img
