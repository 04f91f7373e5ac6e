#pragma once
// SHA-256 through the system's cryptography provider (BCrypt); the program carries no
// hashing code of its own.
#include <cstddef>
#include <string>

// Lower-case hex digest of the bytes; empty when the provider is unavailable.
std::string Sha256Hex(const void* data, std::size_t size);
inline std::string Sha256Hex(const std::string& bytes) { return Sha256Hex(bytes.data(), bytes.size()); }
