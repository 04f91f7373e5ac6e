#include "runtime/fonts.h"

#include <cwchar>

#include "runtime/gbk_text.h"

namespace {

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Faces that hold Chinese on Windows (and, through the test bench's replacements, on Wine).
constexpr const wchar_t* kChineseFaces[] = {L"Microsoft YaHei", L"微软雅黑", L"SimSun", L"宋体",
                                            L"WenQuanYi Micro Hei", L"Noto Sans CJK SC"};

std::wstring ChooseFace(const std::wstring& wanted) {
  if (!wanted.empty() && FontFaceInstalled(wanted.c_str())) return wanted;
  for (const wchar_t* face : kChineseFaces) {
    if (FontFaceInstalled(face)) return face;
  }
  return L"";  // the font mapper then picks a face by character set
}

}  // namespace

bool FontFaceInstalled(const wchar_t* face) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  WindowDc screen(nullptr);
  EnumFontFamiliesExW(screen.Get(), &query, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

UniqueFont CreateUnitFont(const FontSpec& design) {
  LOGFONTW lf{};
  if (!design.face) {
    // The system's default GUI face, but with a Chinese face where it lacks Chinese glyphs.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    lf = metrics.lfMessageFont;
    lf.lfCharSet = GB2312_CHARSET;
    const std::wstring face = ChooseFace(L"");
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectW(&lf));
  }
  lf.lfHeight = -design.height;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = GB2312_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = design.pitch == Pitch::FixedModern     ? (FIXED_PITCH | FF_MODERN)
                        : design.pitch == Pitch::VariableSwiss ? (VARIABLE_PITCH | FF_SWISS)
                                                             : DEFAULT_PITCH;
  const std::wstring face = ChooseFace(GbkToWide(design.face));
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return UniqueFont(CreateFontIndirectW(&lf));
}
