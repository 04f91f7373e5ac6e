#include "journal/sha256.h"

#include <windows.h>
#include <bcrypt.h>

#include <memory>
#include <type_traits>

namespace {
struct AlgorithmCloser {
  void operator()(BCRYPT_ALG_HANDLE h) const { BCryptCloseAlgorithmProvider(h, 0); }
};
struct HashDestroyer {
  void operator()(BCRYPT_HASH_HANDLE h) const { BCryptDestroyHash(h); }
};
using UniqueAlgorithm = std::unique_ptr<std::remove_pointer_t<BCRYPT_ALG_HANDLE>, AlgorithmCloser>;
using UniqueHash = std::unique_ptr<std::remove_pointer_t<BCRYPT_HASH_HANDLE>, HashDestroyer>;
}  // namespace

std::string Sha256Hex(const void* data, std::size_t size) {
  BCRYPT_ALG_HANDLE alg = nullptr;
  if (BCryptOpenAlgorithmProvider(&alg, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0) return {};
  UniqueAlgorithm algorithm(alg);
  BCRYPT_HASH_HANDLE h = nullptr;
  if (BCryptCreateHash(alg, &h, nullptr, 0, nullptr, 0, 0) != 0) return {};
  UniqueHash hash(h);
  // BCryptHashData takes a ULONG count: feed large inputs in slices.
  auto bytes = static_cast<const unsigned char*>(data);
  while (size > 0) {
    const ULONG n = size > 0x40000000u ? 0x40000000u : static_cast<ULONG>(size);
    if (BCryptHashData(h, const_cast<PUCHAR>(bytes), n, 0) != 0) return {};
    bytes += n;
    size -= n;
  }
  unsigned char digest[32];
  if (BCryptFinishHash(h, digest, sizeof digest, 0) != 0) return {};
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char b : digest) {
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  return hex;
}
