// A test with the toolkit and the dialog library set up, on whichever
// backend the test program links, and one dialog ready to open windows.
#pragma once

#include <gtest/gtest.h>

#include "dialog/dialog.h"
#include "dialog/runtime_symbols.h"
#include "toolkit/dpi.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/top_windows.h"
#include "xml/parse.h"

namespace kv::test {

class DialogLibrariesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitDpiScale();
    InitEventLibrary();
    InitWindowLibrary();
    InitGadgetLibrary();
    InitDialogLibrary();
    DialogRuntimeSymbols().Clear();
    dialog = NewDialog(KV_Any);
    ASSERT_NE(dialog, 0);
  }

  void TearDown() override {
    EndDialogLibrary();
    EndGadgetLibrary();
    EndWindowLibrary();
    EndEventLibrary();
    FreeXmlDocument(KV_Any);
    DialogRuntimeSymbols().Clear();
  }

  int dialog = 0;
};

}  // namespace kv::test
