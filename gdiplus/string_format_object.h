#pragma once
// A GDI+ string format: alignment, trimming and tab layout of drawn text.
#include <vector>

#include "gdiplus/drawing_object.h"

class StringFormatObject : public DrawingObject {
 public:
  StringFormatObject() = default;
  StringFormatObject(StringFormatObject&&) = default;
  StringFormatObject& operator=(StringFormatObject&&) = default;
  ~StringFormatObject() override { ReleaseHeld(); }

  gp::GpStringFormat* Format() const { return static_cast<gp::GpStringFormat*>(GetNative()); }

  bool DeleteStringFormat() { return DeleteHeld(); }
  bool CreateStringFormat(int flags = 0, LANGID language = LANG_NEUTRAL);
  // The generic formats are GDI+'s shared objects; the wrapper holds a copy, so changing
  // it never changes the format other code gets.
  bool StringFormatGetGenericDefault();
  bool StringFormatGetGenericTypographic();
  bool CloneStringFormat(const StringFormatObject& source);
  bool SetStringFormatFlags(int flags);
  int GetStringFormatFlags();
  bool SetStringFormatAlign(gp::StringAlignment align);
  gp::StringAlignment GetStringFormatAlign();
  bool SetStringFormatLineAlign(gp::StringAlignment align);
  gp::StringAlignment GetStringFormatLineAlign();
  bool SetStringFormatTrimming(gp::StringTrimming trimming);
  gp::StringTrimming GetStringFormatTrimming();
  bool SetStringFormatHotkeyPrefix(int prefix);
  int GetStringFormatHotkeyPrefix();
  bool SetStringFormatTabStops(float firstOffset, int count, const float* stops);
  bool GetStringFormatTabStops(float& firstOffset, std::vector<float>& stops);
  bool SetStringFormatDigitSubstitution(LANGID language, gp::StringDigitSubstitute substitute);
  bool GetStringFormatDigitSubstitution(LANGID& language, gp::StringDigitSubstitute& substitute);
  bool SetStringFormatMeasurableCharacterRanges(int count, const gp::CharacterRange* ranges);
  int GetStringFormatMeasurableCharacterRangeCount();

 protected:
  gp::Status DeleteNative(void* handle) override;
};
