#pragma once
// The colours the families paint with, named by the role they play. Alpha is given where a
// colour is used, so one entry serves every strength of it.
#include <windows.h>

namespace palette {

inline constexpr COLORREF kWhite = RGB(255, 255, 255);  // veils, gloss, highlights
inline constexpr COLORREF kBlack = RGB(0, 0, 0);        // outlines and shades
inline constexpr COLORREF kGlow = RGB(0x22, 0xCA, 0xDD);  // focus glow; also the default accent
inline constexpr COLORREF kClose = RGB(255, 0, 0);        // the close button's hover
inline constexpr COLORREF kDisabledFace = RGB(0xC0, 0xC0, 0xC0);
inline constexpr COLORREF kFaceShade = RGB(0x80, 0x80, 0x80);  // the lower half of a glass face
inline constexpr COLORREF kRadioDotRim = RGB(0x00, 0x80, 0x80);
// Stands for "the child's own picture" where a family composes over its children.
inline constexpr COLORREF kChildKey = RGB(255, 0, 255);

}  // namespace palette
