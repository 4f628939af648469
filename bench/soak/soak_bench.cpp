// The real handlers through a thousand rounds of a Reload of the demo device
// and a package action (disable, enable, uninstall and re-install of one
// system package, in turn), driven as a user drives them. Every 100 rounds it
// prints what the process holds; after the first 100 nothing may grow by more
// than 1 %.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/list_names.h"
#include "app/program.h"
#include "fixtures/demo_device.h"
#include "fixtures/fake_device.h"
#include "process_usage.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"
#include "toolkit/user.h"

using namespace kv;

namespace {

struct Step {
  int MainGadgets::*list;    // where the package is before the action
  int MainGadgets::*button;  // the action
  int page;                  // of the list on the SYSTEM tab
};

const Step kSteps[] = {
    {&MainGadgets::lstSEnabled, &MainGadgets::cmdSDisable, TabEnabled},
    {&MainGadgets::lstSDisabled, &MainGadgets::cmdSEnable, TabDisabled},
    {&MainGadgets::lstSEnabled, &MainGadgets::cmdSUninstall, TabEnabled},
    {&MainGadgets::lstSUninstalled, &MainGadgets::cmdSReinstall, TabUninstalled},
};

void RunUntilIdle(Program& program) {
  do {
    program.RunLoopPass(program.LoopWaitMs());
  } while (!program.channel.IsIdle());
}

void Reload(Program& program) {
  user::ClickButton(program.g.cmdGenReload);
  RunUntilIdle(program);
}

// False when the package is not where the step expects it.
bool Act(Program& program, const Step& step, TextView package) {
  const MainGadgets& g = program.g;
  int list = g.*step.list;
  int item = FindListItem(list, package);
  if (item == -1) return false;
  user::ChooseTab(g.panMain, TabSystem);
  user::ChooseTab(g.panS, step.page);
  user::ClickListItem(list, item);
  user::AnswerNextMessageBox(KV_MessageBox_AnswerYes);
  user::ClickButton(g.*step.button);
  RunUntilIdle(program);
  user::ForgetRequesters();
  return true;
}

void PrintUsage(int round, const std::vector<bench::Usage>& usage) {
  std::printf("round %5d:", round);
  for (const bench::Usage& u : usage) std::printf("  %s %.0f", u.name.c_str(), u.value);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::atoi(argv[1]) : 1000;
  test::FakeDevice device("bench-soak");
  device.SetDevice(test::DemoDevice(1));
  Program program(Text((device.Folder() / "kestrelvane.cfg").u16string()));
  if (!program.Start()) return 1;
  program.config.ADBPath = device.AdbPath();

  Reload(program);
  Text package = ReadGadgetItemText(program.g.lstSEnabled, 0);
  std::printf("acting on %s\n", AsciiBytes(package).c_str());
  // The first report touches code and buffers of its own; made here, they are
  // not counted as growth after round 100.
  PrintUsage(0, bench::ProcessUsage());
  std::vector<bench::Usage> baseline;
  double growth = 0;
  int missed = 0;
  for (int round = 1; round <= rounds; ++round) {
    Reload(program);
    missed += !Act(program, kSteps[(round - 1) % 4], package);
    if (round % 100 != 0) continue;
    std::vector<bench::Usage> usage = bench::ProcessUsage();
    PrintUsage(round, usage);
    if (baseline.empty()) baseline = usage;
    for (std::size_t i = 0; i < usage.size(); ++i) {
      if (!usage[i].judged || baseline[i].value <= 0) continue;
      growth = std::max(growth, usage[i].value / baseline[i].value - 1);
    }
  }
  program.End();
  std::printf("actions that found the package where expected: %d of %d\n", rounds - missed,
              rounds);
  std::printf("largest growth after round 100: %.2f %%\n", growth * 100);
  return missed == 0 && growth <= 0.01 ? 0 : 1;
}
