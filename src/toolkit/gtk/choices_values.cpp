// Check boxes, options and value gadgets on GTK's toggle buttons, ranges and
// spin buttons: they show what the core holds and report the user's clicks
// and moves to it.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "gtk.h"

namespace kv {

namespace gtk {

namespace {

// An option the program may also uncheck: a radio button alone in its GTK
// group would refuse, so it clicks as a check button does while it looks
// like an option. The core keeps the groups.
struct KvOption {
  GtkRadioButton parent;
};
struct KvOptionClass {
  GtkRadioButtonClass parent;
};

G_DEFINE_TYPE(KvOption, kv_option, GTK_TYPE_RADIO_BUTTON)

void kv_option_class_init(KvOptionClass* type) {
  auto* toggle = static_cast<GtkButtonClass*>(g_type_class_peek(GTK_TYPE_TOGGLE_BUTTON));
  GTK_BUTTON_CLASS(type)->clicked = toggle->clicked;
}

void kv_option_init(KvOption*) {}

// GTK has already flipped the button; the core decides what it shows.
void OnClicked(GtkButton*, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (g && !Quiet::Active(*g)) OnChoiceClicked(*g);
}

void AttachChoice(GadgetObject& g) {
  Connect(WidgetOf(g), "clicked", OnClicked, g);
}

// The core sizes choices and spin fields by the platform's usual metrics,
// smaller than the theme's buttons and fields would be.
GtkWidget* Compact(GtkWidget* widget) {
  static GtkCssProvider* rules = [] {
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(
        provider,
        "checkbutton, radiobutton, spinbutton, entry, button {"
        " min-height: 0; padding-top: 0; padding-bottom: 0; }"
        "button { min-width: 0; padding-left: 2px; padding-right: 2px; }",
        -1, nullptr);
    return provider;
  }();
  gtk_style_context_add_provider(gtk_widget_get_style_context(widget), GTK_STYLE_PROVIDER(rules),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  return widget;
}

// The text ends in an ellipsis where the engine's rectangle ends.
GtkWidget* FitText(GtkWidget* button, int flags) {
  Compact(button);
  GtkWidget* label = gtk_bin_get_child(GTK_BIN(button));
  if (!GTK_IS_LABEL(label)) return button;
  gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
  if ((flags & KV_CheckBox_Center) == KV_CheckBox_Center) {
    gtk_label_set_xalign(GTK_LABEL(label), 0.5f);
  } else if (flags & KV_CheckBox_Right) {
    gtk_label_set_xalign(GTK_LABEL(label), 1.0f);
  }
  return button;
}

GtkWidget* MakeCheckBox(const ControlParams& params) {
  std::string text = Utf8(params.text);
  return FitText(gtk_check_button_new_with_label(text.c_str()), params.flags);
}

// Alone in its group, a radio button starts checked; an option does not.
GtkWidget* MakeOption(const ControlParams& params) {
  std::string text = Utf8(params.text);
  GtkWidget* option =
      GTK_WIDGET(g_object_new(kv_option_get_type(), "label", text.c_str(), nullptr));
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(option), FALSE);
  return FitText(option, 0);
}

GtkAdjustment* NewAdjustment() {
  return gtk_adjustment_new(0, 0, 100, 1, 10, 0);
}

GtkOrientation Orientation(bool vertical) {
  return vertical ? GTK_ORIENTATION_VERTICAL : GTK_ORIENTATION_HORIZONTAL;
}

// A vertical bar fills from the bottom, as the platform's elsewhere do.
GtkWidget* MakeProgressBar(const ControlParams& params) {
  GtkWidget* bar = gtk_progress_bar_new();
  if (params.flags & KV_ProgressBar_Vertical) {
    gtk_orientable_set_orientation(GTK_ORIENTABLE(bar), GTK_ORIENTATION_VERTICAL);
    gtk_progress_bar_set_inverted(GTK_PROGRESS_BAR(bar), TRUE);
  }
  return bar;
}

GtkWidget* MakeTrackBar(const ControlParams& params) {
  GtkWidget* scale =
      gtk_scale_new(Orientation(params.flags & KV_TrackBar_Vertical), NewAdjustment());
  gtk_scale_set_draw_value(GTK_SCALE(scale), FALSE);
  gtk_scale_set_digits(GTK_SCALE(scale), 0);
  return scale;
}

GtkWidget* MakeScrollBar(const ControlParams& params) {
  return gtk_scrollbar_new(Orientation(params.flags & KV_ScrollBar_Vertical), NewAdjustment());
}

GtkWidget* MakeSpin(const ControlParams& params) {
  GtkWidget* spin = gtk_spin_button_new(NewAdjustment(), 1, 0);
  // Its width is the engine's; GTK would ask for room for long numbers.
  gtk_entry_set_width_chars(GTK_ENTRY(spin), 1);
  Compact(spin);
  gtk_spin_button_set_numeric(GTK_SPIN_BUTTON(spin), (params.flags & KV_Spin_Numeric) != 0);
  gtk_editable_set_editable(GTK_EDITABLE(spin), !(params.flags & KV_Spin_ReadOnly));
  return spin;
}

// A value set other than by the program: GTK moved a range itself.
void OnValueChanged(GtkWidget* widget, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (!g || Quiet::Active(*g)) return;
  double value = GTK_IS_RANGE(widget) ? gtk_range_get_value(GTK_RANGE(widget))
                                      : gtk_spin_button_get_value(GTK_SPIN_BUTTON(widget));
  OnValueMoved(*g, static_cast<int>(std::lround(value)));
}

// A scroll bar leaves its steps to the core; the value it shows is the
// core's answer.
gboolean OnScrollBarMove(GtkRange*, GtkScrollType type, double value, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (!g) return FALSE;
  ScrollMove move = MoveOf(type);
  if (move == ScrollMove::To) {
    OnValueMoved(*g, static_cast<int>(std::lround(value)));
  } else {
    OnValueStepped(*g, move);
  }
  return TRUE;
}

// Typed digits move the value as the arrows do; showing a value writes the
// text again, which is no move.
void OnSpinText(GtkEditable* field, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (!g || Quiet::Active(*g)) return;
  const char* text = gtk_entry_get_text(GTK_ENTRY(field));
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value == g->kind->readState(*g)) return;
  OnValueMoved(*g, static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX)));
}

void AttachValue(GadgetObject& g) {
  GtkWidget* widget = WidgetOf(g);
  Connect(widget, "value-changed", OnValueChanged, g);
  if (GTK_IS_SCROLLBAR(widget)) Connect(widget, "change-value", OnScrollBarMove, g);
  if (GTK_IS_SPIN_BUTTON(widget)) {
    Connect(widget, "changed", OnSpinText, g);
    ConnectFocus(widget, g);
  }
}

constexpr int kMostTicks = 100;  // a track bar's marks, at most

void ShowTicks(GtkScale* scale, const ValueRange& range) {
  gtk_scale_clear_marks(scale);
  long long span = static_cast<long long>(range.maximum) - range.minimum;
  long long step = std::max(1LL, span / kMostTicks);
  for (long long value = range.minimum; value <= range.maximum; value += step) {
    gtk_scale_add_mark(scale, static_cast<double>(value), GTK_POS_BOTTOM, nullptr);
  }
}

// The platform's page for a track bar's keys is a fifth of the range.
void ShowRange(GtkWidget* widget, int kind, const ValueRange& range) {
  double lower = range.minimum;
  double upper = range.maximum;
  double page = 0;
  double pageStep = std::max(1.0, std::floor((upper - lower) / 5));
  if (kind == GK_SCROLLBAR) {
    upper = range.maximum + 1.0;  // the last page ends at the maximum
    page = range.page;
    pageStep = range.page;
  }
  GtkAdjustment* adjustment = GTK_IS_RANGE(widget)
                                  ? gtk_range_get_adjustment(GTK_RANGE(widget))
                                  : gtk_spin_button_get_adjustment(GTK_SPIN_BUTTON(widget));
  gtk_adjustment_configure(adjustment, range.value, lower, upper, 1, pageStep, page);
}

}  // namespace

}  // namespace gtk

namespace platform {

const KindRecord& CheckBoxRecord() {
  static const KindRecord record{.make = gtk::MakeCheckBox, .attach = gtk::AttachChoice};
  return record;
}

const KindRecord& OptionRecord() {
  static const KindRecord record{.make = gtk::MakeOption, .attach = gtk::AttachChoice};
  return record;
}

const KindRecord& ProgressBarRecord() {
  static const KindRecord record{.make = gtk::MakeProgressBar};
  return record;
}

const KindRecord& TrackBarRecord() {
  static const KindRecord record{.make = gtk::MakeTrackBar, .attach = gtk::AttachValue};
  return record;
}

const KindRecord& ScrollBarRecord() {
  static const KindRecord record{.make = gtk::MakeScrollBar, .attach = gtk::AttachValue};
  return record;
}

const KindRecord& SpinRecord() {
  static const KindRecord record{.make = gtk::MakeSpin, .attach = gtk::AttachValue};
  return record;
}

void ShowCheck(Handle control, int state) {
  GtkWidget* widget = gtk::Widget(control);
  auto quiet = gtk::QuietFor(widget);
  gtk_toggle_button_set_inconsistent(GTK_TOGGLE_BUTTON(widget), state == KV_CheckBox_Inbetween);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget), state == KV_CheckBox_Checked);
}

void ShowValue(Handle control, int kind, const ValueRange& range) {
  GtkWidget* widget = gtk::Widget(control);
  auto quiet = gtk::QuietFor(widget);
  if (kind == GK_PROGRESSBAR) {
    double span = static_cast<double>(range.maximum) - range.minimum;
    double done = span > 0 ? (static_cast<double>(range.value) - range.minimum) / span : 0;
    gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(widget), done);
    return;
  }
  gtk::ShowRange(widget, kind, range);
  GadgetObject* gadget = gtk::GadgetOfWidget(widget);
  if (kind == GK_TRACKBAR && gadget && (gadget->flags & KV_TrackBar_Ticks)) {
    gtk::ShowTicks(GTK_SCALE(widget), range);
  }
}

}  // namespace platform
}  // namespace kv
