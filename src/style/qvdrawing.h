#pragma once

// Drawing primitives over the drawing surface: brushes for hatches and gradients, the point
// symbols with their exact geometry, clip exclusion behind symbols, soft shadows, rounded
// boxes, cuboid and cylinder bars, and rectangle helpers. Brushes and pens are made per call;
// the caller owns what a function returns.

#include "framework/qvframeworktypes.h"
#include "style/qvcolors.h"
#include "style/qvgdi.h"
#include "style/qvstyletypes.h"

#include <memory>

using TQvPen = TGPPen;

// A solid brush of ForeColor for Total, else a hatch of ForeColor over BackColor.
std::unique_ptr<TGPBrush> GetAreaBrush(TQvAreaStyle Style, TQvColor ForeColor, TQvColor BackColor);

// A gradient over Rect widened by a pixel towards the top-left, at Angle degrees, with C1 at 0,
// C2 at Center and C3 at 1.
std::unique_ptr<TGPLinearGradientBrush> LinearBrush(const TGPRectF& Rect, float Angle, float Center,
                                                    TQvColor C1, TQvColor C2, TQvColor C3);
std::unique_ptr<TGPLinearGradientBrush> LinearBrush(const TRect& Rect, float Angle, float Center,
                                                    TQvColor C1, TQvColor C2, TQvColor C3);
// A gradient from C1 at a circle through the corners of Rect, C2 halfway, to C3 at the centre
// point; Center is that point as fractions of the rectangle.
std::unique_ptr<TGPPathGradientBrush> RadialBrush(const TGPRectF& Rect, const TGPPointF& Center,
                                                  TQvColor C1, TQvColor C2, TQvColor C3);
// The same on an ellipse through the corners of Rect.
std::unique_ptr<TGPPathGradientBrush> EllipticalBrush(const TGPRectF& Rect, const TGPPointF& Center,
                                                      TQvColor C1, TQvColor C2, TQvColor C3);

TRect OrderedRect(int X1, int Y1, int X2, int Y2);
TRect OrderedRect(const QPoint& P1, const QPoint& P2);
TGPRectF TRectToRectF(const TRect& Rect);
bool RectanglesOverlaping(const TGPRectF& R1, const TGPRectF& R2);

// One symbol centred on (X, Y): outline with Pen, fill with Brush. Dot, Cross, Ex and Star use
// only the pen; a symbol value out of range draws nothing.
void DrawPointSymbol(TGPGraphics* Graphics, const TGPPen* Pen, const TGPBrush* Brush, float Size,
                     float X, float Y, TQvPointSymbol Symbol);
// Excludes the inside of a closed symbol from the clip, so lines drawn later leave it free.
void ExcludeSymbolSpace(TGPGraphics* Graphics, float Size, float X, float Y, TQvPointSymbol Symbol);

// A soft shadow of a closed path: Dy rounded steps of translucent copies towards (Dx, Dy),
// never over the shape itself. Nothing for a Dy that rounds to 0 or below.
void DrawShadow(TGPGraphics* Graphics, const TGPGraphicsPath& Path, float Dx, float Dy);

// The box of legends, captions and labels.
void DrawRoundRect(TGPGraphics* Graphics, const TGPBrush* Brush, const TGPPen* Pen,
                   const TGPRectF& Rect, float Rounding, bool Frame, bool Shadow, bool Raised,
                   bool Lowered);

// A cuboid bar between two corners, its top and side faces offset by (Dx, Dy). With
// GradientWidth > 0 the front gradient spans GradientLeft to GradientLeft + GradientWidth, so
// that several bars share one. A LineColor of 0x00FFFFFF draws no outline.
void Draw3DBar(TGPGraphics* Graphics, TQvColor FillColor, TQvColor LineColor, float GradientWidth,
               float GradientLeft, float Dx, float Dy, float X1, float Y1, float X2, float Y2);
void Draw3DBar(TGPGraphics* Graphics, TQvColor FillColor, TQvColor LineColor, float Dx, float Dy,
               float X1, float Y1, float X2, float Y2);

// Cylinder bars with elliptical caps CapDepth high; Shift slants the caps sideways as a cuboid's
// top face is offset.
void DrawCylinderVertical(TGPGraphics* Graphics, TQvColor FillColor, TQvColor LineColor,
                          float CapDepth, float Shift, float X1, float Y1, float X2, float Y2);
void DrawCylinderHorizontal(TGPGraphics* Graphics, TQvColor FillColor, TQvColor LineColor,
                            float CapDepth, float Shift, float X1, float Y1, float X2, float Y2);
