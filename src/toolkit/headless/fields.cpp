// The small standard controls: combo boxes, date fields, calendars, address
// and shortcut fields, links and images.
#include <ctime>
#include <string>

#include "kinds.h"
#include "metrics.h"
#include "toolkit/dpi.h"

namespace kv::headless {

namespace {

PixelSize Edge() { return platform::EdgeSize(); }

Text Digits(int value, int width = 0) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return Text(digits.begin(), digits.end());
}

int ReadValue(GadgetObject& g) { return ControlOf(g).value; }
void WriteValue(GadgetObject& g, int value) { ControlOf(g).value = value; }

// ---- Combo boxes -------------------------------------------------------------------

std::vector<ListRow>& Rows(GadgetObject& g) { return ControlOf(g).rows; }
bool Exists(GadgetObject& g, int item) {
  return item >= 0 && item < static_cast<int>(Rows(g).size());
}
bool Editable(GadgetObject& g) {
  return (ControlOf(g).flags & KV_ComboBox_Editable) == KV_ComboBox_Editable;
}

int ComboState(GadgetObject& g) { return ControlOf(g).caret; }

// Choosing an item shows its text in the field.
void ComboSelect(GadgetObject& g, int item) {
  Control& combo = ControlOf(g);
  combo.caret = Exists(g, item) ? item : -1;
  combo.text = combo.caret == -1 ? Text{} : Rows(g)[static_cast<size_t>(item)].text;
}

void ComboWriteText(GadgetObject& g, TextView text) {
  for (size_t i = 0; i < Rows(g).size(); ++i) {
    if (EqualNoCase(Rows(g)[i].text, text)) return ComboSelect(g, static_cast<int>(i));
  }
  if (Editable(g)) {
    ControlOf(g).caret = -1;
    ControlOf(g).text = Text(text);
  }
}

Text ComboText(GadgetObject& g) { return ControlOf(g).text; }

int ComboInsert(GadgetObject& g, int position, TextView text) {
  std::vector<ListRow>& rows = Rows(g);
  if (position < -1 || position > static_cast<int>(rows.size())) return 0;
  if (position == -1) position = static_cast<int>(rows.size());
  rows.insert(rows.begin() + position, ListRow{Text(text)});
  if (ControlOf(g).caret >= position) ++ControlOf(g).caret;
  return 0;
}

void ComboDelete(GadgetObject& g, int item) {
  if (!Exists(g, item)) return;
  Rows(g).erase(Rows(g).begin() + item);
  int& caret = ControlOf(g).caret;
  if (caret == item) ComboSelect(g, -1);
  if (caret > item) --caret;
}

void ComboClear(GadgetObject& g) {
  Rows(g).clear();
  ComboSelect(g, -1);
}

int ComboCount(GadgetObject& g) { return static_cast<int>(Rows(g).size()); }

Text ComboItemText(GadgetObject& g, int item, int) {
  return Exists(g, item) ? Rows(g)[static_cast<size_t>(item)].text : Text{};
}

int ComboWriteItemText(GadgetObject& g, int item, TextView text, int) {
  if (!Exists(g, item)) return -1;
  Rows(g)[static_cast<size_t>(item)].text = Text(text);
  if (ControlOf(g).caret == item) ControlOf(g).text = Text(text);
  return 0;
}

std::intptr_t ComboItemData(GadgetObject& g, int item) {
  return Exists(g, item) ? Rows(g)[static_cast<size_t>(item)].data : 0;
}

void ComboWriteItemData(GadgetObject& g, int item, std::intptr_t data) {
  if (Exists(g, item)) Rows(g)[static_cast<size_t>(item)].data = data;
}

PixelSize ComboSize(GadgetObject&) {
  return FieldRequiredSize({0, MeasureLine(u"Hg").height}, Edge(), kScrollBarSize);
}

// ---- Dates --------------------------------------------------------------------------

struct Civil {
  int year, month, day, hour, minute, second;
};

// Days since 1970 to a proleptic Gregorian date, counted in 400-year eras
// that start on 1 March, so that the leap day ends a year.
Civil CivilTime(int date) {
  constexpr long long kDay = 86400;
  long long seconds = date ? date : static_cast<long long>(std::time(nullptr));
  long long days = seconds / kDay - (seconds % kDay < 0 ? 1 : 0);
  long long time = seconds - days * kDay;
  days += 719468;
  long long era = (days >= 0 ? days : days - 146096) / 146097;
  long long dayOfEra = days - era * 146097;
  long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  long long shifted = (5 * dayOfYear + 2) / 153;
  int month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
  int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  int day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
  return {year, month, day, static_cast<int>(time / 3600), static_cast<int>(time / 60 % 60),
          static_cast<int>(time % 60)};
}

// The mask's fields filled in; other characters as they are.
Text FormatDate(TextView mask, int date) {
  if (mask.empty()) mask = u"%yyyy-%mm-%dd";
  Civil t = CivilTime(date);
  struct Field {
    TextView code;
    int value;
    int width;
  };
  const Field fields[] = {{u"%yyyy", t.year, 4}, {u"%yy", t.year % 100, 2},
                          {u"%mm", t.month, 2},    {u"%dd", t.day, 2},
                          {u"%hh", t.hour, 2},     {u"%ii", t.minute, 2},
                          {u"%ss", t.second, 2}};
  Text shown;
  for (size_t i = 0; i < mask.size();) {
    const Field* match = nullptr;
    for (const Field& field : fields) {
      if (mask.substr(i, field.code.size()) == field.code) {
        match = &field;
        break;
      }
    }
    if (match) {
      shown += Digits(match->value, match->width);
      i += match->code.size();
    } else {
      shown += mask[i++];
    }
  }
  return shown;
}

Text DateText(GadgetObject& g) { return FormatDate(ControlOf(g).text, ControlOf(g).value); }

// The date field keeps its mask as the control's text.
void DateWriteText(GadgetObject& g, TextView mask) { ControlOf(g).text = Text(mask); }

PixelSize DateSize(GadgetObject& g) {
  return FieldRequiredSize(MeasureLine(DateText(g)), Edge(), kScrollBarSize);
}

PixelSize CalendarSize(GadgetObject&) {
  return {ToPixelsX(kCalendarWidth), ToPixelsY(kCalendarHeight)};
}

// ---- Address and shortcut fields ---------------------------------------------------

Text ReadAddress(GadgetObject& g) { return AddressText(ControlOf(g).value); }

// Anything but an address leaves the address as it was.
void WriteAddress(GadgetObject& g, TextView text) { ParseAddress(text, &ControlOf(g).value); }

PixelSize AddressSize(GadgetObject&) {
  return FieldRequiredSize(MeasureLine(u"000.000.000.000"), Edge(), 0);
}

PixelSize ShortcutSize(GadgetObject&) {
  return FieldRequiredSize(MeasureLine(u"Ctrl + Shift + F12"), Edge(), 0);
}

// ---- Links and images --------------------------------------------------------------

PixelSize LinkSize(GadgetObject& g) {
  return TextRequiredSize(MeasureLines(ControlOf(g).text), false, Edge());
}

void WriteImage(GadgetObject& g, Handle image) { ControlOf(g).image = image; }

PixelSize ImageSize(GadgetObject& g) {
  bool framed = ControlOf(g).flags & (KV_Image_Border | KV_Image_Raised);
  return framed ? PixelSize{2 * Edge().width, 2 * Edge().height} : PixelSize{};
}

PixelSize ButtonImageSize(GadgetObject&) {
  return ButtonRequiredSize({0, 0}, Edge());
}

}  // namespace

}  // namespace kv::headless

namespace kv::platform {

const KindRecord& ComboBoxRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::ComboBox,
      .slots = {
          .code = GK_COMBOBOX,
          .readState = headless::ComboState,
          .writeState = headless::ComboSelect,
          .readText = headless::ComboText,
          .writeText = headless::ComboWriteText,
          .insertItem = headless::ComboInsert,
          .deleteItem = headless::ComboDelete,
          .clearItems = headless::ComboClear,
          .itemCount = headless::ComboCount,
          .readItemText = headless::ComboItemText,
          .writeItemText = headless::ComboWriteItemText,
          .writeItemData = headless::ComboWriteItemData,
          .readItemData = headless::ComboItemData,
          .requiredSize = headless::ComboSize,
      },
  };
  return record;
}

const KindRecord& DateRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::Date,
      .keepsText = true,
      .slots = {
          .code = GK_DATE,
          .readState = headless::ReadValue,
          .writeState = headless::WriteValue,
          .readText = headless::DateText,
          .writeText = headless::DateWriteText,
          .requiredSize = headless::DateSize,
      },
  };
  return record;
}

const KindRecord& CalendarRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::Calendar,
      .slots = {
          .code = GK_CALENDAR,
          .readState = headless::ReadValue,
          .writeState = headless::WriteValue,
          .requiredSize = headless::CalendarSize,
      },
  };
  return record;
}

const KindRecord& IpAddressRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::IpAddress,
      .slots = {
          .code = GK_IPADDRESS,
          .readState = headless::ReadValue,
          .writeState = headless::WriteValue,
          .readText = headless::ReadAddress,
          .writeText = headless::WriteAddress,
          .requiredSize = headless::AddressSize,
      },
  };
  return record;
}

const KindRecord& ShortcutRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::Shortcut,
      .slots = {
          .code = GK_SHORTCUT,
          .readState = headless::ReadValue,
          .writeState = headless::WriteValue,
          .requiredSize = headless::ShortcutSize,
      },
  };
  return record;
}

const KindRecord& HyperLinkRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::HyperLink,
      .keepsText = true,
      .slots = {
          .code = GK_HYPERLINK,
          .showColor = headless::ShowColor,
          .requiredSize = headless::LinkSize,
      },
  };
  return record;
}

const KindRecord& ImageRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::Image,
      .slots = {
          .code = GK_IMAGE,
          .requiredSize = headless::ImageSize,
          .writeImage = headless::WriteImage,
      },
  };
  return record;
}

const KindRecord& ButtonImageRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::Image,
      .slots = {
          .code = GK_BUTTONIMAGE,
          .requiredSize = headless::ButtonImageSize,
          .writeImage = headless::WriteImage,
      },
  };
  return record;
}

// The folder-browsing combo box is the combo box itself.
const KindRecord& ExplorerComboRecord() { return ComboBoxRecord(); }

}  // namespace kv::platform
