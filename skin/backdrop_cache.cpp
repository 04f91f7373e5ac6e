#include "skin/backdrop_cache.h"

#include "skin/backdrop.h"
#include "skin/veil.h"

namespace {

constexpr std::size_t kMostStates = 8;  // a control shows few states; older pictures go
// Pictures kept per state: a list whose scroll bars come and go with its rows shows two shapes
// in turn, and each must stay for the other's sake.
constexpr int kShapesPerState = 2;

}  // namespace

BackdropKey BackdropKeyOf(HWND window, const RECT& rect, bool veiled) {
  BackdropKey key;
  const BackdropSource source = FindBackdropSource(window);
  SkinWindow* skin = SkinWindowAt(source.skinIndex);
  if (!skin) return key;
  key.skinIndex = source.skinIndex;
  key.generation = skin->backBufferGeneration;
  key.place = source.direct ? RectInSkinWindow(window) : RectInRoot(window);
  OffsetRect(&key.place, rect.left, rect.top);
  key.place.right = key.place.left + (rect.right - rect.left);
  key.place.bottom = key.place.top + (rect.bottom - rect.top);
  key.veilAlpha = veiled ? Engine().veilAlpha : -1;
  if (const ContainerRecord* tint = ContainerTintOf(window, source)) {
    key.tint = static_cast<COLORREF>(tint->value);
    key.tintAlpha = tint->alpha;
  }
  return key;
}

const Surface* CachedBackdrop::Get(HWND window, const RECT& rect, bool veiled) {
  const BackdropKey key = BackdropKeyOf(window, rect, veiled);
  if (!key.skinIndex) return nullptr;
  if (valid_ && key == key_) return &surface_;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  valid_ = false;
  if (w <= 0 || h <= 0) return nullptr;
  if (!surface_.Cover(w, h)) return nullptr;
  if (veiled) {
    if (!CopyVeiledBackdrop(window, rect, surface_.Dc(), 0, 0)) return nullptr;
  } else {
    ScopedBackdrop backdrop(window, rect);
    if (!backdrop.Get()) return nullptr;
    BitBlt(surface_.Dc(), 0, 0, w, h, backdrop.Get(), 0, 0, SRCCOPY);
  }
  key_ = key;
  valid_ = true;
  return &surface_;
}

const Surface* StatePictures::Find(int state, const BackdropKey& key, std::size_t look) const {
  for (const auto& e : entries_) {
    if (e->state == state && e->look == look && e->key == key) return &e->surface;
  }
  return nullptr;
}

Surface* StatePictures::Store(int state, const BackdropKey& key, std::size_t look, int width, int height) {
  std::unique_ptr<Entry> entry;
  int shapes = 0;
  for (const auto& e : entries_) shapes += e->state == state;
  for (auto it = entries_.begin(); shapes >= kShapesPerState && it != entries_.end(); ++it) {
    if ((*it)->state == state) {  // the oldest picture of the same state gives up its bitmap
      entry = std::move(*it);
      entries_.erase(it);
      break;
    }
  }
  if (!entry && entries_.size() >= kMostStates) {
    entry = std::move(entries_.front());
    entries_.erase(entries_.begin());
  }
  if (!entry) entry = std::make_unique<Entry>();
  if ((entry->surface.Width() != width || entry->surface.Height() != height || !entry->surface.Dc()) &&
      !entry->surface.Create(width, height)) {
    return nullptr;
  }
  entry->state = state;
  entry->key = key;
  entry->look = look;
  entries_.push_back(std::move(entry));
  return &entries_.back()->surface;
}

void StatePictures::Drop(int state) {
  std::erase_if(entries_, [state](const std::unique_ptr<Entry>& e) { return e->state == state; });
}
