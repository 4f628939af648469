// A test with the toolkit and the dialog library set up on the headless
// backend, and one dialog ready to open windows.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "dialog_libraries.h"
#include "dialog/detail/geometry.h"
#include "dialog/dialog.h"
#include "dialog/runtime_symbols.h"
#include "toolkit/platform.h"
#include "toolkit/dpi.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/headless/driver.h"
#include "toolkit/top_windows.h"
#include "xml/parse.h"

namespace kv::dialog {

inline void PrintTo(const Rect& r, std::ostream* out) {
  *out << "{" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << "}";
}

}  // namespace kv::dialog

namespace kv::test {

using dialog::Rect;

class DialogTest : public DialogLibrariesTest {
 protected:
  // Opens window name of the description; the document is freed at once, as
  // the program does.
  int Open(TextView description, TextView name = u"", int width = 0, int height = 0) {
    XmlDocument* document = ParseXmlText(KV_Any, description);
    EXPECT_TRUE(document && document->status == 0) << "the test's description is not XML";
    int opened = OpenDialogWindow(dialog, document, name, 0, 0, width, height);
    if (document) FreeXmlDocument(document->number);
    return opened;
  }

  Text Error() const { return DialogErrorText(dialog); }
  int Window() const { return DialogWindowOf(dialog); }
  int Gadget(TextView name) const { return FindDialogGadget(dialog, name); }

  // Where the layout placed the item named name.
  Rect At(TextView name) const {
    for (const PlacedItem& item : DialogLayout(dialog)) {
      if (item.name == name) return {item.x, item.y, item.width, item.height};
    }
    ADD_FAILURE() << "no item of that name";
    return {};
  }

  // Where the toolkit has the gadget of the item named name.
  Rect GadgetAt(TextView name) const {
    PixelRect r = headless::GadgetRect(Gadget(name));
    return {r.x, r.y, r.width, r.height};
  }

  dialog::Size InnerSize() const {
    return {GetWindowInnerWidth(Window()), GetWindowInnerHeight(Window())};
  }

};

}  // namespace kv::test
