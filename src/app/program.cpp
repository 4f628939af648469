#include "app/program.h"

#include "app/adb.h"
#include "app/adb_location.h"
#include "app/config_file.h"
#include "app/device_choice.h"
#include "app/device_lists.h"
#include "app/package_actions.h"
#include "app/selection.h"
#include "app/setting_write.h"
#include "app/settings_tab.h"
#include "dialog/dialog.h"
#include "process/process.h"
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

// The reverse of InitLibraries; the XML library, the DPI scale and the
// process runner hold nothing to release.
void EndLibraries() {
  EndRequesters();
  CloseAllDataFiles();
  EndDialogLibrary();
  EndGadgetLibrary();
  EndWindowLibrary();
  EndEventLibrary();
}

Config LoadConfiguration(TextView path) {
  Config config;
  LoadConfig(config, path, true);
  if (!config.isValid) {
    config = {};
    config.isValid = 1;
    config.ADBPath = DefaultAdbPath();
  }
  return config;
}

void Bind(int gadget, EventHandler handler) {
  BindGadgetHandler(gadget, handler, -1);
}

void BindHandlers(Program& p) {
  const MainGadgets& g = p.g;
  Bind(g.cmdGenReload, [&p] { Reload(p); });
  Bind(g.cmdGenCopy, [&p] { CopyList(p); });
  Bind(g.cmdUUninstall, [&p] { Act(p, Action::Uninstall, p.user); });
  Bind(g.cmdUDump, [&p] { Act(p, Action::Dump, p.user); });
  Bind(g.cmdUDisable, [&p] { Act(p, Action::Disable, p.user); });
  Bind(g.cmdUEnable, [&p] { Act(p, Action::Enable, p.user); });
  Bind(g.cmdSUninstall, [&p] { Act(p, Action::Uninstall, p.system); });
  Bind(g.cmdSReinstall, [&p] { Act(p, Action::Reinstall, p.system); });
  Bind(g.cmdSDump, [&p] { Act(p, Action::Dump, p.system); });
  Bind(g.cmdSDisable, [&p] { Act(p, Action::Disable, p.system); });
  Bind(g.cmdSEnable, [&p] { Act(p, Action::Enable, p.system); });
  Bind(g.lstUEnabled, [&p] { PickItem(p, p.g.lstUEnabled, p.g.txtUSelected); });
  Bind(g.lstUDisabled, [&p] { PickItem(p, p.g.lstUDisabled, p.g.txtUSelected); });
  Bind(g.lstSEnabled, [&p] { PickItem(p, p.g.lstSEnabled, p.g.txtSSelected); });
  Bind(g.lstSDisabled, [&p] { PickItem(p, p.g.lstSDisabled, p.g.txtSSelected); });
  Bind(g.lstSUninstalled, [&p] { PickItem(p, p.g.lstSUninstalled, p.g.txtSSelected); });
  // Modules and libraries are not packages the actions can take.
  Bind(g.lstSModules, [&p] { PickNoItem(p, p.g.lstSModules, p.g.txtSSelected); });
  Bind(g.lstSLibraries, [&p] { PickNoItem(p, p.g.lstSLibraries, p.g.txtSSelected); });
  Bind(g.lstCGlobal, [&p] { PickItem(p, p.g.lstCGlobal, p.g.txtCSelected); });
  Bind(g.lstCSecure, [&p] { PickItem(p, p.g.lstCSecure, p.g.txtCSelected); });
  Bind(g.lstCSystem, [&p] { PickItem(p, p.g.lstCSystem, p.g.txtCSelected); });
  Bind(g.panMain, [&p] { OnTabChange(p); });
  Bind(g.panU, [&p] { OnTabChange(p); });
  Bind(g.panS, [&p] { OnTabChange(p); });
  Bind(g.panC, [&p] { OnTabChange(p); });
  Bind(g.panD, [&p] { OnTabChange(p); });
  Bind(g.cmdOSetADBPath, [&p] { ChooseAdbPath(p); });
  Bind(g.txtOADBPath, [&p] { OnAdbPathTyped(p); });
  Bind(g.cmdCWrite, [&p] { WriteSetting(p); });
  Bind(g.cmbODevice, [&p] { ChooseDevice(p); });
}

Text WhyNotOpened(int dialog) {
  Text error = DialogErrorText(dialog);
  if (error.empty()) error = u"the platform refused to create it.";
  return u"Kestrelvane could not open its window: " + error;
}

Text WhyNotRead(const XmlDocument* document) {
  Text why = u"Kestrelvane could not read its window description";
  if (!document) return why + u".";
  return why + u": " + document->errorMessage + u" (line " +
         AsciiText(std::to_string(document->errorLine)) + u").";
}

bool BuildMainWindow(Program& p) {
  XmlDocument* document = ParseXmlText(KV_Any, p.description);
  bool read = document && document->status == 0;
  bool opened = read && OpenDialogWindow(p.dialog, document, kMainWindowName);
  if (!read) {
    p.startFailure = WhyNotRead(document);
  } else if (!opened) {
    p.startFailure = WhyNotOpened(p.dialog);
  } else {
    p.g = FindMainGadgets(p.dialog);
    p.user = UserTabOf(p.g);
    p.system = SystemTabOf(p.g);
    BindHandlers(p);
    ShowDeviceChoice(p);
    WriteGadgetColor(p.g.lblWarn, KV_FrontColor, kRed);
    SetGadgetTip(p.g.cmdGenReload, u"Reload all data on all tabs");
    SetGadgetTip(p.g.cmdGenCopy, u"Copy currently selected list to clipboard");
    RelayoutDialog(p.dialog);
  }
  if (document) FreeXmlDocument(document->number);
  return opened;
}

// A start without pipes falls back to the shell, which would open a folder
// window for a path naming a folder; only a file is asked to stop the server.
void StopAdbServer(const Text& adb) {
  if (FileSizeByPath(adb) < 0) return;
  StartProcess(adb, adb::kKillServer, PathDirectory(adb), adb::kKillServerFlags);
}

}  // namespace

bool Program::Start() {
  startFailure.clear();
  InitLibraries();
  channel.Clear();
  channel.wake = WakeEventWait;
  dialog = NewDialog(KV_Any);
  config = LoadConfiguration(configPath);
  if (!BuildMainWindow(*this)) return false;
  SetWindowCaption(g.window, kProgramTitle);
  // No handler takes its events: each one, like any event, only makes the
  // loop pump adb once more.
  StartWindowTimer(g.window, kPumpTimer, kPumpTimerPeriodMs);
  return true;
}

bool Program::RunLoopPass(int timeoutMs) {
  if (WaitForEvent(timeoutMs) == EV_CLOSE) return true;
  channel.Pump();
  return false;
}

int Program::LoopWaitMs() const {
  return channel.HasStepNow() ? 0 : kLoopWaitMs;
}

void Program::RunMainLoop() {
  while (!RunLoopPass(LoopWaitMs())) {
  }
}

void Program::End() {
  channel.StopRunning();
  StopAdbServer(AdbPath());
  SaveConfig(config, configPath, true, false);
  EndLibraries();
}

}  // namespace kv
