#include "gdiplus/drawing_object.h"

#include "gdiplus/flat_api.h"

void DrawingObject::SetNative(void* handle) {
  if (handle == native_) return;
  void* old = std::exchange(native_, handle);
  if (old != nullptr) DeleteNative(old);
}

void* DrawingObject::Alloc(std::size_t size) {
  const auto alloc = GDIP_ENTRY(GdipAlloc);
  return alloc != nullptr ? alloc(size) : nullptr;
}

void DrawingObject::Free(void* block) {
  const auto free = GDIP_ENTRY(GdipFree);
  if (free != nullptr && block != nullptr) free(block);
}

bool DrawingObject::AdoptHandle(gp::Status status, void* handle) {
  if (!RecordStatus(status)) return false;
  SetNative(handle);
  return true;
}

bool DrawingObject::DeleteHeld() {
  if (native_ == nullptr) return false;
  return RecordStatus(DeleteNative(std::exchange(native_, nullptr)));
}
