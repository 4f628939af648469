// Editors: lines of text kept as the rich edit control keeps them, with "\r"
// between lines, and the toolkit's empty-line state on top:
//   0  nothing special;
//   1  an empty first line was added to an empty editor, which holds no
//      text but counts one line;
//   2  that line has been made real by the next added line.
#include <algorithm>

#include "kinds.h"
#include "rtf.h"

namespace kv::headless {

namespace {

constexpr char16_t kBreak = u'\r';

Text& Buffer(GadgetObject& g) { return ControlOf(g).text; }

// Line breaks as the control stores them.
Text Normalized(TextView text) {
  Text out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    out.push_back(text[i] == u'\n' ? kBreak : text[i]);
  }
  return out;
}

// The control reports every change of its text, the program's too.
void Changed(GadgetObject& g) { QueueGadgetEvent(g, ET_CHANGE); }

int LineCount(GadgetObject& g) {
  return static_cast<int>(std::count(Buffer(g).begin(), Buffer(g).end(), kBreak)) + 1;
}

// Offset of the line's first character, or -1 when there is no such line.
int LineStart(GadgetObject& g, int line) {
  if (line < 0) return -1;
  const Text& text = Buffer(g);
  size_t start = 0;
  for (int i = 0; i < line; ++i) {
    start = text.find(kBreak, start);
    if (start == Text::npos) return -1;
    ++start;
  }
  return static_cast<int>(start);
}

int LineLength(GadgetObject& g, int start) {
  size_t end = Buffer(g).find(kBreak, start);
  return static_cast<int>((end == Text::npos ? Buffer(g).size() : end) - start);
}

int ItemCount(GadgetObject& g) {
  return Buffer(g).empty() && WordsOf(g).emptyLines == 0 ? 0 : LineCount(g);
}

int InsertItem(GadgetObject& g, int position, TextView text) {
  Text line = Normalized(text);
  Text& buffer = Buffer(g);
  int& emptyLines = WordsOf(g).emptyLines;
  if (position >= 0 && ItemCount(g) == 0) position = -1;  // appending needs no count
  int start = LineStart(g, position);
  if (start >= 0) {
    buffer.insert(start, line + kBreak);
  } else {
    bool hadText = !buffer.empty();
    if (emptyLines == 1) {
      buffer.push_back(kBreak);
      emptyLines = 2;
    }
    if (hadText) {
      buffer.push_back(kBreak);
    } else if (line.empty() && emptyLines == 0) {
      emptyLines = 1;
    }
    buffer += line;
  }
  Changed(g);
  return 0;
}

void DeleteItem(GadgetObject& g, int line) {
  int start = LineStart(g, line);
  if (start < 0) return;
  int length = LineLength(g, start);
  Text& buffer = Buffer(g);
  if (start + length < static_cast<int>(buffer.size())) {
    buffer.erase(start, length + 1);  // the line and the break after it
  } else if (start > 0) {
    buffer.erase(start - 1, length + 1);  // the last line and the break before it
  } else {
    buffer.clear();
  }
  if (buffer.empty()) WordsOf(g).emptyLines = 0;
  Changed(g);
}

void ClearItems(GadgetObject& g) {
  Buffer(g).clear();
  WordsOf(g).emptyLines = 0;
  Changed(g);
}

Text ReadItemText(GadgetObject& g, int line, int) {
  int start = LineStart(g, line);
  return start < 0 ? Text{} : Buffer(g).substr(start, LineLength(g, start));
}

int WriteItemText(GadgetObject& g, int line, TextView text, int) {
  int start = LineStart(g, line);
  if (start < 0) return 0;
  Buffer(g).replace(start, LineLength(g, start), Normalized(text));
  Changed(g);
  return 0;
}

Text ReadText(GadgetObject& g) {
  Text text;
  for (char16_t c : Buffer(g)) {
    if (c == kBreak) {
      text += u"\r\n";
    } else {
      text.push_back(c);
    }
  }
  return text;
}

void WriteText(GadgetObject& g, TextView text) {
  if (text.empty()) return ClearItems(g);
  Buffer(g) = IsRtf(text) ? PlainTextFromRtf(text) : Normalized(text);
  Changed(g);
}

int ReadAttribute(GadgetObject& g, int attribute) {
  if (attribute == KV_Editor_ReadOnly) return ControlOf(g).readOnly ? KV_Editor_ReadOnly : 0;
  if (attribute == KV_Editor_WordWrap) return ControlOf(g).wordWrap;
  return 0;
}

void WriteAttribute(GadgetObject& g, int attribute, int value) {
  if (attribute == KV_Editor_ReadOnly) ControlOf(g).readOnly = value != 0;
  if (attribute == KV_Editor_WordWrap) ControlOf(g).wordWrap = value;
}

}  // namespace

const GadgetKind& EditorKind() {
  static const GadgetKind kind{
      .code = GK_EDITOR,
      .readText = ReadText,
      .writeText = WriteText,
      .insertItem = InsertItem,
      .deleteItem = DeleteItem,
      .clearItems = ClearItems,
      .itemCount = ItemCount,
      .readItemText = ReadItemText,
      .writeItemText = WriteItemText,
      .readAttribute = ReadAttribute,
      .writeAttribute = WriteAttribute,
      .writeColor = WriteColor,
      .readColor = ReadColor,
  };
  return kind;
}

}  // namespace kv::headless
