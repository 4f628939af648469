// Buttons, entry fields and text labels.
#include <cstring>
#include <cwctype>

#include "gtk.h"

namespace kv::gtk {

namespace {

// ---- Buttons ------------------------------------------------------------------------

bool IsToggle(int flags) { return (flags & KV_Button_Toggle) == KV_Button_Toggle; }

GtkWidget* MakeButton(const ControlParams& params) {
  std::string label = Utf8(params.text);
  GtkWidget* button = IsToggle(params.flags) ? gtk_toggle_button_new_with_label(label.c_str())
                                             : gtk_button_new_with_label(label.c_str());
  GtkWidget* text = gtk_bin_get_child(GTK_BIN(button));
  if (params.flags & KV_Button_Left) gtk_label_set_xalign(GTK_LABEL(text), 0);
  if (params.flags & KV_Button_Right) gtk_label_set_xalign(GTK_LABEL(text), 1);
  if (params.flags & KV_Button_MultiLine) gtk_label_set_line_wrap(GTK_LABEL(text), TRUE);
  if (params.flags & KV_Button_Default) {
    gtk_widget_set_can_default(button, TRUE);
    gtk_style_context_add_class(gtk_widget_get_style_context(button), "suggested-action");
  }
  return button;
}

void OnClicked(GtkButton*, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (g && !Quiet::Active(*g)) QueueGadgetEvent(*g, ET_LEFT_CLICK);
}

void AttachButton(GadgetObject& g) { Connect(WidgetOf(g), "clicked", OnClicked, g); }

int ReadPressed(GadgetObject& g) {
  GtkWidget* button = WidgetOf(g);
  return GTK_IS_TOGGLE_BUTTON(button) && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(button));
}

void WritePressed(GadgetObject& g, int state) {
  GtkWidget* button = WidgetOf(g);
  if (!GTK_IS_TOGGLE_BUTTON(button)) return;
  Quiet quiet(g);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(button), state != 0);
}

// The platform's rule; the program's style gives buttons the padding it
// leaves them.
PixelSize ButtonSize(GadgetObject& g) {
  PixelSize text = MeasureText(WidgetOf(g), platform::ReadText(g.handle));
  return ButtonRequiredSize(text, platform::EdgeSize());
}

// ---- Entry fields -------------------------------------------------------------------

constexpr int kDefaultLimit = 30000;  // what a field takes unless told otherwise

// Digits only, or letters in one case, as the field's flags ask.
void FilterInsert(GtkEditable* field, gchar* text, gint length, gint* position, gpointer data) {
  auto flags = GPOINTER_TO_INT(data);
  Text typed = DecodeUtf8(std::string_view(text, length < 0 ? strlen(text) : size_t(length)));
  Text kept;
  for (char16_t c : typed) {
    if ((flags & KV_String_Numeric) && (c < u'0' || c > u'9')) continue;
    if (flags & KV_String_UpperCase) c = static_cast<char16_t>(std::towupper(c));
    if (flags & KV_String_LowerCase) c = static_cast<char16_t>(std::towlower(c));
    kept.push_back(c);
  }
  if (kept == typed) return;
  std::string bytes = Utf8(kept);
  g_signal_handlers_block_by_func(field, reinterpret_cast<gpointer>(FilterInsert), data);
  gtk_editable_insert_text(field, bytes.c_str(), static_cast<gint>(bytes.size()), position);
  g_signal_handlers_unblock_by_func(field, reinterpret_cast<gpointer>(FilterInsert), data);
  g_signal_stop_emission_by_name(field, "insert-text");
}

void ShowReadOnly(GtkWidget* field, bool readOnly) {
  gtk_editable_set_editable(GTK_EDITABLE(field), !readOnly);
  GtkStyleContext* style = gtk_widget_get_style_context(field);
  if (readOnly) {
    gtk_style_context_add_class(style, "kv-read-only");
  } else {
    gtk_style_context_remove_class(style, "kv-read-only");
  }
}

GtkWidget* MakeString(const ControlParams& params) {
  GtkWidget* field = gtk_entry_new();
  GtkEntry* entry = GTK_ENTRY(field);
  std::string text = Utf8(params.text);
  gtk_entry_set_text(entry, text.c_str());
  gtk_entry_set_max_length(entry, kDefaultLimit);
  gtk_entry_set_width_chars(entry, 1);  // the engine gives the width
  if (params.flags & KV_String_Password) gtk_entry_set_visibility(entry, FALSE);
  if (params.flags & KV_String_BorderLess) gtk_entry_set_has_frame(entry, FALSE);
  if (params.flags & KV_String_Numeric) gtk_entry_set_input_purpose(entry, GTK_INPUT_PURPOSE_DIGITS);
  ShowReadOnly(field, params.flags & KV_String_ReadOnly);
  int filtered = params.flags & (KV_String_Numeric | KV_String_UpperCase | KV_String_LowerCase);
  if (filtered) {
    g_signal_connect(field, "insert-text", G_CALLBACK(FilterInsert), GINT_TO_POINTER(filtered));
  }
  return field;
}

// The user's changes, announced before they show and reported after, as the
// platform's entry fields do; the program's own raise nothing.
constexpr int kBeforeShown = 1024;

void OnFieldChanged(GtkEditable*, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (!g || Quiet::Active(*g)) return;
  QueueGadgetEvent(*g, kBeforeShown);
  QueueGadgetEvent(*g, ET_CHANGE);
}

void WriteField(GadgetObject& g, TextView text) {
  Quiet quiet(g);
  platform::WriteText(g.handle, text);
}

void AttachString(GadgetObject& g) {
  Connect(WidgetOf(g), "changed", OnFieldChanged, g);
  ConnectFocus(WidgetOf(g), g);
}

int ReadLimit(GadgetObject& g, int attribute) {
  if (attribute != KV_String_MaximumLength) return 0;
  return gtk_entry_get_max_length(GTK_ENTRY(WidgetOf(g)));
}

void WriteLimit(GadgetObject& g, int attribute, int value) {
  if (attribute != KV_String_MaximumLength) return;
  gtk_entry_set_max_length(GTK_ENTRY(WidgetOf(g)), value <= 0 ? 1 : value);
}

PixelSize StringSize(GadgetObject& g) {
  return StringRequiredSize(MeasureText(WidgetOf(g), u"Hg").height, platform::EdgeSize());
}

// ---- Text labels --------------------------------------------------------------------

GtkWidget* MakeText(const ControlParams& params) {
  std::string text = Utf8(params.text);
  GtkWidget* widget = gtk_label_new(text.c_str());
  GtkLabel* label = GTK_LABEL(widget);
  gtk_label_set_line_wrap(label, TRUE);
  gtk_label_set_yalign(label, 0);
  float x = params.flags & KV_Text_Center ? 0.5f : params.flags & KV_Text_Right ? 1.0f : 0.0f;
  gtk_label_set_xalign(label, x);
  if (params.flags & KV_Text_Border) {
    gtk_style_context_add_class(gtk_widget_get_style_context(widget), "kv-border");
  }
  return widget;
}

PixelSize TextSize(GadgetObject& g) {
  GtkWidget* label = WidgetOf(g);
  PixelSize drawn = MeasureText(label, platform::ReadText(g.handle));
  bool border = g.flags & KV_Text_Border;
  return TextRequiredSize(drawn, border, platform::EdgeSize());
}

}  // namespace

}  // namespace kv::gtk

namespace kv::platform {

const KindRecord& ButtonRecord() {
  static const KindRecord record{
      .make = gtk::MakeButton,
      .attach = gtk::AttachButton,
      .slots = {
          .code = GK_BUTTON,
          .readState = gtk::ReadPressed,
          .writeState = gtk::WritePressed,
          .requiredSize = gtk::ButtonSize,
      },
  };
  return record;
}

const KindRecord& StringRecord() {
  static const KindRecord record{
      .make = gtk::MakeString,
      .attach = gtk::AttachString,
      .slots = {
          .code = GK_STRING,
          .writeText = gtk::WriteField,
          .readAttribute = gtk::ReadLimit,
          .writeAttribute = gtk::WriteLimit,
          .showColor = gtk::ShowColor,
          .requiredSize = gtk::StringSize,
      },
  };
  return record;
}

// Also what a gadget of an unknown kind gets.
const KindRecord& TextRecord() {
  static const KindRecord record{
      .make = gtk::MakeText,
      .slots = {
          .code = GK_TEXT,
          .showColor = gtk::ShowColor,
          .requiredSize = gtk::TextSize,
      },
  };
  return record;
}

}  // namespace kv::platform
