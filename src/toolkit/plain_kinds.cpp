// Creation of the kinds whose tables the backend supplies (the control, and
// what it is given at once), and the address text both backends show.
#include "detail/core.h"
#include "toolkit/dpi.h"
#include "toolkit/gadgets.h"

namespace kv {

namespace {

GadgetObject* Create(int kind, int number, int x, int y, int width, int height, TextView text,
                     int flags) {
  return detail::CreateGadget(kind, number, x, y, width, height, text, flags);
}

Handle WithState(int number, GadgetObject* g, int state) {
  if (g && g->kind->writeState) {
    detail::SuspendedEvents quiet;
    g->kind->writeState(*g, state);
  }
  return detail::CreationResult(number, g);
}

Handle WithImage(int number, GadgetObject* g, Handle image) {
  if (g && g->kind->writeImage) g->kind->writeImage(*g, image);
  return detail::CreationResult(number, g);
}

}  // namespace

Handle NewHyperLink(int number, int x, int y, int width, int height, TextView text, int color,
                    int flags) {
  GadgetObject* g = Create(GK_HYPERLINK, number, x, y, width, height, text, flags);
  if (g) WriteGadgetColor(g->number, KV_FrontColor, color);
  return detail::CreationResult(number, g);
}

Handle NewImage(int number, int x, int y, int width, int height, Handle image, int flags) {
  return WithImage(number, Create(GK_IMAGE, number, x, y, width, height, {}, flags), image);
}

Handle NewButtonImage(int number, int x, int y, int width, int height, Handle image,
                      int flags) {
  return WithImage(number, Create(GK_BUTTONIMAGE, number, x, y, width, height, {}, flags),
                   image);
}

Handle NewComboBox(int number, int x, int y, int width, int height, int flags) {
  return detail::NewGadget(GK_COMBOBOX, number, x, y, width, height, {}, flags);
}

Handle NewIpAddress(int number, int x, int y, int width, int height) {
  return detail::NewGadget(GK_IPADDRESS, number, x, y, width, height, {}, 0);
}

Handle NewShortcut(int number, int x, int y, int width, int height, int shortcut) {
  return WithState(number, Create(GK_SHORTCUT, number, x, y, width, height, {}, 0), shortcut);
}

Handle NewDate(int number, int x, int y, int width, int height, TextView mask, int date,
               int flags) {
  GadgetObject* g = Create(GK_DATE, number, x, y, width, height, mask, flags);
  if (g && !mask.empty()) g->kind->writeText(*g, mask);
  return WithState(number, g, date);
}

Handle NewCalendar(int number, int x, int y, int width, int height, int date, int flags) {
  return WithState(number, Create(GK_CALENDAR, number, x, y, width, height, {}, flags), date);
}

Handle NewListIcon(int number, int x, int y, int width, int height, TextView title,
                   int titleWidth, int flags) {
  GadgetObject* g = Create(GK_LISTICON, number, x, y, width, height, {}, flags);
  if (g && g->kind->addColumn) g->kind->addColumn(*g, 0, title, ToPixelsX(titleWidth));
  return detail::CreationResult(number, g);
}

Handle NewTree(int number, int x, int y, int width, int height, int flags) {
  return detail::NewGadget(GK_TREE, number, x, y, width, height, {}, flags);
}

void SetGadgetImage(int gadget, Handle image) {
  GadgetObject* g = FindGadgetObject(gadget);
  if (g && g->kind->writeImage) g->kind->writeImage(*g, image);
}

// Without std::string, which would make programs that link no backend pull
// this library in for its string members.
Text DecimalText(int value) {
  long long rest = value;
  Text digits;
  if (rest < 0) rest = -rest;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + rest % 10));
    rest /= 10;
  } while (rest);
  if (value < 0) digits.insert(digits.begin(), u'-');
  return digits;
}

Text AddressText(int address) {
  auto bits = static_cast<unsigned>(address);
  Text text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (shift != 24) text += u'.';
    text += DecimalText(static_cast<int>((bits >> shift) & 0xFF));
  }
  return text;
}

bool ParseAddress(TextView text, int* address) {
  unsigned bits = 0;
  size_t i = 0;
  for (int field = 0; field < 4; ++field) {
    if (field > 0 && (i >= text.size() || text[i++] != u'.')) return false;
    size_t start = i;
    unsigned value = 0;
    while (i < text.size() && i - start < 3 && text[i] >= u'0' && text[i] <= u'9') {
      value = value * 10 + (text[i++] - u'0');
    }
    if (i == start || value > 255) return false;
    bits = (bits << 8) | value;
  }
  if (i != text.size()) return false;
  *address = static_cast<int>(bits);
  return true;
}

}  // namespace kv
