#include "segment/SegCompEZ.h"

void TSegCompEZ::SegExpand()
{
    SetTargetPath("");
    ExpandSegments(SegArcList);
    SegSource.clear();
    for (const TSegArc& arc : SegArcList) SegSource.push_back(arc.Template);
    SetTargetPath("");
}
