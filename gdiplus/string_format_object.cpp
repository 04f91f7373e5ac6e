#include "gdiplus/string_format_object.h"

#include "gdiplus/flat_api.h"

namespace {
// Windows' GDI+ refuses alignments outside Near..Far and keeps the old one; Wine would
// store them and later draw with garbage. Refused here the same way on both.
bool IsAlignment(gp::StringAlignment align) {
  return align >= gp::StringAlignmentNear && align <= gp::StringAlignmentFar;
}

template <typename Get>
gp::Status CopyOfGeneric(Get get, gp::GpStringFormat** copy) {
  gp::GpStringFormat* generic = nullptr;
  const gp::Status status = get(&generic);
  if (status != gp::Ok) return status;
  return GDIP_CALL(GdipCloneStringFormat, generic, copy);
}
}  // namespace

gp::Status StringFormatObject::DeleteNative(void* handle) {
  return GDIP_CALL(GdipDeleteStringFormat, static_cast<gp::GpStringFormat*>(handle));
}
bool StringFormatObject::CreateStringFormat(int flags, LANGID language) {
  gp::GpStringFormat* format = nullptr;
  return Adopt(GDIP_CALL(GdipCreateStringFormat, flags, language, &format), &format);
}
bool StringFormatObject::StringFormatGetGenericDefault() {
  gp::GpStringFormat* format = nullptr;
  return Adopt(CopyOfGeneric([](gp::GpStringFormat** f) {
                 return GDIP_CALL(GdipStringFormatGetGenericDefault, f);
               }, &format),
               &format);
}
bool StringFormatObject::StringFormatGetGenericTypographic() {
  gp::GpStringFormat* format = nullptr;
  return Adopt(CopyOfGeneric([](gp::GpStringFormat** f) {
                 return GDIP_CALL(GdipStringFormatGetGenericTypographic, f);
               }, &format),
               &format);
}
bool StringFormatObject::CloneStringFormat(const StringFormatObject& source) {
  gp::GpStringFormat* format = nullptr;
  return Adopt(GDIP_CALL(GdipCloneStringFormat, source.Format(), &format), &format);
}
bool StringFormatObject::SetStringFormatFlags(int flags) {
  return GDIP_OK(GdipSetStringFormatFlags, Format(), flags);
}
int StringFormatObject::GetStringFormatFlags() {
  return GDIP_GET(INT, GdipGetStringFormatFlags, Format());
}
bool StringFormatObject::SetStringFormatAlign(gp::StringAlignment align) {
  if (!IsAlignment(align)) return RecordStatus(gp::InvalidParameter);
  return GDIP_OK(GdipSetStringFormatAlign, Format(), align);
}
gp::StringAlignment StringFormatObject::GetStringFormatAlign() {
  return GDIP_GET(gp::StringAlignment, GdipGetStringFormatAlign, Format());
}
bool StringFormatObject::SetStringFormatLineAlign(gp::StringAlignment align) {
  if (!IsAlignment(align)) return RecordStatus(gp::InvalidParameter);
  return GDIP_OK(GdipSetStringFormatLineAlign, Format(), align);
}
gp::StringAlignment StringFormatObject::GetStringFormatLineAlign() {
  return GDIP_GET(gp::StringAlignment, GdipGetStringFormatLineAlign, Format());
}
bool StringFormatObject::SetStringFormatTrimming(gp::StringTrimming trimming) {
  return GDIP_OK(GdipSetStringFormatTrimming, Format(), trimming);
}
gp::StringTrimming StringFormatObject::GetStringFormatTrimming() {
  return GDIP_GET(gp::StringTrimming, GdipGetStringFormatTrimming, Format());
}
bool StringFormatObject::SetStringFormatHotkeyPrefix(int prefix) {
  return GDIP_OK(GdipSetStringFormatHotkeyPrefix, Format(), prefix);
}
int StringFormatObject::GetStringFormatHotkeyPrefix() {
  return GDIP_GET(INT, GdipGetStringFormatHotkeyPrefix, Format());
}
bool StringFormatObject::SetStringFormatTabStops(float firstOffset, int count,
                                                 const float* stops) {
  return GDIP_OK(GdipSetStringFormatTabStops, Format(), firstOffset, count, stops);
}
bool StringFormatObject::GetStringFormatTabStops(float& firstOffset, std::vector<float>& stops) {
  stops.clear();
  const int count = GDIP_GET(INT, GdipGetStringFormatTabStopCount, Format());
  if (LastStatus() != gp::Ok) return false;
  stops.resize(static_cast<std::size_t>(count > 0 ? count : 0));
  if (!GDIP_OK(GdipGetStringFormatTabStops, Format(), count, &firstOffset, stops.data())) {
    stops.clear();
    return false;
  }
  return true;
}
bool StringFormatObject::SetStringFormatDigitSubstitution(
    LANGID language, gp::StringDigitSubstitute substitute) {
  return GDIP_OK(GdipSetStringFormatDigitSubstitution, Format(), language, substitute);
}
bool StringFormatObject::GetStringFormatDigitSubstitution(
    LANGID& language, gp::StringDigitSubstitute& substitute) {
  return GDIP_OK(GdipGetStringFormatDigitSubstitution, Format(), &language, &substitute);
}
bool StringFormatObject::SetStringFormatMeasurableCharacterRanges(
    int count, const gp::CharacterRange* ranges) {
  return GDIP_OK(GdipSetStringFormatMeasurableCharacterRanges, Format(), count, ranges);
}
int StringFormatObject::GetStringFormatMeasurableCharacterRangeCount() {
  return GDIP_GET(INT, GdipGetStringFormatMeasurableCharacterRangeCount, Format());
}
