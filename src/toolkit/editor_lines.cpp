// An editor's lines as gadget items, the same on every platform over the
// platform's editing primitives and the backend's own editor slots. On top
// of the text sits the empty-line state:
//   0  nothing special;
//   1  an empty first line was added to an empty editor, which holds no
//      text but counts one line;
//   2  that line has been made real by the next added line.
#include "detail/core.h"

namespace kv {

namespace {

constexpr char16_t kBreak[] = u"\r";  // the platform editor's line break

// Offset of the line's first character, or -1 when there is no such line.
int LineStart(GadgetObject& g, int line) {
  if (line < 0 || line >= platform::EditorLineCount(g.handle)) return -1;
  return platform::EditorLineStart(g.handle, line);
}

int LineLength(GadgetObject& g, int start) { return platform::EditorLineLength(g.handle, start); }

// What appending text as a line adds after what is there (hadText: the
// editor or the text already added holds characters).
Text AppendedLine(GadgetObject& g, bool hadText, TextView text) {
  Text added;
  if (g.emptyLines == 1) {
    added += kBreak;
    g.emptyLines = 2;
  }
  if (hadText) {
    added += kBreak;
  } else if (text.empty() && g.emptyLines == 0) {
    g.emptyLines = 1;
  }
  return added + Text(text);
}

int LineCount(GadgetObject& g) {
  bool empty = platform::EditorTextLength(g.handle) == 0;
  return empty && g.emptyLines == 0 ? 0 : platform::EditorLineCount(g.handle);
}

// An unknown line appends; the first line added to an empty editor may be
// empty and still counts.
int InsertLine(GadgetObject& g, int position, TextView text) {
  if (position >= 0 && LineCount(g) == 0) position = -1;  // appending needs no count
  int start = LineStart(g, position);
  if (start >= 0) {
    platform::EditorReplace(g.handle, start, start, Text(text) + kBreak);
    return 0;
  }
  int end = platform::EditorTextLength(g.handle);
  platform::EditorReplace(g.handle, end, end, AppendedLine(g, end > 0, text));
  return 0;
}

// One replacement for all lines: the control lays out its text once, not
// once a line. A text filled in bulk is read from its start, not from where
// the caret was left.
void AppendLines(GadgetObject& g, std::span<const Text> texts) {
  int end = platform::EditorTextLength(g.handle);
  Text added;
  for (const Text& text : texts) added += AppendedLine(g, end > 0 || !added.empty(), text);
  platform::EditorReplace(g.handle, end, end, added);
  platform::EditorShowStart(g.handle);
}

// The line goes with its break: the one after it, or before the last line.
void DeleteLine(GadgetObject& g, int line) {
  int start = LineStart(g, line);
  if (start < 0) return;
  int length = LineLength(g, start);
  if (line + 1 < platform::EditorLineCount(g.handle)) {
    platform::EditorReplace(g.handle, start, start + length + 1, u"");
  } else {
    platform::EditorReplace(g.handle, start > 0 ? start - 1 : 0, start + length, u"");
  }
  if (platform::EditorTextLength(g.handle) == 0) g.emptyLines = 0;
}

// A platform may empty its editor faster than by replacing all the text.
void ClearLines(GadgetObject& g) {
  if (const auto clear = detail::PlatformSlots(g).clearItems) {
    clear(g);
  } else {
    platform::EditorReplace(g.handle, 0, platform::EditorTextLength(g.handle), u"");
  }
  g.emptyLines = 0;
}

Text ReadLine(GadgetObject& g, int line, int) {
  return LineStart(g, line) < 0 ? Text{} : platform::EditorLineText(g.handle, line);
}

int WriteLine(GadgetObject& g, int line, TextView text, int) {
  int start = LineStart(g, line);
  if (start >= 0) platform::EditorReplace(g.handle, start, start + LineLength(g, start), text);
  return 0;
}

// Writing no text empties the editor of its lines too.
void WriteText(GadgetObject& g, TextView text) {
  if (text.empty()) return ClearLines(g);
  detail::PlatformSlots(g).writeText(g, text);
}

}  // namespace

const GadgetKind& detail::EditorKind() {
  static const GadgetKind kind = [] {
    GadgetKind editor = platform::KindSlots(platform::EditorRecord());
    editor.writeText = WriteText;
    editor.insertItem = InsertLine;
    editor.appendItems = AppendLines;
    editor.deleteItem = DeleteLine;
    editor.clearItems = ClearLines;
    editor.itemCount = LineCount;
    editor.readItemText = ReadLine;
    editor.writeItemText = WriteLine;
    return editor;
  }();
  return kind;
}

}  // namespace kv
