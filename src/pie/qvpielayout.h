#pragma once

// The geometry of a pie in unit coordinates: the pie is the unit circle around (0, 0), u to
// the right, v downwards, angles in degrees clockwise from the positive u axis. A 3-D pie is a
// tilted disc: the chart squashes v by its elevation when it turns units into pixels, so
// angles here are angles on the disc.

#include <vector>

namespace QvPie {

// A point in unit coordinates.
struct TUnitPoint {
    double U = 0, V = 0;
};

// The value at ValueIndex as a slice of the pie.
struct TSegment {
    int ValueIndex = 0;
    double Value = 0;   // after the value transformation
    double Sweep = 0;   // degrees
    double Start = 0;   // degrees in [0, 360)
    double Explode = 0; // percent of the radius, 0 to 100
    // The angle of the segment's middle.
    double Mid() const { return Start + Sweep / 2; }
};

// Room beside the unit pie, in units of the pie's width (left, right) or height (top, bottom).
struct TExtents {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// A callout box around its centre, and the point on the pie its arrow starts from.
struct TCallout {
    TUnitPoint Center;
    double HalfWidth = 0, HalfHeight = 0;
    TUnitPoint Anchor;
    bool Overlapped = false; // moved off another box
    bool Shown = true;       // false when no room was left for it
    // The left edge of the box.
    double Left() const { return Center.U - HalfWidth; }
    // The right edge of the box.
    double Right() const { return Center.U + HalfWidth; }
    // The top edge of the box.
    double Top() const { return Center.V - HalfHeight; }
    // The bottom edge of the box.
    double Bottom() const { return Center.V + HalfHeight; }
};

// A value of the pie with the index it has in the data.
struct TIndexedValue {
    int Index;
    double Value; // finite and positive
};

// An angle brought into [0, 360); anything not finite becomes 0.
double NormalAngle(double Degrees);
// The point at Degrees on the unit circle.
TUnitPoint Direction(double Degrees);
// Whether the sweep from Start over Sweep degrees passes Degrees.
bool Spans(double Start, double Sweep, double Degrees);

// One segment per value, each sweeping its share of TotalAngle, in order or ascending by size;
// they follow each other from StartAngle on.
std::vector<TSegment> MakeSegments(const std::vector<TIndexedValue>& Values, double StartAngle,
                                   double TotalAngle, bool OrderAscending);

// The order to draw in: segment order when flat; for a tilted pie the segments at the back
// (upper half) first, nearer ones later, pulled-out ones after those they stand in front of.
std::vector<int> DrawingOrder(const std::vector<TSegment>& Segments, bool ThreeD);

// How far an exploded segment is moved from the centre, along its middle.
TUnitPoint ExplodeOffset(const TSegment& Segment);

// Each side grows by half of the farthest reach of a pulled-out segment beyond the unit circle.
void GrowForExplode(const std::vector<TSegment>& Segments, TExtents& Extents);

// The label anchor of a segment for labels inside it; HoleFraction 0 for pies.
TUnitPoint InsideAnchor(const TSegment& Segment, double HoleFraction);

// Half the width and half the height of a callout box, in units.
struct TCalloutSize {
    double HalfWidth, HalfHeight;
};

// Places one box per segment outside the pie along the segment's middle, at least Gap beyond
// the rim; boxes of the lower half drop by LowerDrop (the thickness of a 3-D pie). Boxes that
// overlap are moved apart, away from the horizontal axis, and flagged; a box pushed beyond
// MaxReach from the centre (vertically) is left out.
std::vector<TCallout> PlaceCallouts(const std::vector<TSegment>& Segments,
                                    const std::vector<TCalloutSize>& Sizes, double Gap,
                                    double LowerDrop, double MaxReach);

// Each side grows by half of the farthest edge of a shown box beyond the unit circle.
void GrowForCallouts(const std::vector<TCallout>& Callouts, TExtents& Extents);

// An axis-parallel rectangle in any coordinates.
struct TLabelRect {
    double Left, Top, Right, Bottom;
};

// Which labels to keep: in the order of Priority, a label is kept when it lies inside Bounds
// and overlaps none kept before it.
std::vector<bool> KeepApart(const std::vector<TLabelRect>& Labels, const std::vector<int>& Priority,
                            const TLabelRect& Bounds);

} // namespace QvPie
