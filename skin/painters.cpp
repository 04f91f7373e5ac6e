#include "skin/painters.h"

#include "gdiplus/brush_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "gdiplus/pen_object.h"
#include "skin/palette.h"
#include "skin/skin_core.h"

void MakeRoundedPath(PathObject& path, float x, float y, float width, float height, float corner) {
  path.CreatePath();
  AddRoundedRectPath(path, x, y, width, height, corner);
}

void AddTopRoundedPath(PathObject& path, float x, float y, float w, float h, float corner) {
  path.AddPathLine(x, y + h, x, y + corner);
  path.AddPathArc(x, y, corner, corner, 180, 90);
  path.AddPathLine(x + corner, y, x + w - corner, y);
  path.AddPathArc(x + w - corner, y, corner, corner, 270, 90);
  path.AddPathLine(x + w, y + corner, x + w, y + h);
}

void FillGradient(GraphicsObject& graphics, gp::PointF from, gp::PointF to, std::uint32_t fromArgb,
                  std::uint32_t toArgb, const PathObject* path, const gp::RectF& rect) {
  if (from.X == to.X && from.Y == to.Y) to.Y += 1;
  LinearBrushObject brush;
  if (!brush.CreateLineBrush(from, to, fromArgb, toArgb, gp::WrapModeTileFlipXY)) return;
  if (path) {
    graphics.FillPath(brush, *path);
  } else {
    graphics.FillRectangle(brush, rect);
  }
}

void FillVertical(GraphicsObject& graphics, float x, float y, float w, float h, std::uint32_t fromArgb,
                  std::uint32_t toArgb, const PathObject* shape) {
  if (w <= 0 || h <= 0) return;
  LinearBrushObject brush;
  if (!brush.CreateLineBrushFromRect({x, y - 1, w, h + 2}, fromArgb, toArgb, gp::LinearGradientModeVertical)) return;
  if (shape) {
    graphics.FillPath(brush, *shape);
  } else {
    graphics.FillRectangle(brush, x, y, w, h);
  }
}

void FillSolid(GraphicsObject& graphics, const PathObject& path, std::uint32_t argb) {
  SolidBrushObject brush;
  if (brush.CreateSolidFill(argb)) graphics.FillPath(brush, path);
}

void StrokePath(GraphicsObject& graphics, const PathObject& path, std::uint32_t argb, float width) {
  PenObject pen;
  if (pen.CreatePen1(argb, width)) graphics.DrawPath(pen, path);
}

void GlowPath(GraphicsObject& graphics, const PathObject& path, int passes, COLORREF colour, int alpha) {
  PenObject pen;
  if (!pen.CreatePen1(ToArgb(colour, alpha), 1)) return;
  for (int width = 1; width <= passes; ++width) {
    pen.SetPenWidth(static_cast<float>(width));
    graphics.DrawPath(pen, path);
  }
}

void PaintDisabledFace(GraphicsObject& graphics, const PathObject& rounded, float x, float y, float width,
                       float height) {
  SolidBrushObject grey;
  if (grey.CreateSolidFill(ToArgb(palette::kDisabledFace))) graphics.FillRectangle(grey, x, y, width, height);
  LinearBrushObject gloss;
  if (height > 0 && gloss.CreateLineBrush({x, y}, {x, y + height}, ToArgb(palette::kWhite, 50),
                                          ToArgb(palette::kWhite, 50), gp::WrapModeTileFlipXY)) {
    const gp::ARGB colours[3] = {ToArgb(palette::kWhite, 50), ToArgb(palette::kBlack, 10), ToArgb(palette::kWhite, 50)};
    const float positions[3] = {0.0f, 0.6f, 1.0f};
    gloss.SetLinePresetBlend(colours, positions, 3);
    graphics.FillPath(gloss, rounded);
  }
  StrokePath(graphics, rounded, ToArgb(palette::kBlack, 80));
}
