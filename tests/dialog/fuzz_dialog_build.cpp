// Builds dialogs from whatever the fuzzer makes up, on the headless toolkit:
// opens the first window and then the one named "b" with the same dialog,
// lays it out again, resizes it, drags its splitters, scrolls its scroll
// areas, looks names up and releases everything.
#include <cstdint>

#include "dialog/dialog.h"
#include "dialog/runtime_symbols.h"
#include "toolkit/dpi.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/headless/driver.h"
#include "toolkit/top_windows.h"
#include "xml/parse.h"

using namespace kv;

namespace {

std::int16_t variable = 7;
int calls = 0;

bool SetUpOnce() {
  InitDpiScale();
  InitEventLibrary();
  InitWindowLibrary();
  InitGadgetLibrary();
  InitDialogLibrary();
  RuntimeSymbols& symbols = DialogRuntimeSymbols();
  symbols.AddConstant(u"C", 5);
  symbols.AddConstant(u"F", 0x20000);
  symbols.AddConstant(u"Half", 0.5);
  symbols.AddVariable(u"V", &variable);
  symbols.AddProcedure(u"P", [] { ++calls; });
  return true;
}

// What a user does to the containers, each gadget once.
void Play(int dialog, int size) {
  for (const PlacedItem& item : DialogLayout(dialog)) {
    int kind = GetGadgetKind(item.gadget);
    if (kind == GK_SPLITTER) headless::DragSplitter(item.gadget, size % 61 - 30, size % 37 - 18);
    if (kind == GK_SCROLLAREA) {
      headless::ScrollLines(item.gadget, true, size % 5);
      headless::ScrollLines(item.gadget, false, -1);
    }
  }
}

void Exercise(int dialog, int size) {
  Play(dialog, size);
  RelayoutDialog(dialog);
  FindDialogGadget(dialog, u"a");
  int window = DialogWindowOf(dialog);
  headless::ResizeWindow(window, size % 700, size % 500);
  headless::ResizeWindow(window, 1, 1);
  Play(dialog, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static bool ready = SetUpOnce();
  (void)ready;
  XmlDocument* document = ParseXmlMemory(KV_Any, data, size, ParseWhole);
  if (!document) {
    FreeXmlDocument(KV_Any);
    return 0;
  }
  int dialog = NewDialog(KV_Any);
  for (TextView name : {u"", u"b"}) {
    if (OpenDialogWindow(dialog, document, name, 0, 0, static_cast<int>(size % 300))) {
      Exercise(dialog, static_cast<int>(size));
    }
  }
  ReleaseDialog(KV_Any);
  FreeXmlDocument(KV_Any);
  DisposeWindow(KV_Any);
  while (WaitForEvent(0) != 0) {
  }
  return 0;
}
