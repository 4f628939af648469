// The small standard controls: date fields and calendars, address and
// shortcut fields, links and images; and the root the folder-browsing kinds
// start from. GTK has no date, address or shortcut control: each is an entry
// that shows its value as text and reads back what the user typed or pressed.
#include <algorithm>
#include <string>

#include "gtk.h"

namespace kv::gtk {

namespace {

constexpr char kDateKey[] = "kv-date";
constexpr char kShortcutKey[] = "kv-shortcut";

PixelSize Edge() {
  return platform::EdgeSize();
}

PixelSize AtLeast(PixelSize size, PixelSize least) {
  return {std::max(size.width, least.width), std::max(size.height, least.height)};
}

PixelSize FieldSize(GadgetObject& g, TextView sample, int buttonWidth) {
  return AtLeast(FieldRequiredSize(MeasureText(WidgetOf(g), sample), Edge(), buttonWidth),
                 PreferredSize(WidgetOf(g)));
}

GtkEntry* Entry(GadgetObject& g) {
  return GTK_ENTRY(WidgetOf(g));
}

// Its width is the engine's; GTK would ask for room for long text.
GtkWidget* NewEntry(int characters) {
  GtkWidget* entry = gtk_entry_new();
  gtk_entry_set_width_chars(GTK_ENTRY(entry), characters);
  return entry;
}

void ShowText(GadgetObject& g, TextView text) {
  Quiet quiet(g);
  gtk_entry_set_text(Entry(g), Utf8(text).c_str());
}

// ---- Dates -------------------------------------------------------------------------

// What a date field holds: its mask and date, in seconds since 1970 (UTC).
struct DateField {
  Text mask;
  int date = 0;
};

DateField& DateOf(GadgetObject& g) {
  return *static_cast<DateField*>(g_object_get_data(G_OBJECT(WidgetOf(g)), kDateKey));
}

int Now() {
  return static_cast<int>(g_get_real_time() / G_USEC_PER_SEC);
}

// A mask's fields; the rest of it shows as it is.
struct DatePart {
  TextView code;
  int width;
};
constexpr DatePart kParts[] = {{u"%yyyy", 4}, {u"%yy", 2}, {u"%mm", 2}, {u"%dd", 2},
                               {u"%hh", 2},   {u"%ii", 2}, {u"%ss", 2}};

const DatePart* PartAt(TextView mask, size_t at) {
  for (const DatePart& part : kParts) {
    if (mask.substr(at, part.code.size()) == part.code) return &part;
  }
  return nullptr;
}

TextView MaskOf(const DateField& field) {
  return field.mask.empty() ? TextView(u"%yyyy-%mm-%dd") : TextView(field.mask);
}

int PartValue(GDateTime* time, TextView code) {
  if (code == u"%yyyy") return g_date_time_get_year(time);
  if (code == u"%yy") return g_date_time_get_year(time) % 100;
  if (code == u"%mm") return g_date_time_get_month(time);
  if (code == u"%dd") return g_date_time_get_day_of_month(time);
  if (code == u"%hh") return g_date_time_get_hour(time);
  if (code == u"%ii") return g_date_time_get_minute(time);
  return g_date_time_get_second(time);
}

Text FormatDate(const DateField& field) {
  TextView mask = MaskOf(field);
  GDateTime* time = g_date_time_new_from_unix_utc(field.date);
  Text shown;
  for (size_t i = 0; i < mask.size();) {
    const DatePart* part = PartAt(mask, i);
    if (!part) {
      shown += mask[i++];
      continue;
    }
    Text digits = DecimalText(PartValue(time, part->code));
    if (static_cast<int>(digits.size()) < part->width) {
      shown.append(static_cast<size_t>(part->width) - digits.size(), u'0');
    }
    shown += digits;
    i += part->code.size();
  }
  g_date_time_unref(time);
  return shown;
}

// Text typed over the mask: each field its digits, the rest as the mask
// has it. The fields the mask lacks keep the date's own.
bool ParseDate(const DateField& field, TextView text, int* date) {
  GDateTime* old = g_date_time_new_from_unix_utc(field.date);
  int values[] = {g_date_time_get_year(old),         g_date_time_get_month(old),
                  g_date_time_get_day_of_month(old), g_date_time_get_hour(old),
                  g_date_time_get_minute(old),       g_date_time_get_second(old)};
  g_date_time_unref(old);
  TextView mask = MaskOf(field);
  size_t at = 0;
  for (size_t i = 0; i < mask.size();) {
    const DatePart* part = PartAt(mask, i);
    if (!part) {
      if (at >= text.size() || text[at++] != mask[i++]) return false;
      continue;
    }
    int value = 0;
    for (int digit = 0; digit < part->width; ++digit, ++at) {
      if (at >= text.size() || text[at] < u'0' || text[at] > u'9') return false;
      value = value * 10 + (text[at] - u'0');
    }
    auto slot = static_cast<size_t>(part - kParts);  // %yyyy and %yy share the year
    if (part->code == u"%yy") value += values[0] - values[0] % 100;
    values[slot == 0 ? 0 : slot - 1] = value;
    i += part->code.size();
  }
  if (at != text.size()) return false;
  GDateTime* time =
      g_date_time_new_utc(values[0], values[1], values[2], values[3], values[4], values[5]);
  if (!time) return false;
  gint64 seconds = g_date_time_to_unix(time);
  g_date_time_unref(time);
  if (seconds < G_MININT || seconds > G_MAXINT) return false;
  *date = static_cast<int>(seconds);
  return true;
}

GtkWidget* MakeDate(const ControlParams&) {
  GtkWidget* entry = NewEntry(10);
  auto* field = new DateField{{}, Now()};
  gtk_entry_set_text(GTK_ENTRY(entry), Utf8(FormatDate(*field)).c_str());
  g_object_set_data_full(G_OBJECT(entry), kDateKey, field,
                         [](gpointer data) { delete static_cast<DateField*>(data); });
  return entry;
}

int DateState(GadgetObject& g) {
  return DateOf(g).date;
}

void DateWriteState(GadgetObject& g, int date) {
  DateOf(g).date = date ? date : Now();
  ShowText(g, FormatDate(DateOf(g)));
}

void DateWriteMask(GadgetObject& g, TextView mask) {
  DateOf(g).mask = Text(mask);
  ShowText(g, FormatDate(DateOf(g)));
}

PixelSize DateSize(GadgetObject& g) {
  return FieldSize(g, FormatDate(DateOf(g)) + u"  ", 0);
}

void OnDateTyped(GtkEditable* field, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  int date = 0;
  if (!g || Quiet::Active(*g)) return;
  if (!ParseDate(DateOf(*g), FromUtf8(gtk_entry_get_text(GTK_ENTRY(field))), &date)) return;
  if (date == DateOf(*g).date) return;
  DateOf(*g).date = date;
  QueueGadgetEvent(*g, ET_CHANGE);
}

void AttachDate(GadgetObject& g) {
  Connect(WidgetOf(g), "changed", OnDateTyped, g);
}

// A calendar holds whole days.
int CalendarState(GadgetObject& g) {
  guint year = 0;
  guint month = 0;
  guint day = 0;
  gtk_calendar_get_date(GTK_CALENDAR(WidgetOf(g)), &year, &month, &day);
  GDateTime* time = g_date_time_new_utc(static_cast<int>(year), static_cast<int>(month) + 1,
                                        static_cast<int>(day), 0, 0, 0);
  if (!time) return 0;
  auto date = static_cast<int>(g_date_time_to_unix(time));
  g_date_time_unref(time);
  return date;
}

void CalendarWriteState(GadgetObject& g, int date) {
  GDateTime* time = g_date_time_new_from_unix_utc(date ? date : Now());
  Quiet quiet(g);
  GtkCalendar* calendar = GTK_CALENDAR(WidgetOf(g));
  gtk_calendar_select_month(calendar, static_cast<guint>(g_date_time_get_month(time) - 1),
                            static_cast<guint>(g_date_time_get_year(time)));
  gtk_calendar_select_day(calendar, static_cast<guint>(g_date_time_get_day_of_month(time)));
  g_date_time_unref(time);
}

PixelSize CalendarSize(GadgetObject& g) {
  return PreferredSize(WidgetOf(g));
}

void OnDaySelected(GtkCalendar*, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (g && !Quiet::Active(*g)) QueueGadgetEvent(*g, ET_CHANGE);
}

void AttachCalendar(GadgetObject& g) {
  Connect(WidgetOf(g), "day-selected", OnDaySelected, g);
}

// ---- Address fields ----------------------------------------------------------------

int AddressState(GadgetObject& g) {
  int address = 0;
  ParseAddress(FromUtf8(gtk_entry_get_text(Entry(g))), &address);
  return address;
}

void AddressWriteState(GadgetObject& g, int address) {
  ShowText(g, AddressText(address));
}

Text AddressRead(GadgetObject& g) {
  return AddressText(AddressState(g));
}

// Anything but an address leaves the address as it was.
void AddressWrite(GadgetObject& g, TextView text) {
  int address = 0;
  if (ParseAddress(text, &address)) AddressWriteState(g, address);
}

PixelSize AddressSize(GadgetObject& g) {
  return FieldSize(g, u"000.000.000.000", 0);
}

GtkWidget* MakeAddress(const ControlParams&) {
  GtkWidget* entry = NewEntry(15);
  gtk_entry_set_max_length(GTK_ENTRY(entry), 15);
  gtk_entry_set_text(GTK_ENTRY(entry), "0.0.0.0");
  return entry;
}

// ---- Shortcut fields ---------------------------------------------------------------

// Keys beyond letters, digits and function keys, by the platform-neutral
// virtual key codes the state holds.
struct NamedKey {
  guint keyval;
  int code;
  const char16_t* name;
};
constexpr NamedKey kNamedKeys[] = {
    {GDK_KEY_BackSpace, 0x08, u"Backspace"},
    {GDK_KEY_Return, 0x0D, u"Enter"},
    {GDK_KEY_Escape, 0x1B, u"Esc"},
    {GDK_KEY_space, 0x20, u"Space"},
    {GDK_KEY_Page_Up, 0x21, u"Page Up"},
    {GDK_KEY_Page_Down, 0x22, u"Page Down"},
    {GDK_KEY_End, 0x23, u"End"},
    {GDK_KEY_Home, 0x24, u"Home"},
    {GDK_KEY_Left, 0x25, u"Left"},
    {GDK_KEY_Up, 0x26, u"Up"},
    {GDK_KEY_Right, 0x27, u"Right"},
    {GDK_KEY_Down, 0x28, u"Down"},
    {GDK_KEY_Insert, 0x2D, u"Ins"},
    {GDK_KEY_Delete, 0x2E, u"Del"},
};
constexpr int kFirstFunctionKey = 0x70;  // F1
constexpr int kFunctionKeys = 24;

// The key's code, or 0 for a key a shortcut cannot hold.
int KeyCode(guint keyval) {
  guint upper = gdk_keyval_to_upper(keyval);
  if ((upper >= GDK_KEY_A && upper <= GDK_KEY_Z) || (upper >= GDK_KEY_0 && upper <= GDK_KEY_9)) {
    return static_cast<int>(upper);  // the codes of letters and digits are their characters
  }
  if (keyval >= GDK_KEY_F1 && keyval < GDK_KEY_F1 + kFunctionKeys) {
    return kFirstFunctionKey + static_cast<int>(keyval - GDK_KEY_F1);
  }
  for (const NamedKey& key : kNamedKeys) {
    if (key.keyval == keyval) return key.code;
  }
  return 0;
}

Text KeyName(int code) {
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
    return Text(1, static_cast<char16_t>(code));
  }
  if (code >= kFirstFunctionKey && code < kFirstFunctionKey + kFunctionKeys) {
    return Text(u"F").append(DecimalText(code - kFirstFunctionKey + 1));
  }
  for (const NamedKey& key : kNamedKeys) {
    if (key.code == code) return key.name;
  }
  return code ? Text(u"#").append(DecimalText(code)) : Text(u"None");
}

Text ShortcutText(int shortcut) {
  Text text;
  if (shortcut & KV_Shortcut_Control) text += u"Ctrl + ";
  if (shortcut & KV_Shortcut_Shift) text += u"Shift + ";
  if (shortcut & KV_Shortcut_Alt) text += u"Alt + ";
  return text + KeyName(shortcut & 0xFF);
}

int ShortcutState(GadgetObject& g) {
  return GPOINTER_TO_INT(g_object_get_data(G_OBJECT(WidgetOf(g)), kShortcutKey));
}

void ShortcutWriteState(GadgetObject& g, int shortcut) {
  g_object_set_data(G_OBJECT(WidgetOf(g)), kShortcutKey, GINT_TO_POINTER(shortcut));
  ShowText(g, ShortcutText(shortcut));
}

PixelSize ShortcutSize(GadgetObject& g) {
  return FieldSize(g, u"Ctrl + Shift + F12", 0);
}

// The key pressed with its modifiers becomes the shortcut; Tab still moves
// the focus on.
gboolean OnShortcutKey(GtkWidget*, GdkEventKey* event, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  int code = KeyCode(event->keyval);
  if (!g || code == 0) return FALSE;
  int shortcut = code | (event->state & GDK_SHIFT_MASK ? KV_Shortcut_Shift : 0) |
                 (event->state & GDK_CONTROL_MASK ? KV_Shortcut_Control : 0) |
                 (event->state & GDK_MOD1_MASK ? KV_Shortcut_Alt : 0);
  ShortcutWriteState(*g, shortcut);
  return TRUE;
}

GtkWidget* MakeShortcut(const ControlParams&) {
  GtkWidget* entry = NewEntry(10);
  gtk_editable_set_editable(GTK_EDITABLE(entry), FALSE);
  gtk_entry_set_text(GTK_ENTRY(entry), Utf8(ShortcutText(0)).c_str());
  return entry;
}

void AttachShortcut(GadgetObject& g) {
  Connect(WidgetOf(g), "key-press-event", OnShortcutKey, g);
}

// ---- Links and images --------------------------------------------------------------

// A link is a button without relief, so that a click is the button's.
GtkWidget* MakeLink(const ControlParams& params) {
  GtkWidget* link = gtk_button_new_with_label(Utf8(params.text).c_str());
  gtk_button_set_relief(GTK_BUTTON(link), GTK_RELIEF_NONE);
  gtk_widget_set_focus_on_click(link, FALSE);
  GtkWidget* label = gtk_bin_get_child(GTK_BIN(link));
  if ((params.flags & KV_HyperLink_Underline) && GTK_IS_LABEL(label)) {
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    gtk_label_set_attributes(GTK_LABEL(label), attributes);
    pango_attr_list_unref(attributes);
  }
  return link;
}

gboolean OnLinkEntered(GtkWidget* link, GdkEventCrossing* event, gpointer) {
  GdkCursor* hand = gdk_cursor_new_from_name(gtk_widget_get_display(link), "pointer");
  gdk_window_set_cursor(event->window, hand);
  if (hand) g_object_unref(hand);
  return FALSE;
}

void OnClicked(GtkButton*, gpointer data) {
  if (GadgetObject* g = GadgetOfData(data)) QueueGadgetEvent(*g, ET_LEFT_CLICK);
}

void AttachLink(GadgetObject& g) {
  Connect(WidgetOf(g), "clicked", OnClicked, g);
  Connect(WidgetOf(g), "enter-notify-event", OnLinkEntered, g);
}

PixelSize LinkSize(GadgetObject& g) {
  Text text = platform::ReadText(g.handle);
  return AtLeast(TextRequiredSize(MeasureText(WidgetOf(g), text), false, Edge()),
                 PreferredSize(WidgetOf(g)));
}

GtkImage* ImageOf(GadgetObject& g) {
  return GTK_IMAGE(gtk_bin_get_child(GTK_BIN(WidgetOf(g))));
}

// Images are pixbufs.
void WriteImage(GadgetObject& g, Handle image) {
  gtk_image_set_from_pixbuf(ImageOf(g),
                            image ? GDK_PIXBUF(reinterpret_cast<gpointer>(image)) : nullptr);
}

PixelSize PixbufSize(GadgetObject& g) {
  GdkPixbuf* pixbuf = gtk_image_get_storage_type(ImageOf(g)) == GTK_IMAGE_PIXBUF
                          ? gtk_image_get_pixbuf(ImageOf(g))
                          : nullptr;
  if (!pixbuf) return {};
  return {gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf)};
}

PixelSize ImageSize(GadgetObject& g) {
  PixelSize size = PixbufSize(g);
  int border = BorderWidthOf(WidgetOf(g));
  return {size.width + 2 * border, size.height + 2 * border};
}

PixelSize ButtonImageSize(GadgetObject& g) {
  return AtLeast(ButtonRequiredSize(PixbufSize(g), Edge()), PreferredSize(WidgetOf(g)));
}

// An image takes clicks through an event box that draws nothing itself.
GtkWidget* MakeImage(const ControlParams& params) {
  GtkWidget* box = gtk_event_box_new();
  gtk_event_box_set_visible_window(GTK_EVENT_BOX(box), FALSE);
  if (params.flags & KV_Image_Border) AddBorder(box, {BorderStyle::Sunken, 2});
  if (params.flags & KV_Image_Raised) AddBorder(box, {BorderStyle::Raised, 2});
  GtkWidget* image = gtk_image_new();
  int border = BorderWidthOf(box);
  gtk_widget_set_margin_start(image, border);
  gtk_widget_set_margin_end(image, border);
  gtk_widget_set_margin_top(image, border);
  gtk_widget_set_margin_bottom(image, border);
  gtk_container_add(GTK_CONTAINER(box), image);
  gtk_widget_show(image);
  return box;
}

gboolean OnImageButton(GtkWidget*, GdkEventButton* event, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (!g || event->button != GDK_BUTTON_PRIMARY) return FALSE;
  if (event->type == GDK_BUTTON_RELEASE) QueueGadgetEvent(*g, ET_LEFT_CLICK);
  if (event->type == GDK_2BUTTON_PRESS) QueueGadgetEvent(*g, ET_LEFT_DOUBLE_CLICK);
  return FALSE;
}

void AttachImage(GadgetObject& g) {
  Connect(WidgetOf(g), "button-press-event", OnImageButton, g);
  Connect(WidgetOf(g), "button-release-event", OnImageButton, g);
}

GtkWidget* MakeButtonImage(const ControlParams& params) {
  bool toggle = (params.flags & KV_Button_Toggle) == KV_Button_Toggle;
  GtkWidget* button = toggle ? gtk_toggle_button_new() : gtk_button_new();
  GtkWidget* image = gtk_image_new();
  gtk_container_add(GTK_CONTAINER(button), image);
  gtk_widget_show(image);
  return button;
}

void AttachButtonImage(GadgetObject& g) {
  Connect(WidgetOf(g), "clicked", OnClicked, g);
}

}  // namespace

}  // namespace kv::gtk

namespace kv::platform {

const KindRecord& DateRecord() {
  static const KindRecord record{
      .make = gtk::MakeDate,
      .attach = gtk::AttachDate,
      .slots =
          {
              .code = GK_DATE,
              .readState = gtk::DateState,
              .writeState = gtk::DateWriteState,
              .writeText = gtk::DateWriteMask,
              .requiredSize = gtk::DateSize,
          },
  };
  return record;
}

const KindRecord& CalendarRecord() {
  static const KindRecord record{
      .make = [](const ControlParams&) { return gtk_calendar_new(); },
      .attach = gtk::AttachCalendar,
      .slots =
          {
              .code = GK_CALENDAR,
              .readState = gtk::CalendarState,
              .writeState = gtk::CalendarWriteState,
              .requiredSize = gtk::CalendarSize,
          },
  };
  return record;
}

const KindRecord& IpAddressRecord() {
  static const KindRecord record{
      .make = gtk::MakeAddress,
      .slots =
          {
              .code = GK_IPADDRESS,
              .readState = gtk::AddressState,
              .writeState = gtk::AddressWriteState,
              .readText = gtk::AddressRead,
              .writeText = gtk::AddressWrite,
              .requiredSize = gtk::AddressSize,
          },
  };
  return record;
}

const KindRecord& ShortcutRecord() {
  static const KindRecord record{
      .make = gtk::MakeShortcut,
      .attach = gtk::AttachShortcut,
      .slots =
          {
              .code = GK_SHORTCUT,
              .readState = gtk::ShortcutState,
              .writeState = gtk::ShortcutWriteState,
              .requiredSize = gtk::ShortcutSize,
          },
  };
  return record;
}

const KindRecord& HyperLinkRecord() {
  static const KindRecord record{
      .make = gtk::MakeLink,
      .attach = gtk::AttachLink,
      .slots =
          {
              .code = GK_HYPERLINK,
              .showColor = gtk::ShowColor,
              .requiredSize = gtk::LinkSize,
          },
  };
  return record;
}

const KindRecord& ImageRecord() {
  static const KindRecord record{
      .make = gtk::MakeImage,
      .attach = gtk::AttachImage,
      .slots =
          {
              .code = GK_IMAGE,
              .requiredSize = gtk::ImageSize,
              .writeImage = gtk::WriteImage,
          },
  };
  return record;
}

const KindRecord& ButtonImageRecord() {
  static const KindRecord record{
      .make = gtk::MakeButtonImage,
      .attach = gtk::AttachButtonImage,
      .slots =
          {
              .code = GK_BUTTONIMAGE,
              .requiredSize = gtk::ButtonImageSize,
              .writeImage = gtk::WriteImage,
          },
  };
  return record;
}

// One tree of folders, from its root.
std::vector<Text> FileSystemRoots() {
  return {u"/"};
}

}  // namespace kv::platform
