#include "gdiplus/memory_stream.h"

#include <algorithm>
#include <cstring>
#include <utility>

MemoryStream::MemoryStream(MemoryStream&& other) noexcept
    : stream_(std::exchange(other.stream_, nullptr)),
      block_(std::exchange(other.block_, nullptr)) {}

MemoryStream& MemoryStream::operator=(MemoryStream&& other) noexcept {
  if (this != &other) {
    Release();
    stream_ = std::exchange(other.stream_, nullptr);
    block_ = std::exchange(other.block_, nullptr);
  }
  return *this;
}

IStream* MemoryStream::LoadBytes(const void* data, std::size_t size) {
  Release();
  HGLOBAL block = nullptr;
  if (size > 0) {
    block = GlobalAlloc(GHND, size);
    if (block == nullptr) return nullptr;
    void* address = GlobalLock(block);
    if (address == nullptr) {
      GlobalFree(block);
      return nullptr;
    }
    std::memcpy(address, data, size);
    GlobalUnlock(block);
  }
  // Delete-on-release: the block goes with the last reference to the stream, whoever
  // holds it (GDI+ keeps its own while the image lives).
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
    if (block != nullptr) GlobalFree(block);
    return nullptr;
  }
  stream_ = stream;
  if (FAILED(GetHGlobalFromStream(stream_, &block_))) block_ = nullptr;
  return stream_;
}

IStream* MemoryStream::LoadBytes(const std::vector<std::uint8_t>& bytes, std::size_t length) {
  return LoadBytes(bytes.data(), std::min(length, bytes.size()));
}

bool MemoryStream::AttachStream(IStream* stream) {
  if (stream != nullptr) stream->AddRef();
  Release();
  stream_ = stream;
  if (stream_ == nullptr || FAILED(GetHGlobalFromStream(stream_, &block_))) block_ = nullptr;
  return block_ != nullptr;
}

void MemoryStream::Release() {
  if (stream_ != nullptr) std::exchange(stream_, nullptr)->Release();
  block_ = nullptr;
}

std::size_t MemoryStream::Size() const {
  STATSTG stat{};
  if (stream_ == nullptr || FAILED(stream_->Stat(&stat, STATFLAG_NONAME))) return 0;
  return static_cast<std::size_t>(stat.cbSize.QuadPart);
}

std::vector<std::uint8_t> MemoryStream::ReadBytes() const {
  std::vector<std::uint8_t> bytes(Size());
  if (bytes.empty()) return bytes;
  LARGE_INTEGER zero{};
  ULARGE_INTEGER position{};
  if (FAILED(stream_->Seek(zero, STREAM_SEEK_CUR, &position))) return {};
  std::size_t done = 0;
  if (SUCCEEDED(stream_->Seek(zero, STREAM_SEEK_SET, nullptr))) {
    while (done < bytes.size()) {
      ULONG got = 0;
      const ULONG want = static_cast<ULONG>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
      if (FAILED(stream_->Read(bytes.data() + done, want, &got)) || got == 0) break;
      done += got;
    }
  }
  LARGE_INTEGER back{};
  back.QuadPart = static_cast<LONGLONG>(position.QuadPart);
  stream_->Seek(back, STREAM_SEEK_SET, nullptr);
  bytes.resize(done);
  return bytes;
}
