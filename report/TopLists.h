// The ranked lists built from the orderings of the aggregation: the clan
// table (clans in ranking order, each with an inner table of its members)
// and the railgun and rocket-launcher top lists.
#pragma once

#include "report/PageWriter.h"
#include "stats/StatsTables.h"

namespace mctf {

// The best `count` clans (at most clanCount); with `allMembers` every member
// in joining order, else the best three. A count of 0 writes nothing.
void WriteClanTable(PageWriter& page, const StatsTables& tables, int count, bool allMembers);

// The best `count` players of topRailers / topRocketeers with their railgun /
// rocket-launcher kills per hour.
void WriteTopRailers(PageWriter& page, const StatsTables& tables, int count);
void WriteTopRocketeers(PageWriter& page, const StatsTables& tables, int count);

}  // namespace mctf
