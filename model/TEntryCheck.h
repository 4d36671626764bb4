#pragma once
// The entry checks: whether a value entered for an item may go into a page. The input frames,
// the preview and the headless command share them and their messages.

class TInputBase;
class TInputData;

// Throws TError carrying the caption and the message of the first failed check. For pictures
// the caption is the one of the value's own copy of the item (what the frame shows).
void CheckEntry(const TInputBase& item, const TInputData& entered);
