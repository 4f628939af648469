#include "app/list_names.h"

#include "toolkit/gadgets.h"

namespace kv {

namespace {

int FindItemNoCase(int list, TextView name) {
  int count = GadgetItemCount(list);
  for (int item = 0; item < count; ++item) {
    if (EqualNoCase(ReadGadgetItemText(list, item), name)) return item;
  }
  return -1;
}

}  // namespace

int FindExactItem(int list, TextView name) {
  int count = GadgetItemCount(list);
  for (int item = 0; item < count; ++item) {
    if (ReadGadgetItemText(list, item) == name) return item;
  }
  return -1;
}

int FindListItem(int list, TextView name) {
  int item = FindExactItem(list, name);
  return item != -1 ? item : FindItemNoCase(list, name);
}

Text ListedSpelling(std::initializer_list<int> lists, TextView name) {
  for (int list : lists) {
    if (FindExactItem(list, name) != -1) return Text(name);
  }
  for (int list : lists) {
    int item = FindItemNoCase(list, name);
    if (item != -1) return ReadGadgetItemText(list, item);
  }
  return Text(name);
}

}  // namespace kv
