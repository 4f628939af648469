#include "program.h"

#include "adb.h"
#include "command_queue.h"
#include "config_file.h"
#include "config_record.h"
#include "device_lists.h"
#include "dialog/dialog.h"
#include "main_window.h"
#include "package_actions.h"
#include "process/process.h"
#include "selection.h"
#include "settings_tab.h"
#include "storage/data_file.h"
#include "storage/file_paths.h"
#include "toolkit/dpi.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"
#include "toolkit/top_windows.h"
#include "xml/parse.h"
#include "xml/tree.h"

namespace kv {

namespace {

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

void OnReloadOrCopy() {
  if (CurrentEventObject() == GADGETS.cmdGenReload) Reload();
  if (CurrentEventObject() == GADGETS.cmdGenCopy) CopyList();
}

struct Binding {
  int MainGadgets::*gadget;
  EventHandler handler;
};

const Binding kBindings[] = {
    {&MainGadgets::cmdGenReload, OnReloadOrCopy},
    {&MainGadgets::cmdGenCopy, OnReloadOrCopy},
    {&MainGadgets::cmdUUninstall, OnPackageAction},
    {&MainGadgets::cmdUDump, OnPackageAction},
    {&MainGadgets::cmdUDisable, OnPackageAction},
    {&MainGadgets::cmdUEnable, OnPackageAction},
    {&MainGadgets::cmdSUninstall, OnPackageAction},
    {&MainGadgets::cmdSReinstall, OnPackageAction},
    {&MainGadgets::cmdSDump, OnPackageAction},
    {&MainGadgets::cmdSDisable, OnPackageAction},
    {&MainGadgets::cmdSEnable, OnPackageAction},
    {&MainGadgets::lstUEnabled, OnUserListSelect},
    {&MainGadgets::lstUDisabled, OnUserListSelect},
    {&MainGadgets::lstSEnabled, OnSystemListSelect},
    {&MainGadgets::lstSDisabled, OnSystemListSelect},
    {&MainGadgets::lstSUninstalled, OnSystemListSelect},
    {&MainGadgets::lstSModules, OnSystemListSelect},
    {&MainGadgets::lstSLibraries, OnSystemListSelect},
    {&MainGadgets::lstCGlobal, OnSettingsListSelect},
    {&MainGadgets::lstCSecure, OnSettingsListSelect},
    {&MainGadgets::lstCSystem, OnSettingsListSelect},
    {&MainGadgets::panMain, OnTabChange},
    {&MainGadgets::panU, OnTabChange},
    {&MainGadgets::panS, OnTabChange},
    {&MainGadgets::panC, OnTabChange},
    {&MainGadgets::panD, OnTabChange},
    {&MainGadgets::cmdOSetADBPath, OnAdbPathEvent},
    {&MainGadgets::txtOADBPath, OnAdbPathEvent},
    {&MainGadgets::cmdCWrite, OnWriteSetting},
};

void BindHandlers() {
  for (const Binding& binding : kBindings) {
    BindGadgetHandler(GADGETS.*binding.gadget, binding.handler, -1);
  }
}

bool BuildMainWindow() {
  XmlDocument* document = ParseXmlText(KV_Any, kMainWindowDescription);
  bool opened = document && OpenDialogWindow(mainDialog, document, kMainWindowName);
  if (opened) {
    FindMainGadgets(mainDialog);
    BindHandlers();
    WriteGadgetColor(GADGETS.lblWarn, KV_FrontColor, kRed);
    SetGadgetTip(GADGETS.cmdGenReload, u"Reload all data on all tabs");
    SetGadgetTip(GADGETS.cmdGenCopy, u"Copy currently selected list to clipboard");
    RelayoutDialog(mainDialog);
  }
  if (document) FreeXmlDocument(document->number);
  return opened;
}

// A start without pipes falls back to the shell, which would open a folder
// window for a path naming a folder; only a file is asked to stop the server.
void StopAdbServer() {
  const Text& adb = AdbPath();
  if (FileSizeByPath(adb) < 0) return;
  StartProcess(adb, adb::kKillServer, PathDirectory(adb), adb::kKillServerFlags);
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

int LoopWaitMs() {
  return PumpHasStepNow() ? 0 : kLoopWaitMs;
}

void RunMainLoop() {
  while (!RunLoopPass(LoopWaitMs())) {
  }
}

void EndProgram() {
  StopRunningCommand();
  StopAdbServer();
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
