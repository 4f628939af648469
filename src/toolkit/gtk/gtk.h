// What the files of the GTK backend share: handles and text at the platform
// boundary, the fixed-position container every window and page holds its
// gadgets in, gadget lookup and the platform behaviour of each kind beyond
// the core's slots.
#pragma once

#include <gtk/gtk.h>

#include <optional>
#include <string>

#include "toolkit/platform.h"
#include "toolkit/reports.h"

namespace kv::platform {

// A GTK kind: how its widget is made and hooked up, and its slots.
struct KindRecord {
  // The gadget's outer widget (its handle), not yet placed; nullptr fails
  // the creation.
  GtkWidget* (*make)(const ControlParams&) = nullptr;
  // Connects the widget's signals once the gadget has its number.
  void (*attach)(GadgetObject&) = nullptr;
  // The widget that holds gadgets made inside this one, if any.
  GtkWidget* (*holder)(GtkWidget* outer) = nullptr;
  GadgetKind slots;
};

}  // namespace kv::platform

namespace kv::gtk {

using platform::ControlParams;
using platform::KindRecord;

inline GtkWidget* Widget(Handle handle) { return reinterpret_cast<GtkWidget*>(handle); }
inline Handle HandleOf(GtkWidget* widget) { return reinterpret_cast<Handle>(widget); }
inline GtkWidget* WidgetOf(const GadgetObject& gadget) { return Widget(gadget.handle); }

// Text at the boundary: GTK speaks UTF-8.
inline std::string Utf8(TextView text) { return EncodeUtf8(text); }
inline Text FromUtf8(const char* text) { return text ? DecodeUtf8(text) : Text(); }

// GTK has its display; false when there is none.
bool Available();

// Widgets this backend made and has not yet seen destroyed: handles the core
// passes back may be stale.
void Track(GtkWidget* widget);
void Untrack(GtkWidget* widget);
bool Alive(Handle handle);

// ---- The fixed-position container ------------------------------------------------

// A container that places each child exactly at the rectangle it was given
// and asks for no room itself, so the dialog engine alone decides sizes.
GtkWidget* NewFixed();
bool IsFixed(GtkWidget* widget);
void PutChild(GtkWidget* fixed, GtkWidget* child, const PixelRect& rect);
void MoveChild(GtkWidget* child, const PixelRect& rect);
// The rectangle child was given in its fixed container, or its allocation.
PixelRect ChildRect(GtkWidget* child);
// The fixed container gadgets made inside handle go to.
GtkWidget* HolderOf(Handle handle);

// ---- The model of list views ----------------------------------------------------------

// A list model of rows that hold nothing but their place (one boolean column).
GtkTreeModel* NewRowModel();
// A row at place (out of range: at the end), announced to the view.
void InsertRow(GtkTreeModel* model, int place);
// count rows at the end, unannounced: only for a model no view shows.
void AddRowsUnseen(GtkTreeModel* model, int count);
void RemoveRow(GtkTreeModel* model, int place);

// ---- Windows ------------------------------------------------------------------------

// The fixed container a window holds its gadgets in.
GtkWidget* WindowFixed(GtkWidget* window);

// A panel page whose tab was removed, held by the backend until destroyed.
bool IsOrphanPage(GtkWidget* widget);

// ---- Gadgets ------------------------------------------------------------------------

// The live gadget whose outer widget is widget.
GadgetObject* GadgetOfWidget(GtkWidget* widget);

// What the backend keeps per gadget.
struct ControlData : GadgetData {
  GtkCssProvider* colors = nullptr;  // while a colour is set
  ~ControlData() override;
};
inline ControlData& DataOf(GadgetObject& gadget) {
  return static_cast<ControlData&>(*gadget.data);
}

// Connects a signal of instance to a handler that receives the gadget's
// number; the handler finds the gadget again, as it may be gone meanwhile.
template <typename Handler>
void Connect(gpointer instance, const char* signal, Handler handler, const GadgetObject& gadget) {
  g_signal_connect(instance, signal, G_CALLBACK(handler),
                   GINT_TO_POINTER(gadget.number));
}
inline GadgetObject* GadgetOfData(gpointer data) {
  return FindGadgetObject(GPOINTER_TO_INT(data));
}

// Fields and editors report focus changes as ET_FOCUS and ET_LOST_FOCUS.
void ConnectFocus(GtkWidget* widget, const GadgetObject& gadget);

// Shows the gadget's colours on widget (its CSS node and subnodes).
void ShowColor(GadgetObject& gadget, int which);

// The child of a scrolled window that the gadget really is.
inline GtkWidget* ScrolledChild(const GadgetObject& gadget) {
  return gtk_bin_get_child(GTK_BIN(WidgetOf(gadget)));
}

// Text extents in widget's font, in pixels.
PixelSize MeasureText(GtkWidget* widget, TextView text);
// The size a widget needs by GTK's own measure.
PixelSize PreferredSize(GtkWidget* widget);

// Signals the program causes are not the user's: while one of these lives,
// handlers that would queue events for the gadget ignore them.
class Quiet {
 public:
  explicit Quiet(const GadgetObject& gadget);
  ~Quiet();
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;
  static bool Active(const GadgetObject& gadget);

 private:
  int number_;
  int previous_;
};


// Quiet for the gadget widget already belongs to, if any.
inline std::optional<Quiet> QuietFor(GtkWidget* widget) {
  GadgetObject* gadget = GadgetOfWidget(widget);
  if (!gadget) return std::nullopt;
  return std::optional<Quiet>(std::in_place, *gadget);
}

// ---- What the kinds share ------------------------------------------------------------

// Borders this backend draws itself, inside the widget's own area, of the
// widths the dialog layout reserves.
enum class BorderStyle { None, Flat, Sunken, Raised };
struct Border {
  BorderStyle style = BorderStyle::None;
  int width = 0;
};
// Draws border around widget from now on, below its children.
void AddBorder(GtkWidget* widget, Border border);
int BorderWidthOf(GtkWidget* widget);  // 0 without one
void DrawBorder(GtkWidget* widget, cairo_t* cr, const PixelRect& rect, Border border);

// The move a range's scroll type stands for.
ScrollMove MoveOf(GtkScrollType type);

}  // namespace kv::gtk
