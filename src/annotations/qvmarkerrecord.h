#pragma once

// How markers name the fields of their records: by the INI key; in XML a field is an attribute
// of the node of its group, named by the key without the group's prefix ("Caption.DeltaX" is
// "DeltaX" of the node "Caption", "Caption" is its "Text").

#include "style/qvrecord.h"

namespace QvMarkerRecord {

enum class TGroup {
    Properties,
    Caption,
    Location
};

QvRecord::TName Name(TGroup Group, const char* Key);

} // namespace QvMarkerRecord
