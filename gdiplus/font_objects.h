#pragma once
// GDI+ fonts, font families and font collections. Face names are GBK texts (or UTF-16 in
// the wide forms); LOGFONT records go to GDI+ in their wide form with the face converted
// from GBK, so a Chinese face name means the same on any system code page.
#include <string>
#include <vector>

#include "gdiplus/drawing_object.h"

class FontCollectionObject;
class GraphicsObject;

class FontFamilyObject : public DrawingObject {
 public:
  FontFamilyObject() = default;
  FontFamilyObject(FontFamilyObject&&) = default;
  FontFamilyObject& operator=(FontFamilyObject&&) = default;
  ~FontFamilyObject() override { ReleaseHeld(); }

  gp::GpFontFamily* Family() const { return static_cast<gp::GpFontFamily*>(GetNative()); }

  bool DeleteFontFamily() { return DeleteHeld(); }
  // From the installed fonts when no collection (or an empty one) is given.
  bool CreateFontFamilyFromName(const std::string& name,
                                const FontCollectionObject* collection = nullptr);
  bool CreateFontFamilyFromName(const std::wstring& name,
                                const FontCollectionObject* collection = nullptr);
  // The generic families are GDI+'s own; the wrapper holds a copy it may delete.
  bool GetGenericFontFamilySansSerif();
  bool GetGenericFontFamilySerif();
  bool GetGenericFontFamilyMonospace();
  bool CloneFontFamily(const FontFamilyObject& source);
  std::string GetFamilyName(LANGID language = 0);
  std::wstring GetFamilyNameWide(LANGID language = 0);
  bool IsStyleAvailable(int style);
  std::uint16_t GetEmHeight(int style);
  std::uint16_t GetCellAscent(int style);
  std::uint16_t GetCellDescent(int style);
  std::uint16_t GetLineSpacing(int style);

 protected:
  gp::Status DeleteNative(void* handle) override;
};

class FontCollectionObject : public DrawingObject {
 public:
  FontCollectionObject() = default;
  FontCollectionObject(FontCollectionObject&&) = default;
  FontCollectionObject& operator=(FontCollectionObject&&) = default;
  ~FontCollectionObject() override { ReleaseHeld(); }

  gp::GpFontCollection* Collection() const {
    return static_cast<gp::GpFontCollection*>(GetNative());
  }

  // The installed fonts (owned by GDI+, so never deleted) or a private collection.
  bool NewInstalledFontCollection();
  bool NewPrivateFontCollection();
  bool PrivateAddFontFile(const std::string& fileName);
  bool PrivateAddMemoryFont(const void* data, int size);
  // Deletes a private collection; lets go of the installed one.
  bool DeleteFontCollection() { return DeleteHeld(); }

  int GetFontCollectionFamilyCount();
  // Copies of the collection's families, each owned by its wrapper.
  std::vector<FontFamilyObject> GetFontCollectionFamilyList();

 protected:
  gp::Status DeleteNative(void* handle) override;

 private:
  bool private_ = false;
};

class FontObject : public DrawingObject {
 public:
  FontObject() = default;
  FontObject(FontObject&&) = default;
  FontObject& operator=(FontObject&&) = default;
  ~FontObject() override { ReleaseHeld(); }

  gp::GpFont* Font() const { return static_cast<gp::GpFont*>(GetNative()); }

  bool DeleteFont() { return DeleteHeld(); }
  // <windows.h> defines CreateFont as a macro, so these compile as CreateFontW wherever
  // this header is seen; callers write CreateFont all the same.
  bool CreateFont(const FontFamilyObject& family, float size, int style = gp::FontStyleRegular,
                  gp::Unit unit = gp::UnitPoint);
  // The system's default GUI font.
  bool CreateDefaultFont();
  bool CreateFont(const std::string& familyName, float size, int style = gp::FontStyleRegular,
                  gp::Unit unit = gp::UnitPoint, const FontCollectionObject* collection = nullptr);
  bool CreateFont(const std::wstring& familyName, float size, int style = gp::FontStyleRegular,
                  gp::Unit unit = gp::UnitPoint, const FontCollectionObject* collection = nullptr);
  bool CreateFontFromDC(HDC dc);
  // The font selected as `font` (a GDI font handle); the DC's own font without one.
  bool CreateFontFromHFont(HDC dc, HFONT font);
  // A record whose face is GBK; the DC's font without a record.
  bool CreateFontFromLogfontA(HDC dc, const LOGFONTA* record);
  bool CreateFontFromLogfontW(HDC dc, const LOGFONTW* record);
  bool CloneFont(const FontObject& source);
  // The face comes back as GBK.
  bool GetLogFontA(const GraphicsObject& graphics, LOGFONTA& record);
  bool GetLogFontW(const GraphicsObject& graphics, LOGFONTW& record);
  // Into `family`, which then owns a copy of the font's family.
  bool GetFamily(FontFamilyObject& family);
  int GetFontStyle();
  float GetFontSize();
  gp::Unit GetFontUnit();
  float GetFontHeight(const GraphicsObject* graphics = nullptr);
  float GetFontHeightGivenDPI(float dpi);

 protected:
  gp::Status DeleteNative(void* handle) override;
};
