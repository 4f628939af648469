// An editor's lines as gadget items, the same on every platform over the
// platform's editing primitives. On top of the text sits the empty-line
// state:
//   0  nothing special;
//   1  an empty first line was added to an empty editor, which holds no
//      text but counts one line;
//   2  that line has been made real by the next added line.
#include "toolkit/backend.h"

namespace kv {

namespace {

constexpr char16_t kBreak[] = u"\r";  // the platform editor's line break

// Offset of the line's first character, or -1 when there is no such line.
int LineStart(GadgetObject& g, int line) {
  if (line < 0 || line >= platform::EditorLineCount(g.handle)) return -1;
  return platform::EditorLineStart(g.handle, line);
}

}  // namespace

int EditorLineCount(GadgetObject& g) {
  bool empty = platform::EditorTextLength(g.handle) == 0;
  return empty && g.emptyLines == 0 ? 0 : platform::EditorLineCount(g.handle);
}

// An unknown line appends; the first line added to an empty editor may be
// empty and still counts.
int InsertEditorLine(GadgetObject& g, int position, TextView text) {
  if (EditorLineCount(g) == 0) position = -1;
  int start = LineStart(g, position);
  if (start >= 0) {
    platform::EditorReplace(g.handle, start, start, Text(text) + kBreak);
    return 0;
  }
  int end = platform::EditorTextLength(g.handle);
  Text added;
  if (g.emptyLines == 1) {
    added += kBreak;
    g.emptyLines = 2;
  }
  if (end > 0) {
    added += kBreak;
  } else if (text.empty() && g.emptyLines == 0) {
    g.emptyLines = 1;
  }
  platform::EditorReplace(g.handle, end, end, added + Text(text));
  return 0;
}

// The line goes with its break: the one after it, or before the last line.
void DeleteEditorLine(GadgetObject& g, int line) {
  int start = LineStart(g, line);
  if (start < 0) return;
  int length = platform::EditorLineLength(g.handle, start);
  if (line + 1 < platform::EditorLineCount(g.handle)) {
    platform::EditorReplace(g.handle, start, start + length + 1, u"");
  } else {
    platform::EditorReplace(g.handle, start > 0 ? start - 1 : 0, start + length, u"");
  }
  if (platform::EditorTextLength(g.handle) == 0) g.emptyLines = 0;
}

void ClearEditorLines(GadgetObject& g) {
  platform::EditorReplace(g.handle, 0, platform::EditorTextLength(g.handle), u"");
  g.emptyLines = 0;
}

}  // namespace kv
