#include "gdiplus/font_objects.h"

#include <cstring>
#include <cwchar>

#include "gdiplus/flat_api.h"
#include "runtime/gbk_text.h"
#include "gdiplus/graphics_object.h"

namespace {

// LOGFONTA and LOGFONTW differ only in the face; copies every other field.
template <typename To, typename From>
void CopyMetrics(To& to, const From& from) {
  to.lfHeight = from.lfHeight;
  to.lfWidth = from.lfWidth;
  to.lfEscapement = from.lfEscapement;
  to.lfOrientation = from.lfOrientation;
  to.lfWeight = from.lfWeight;
  to.lfItalic = from.lfItalic;
  to.lfUnderline = from.lfUnderline;
  to.lfStrikeOut = from.lfStrikeOut;
  to.lfCharSet = from.lfCharSet;
  to.lfOutPrecision = from.lfOutPrecision;
  to.lfClipPrecision = from.lfClipPrecision;
  to.lfQuality = from.lfQuality;
  to.lfPitchAndFamily = from.lfPitchAndFamily;
}

LOGFONTW WideRecord(const LOGFONTA& narrow) {
  LOGFONTW wide{};
  CopyMetrics(wide, narrow);
  const std::wstring face = GbkToWide(
      std::string_view(narrow.lfFaceName, strnlen(narrow.lfFaceName, LF_FACESIZE)));
  wcsncpy(wide.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return wide;
}

LOGFONTA NarrowRecord(const LOGFONTW& wide) {
  LOGFONTA narrow{};
  CopyMetrics(narrow, wide);
  const std::string face =
      WideToGbk(std::wstring_view(wide.lfFaceName, wcsnlen(wide.lfFaceName, LF_FACESIZE)));
  // Whole characters only: a GBK lead byte (0x81..0xFE) takes its trail byte with it.
  std::size_t end = 0;
  while (end < face.size()) {
    const std::size_t step = static_cast<unsigned char>(face[end]) >= 0x81 ? 2 : 1;
    if (end + step > LF_FACESIZE - 1 || end + step > face.size()) break;
    end += step;
  }
  std::memcpy(narrow.lfFaceName, face.data(), end);
  return narrow;
}

gp::GpFontCollection* CollectionOf(const FontCollectionObject* collection) {
  return collection != nullptr ? collection->Collection() : nullptr;
}

}  // namespace

// Font families.

gp::Status FontFamilyObject::DeleteNative(void* handle) {
  return GDIP_CALL(GdipDeleteFontFamily, static_cast<gp::GpFontFamily*>(handle));
}
bool FontFamilyObject::CreateFontFamilyFromName(const std::string& name,
                                                const FontCollectionObject* collection) {
  return CreateFontFamilyFromName(GbkToWide(name), collection);
}
bool FontFamilyObject::CreateFontFamilyFromName(const std::wstring& name,
                                                const FontCollectionObject* collection) {
  gp::GpFontFamily* family = nullptr;
  return Adopt(GDIP_CALL(GdipCreateFontFamilyFromName, name.c_str(), CollectionOf(collection),
                         &family),
               &family);
}

namespace {
// A generic family belongs to GDI+ (Windows hands out one static object); the wrapper
// keeps a copy of its own so that deleting it is always right.
template <typename Get>
gp::Status CopyOfGeneric(Get get, gp::GpFontFamily** copy) {
  gp::GpFontFamily* generic = nullptr;
  const gp::Status status = get(&generic);
  if (status != gp::Ok) return status;
  return GDIP_CALL(GdipCloneFontFamily, generic, copy);
}
}  // namespace

bool FontFamilyObject::GetGenericFontFamilySansSerif() {
  gp::GpFontFamily* family = nullptr;
  return Adopt(CopyOfGeneric([](gp::GpFontFamily** f) {
                 return GDIP_CALL(GdipGetGenericFontFamilySansSerif, f);
               }, &family),
               &family);
}
bool FontFamilyObject::GetGenericFontFamilySerif() {
  gp::GpFontFamily* family = nullptr;
  return Adopt(CopyOfGeneric([](gp::GpFontFamily** f) {
                 return GDIP_CALL(GdipGetGenericFontFamilySerif, f);
               }, &family),
               &family);
}
bool FontFamilyObject::GetGenericFontFamilyMonospace() {
  gp::GpFontFamily* family = nullptr;
  return Adopt(CopyOfGeneric([](gp::GpFontFamily** f) {
                 return GDIP_CALL(GdipGetGenericFontFamilyMonospace, f);
               }, &family),
               &family);
}
bool FontFamilyObject::CloneFontFamily(const FontFamilyObject& source) {
  gp::GpFontFamily* family = nullptr;
  return Adopt(GDIP_CALL(GdipCloneFontFamily, source.Family(), &family), &family);
}
std::string FontFamilyObject::GetFamilyName(LANGID language) {
  return WideToGbk(GetFamilyNameWide(language));
}
std::wstring FontFamilyObject::GetFamilyNameWide(LANGID language) {
  WCHAR name[LF_FACESIZE] = {};
  if (!GDIP_OK(GdipGetFamilyName, Family(), name, language)) return {};
  return std::wstring(name, wcsnlen(name, LF_FACESIZE));
}
bool FontFamilyObject::IsStyleAvailable(int style) {
  return GDIP_GET(BOOL, GdipIsStyleAvailable, Family(), style);
}
std::uint16_t FontFamilyObject::GetEmHeight(int style) {
  return GDIP_GET(UINT16, GdipGetEmHeight, Family(), style);
}
std::uint16_t FontFamilyObject::GetCellAscent(int style) {
  return GDIP_GET(UINT16, GdipGetCellAscent, Family(), style);
}
std::uint16_t FontFamilyObject::GetCellDescent(int style) {
  return GDIP_GET(UINT16, GdipGetCellDescent, Family(), style);
}
std::uint16_t FontFamilyObject::GetLineSpacing(int style) {
  return GDIP_GET(UINT16, GdipGetLineSpacing, Family(), style);
}

// Font collections.

gp::Status FontCollectionObject::DeleteNative(void* handle) {
  if (!private_) return gp::Ok;  // the installed collection is GDI+'s
  auto* collection = static_cast<gp::GpFontCollection*>(handle);
  return GDIP_CALL(GdipDeletePrivateFontCollection, &collection);
}
bool FontCollectionObject::NewInstalledFontCollection() {
  gp::GpFontCollection* collection = nullptr;
  if (!Adopt(GDIP_CALL(GdipNewInstalledFontCollection, &collection), &collection)) return false;
  private_ = false;
  return true;
}
bool FontCollectionObject::NewPrivateFontCollection() {
  gp::GpFontCollection* collection = nullptr;
  if (!Adopt(GDIP_CALL(GdipNewPrivateFontCollection, &collection), &collection)) return false;
  private_ = true;
  return true;
}
bool FontCollectionObject::PrivateAddFontFile(const std::string& fileName) {
  const std::wstring wide = GbkToWide(fileName);
  return GDIP_OK(GdipPrivateAddFontFile, Collection(), wide.c_str());
}
bool FontCollectionObject::PrivateAddMemoryFont(const void* data, int size) {
  return GDIP_OK(GdipPrivateAddMemoryFont, Collection(), data, size);
}
int FontCollectionObject::GetFontCollectionFamilyCount() {
  return GDIP_GET(INT, GdipGetFontCollectionFamilyCount, Collection());
}
std::vector<FontFamilyObject> FontCollectionObject::GetFontCollectionFamilyList() {
  std::vector<FontFamilyObject> families;
  const int count = GetFontCollectionFamilyCount();
  if (LastStatus() != gp::Ok || count <= 0) return families;
  std::vector<gp::GpFontFamily*> handles(static_cast<std::size_t>(count), nullptr);
  int found = 0;
  if (!GDIP_OK(GdipGetFontCollectionFamilyList, Collection(), count, handles.data(), &found))
    return families;
  // The listed families stay the collection's; each wrapper gets a copy to own.
  families.resize(static_cast<std::size_t>(found));
  for (int i = 0; i < found; ++i) {
    gp::GpFontFamily* copy = nullptr;
    if (GDIP_CALL(GdipCloneFontFamily, handles[i], &copy) == gp::Ok) families[i].SetNative(copy);
  }
  return families;
}

// Fonts.

gp::Status FontObject::DeleteNative(void* handle) {
  return GDIP_CALL(GdipDeleteFont, static_cast<gp::GpFont*>(handle));
}
bool FontObject::CreateFont(const FontFamilyObject& family, float size, int style,
                            gp::Unit unit) {
  gp::GpFont* font = nullptr;
  return Adopt(GDIP_CALL(GdipCreateFont, family.Family(), size, style, unit, &font), &font);
}
bool FontObject::CreateDefaultFont() {
  LOGFONTW record{};
  if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof record, &record) == 0) return false;
  HDC screen = ::GetDC(nullptr);
  gp::GpFont* font = nullptr;
  const gp::Status status = GDIP_CALL(GdipCreateFontFromLogfontW, screen, &record, &font);
  ::ReleaseDC(nullptr, screen);
  return Adopt(status, &font);
}
bool FontObject::CreateFont(const std::string& familyName, float size, int style, gp::Unit unit,
                            const FontCollectionObject* collection) {
  return CreateFont(GbkToWide(familyName), size, style, unit, collection);
}
bool FontObject::CreateFont(const std::wstring& familyName, float size, int style,
                            gp::Unit unit, const FontCollectionObject* collection) {
  FontFamilyObject family;  // only for the making of the font
  return family.CreateFontFamilyFromName(familyName, collection) &&
         CreateFont(family, size, style, unit);
}
bool FontObject::CreateFontFromDC(HDC dc) {
  gp::GpFont* font = nullptr;
  return Adopt(GDIP_CALL(GdipCreateFontFromDC, dc, &font), &font);
}
bool FontObject::CreateFontFromHFont(HDC dc, HFONT gdiFont) {
  LOGFONTW record{};
  if (gdiFont == nullptr || GetObjectW(gdiFont, sizeof record, &record) == 0)
    return CreateFontFromDC(dc);
  return CreateFontFromLogfontW(dc, &record);
}
bool FontObject::CreateFontFromLogfontA(HDC dc, const LOGFONTA* record) {
  if (record == nullptr) return CreateFontFromDC(dc);
  const LOGFONTW wide = WideRecord(*record);
  return CreateFontFromLogfontW(dc, &wide);
}
bool FontObject::CreateFontFromLogfontW(HDC dc, const LOGFONTW* record) {
  if (record == nullptr) return CreateFontFromDC(dc);
  gp::GpFont* font = nullptr;
  return Adopt(GDIP_CALL(GdipCreateFontFromLogfontW, dc, record, &font), &font);
}
bool FontObject::CloneFont(const FontObject& source) {
  gp::GpFont* font = nullptr;
  return Adopt(GDIP_CALL(GdipCloneFont, source.Font(), &font), &font);
}
bool FontObject::GetLogFontA(const GraphicsObject& graphics, LOGFONTA& record) {
  LOGFONTW wide{};
  if (!GetLogFontW(graphics, wide)) return false;
  record = NarrowRecord(wide);
  return true;
}
bool FontObject::GetLogFontW(const GraphicsObject& graphics, LOGFONTW& record) {
  return GDIP_OK(GdipGetLogFontW, Font(), graphics.Graphics(), &record);
}
bool FontObject::GetFamily(FontFamilyObject& family) {
  gp::GpFontFamily* handle = nullptr;
  if (!GDIP_OK(GdipGetFamily, Font(), &handle)) return false;
  family.SetNative(handle);
  return true;
}
int FontObject::GetFontStyle() { return GDIP_GET(INT, GdipGetFontStyle, Font()); }
float FontObject::GetFontSize() { return GDIP_GET(float, GdipGetFontSize, Font()); }
gp::Unit FontObject::GetFontUnit() { return GDIP_GET(gp::Unit, GdipGetFontUnit, Font()); }
float FontObject::GetFontHeight(const GraphicsObject* graphics) {
  return GDIP_GET(float, GdipGetFontHeight, Font(), NativeOf<gp::GpGraphics>(graphics));
}
float FontObject::GetFontHeightGivenDPI(float dpi) {
  return GDIP_GET(float, GdipGetFontHeightGivenDPI, Font(), dpi);
}
