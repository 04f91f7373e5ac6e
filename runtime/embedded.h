#pragma once
// The program's embedded constants (RCDATA resources of the executable).
#include <cstdint>
#include <span>

// The bytes of the resource of that name, empty when the executable carries none. They
// live as long as the process; nothing needs releasing.
std::span<const std::uint8_t> EmbeddedBytes(const wchar_t* name);
