#pragma once
// What kind of "Button" window a style makes. The kind is the style's type field alone;
// the alignment and look flags above it never change it. Internal to skin/.
#include <windows.h>

inline LONG ButtonKind(LONG_PTR style) { return static_cast<LONG>(style & BS_TYPEMASK); }

// Push buttons the engine paints as glass buttons (it makes them owner-drawn).
inline bool IsGlassButtonKind(LONG kind) {
  switch (kind) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case BS_USERBUTTON:
      return true;
    default:
      return false;
  }
}

// Two-state check boxes; three-state ones keep the system look, whose third state the
// painted mark cannot show.
inline bool IsCheckBoxKind(LONG kind) { return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX; }

// The radio buttons the engine paints: those that check themselves when clicked.
inline bool IsAutoRadioKind(LONG kind) { return kind == BS_AUTORADIOBUTTON; }

inline bool IsGroupBoxKind(LONG kind) { return kind == BS_GROUPBOX; }

// The style with the kind replaced by owner-drawn, every flag kept.
inline LONG_PTR OwnerDrawnStyle(LONG_PTR style) { return (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW; }
