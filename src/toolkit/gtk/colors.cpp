// A gadget's own colours: one style provider per gadget that has any,
// replaced as they change. Colours arrive as 0xBBGGRR, -1 for the theme's.
#include <cstdio>

#include "gtk.h"

namespace kv::gtk {

namespace {

std::string CssColor(int color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", color & 0xFF, (color >> 8) & 0xFF,
                (color >> 16) & 0xFF);
  return text;
}

// The rules for the widget's own node and the nodes inside it that show
// text or a background (an entry's text, a list's rows, an editor's text).
std::string ColorRules(const GadgetObject& g) {
  std::string rules;
  if (g.frontColor >= 0) rules += "color: " + CssColor(g.frontColor) + ";";
  if (g.backColor >= 0) {
    rules += "background-color: " + CssColor(g.backColor) + "; background-image: none;";
  }
  if (rules.empty()) return {};
  return "*, * text, * view, .view, text {" + rules + "}";
}

// The widget whose style shows the colours: a scrolled window's child.
GtkWidget* Painted(const GadgetObject& g) {
  GtkWidget* widget = WidgetOf(g);
  if (GTK_IS_SCROLLED_WINDOW(widget)) return gtk_bin_get_child(GTK_BIN(widget));
  return widget;
}

}  // namespace

void ShowColor(GadgetObject& g, int) {
  ControlData& data = DataOf(g);
  GtkStyleContext* style = gtk_widget_get_style_context(Painted(g));
  if (data.colors) {
    gtk_style_context_remove_provider(style, GTK_STYLE_PROVIDER(data.colors));
    g_object_unref(data.colors);
    data.colors = nullptr;
  }
  std::string rules = ColorRules(g);
  if (rules.empty()) return;
  data.colors = gtk_css_provider_new();
  gtk_css_provider_load_from_data(data.colors, rules.c_str(), -1, nullptr);
  gtk_style_context_add_provider(style, GTK_STYLE_PROVIDER(data.colors),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

}  // namespace kv::gtk
