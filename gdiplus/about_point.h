#pragma once
// Scaling or rotating a transform about a point: the point is moved to the origin, the
// operation applied, and the point moved back, all three in the caller's matrix order.
// With Append the steps apply after the existing transform, with Prepend before it, so the
// translations come in opposite orders.
#include "gdiplus/gdiplus_headers.h"

template <typename Translate, typename Operation>
bool AboutPoint(float px, float py, gp::MatrixOrder order, Translate translate,
                Operation operation) {
  const float first = order == gp::MatrixOrderAppend ? -1.0f : 1.0f;
  return translate(first * px, first * py) && operation() &&
         translate(-first * px, -first * py);
}
