#pragma once
// A stream over a private copy of some bytes, for images loaded from memory. GDI+ reads
// such an image lazily, so the stream must live as long as the image: the image wrappers
// own one. The block is freed with the stream's last reference, so a clone that GDI+ made
// of the image (and which shares the stream) never reads freed memory.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gdiplus/gdiplus_headers.h"

class MemoryStream {
 public:
  MemoryStream() = default;
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;
  MemoryStream(MemoryStream&& other) noexcept;
  MemoryStream& operator=(MemoryStream&& other) noexcept;
  ~MemoryStream() { Release(); }

  // Replaces what the stream held by a copy of the bytes; gives the stream, or null when
  // no memory could be had. No bytes give an empty stream that can be written to.
  IStream* LoadBytes(const void* data, std::size_t size);
  IStream* LoadBytes(const std::vector<std::uint8_t>& bytes) {
    return LoadBytes(bytes.data(), bytes.size());
  }
  // The first `length` bytes only (never more than there are).
  IStream* LoadBytes(const std::vector<std::uint8_t>& bytes, std::size_t length);

  // Holds an existing stream (one more reference); true when it lies over a memory block.
  bool AttachStream(IStream* stream);

  void Release();
  // The stream's length in bytes.
  std::size_t Size() const;
  // Every byte of the stream, from its start; the stream position is left where it was.
  std::vector<std::uint8_t> ReadBytes() const;

  IStream* Stream() const { return stream_; }
  HGLOBAL Block() const { return block_; }

 private:
  IStream* stream_ = nullptr;
  HGLOBAL block_ = nullptr;
};
