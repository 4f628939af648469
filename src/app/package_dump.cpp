#include "app/package_dump.h"

#include <memory>
#include <vector>

#include "app/device_lists.h"
#include "app/program.h"
#include "toolkit/gadgets.h"

namespace kv {

CommandSteps DumpSteps(Program& program) {
  auto lines = std::make_shared<std::vector<Text>>();
  return {[&program] {
            // A tab switch of the program's: no change event forgets the picks.
            WriteGadgetState(program.g.panMain, TabDevice);
            WriteGadgetState(program.g.panD, TabDump);
            ClearGadget(program.g.lstDDump);
          },
          [lines](Text line) { lines->push_back(std::move(line)); },
          [&program, lines](const CommandOutcome& outcome) {
            // A dump is hundreds of lines: one replacement, not one a line.
            AppendGadgetItems(program.g.lstDDump, *lines);
            FinishCommand(program, outcome);
          }};
}

}  // namespace kv
