#pragma once
// The effect routing pictures of the program and performance pages, in one
// style: thin black lines that each end in an arrow head at the box they
// feed, each starting at the name of what it carries in (the program, a
// send), joints marked with a dot. The chain arrow between the master effects is
// a picture of its own, in amber, that the pages lay over these.
class CHfcDrawContext;

namespace skin {

// The insert effect: the program's signal into the effect, the effect's
// output on to the send knobs below its right end.
void PaintInsertFxRouting(CHfcDrawContext& dc, int frame, int top, int width, int height);
// The two master effects fed from the left, their outputs joined and led
// into the EQ; the same picture for a program and a performance, whose
// pages place the boxes alike relative to it.
void PaintMasterFxRouting(CHfcDrawContext& dc, int frame, int top, int width, int height);

}  // namespace skin
