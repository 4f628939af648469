// What the GTK backend does on the platform's widgets beyond the shared
// behaviour: rows a model holds without text, pages that hide without their
// tabs, line breaks as the buffer keeps them, controls made empty, and the
// answers of message boxes closed without a button.
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/gtk/gtk.h"
#include "toolkit/requesters.h"
#include "toolkit_fixture.h"
#include "user.h"

using namespace kv;
using namespace kv::test;

namespace {

using GtkBackend = ToolkitTest;

GtkWidget* WidgetOfGadget(int gadget) { return gtk::Widget(GetGadgetHandle(gadget)); }

GtkTreeView* ViewOf(int list) {
  return GTK_TREE_VIEW(gtk_bin_get_child(GTK_BIN(WidgetOfGadget(list))));
}

TEST_F(GtkBackend, ListRowsAreCountedByTheModelAndKeepTheirSelectionThroughChanges) {
  int list = static_cast<int>(NewListView(KV_Any, 0, 0, 200, 100, KV_ListView_MultiSelect));
  std::vector<Text> rows;
  for (int i = 0; i < 5000; ++i) rows.push_back(u"row " + AsciiText(std::to_string(i)));
  AppendGadgetItems(list, rows);
  GtkTreeModel* model = gtk_tree_view_get_model(ViewOf(list));
  ASSERT_NE(model, nullptr) << "the view has its model back after the fill";
  EXPECT_EQ(gtk_tree_model_iter_n_children(model, nullptr), 5000);
  EXPECT_EQ(ReadGadgetItemText(list, 4999), u"row 4999");

  WriteGadgetItemState(list, 1, 1);
  WriteGadgetItemState(list, 3, 1);
  Drain();
  DeleteGadgetItem(list, 2);
  EXPECT_EQ(ReadGadgetItemState(list, 1), 1);
  EXPECT_EQ(ReadGadgetItemState(list, 2), 1) << "row 3 moved up, still selected";
  EXPECT_EQ(ReadGadgetItemState(list, 3), 0);
  // The view hears of a row put in: the selected rows move down with theirs.
  InsertGadgetItem(list, 0, u"first");
  EXPECT_EQ(gtk_tree_model_iter_n_children(model, nullptr), 5000);
  EXPECT_EQ(ReadGadgetItemState(list, 1), 0);
  EXPECT_EQ(ReadGadgetItemState(list, 2), 1);
  EXPECT_EQ(ReadGadgetItemState(list, 3), 1);
  EXPECT_EQ(ReadGadgetItemText(list, 0), u"first");
  EXPECT_TRUE(DrainTypes(list).empty()) << "the program's changes are not the user's";
  ClearGadget(list);
  EXPECT_EQ(gtk_tree_model_iter_n_children(gtk_tree_view_get_model(ViewOf(list)), nullptr), 0);

  // The view would select a neighbour of the row under its cursor.
  int single = static_cast<int>(NewListView(KV_Any, 0, 100, 200, 100));
  AppendGadgetItems(single, rows);
  WriteGadgetState(single, 1);
  DeleteGadgetItem(single, 1);
  EXPECT_EQ(ReadGadgetState(single), -1);
}

TEST_F(GtkBackend, APageHidesWithoutItsTabAndFillsItsSlot) {
  int panel = static_cast<int>(NewPanel(KV_Any, 0, 0, 300, 200));
  InsertGadgetItem(panel, -1, u"First");
  InsertGadgetItem(panel, -1, u"Second");
  OpenGadgetParent(panel, 1);
  int label = static_cast<int>(NewTextLabel(KV_Any, 5, 5, 80, 20, u"on page two"));
  PopGadgetParent();
  GtkNotebook* notebook = GTK_NOTEBOOK(WidgetOfGadget(panel));
  auto page = [&](int tab) { return gtk::Widget(platform::TabPage(GetGadgetHandle(panel), tab)); };
  ASSERT_EQ(gtk_notebook_get_n_pages(notebook), 2);
  EXPECT_TRUE(gtk_widget_get_visible(page(0)));
  EXPECT_FALSE(gtk_widget_get_visible(page(1)));

  user::ChooseTab(panel, 1);
  EXPECT_EQ(ReadGadgetState(panel), 1);
  EXPECT_FALSE(gtk_widget_get_visible(page(0)));
  EXPECT_TRUE(gtk_widget_get_visible(page(1)));
  EXPECT_EQ(gtk_notebook_get_n_pages(notebook), 2) << "a hidden page keeps its tab";
  GtkAllocation slot;
  gtk_widget_get_allocation(gtk_widget_get_parent(page(1)), &slot);
  PixelRect placed = gtk::ChildRect(page(1));
  EXPECT_EQ(placed.width, slot.width);
  EXPECT_EQ(placed.height, slot.height);

  DeleteGadgetItem(panel, 1);
  EXPECT_EQ(gtk_notebook_get_n_pages(notebook), 1);
  EXPECT_EQ(GetGadgetHandle(label), 0) << "what lay on the page went with it";
  EXPECT_EQ(ReadGadgetText(panel), u"First");
}

// Off screen the view holds an empty stand-in, so it lays out none of the
// text; on screen again it has the text and the line it had on top.
TEST_F(GtkBackend, AnEditorOffScreenLaysOutNothingAndComesBackWhereItWas) {
  int panel = static_cast<int>(NewPanel(KV_Any, 0, 0, 300, 200));
  InsertGadgetItem(panel, -1, u"First");
  InsertGadgetItem(panel, -1, u"Second");
  OpenGadgetParent(panel, 1);
  int editor = static_cast<int>(NewEditor(KV_Any, 0, 0, 280, 150, KV_Editor_ReadOnly));
  PopGadgetParent();
  std::vector<Text> lines;
  for (int i = 0; i < 300; ++i) lines.push_back(u"line " + AsciiText(std::to_string(i)));
  AppendGadgetItems(editor, lines);
  GtkTextView* view = GTK_TEXT_VIEW(gtk_bin_get_child(GTK_BIN(WidgetOfGadget(editor))));
  auto charsInView = [view] { return gtk_text_buffer_get_char_count(gtk_text_view_get_buffer(view)); };
  EXPECT_EQ(charsInView(), 0);
  EXPECT_EQ(GadgetItemCount(editor), 300);
  EXPECT_EQ(ReadGadgetItemText(editor, 299), u"line 299");

  user::ChooseTab(panel, 1);
  EXPECT_GT(charsInView(), 0);
  EXPECT_EQ(user::FirstShownLine(editor), 0) << "a fill shows the first line";
  // The view lays its lines out in the background; then the user scrolls.
  GtkAdjustment* vertical = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(view));
  double height = -1;
  for (int tries = 0; tries < 50 && height != gtk_adjustment_get_upper(vertical); ++tries) {
    height = gtk_adjustment_get_upper(vertical);
    user::FirstShownLine(editor);
  }
  gtk_adjustment_set_value(vertical, height / 2);
  int top = user::FirstShownLine(editor);
  EXPECT_GT(top, 100);
  user::ChooseTab(panel, 0);
  EXPECT_EQ(charsInView(), 0);
  user::ChooseTab(panel, 1);
  for (int tries = 0; tries < 50 && user::FirstShownLine(editor) != top; ++tries) {
  }
  EXPECT_EQ(user::FirstShownLine(editor), top);
}

TEST_F(GtkBackend, EditorBufferKeepsLineFeedsWhereTheCoreWritesBreaks) {
  int editor = static_cast<int>(NewEditor(KV_Any, 0, 0, 200, 100));
  WriteGadgetText(editor, u"one\r\ntwo\rthree");
  GtkTextBuffer* buffer =
      gtk_text_view_get_buffer(GTK_TEXT_VIEW(gtk_bin_get_child(GTK_BIN(WidgetOfGadget(editor)))));
  GtkTextIter start;
  GtkTextIter end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  gchar* kept = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
  EXPECT_STREQ(kept, "one\ntwo\nthree");
  g_free(kept);
  EXPECT_EQ(ReadGadgetText(editor), u"one\r\ntwo\r\nthree");
  EXPECT_EQ(GadgetItemCount(editor), 3);
  EXPECT_EQ(ReadGadgetItemText(editor, 1), u"two");
  WriteGadgetItemText(editor, 1, u"deux");
  EXPECT_EQ(ReadGadgetText(editor), u"one\r\ndeux\r\nthree");
}

TEST_F(GtkBackend, AControlMadeEmptyIsNotDrawnUntilItHasRoomAgain) {
  int button = static_cast<int>(NewButton(KV_Any, 0, 0, 80, 24, u"Reload"));
  GtkWidget* widget = WidgetOfGadget(button);
  EXPECT_TRUE(gtk_widget_get_child_visible(widget));
  PlaceGadget(button, 0, 0, 0, 24);
  EXPECT_FALSE(gtk_widget_get_child_visible(widget));
  PlaceGadget(button, 0, 0, 80, 24);
  EXPECT_TRUE(gtk_widget_get_child_visible(widget));
}

// Closing a message box answers as its Cancel button, its only button, or
// else No would.
TEST_F(GtkBackend, AMessageBoxClosedWithoutAButtonAnswersAsItsWayOut) {
  constexpr int kYesNoCancel = 3;
  constexpr int kCancel = 2;
  user::AnswerNextMessageBox(GTK_RESPONSE_DELETE_EVENT);
  EXPECT_EQ(ShowMessageBox(u"Title", u"Sure?", kYesNoCancel), kCancel);
  user::AnswerNextMessageBox(GTK_RESPONSE_DELETE_EVENT);
  EXPECT_EQ(ShowMessageBox(u"Title", u"Sure?", KV_MessageBox_YesNo), KV_MessageBox_AnswerNo);
  user::AnswerNextMessageBox(GTK_RESPONSE_DELETE_EVENT);
  EXPECT_EQ(ShowMessageBox(u"Title", u"Done."), KV_MessageBox_AnswerOk);
}

// The filter list as the requester shows it, read while it is on screen.
TEST_F(GtkBackend, AFileRequesterListsEachFilterWithItsPatterns) {
  static std::vector<std::string> names;
  static std::string chosen;
  names.clear();
  chosen.clear();
  g_timeout_add(20, +[](gpointer) -> gboolean {
    GList* windows = gtk_window_list_toplevels();
    GtkWidget* dialog = nullptr;
    for (GList* w = windows; w; w = w->next) {
      if (GTK_IS_FILE_CHOOSER_DIALOG(w->data) && gtk_widget_get_mapped(GTK_WIDGET(w->data))) {
        dialog = GTK_WIDGET(w->data);
      }
    }
    g_list_free(windows);
    if (!dialog) return G_SOURCE_CONTINUE;
    GSList* filters = gtk_file_chooser_list_filters(GTK_FILE_CHOOSER(dialog));
    for (GSList* f = filters; f; f = f->next) {
      names.push_back(gtk_file_filter_get_name(GTK_FILE_FILTER(f->data)));
    }
    g_slist_free(filters);
    chosen = gtk_file_filter_get_name(gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(dialog)));
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
    return G_SOURCE_REMOVE;
  }, nullptr);
  EXPECT_EQ(AskFileToOpen(u"adb path", u"", u"Programs|*.exe;*.bat|All files|*", 1), u"");
  EXPECT_EQ(names, (std::vector<std::string>{"Programs", "All files"}));
  EXPECT_EQ(chosen, "All files");
}

}  // namespace
