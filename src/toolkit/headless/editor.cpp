// Editors: lines of text kept as the rich edit control keeps them, with "\r"
// between lines; the core keeps its lines as items on top (editor_lines.cpp).
#include <algorithm>

#include "kinds.h"
#include "toolkit/detail/rtf.h"

namespace kv::headless {

namespace {

constexpr char16_t kBreak = u'\r';

Text& Buffer(GadgetObject& g) { return ControlOf(g).text; }
Text& Buffer(Handle editor) { return FindControl(editor)->text; }

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

void Make(Control& editor) {
  editor.readOnly = editor.flags & KV_Editor_ReadOnly;
  editor.wordWrap = editor.flags & KV_Editor_WordWrap ? 1 : 0;
}

}  // namespace

}  // namespace kv::headless

namespace kv::platform {

using headless::Buffer;

const KindRecord& EditorRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::RichEdit,
      .made = headless::Make,
      .slots = {
          .code = GK_EDITOR,
          .readText = headless::ReadText,
          .writeText = headless::WriteText,
          .readAttribute = headless::ReadAttribute,
          .writeAttribute = headless::WriteAttribute,
          .showColor = headless::ShowColor,
      },
  };
  return record;
}

int EditorTextLength(Handle editor) { return static_cast<int>(Buffer(editor).size()); }

int EditorLineCount(Handle editor) {
  const Text& text = Buffer(editor);
  return static_cast<int>(std::count(text.begin(), text.end(), headless::kBreak)) + 1;
}

int EditorLineStart(Handle editor, int line) {
  const Text& text = Buffer(editor);
  size_t start = 0;
  for (int i = 0; i < line && start != Text::npos; ++i) {
    start = text.find(headless::kBreak, start);
    if (start != Text::npos) ++start;
  }
  return start == Text::npos ? -1 : static_cast<int>(start);
}

int EditorLineLength(Handle editor, int start) {
  const Text& text = Buffer(editor);
  size_t end = text.find(headless::kBreak, start);
  return static_cast<int>((end == Text::npos ? text.size() : end) - start);
}

Text EditorLineText(Handle editor, int line) {
  int start = EditorLineStart(editor, line);
  return Buffer(editor).substr(start, EditorLineLength(editor, start));
}

// The control reports every change of its text, the program's too, and
// scrolls to the caret, which the change leaves after the new text.
void EditorReplace(Handle editor, int from, int to, TextView text) {
  Text normalized = headless::Normalized(text);
  Text& buffer = Buffer(editor);
  buffer.replace(from, to - from, normalized);
  auto caret = buffer.begin() + from + static_cast<std::ptrdiff_t>(normalized.size());
  headless::Control* control = headless::FindControl(editor);
  control->shownLine = static_cast<int>(std::count(buffer.begin(), caret, headless::kBreak));
  if (const GadgetObject* gadget = control ? FindGadgetObject(control->gadget) : nullptr) {
    QueueGadgetEvent(*gadget, ET_CHANGE);
  }
}

void EditorShowStart(Handle editor) { headless::FindControl(editor)->shownLine = 0; }

}  // namespace kv::platform
