#include "program.h"

#include "adb.h"
#include "command_queue.h"
#include "config_file.h"
#include "config_record.h"
#include "dialog/dialog.h"
#include "main_window.h"
#include "process/process.h"
#include "storage/data_file.h"
#include "toolkit/dpi.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"
#include "toolkit/windows.h"
#include "xml/parse.h"
#include "xml/tree.h"

namespace kv {

MainGadgets GADGETS;

namespace {

struct GadgetName {
  TextView name;
  int MainGadgets::*number;
};

#define KV_GADGET(name) {u## #name, &MainGadgets::name}
constexpr GadgetName kGadgetNames[] = {
    KV_GADGET(cmdCWrite),     KV_GADGET(cmdGenCopy),      KV_GADGET(cmdGenReload),
    KV_GADGET(cmdOSetADBPath), KV_GADGET(cmdSDisable),    KV_GADGET(cmdSDump),
    KV_GADGET(cmdSEnable),    KV_GADGET(cmdSReinstall),   KV_GADGET(cmdSUninstall),
    KV_GADGET(cmdUDisable),   KV_GADGET(cmdUDump),        KV_GADGET(cmdUEnable),
    KV_GADGET(cmdUUninstall), KV_GADGET(lblOADBPath),     KV_GADGET(lblWarn),
    KV_GADGET(lstCGlobal),    KV_GADGET(lstCSecure),      KV_GADGET(lstCSystem),
    KV_GADGET(lstDInfo),      KV_GADGET(lstSDisabled),    KV_GADGET(lstSEnabled),
    KV_GADGET(lstSLibraries), KV_GADGET(lstSModules),     KV_GADGET(lstSUninstalled),
    KV_GADGET(lstUDisabled),  KV_GADGET(lstUEnabled),     KV_GADGET(panC),
    KV_GADGET(panD),          KV_GADGET(panMain),         KV_GADGET(panS),
    KV_GADGET(panU),          KV_GADGET(txtCNewValue),    KV_GADGET(txtCSelected),
    KV_GADGET(txtGenStatus),  KV_GADGET(txtOADBPath),     KV_GADGET(txtSSelected),
    KV_GADGET(txtUSelected),
};
#undef KV_GADGET

constexpr int kRed = 0x0000FF;  // 0x00BBGGRR

int mainDialog = -1;

void InitLibraries() {
  InitXmlLibrary();
  InitDpiScale();
  InitEventLibrary();
  InitWindowLibrary();
  InitGadgetLibrary();
  InitDialogLibrary();
  InitFileLibrary();
  InitProcessRunner();
  InitRequesters();
}

void LoadConfiguration() {
  CONFIG = {};
  LoadConfig(CONFIG, ConfigFilePath(), true);
  if (!CONFIG.isValid) {
    CONFIG = {};
    CONFIG.isValid = 1;
    CONFIG.ADBPath = PathDirectory(OwnExecutablePath()) + u"ADB.exe";
  }
}

bool BuildMainWindow() {
  XmlDocument* document = ParseXmlText(KV_Any, kMainWindowDescription);
  bool opened = document && OpenDialogWindow(mainDialog, document, kMainWindowName);
  if (opened) {
    GADGETS = {};
    GADGETS.window = DialogWindowOf(mainDialog);
    for (const GadgetName& gadget : kGadgetNames) {
      GADGETS.*gadget.number = FindDialogGadget(mainDialog, gadget.name);
    }
    WriteGadgetColor(GADGETS.lblWarn, KV_FrontColor, kRed);
    SetGadgetTip(GADGETS.cmdGenReload, u"Reload all data on all tabs");
    SetGadgetTip(GADGETS.cmdGenCopy, u"Copy currently selected list to clipboard");
    RelayoutDialog(mainDialog);
  }
  if (document) FreeXmlDocument(document->number);
  return opened;
}

}  // namespace

bool StartProgram() {
  InitLibraries();
  ClearCommandQueue();
  mainDialog = NewDialog(KV_Any);
  LoadConfiguration();
  if (!BuildMainWindow()) return false;
  SetWindowCaption(GADGETS.window, kProgramTitle);
  StartWindowTimer(GADGETS.window, kPumpTimer, kPumpTimerPeriodMs);
  return true;
}

bool RunLoopPass(int timeoutMs) {
  if (WaitForEvent(timeoutMs) == EV_CLOSE) return true;
  PumpCommandQueue();
  return false;
}

void RunMainLoop() {
  while (!RunLoopPass(kLoopWaitMs)) {
  }
}

void EndProgram() {
  StopRunningCommand();
  StartProcess(CONFIG.ADBPath, adb::kKillServer, PathDirectory(CONFIG.ADBPath), adb::kKillServerFlags);
  SaveConfig(CONFIG, ConfigFilePath(), true, false);
  // The reverse of InitLibraries; the XML library, the DPI scale and the
  // process runner hold nothing to release.
  EndRequesters();
  CloseAllDataFiles();
  EndDialogLibrary();
  EndGadgetLibrary();
  EndWindowLibrary();
  EndEventLibrary();
}

}  // namespace kv
