// Finding a package name in the lists. Package names are case-sensitive, so
// two packages may differ only in case, yet adb may answer with a name in
// another case than the list shows: a name as it is wins over one that
// equals it without regard to case.
#pragma once

#include <initializer_list>

#include "runtime/text.h"

namespace kv {

// The index of the item whose text is name, or -1.
int FindExactItem(int list, TextView name);

// The index of the item whose text is name, else of the first whose text
// equals it without regard to case, or -1. Leaves the list's visible
// selection alone.
int FindListItem(int list, TextView name);

// How the window spells name: name itself when one of lists holds it, else
// the first item of them that equals it without regard to case, else name.
Text ListedSpelling(std::initializer_list<int> lists, TextView name);

}  // namespace kv
