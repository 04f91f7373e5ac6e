#pragma once
// Base of the wrappers that each own one GDI+ object. A wrapper is move-only and deletes
// its object when destroyed or when it is handed another one, so no object leaks through
// the layer and none is deleted twice.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "gdiplus/gdiplus_headers.h"
#include "gdiplus/last_status.h"
#include "runtime/byte_set.h"

class DrawingObject {
 public:
  DrawingObject(const DrawingObject&) = delete;
  DrawingObject& operator=(const DrawingObject&) = delete;
  virtual ~DrawingObject() = default;

  void* GetNative() const { return native_; }
  // Hands the wrapper an object to own; the object it held before is deleted.
  void SetNative(void* handle);
  // Gives the object up without deleting it; the caller owns it from then on.
  void* Detach() { return std::exchange(native_, nullptr); }
  bool Empty() const { return native_ == nullptr; }

  static void* Alloc(std::size_t size);
  static void Free(void* block);

 protected:
  DrawingObject() = default;
  DrawingObject(DrawingObject&& other) noexcept : native_(other.Detach()) {}
  DrawingObject& operator=(DrawingObject&& other) noexcept {
    if (this != &other) SetNative(other.Detach());
    return *this;
  }

  // The kind's delete function (GdipDeletePath, GdipDisposeImage, ...).
  virtual gp::Status DeleteNative(void* handle) = 0;

  // Ends every constructor-like method: records the status and, when it is Ok, the new
  // object replaces (and deletes) the one held before. On failure the old one stays.
  // The handle is passed by address and read here, after the GDI+ call has filled it
  // (the order in which call arguments are evaluated is unspecified).
  template <typename Handle>
  bool Adopt(gp::Status status, Handle* const* handle) {
    return AdoptHandle(status, *handle);
  }
  bool AdoptHandle(gp::Status status, void* handle);

  // Delete/Dispose: false without calling GDI+ when nothing is held (the latest status
  // stays as it was); otherwise deletes, records the status and empties the wrapper.
  bool DeleteHeld();
  // For destructors: deletes what is held without touching the latest status, which
  // belongs to the caller's own last call (a temporary dying must not overwrite it).
  void ReleaseHeld() {
    if (native_ != nullptr) DeleteNative(std::exchange(native_, nullptr));
  }

 private:
  void* native_ = nullptr;
};

// The handle of an optional wrapper argument, null for none.
template <typename Handle>
Handle* NativeOf(const DrawingObject* object) {
  return object != nullptr ? static_cast<Handle*>(object->GetNative()) : nullptr;
}
