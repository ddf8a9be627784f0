#pragma once

// Groups of record fields that every kind of legend stores alike.

namespace QvRecord {
class TRecord;
}
class TQvCustomLegend;

namespace QvLegendRecord {

// ItemHeight and ItemWidth.
void SizeFields(QvRecord::TRecord& R, TQvCustomLegend* L);
// ItemsOrder, Rows and Columns.
void LayoutFields(QvRecord::TRecord& R, TQvCustomLegend* L);
// The item font, the frame and corners, the distances, the heading and the background.
void BoxFields(QvRecord::TRecord& R, TQvCustomLegend* L);

} // namespace QvLegendRecord
