// Buttons, entry fields and text labels, and what every headless kind shares.
#include "kinds.h"

#include <algorithm>

#include "metrics.h"
#include "toolkit/dpi.h"

namespace kv::headless {

namespace {

constexpr int kEditUpdateCode = 1024;

PixelSize Edge() { return platform::EdgeSize(); }

int ReadCheck(GadgetObject& g) { return ControlOf(g).checked ? 1 : 0; }
void WriteCheck(GadgetObject& g, int state) { ControlOf(g).checked = state != 0; }

PixelSize ButtonSize(GadgetObject& g) {
  return ButtonRequiredSize(MeasureLine(ControlOf(g).text), Edge());
}

int ReadLimit(GadgetObject& g, int attribute) {
  return attribute == KV_String_MaximumLength ? ControlOf(g).limit : 0;
}

void WriteLimit(GadgetObject& g, int attribute, int value) {
  if (attribute == KV_String_MaximumLength) ControlOf(g).limit = value <= 0 ? 1 : value;
}

PixelSize StringSize(GadgetObject&) {
  return StringRequiredSize(MeasureLine(u"Hg").height, Edge());
}

PixelSize TextSize(GadgetObject& g) {
  const Control& label = ControlOf(g);
  return TextRequiredSize(MeasureLines(label.text), label.flags & KV_Text_Border, Edge());
}

void MakeString(Control& field) {
  field.readOnly = field.flags & KV_String_ReadOnly;
  field.limit = kDefaultTextLimit;
}

}  // namespace

void ShowColor(GadgetObject&, int) {}

Control& ControlOf(const GadgetObject& gadget) { return *FindControl(gadget.handle); }

PixelSize MeasureLine(TextView text) {
  return {static_cast<int>(text.size()) * ToPixelsX(kCharWidth), ToPixelsY(kCharHeight)};
}

PixelSize MeasureLines(TextView text) {
  PixelSize size;
  size_t start = 0;
  for (;;) {
    size_t end = text.find_first_of(u"\r\n", start);
    TextView line = text.substr(start, end == TextView::npos ? TextView::npos : end - start);
    size.width = std::max(size.width, MeasureLine(line).width);
    size.height += ToPixelsY(kCharHeight);
    if (end == TextView::npos) return size;
    start = end + (text.substr(end, 2) == u"\r\n" ? 2 : 1);
  }
}

void TypeCharacter(GadgetObject& gadget, char16_t c) {
  Control& control = ControlOf(gadget);
  if (control.readOnly) return;
  if (control.cls == ControlClass::RichEdit) {
    control.text.push_back(c == u'\n' ? u'\r' : c);
    QueueGadgetEvent(gadget, ET_CHANGE);
    return;
  }
  if (c == u'\r' || c == u'\n') return;
  if (static_cast<int>(control.text.size()) >= control.limit) return;
  control.text.push_back(c);
  QueueGadgetEvent(gadget, kEditUpdateCode);
  QueueGadgetEvent(gadget, ET_CHANGE);
}

}  // namespace kv::headless

namespace kv::platform {

const GadgetKind& KindSlots(const KindRecord& record) { return record.slots; }

const KindRecord& ButtonRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::Button,
      .keepsText = true,
      .slots = {
          .code = GK_BUTTON,
          .readState = headless::ReadCheck,
          .writeState = headless::WriteCheck,
          .requiredSize = headless::ButtonSize,
      },
  };
  return record;
}

const KindRecord& StringRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::Edit,
      .keepsText = true,
      .made = headless::MakeString,
      .slots = {
          .code = GK_STRING,
          .readAttribute = headless::ReadLimit,
          .writeAttribute = headless::WriteLimit,
          .showColor = headless::ShowColor,
          .requiredSize = headless::StringSize,
      },
  };
  return record;
}

// Also what a gadget of an unknown kind gets.
const KindRecord& TextRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::Static,
      .keepsText = true,
      .slots = {
          .code = GK_TEXT,
          .showColor = headless::ShowColor,
          .requiredSize = headless::TextSize,
      },
  };
  return record;
}

}  // namespace kv::platform
