// The frame every statistics page shares: head, foot, the spacer between
// sections, the small caption box above each list and the opening of a list
// table. Everything is written into the run's PageWriter.
#pragma once

#include "report/PageWriter.h"

namespace mctf {

// Black page, white text, the given title.
void WritePageHead(PageWriter& page, const char* title);
// The credit line naming mctfutil, then the end of the document.
void WritePageFoot(PageWriter& page);
// An empty level-3 heading between sections.
void WriteSpacer(PageWriter& page);

// The caption box is a one-cell table: open it, write the caption fragments
// (a yellow level-3 heading each), close it.
void BeginCaptionBox(PageWriter& page);
void EndCaptionBox(PageWriter& page);

// A full-width bordered list table, before its heading row.
void BeginListTable(PageWriter& page);

}  // namespace mctf
