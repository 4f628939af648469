// What the shared tests leave out on the GTK backend: the platform's own
// signals and events reaching the kinds, as the user's input would.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "toolkit/gtk/gtk.h"
#include "toolkit/requesters.h"
#include "toolkit_fixture.h"
#include "user.h"

using namespace kv;
using namespace kv::test;

namespace {

using GtkKinds = ToolkitTest;

int Made(Handle created) {
  return static_cast<int>(created);
}
GtkWidget* W(int gadget) {
  return reinterpret_cast<GtkWidget*>(GetGadgetHandle(gadget));
}

void Pump() {
  for (int i = 0; i < 5; ++i) {
    while (g_main_context_pending(nullptr)) g_main_context_iteration(nullptr, FALSE);
    g_usleep(20000);
  }
}

// The scroll area's parts: its direct children that are scroll bars.
GtkWidget* Bar(int area, GtkOrientation orientation) {
  GtkWidget* found = nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(W(area)));
  for (GList* c = children; c; c = c->next) {
    auto* w = static_cast<GtkWidget*>(c->data);
    if (GTK_IS_SCROLLBAR(w) && gtk_orientable_get_orientation(GTK_ORIENTABLE(w)) == orientation)
      found = w;
  }
  g_list_free(children);
  return found;
}

TEST_F(GtkKinds, ScrollAreaShowsTheBarsItNeedsAndMovesWithThem) {
  int area = Made(NewScrollArea(KV_Any, 0, 0, 100, 100, 300, 50, 10));
  PopGadgetParent();
  GtkWidget* horizontal = Bar(area, GTK_ORIENTATION_HORIZONTAL);
  GtkWidget* vertical = Bar(area, GTK_ORIENTATION_VERTICAL);
  ASSERT_TRUE(horizontal && vertical);
  EXPECT_TRUE(gtk_widget_get_visible(horizontal));
  EXPECT_FALSE(gtk_widget_get_visible(vertical));
  GtkAdjustment* adjustment = gtk_range_get_adjustment(GTK_RANGE(horizontal));
  EXPECT_EQ(gtk_adjustment_get_upper(adjustment), 300);
  EXPECT_EQ(gtk_adjustment_get_page_size(adjustment), 100 - 2 * 2);

  gboolean ignored = FALSE;
  g_signal_emit_by_name(horizontal, "move-slider", GTK_SCROLL_STEP_FORWARD, &ignored);
  g_signal_emit_by_name(horizontal, "move-slider", GTK_SCROLL_STEP_FORWARD, &ignored);
  EXPECT_EQ(ReadGadgetAttribute(area, KV_ScrollArea_X), 20);
  EXPECT_EQ(gtk_adjustment_get_value(adjustment), 20);
  GtkWidget* inner = gtk::Widget(platform::ScrollAreaInner(GetGadgetHandle(area)));
  EXPECT_EQ(gtk::ChildRect(inner).x, -20);
  g_signal_emit_by_name(horizontal, "move-slider", GTK_SCROLL_END, &ignored);
  EXPECT_EQ(ReadGadgetAttribute(area, KV_ScrollArea_X), 300 - 96) << "no further than the end";
}

TEST_F(GtkKinds, WheelOverAScrollAreaMovesThreeLines) {
  int area = Made(NewScrollArea(KV_Any, 0, 0, 100, 100, 50, 400, 10));
  PopGadgetParent();
  Pump();
  GtkWidget* inner = gtk::Widget(platform::ScrollAreaInner(GetGadgetHandle(area)));
  GtkWidget* clip = gtk_widget_get_parent(inner);
  ASSERT_TRUE(gtk_widget_get_realized(clip));
  GdkEvent* event = gdk_event_new(GDK_SCROLL);
  event->scroll.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(clip)));
  event->scroll.direction = GDK_SCROLL_DOWN;
  gdk_event_set_device(
      event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
  gtk_main_do_event(event);
  gdk_event_free(event);
  EXPECT_EQ(ReadGadgetAttribute(area, KV_ScrollArea_Y), 30);
}

void Mouse(GtkWidget* widget, GdkEventType type, int x, int y) {
  GdkEvent* event = gdk_event_new(type);
  GdkWindow* window = gtk_widget_get_window(widget);
  if (type == GDK_MOTION_NOTIFY) {
    event->motion.window = GDK_WINDOW(g_object_ref(window));
    event->motion.x = x;
    event->motion.y = y;
    event->motion.state = GDK_BUTTON1_MASK;
  } else {
    event->button.window = GDK_WINDOW(g_object_ref(window));
    event->button.x = x;
    event->button.y = y;
    event->button.button = GDK_BUTTON_PRIMARY;
  }
  gdk_event_set_device(
      event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
  gtk_main_do_event(event);
  gdk_event_free(event);
}

TEST_F(GtkKinds, DraggingTheSplitterBarWithTheMouse) {
  int first = Made(NewContainer(KV_Any, 0, 0, 0, 0));
  PopGadgetParent();
  int second = Made(NewContainer(KV_Any, 0, 0, 0, 0));
  PopGadgetParent();
  int splitter = Made(NewSplitter(KV_Any, 0, 0, 204, 100, first, second, KV_Splitter_Vertical));
  Pump();
  ASSERT_EQ(BindGadgetHandler(splitter, RecordCall, ET_CHANGE), 1);
  int before = ReadGadgetState(splitter);
  GtkWidget* widget = W(splitter);
  ASSERT_TRUE(gtk_widget_get_realized(widget));
  int x = ReadGadgetWidth(first) + 1;
  Mouse(widget, GDK_BUTTON_PRESS, x, 50);
  Mouse(widget, GDK_MOTION_NOTIFY, x + 15, 50);
  Mouse(widget, GDK_BUTTON_RELEASE, x + 15, 50);
  Mouse(widget, GDK_MOTION_NOTIFY, x + 40, 50);
  EXPECT_EQ(ReadGadgetState(splitter), before + 15) << "no move once let go";
  EXPECT_EQ(HandlerCalls().size(), 1u);
  Mouse(widget, GDK_BUTTON_PRESS, 5, 50);
  Mouse(widget, GDK_MOTION_NOTIFY, 60, 50);
  Mouse(widget, GDK_BUTTON_RELEASE, 60, 50);
  EXPECT_EQ(ReadGadgetState(splitter), before + 15) << "a press beside the bar takes nothing";
}

TEST_F(GtkKinds, TypedTextMovesSpinsAndDates) {
  int spin = Made(NewSpin(KV_Any, 0, 0, 120, 34, 0, 5, KV_Spin_Numeric));
  gtk_entry_set_text(GTK_ENTRY(W(spin)), "3");
  EXPECT_EQ(ReadGadgetState(spin), 3);
  EXPECT_EQ(DrainTypes(spin), (std::vector<int>{ET_CHANGE}));
  gtk_entry_set_text(GTK_ENTRY(W(spin)), "9");
  EXPECT_EQ(ReadGadgetState(spin), 5);
  EXPECT_EQ(ReadGadgetText(spin), u"5") << "the text follows the value kept";
  EXPECT_EQ(DrainTypes(spin), (std::vector<int>{ET_CHANGE}));
  gtk_entry_set_text(GTK_ENTRY(W(spin)), "x");
  EXPECT_EQ(ReadGadgetState(spin), 5);
  EXPECT_TRUE(DrainTypes(spin).empty());

  const int date2000 = 946771200;
  int date = Made(NewDate(KV_Any, 0, 40, 150, 34, u"%dd.%mm.%yyyy %hh:%ii", date2000 + 3600));
  gtk_entry_set_text(GTK_ENTRY(W(date)), "03.01.2000 01:00");
  EXPECT_EQ(ReadGadgetState(date), date2000 + 86400 + 3600);
  gtk_entry_set_text(GTK_ENTRY(W(date)), "31.02.2000 01:00");
  gtk_entry_set_text(GTK_ENTRY(W(date)), "03.01.20");
  EXPECT_EQ(ReadGadgetState(date), date2000 + 86400 + 3600) << "no such day, no whole date";
  EXPECT_EQ(DrainTypes(date), (std::vector<int>{ET_CHANGE}));
  WriteGadgetText(date, u"%yy/%mm");
  EXPECT_EQ(ReadGadgetText(date), u"00/01");
}

TEST_F(GtkKinds, ShortcutFieldTakesTheKeyPressed) {
  int shortcut = Made(NewShortcut(KV_Any, 0, 0, 150, 34, 0));
  EXPECT_EQ(ReadGadgetText(shortcut), u"None");
  GtkWidget* field = W(shortcut);
  for (guint key : {GDK_KEY_F5, GDK_KEY_Shift_L, GDK_KEY_s}) {
    GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
    event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(field)));
    event->key.keyval = key;
    event->key.state = key == GDK_KEY_F5 ? GDK_CONTROL_MASK : GDK_MOD1_MASK;
    gdk_event_set_device(
        event, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
    gboolean handled = FALSE;
    g_signal_emit_by_name(field, "key-press-event", event, &handled);
    gdk_event_free(event);
    if (key == GDK_KEY_F5) {
      EXPECT_EQ(ReadGadgetState(shortcut), KV_Shortcut_Control | 0x74);
      EXPECT_EQ(ReadGadgetText(shortcut), u"Ctrl + F5");
    }
  }
  EXPECT_EQ(ReadGadgetState(shortcut), KV_Shortcut_Alt | 'S') << "a modifier alone changes nothing";
}

TEST_F(GtkKinds, ChoicesShowTheCoresState) {
  int three = Made(NewCheckBox(KV_Any, 0, 0, 120, 30, u"Three", KV_CheckBox_ThreeState));
  WriteGadgetState(three, KV_CheckBox_Inbetween);
  EXPECT_TRUE(gtk_toggle_button_get_inconsistent(GTK_TOGGLE_BUTTON(W(three))));
  int a = Made(NewOption(KV_Any, 0, 40, 120, 30, u"A"));
  int b = Made(NewOption(KV_Any, 0, 70, 120, 30, u"B"));
  EXPECT_TRUE(GTK_IS_RADIO_BUTTON(W(a)));
  EXPECT_FALSE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(W(b)))) << "none chosen at first";
  user::ClickButton(a);
  user::ClickButton(a);
  EXPECT_TRUE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(W(a)))) << "a click keeps it chosen";
  user::ClickButton(b);
  EXPECT_FALSE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(W(a))));
  EXPECT_TRUE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(W(b))));
}

TEST_F(GtkKinds, ListCheckMarksAndColumnsInsertedBeforeCells) {
  int list = Made(NewListIcon(KV_Any, 0, 0, 300, 150, u"Name", 100, KV_ListIcon_CheckBoxes));
  InsertGadgetItem(list, -1, u"one");
  WriteGadgetItemState(list, 0, KV_Item_Checked);
  EXPECT_EQ(ReadGadgetItemState(list, 0), KV_Item_Checked);
  AddGadgetColumn(list, 0, u"First", 50);
  EXPECT_EQ(ReadGadgetItemText(list, 0, 0), u"");
  EXPECT_EQ(ReadGadgetItemText(list, 0, 1), u"one") << "the cells move on with their column";
  GtkTreeView* view = GTK_TREE_VIEW(gtk_bin_get_child(GTK_BIN(W(list))));
  GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(gtk_tree_view_get_column(view, 1)));
  ASSERT_TRUE(cells && GTK_IS_CELL_RENDERER_TOGGLE(cells->data));
  g_signal_emit_by_name(cells->data, "toggled", "0");
  g_list_free(cells);
  EXPECT_EQ(ReadGadgetItemState(list, 0), 0) << "the user's click unchecks it";
}

TEST_F(GtkKinds, TypingInAnEditableComboBox) {
  int combo = Made(NewComboBox(KV_Any, 0, 0, 150, 34, KV_ComboBox_Editable));
  InsertGadgetItem(combo, -1, u"red");
  ASSERT_EQ(BindGadgetHandler(combo, RecordCall), 1);
  user::ChooseItem(combo, 0);
  EXPECT_EQ(HandlerCalls().size(), 1u) << "the choice, not the text it writes";
  GtkWidget* field = gtk_bin_get_child(GTK_BIN(W(combo)));
  gint end = -1;
  gtk_editable_set_position(GTK_EDITABLE(field), -1);
  end = gtk_editable_get_position(GTK_EDITABLE(field));
  gtk_editable_insert_text(GTK_EDITABLE(field), "dish", 4, &end);
  EXPECT_EQ(ReadGadgetText(combo), u"reddish");
  EXPECT_EQ(ReadGadgetState(combo), -1);
  EXPECT_EQ(HandlerCalls().size(), 2u);
  ClearGadget(combo);
  EXPECT_EQ(ReadGadgetText(combo), u"");
}

}  // namespace

namespace {

// The window the widget takes its input through: its own, or an input-only
// one inside its parent's.
GdkWindow* InputWindow(GtkWidget* widget) {
  GdkWindow* window = gtk_widget_get_window(widget);
  if (gtk_widget_get_has_window(widget)) return window;
  GList* children = gdk_window_get_children(window);
  for (GList* child = children; child; child = child->next) {
    gpointer owner = nullptr;
    gdk_window_get_user_data(GDK_WINDOW(child->data), &owner);
    if (owner == widget) window = GDK_WINDOW(child->data);
  }
  g_list_free(children);
  return window;
}

void Click(GtkWidget* widget, GdkEventType type, guint button) {
  GdkEvent* event = gdk_event_new(type);
  event->button.window = GDK_WINDOW(g_object_ref(InputWindow(widget)));
  event->button.x = 5;
  event->button.y = 5;
  event->button.button = button;
  gdk_event_set_device(
      event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
  gtk_main_do_event(event);
  gdk_event_free(event);
}

TEST_F(GtkKinds, CanvasAndImageReportTheirClicks) {
  int canvas = Made(NewCanvas(KV_Any, 0, 0, 100, 100, KV_Canvas_Keyboard));
  int image = Made(NewImage(KV_Any, 120, 0, 40, 40, 0, KV_Image_Border));
  Pump();
  Drain();
  Click(W(canvas), GDK_BUTTON_PRESS, GDK_BUTTON_PRIMARY);
  Click(W(canvas), GDK_BUTTON_RELEASE, GDK_BUTTON_PRIMARY);
  Click(W(canvas), GDK_2BUTTON_PRESS, GDK_BUTTON_SECONDARY);
  Click(W(canvas), GDK_BUTTON_RELEASE, GDK_BUTTON_SECONDARY);
  std::vector<int> types = DrainTypes(canvas);
  EXPECT_EQ(types, (std::vector<int>{ET_LEFT_CLICK, ET_RIGHT_DOUBLE_CLICK, ET_RIGHT_CLICK}));

  Click(W(image), GDK_BUTTON_PRESS, GDK_BUTTON_PRIMARY);
  Click(W(image), GDK_BUTTON_RELEASE, GDK_BUTTON_PRIMARY);
  Click(W(image), GDK_2BUTTON_PRESS, GDK_BUTTON_PRIMARY);
  EXPECT_EQ(DrainTypes(image), (std::vector<int>{ET_LEFT_CLICK, ET_LEFT_DOUBLE_CLICK}));
  EXPECT_EQ(MeasureGadget(image).width, 4) << "no picture, only its border";
}

TEST_F(GtkKinds, CalendarReportsTheDayTheUserPicks) {
  const int date2000 = 946771200;  // 2000-01-02
  int calendar = Made(NewCalendar(KV_Any, 0, 0, 0, 0, date2000));
  EXPECT_TRUE(DrainTypes(calendar).empty()) << "the program's date raises nothing";
  gtk_calendar_select_day(GTK_CALENDAR(W(calendar)), 5);
  EXPECT_EQ(ReadGadgetState(calendar), date2000 + 3 * 86400);
  EXPECT_EQ(DrainTypes(calendar), (std::vector<int>{ET_CHANGE}));
}

TEST_F(GtkKinds, TreeCheckMarksAndItemsUnderClosedOnes) {
  int tree = Made(NewTree(KV_Any, 0, 0, 200, 200, KV_Tree_CheckBoxes));
  InsertGadgetItem(tree, -1, u"root", 0);
  InsertGadgetItem(tree, -1, u"child", 1);
  InsertGadgetItem(tree, 1, u"before child", 5);
  EXPECT_EQ(ReadGadgetItemText(tree, 1), u"before child")
      << "inserted beside the item it goes before";
  WriteGadgetItemState(tree, 2, KV_Item_Checked | KV_Item_Selected);
  EXPECT_EQ(ReadGadgetState(tree), 2) << "its closed parent opens for it";
  EXPECT_TRUE(ReadGadgetItemState(tree, 0) & KV_Item_Expanded);
  EXPECT_EQ(ReadGadgetItemState(tree, 2), KV_Item_Checked | KV_Item_Selected);
  EXPECT_EQ(WriteGadgetItemText(tree, 2, u"x", 1), -1) << "a tree has one column";
  EXPECT_TRUE(DrainTypes(tree).empty());
}

// The shared test answers with Windows paths, which a GTK chooser cannot
// return; here the user picks a file that exists.
TEST_F(GtkKinds, RequestersReturnWhatTheUserPicked) {
  user::AnswerNextMessageBox(KV_MessageBox_AnswerNo);
  EXPECT_EQ(ShowMessageBox(u"Title", u"Sure?", KV_MessageBox_YesNo | KV_MessageBox_Warning),
            KV_MessageBox_AnswerNo);
  user::AnswerNextMessageBox(KV_MessageBox_AnswerOk);
  EXPECT_EQ(ShowMessageBox(u"Title", u"Done."), KV_MessageBox_AnswerOk);

  char path[] = "/tmp/kv-requester-XXXXXX";
  int file = mkstemp(path);
  ASSERT_GE(file, 0);
  close(file);
  user::AnswerNextFileRequester(DecodeUtf8(path));
  EXPECT_EQ(AskFileToOpen(u"adb path", u"", u"Programs|*;", 0), DecodeUtf8(path));
  user::AnswerNextFileRequester(u"");
  EXPECT_EQ(AskFileToOpen(u"adb path", u"", u"Programs|*;", 0), u"");
  unlink(path);
}

}  // namespace
