// The generic gadget operations: find the record, call the kind's slot or
// fall back, and keep the program's own changes from raising events.
#include "toolkit/gadgets.h"

#include "detail/core.h"
#include "runtime/object_table.h"
#include "toolkit/dpi.h"

namespace kv {

namespace {

constexpr int kGrowthStep = 50;

void DisposeOne(int number);

ObjectTable<GadgetObject>& Table() {
  static ObjectTable<GadgetObject> table(kGrowthStep, DisposeOne);
  return table;
}

GadgetObject* Find(int number) {
  GadgetObject* gadget = Table().Find(number);
  return gadget && gadget->handle ? gadget : nullptr;
}

int PixelsOrZero(int value, int (*toPixels)(int)) {
  return value == KEEP_CURRENT ? 0 : toPixels(value);
}

bool ValidNumber(int number) {
  return number == KV_Any || (number >= 0 && number <= ObjectTable<GadgetObject>::kMaxFixed);
}

detail::Creation& Last() {
  static detail::Creation last;
  return last;
}

}  // namespace

namespace detail {

Creation LastCreation() { return Last(); }

GadgetObject* CreateGadget(int kind, int number, int x, int y, int width, int height,
                           TextView text, int flags) {
  if (!ValidNumber(number)) return nullptr;
  detail::Kind made = detail::KindOf(kind);
  platform::ControlParams params;
  params.record = made.record;
  params.parent = CurrentGadgetParent();
  params.rect = {PixelsOrZero(x, ToPixelsX), PixelsOrZero(y, ToPixelsY),
               PixelsOrZero(width, ToPixelsX), PixelsOrZero(height, ToPixelsY)};
  params.text = text;
  params.flags = flags;
  Handle handle = platform::CreateControl(params);
  if (!handle) return nullptr;
  // The gadget at that number goes only once its successor exists. A control
  // made inside it goes with it, and fails as it always did.
  if (number != KV_Any) {
    DisposeGadget(number);
    if (platform::WindowNumberOf(handle) == -1) return nullptr;
  }
  int assigned = 0;
  GadgetObject* gadget = Table().Create(number, &assigned);
  if (!gadget) {
    platform::DestroyHandle(handle);
    return nullptr;
  }
  gadget->handle = handle;
  gadget->kind = made.slots;
  gadget->record = made.record;
  gadget->number = assigned;
  gadget->window = platform::WindowNumberOf(handle);
  gadget->flags = flags;
  platform::AttachGadget(*gadget);
  Last() = {assigned, params.parent};
  return gadget;
}

Handle CreationResult(int number, const GadgetObject* gadget) {
  if (!gadget) return 0;
  return number == KV_Any ? gadget->number : gadget->handle;
}

Handle NewGadget(int kind, int number, int x, int y, int width, int height, TextView text,
                 int flags) {
  return CreationResult(number, CreateGadget(kind, number, x, y, width, height, text, flags));
}

}  // namespace detail

namespace {

void DisposeOne(int number) {
  GadgetObject* gadget = Table().Find(number);
  if (!gadget) return;
  Handle handle = gadget->handle;
  if (handle) platform::DestroyHandle(handle);
  OnGadgetDestroyed(number, handle);  // in case the platform did not report it
}

}  // namespace

namespace detail {

SuspendedEvents::SuspendedEvents() { SuspendEvents(); }
SuspendedEvents::~SuspendedEvents() { ResumeEvents(); }

}  // namespace detail

void InitGadgetLibrary() {
  Table() = ObjectTable<GadgetObject>(kGrowthStep, DisposeOne);
  detail::ResetGadgetParents();
  platform::InitGadgets();
}

void EndGadgetLibrary() { platform::EndGadgets(); }

Handle NewButton(int number, int x, int y, int width, int height, TextView text, int flags) {
  return detail::NewGadget(GK_BUTTON, number, x, y, width, height, text, flags);
}

Handle NewStringField(int number, int x, int y, int width, int height, TextView text,
                      int flags) {
  return detail::NewGadget(GK_STRING, number, x, y, width, height, text, flags);
}

Handle NewTextLabel(int number, int x, int y, int width, int height, TextView text, int flags) {
  return detail::NewGadget(GK_TEXT, number, x, y, width, height, text, flags);
}

Handle NewListView(int number, int x, int y, int width, int height, int flags) {
  return detail::NewGadget(GK_LISTVIEW, number, x, y, width, height, {}, flags);
}

Handle NewEditor(int number, int x, int y, int width, int height, int flags) {
  return detail::NewGadget(GK_EDITOR, number, x, y, width, height, {}, flags);
}

Handle NewPanel(int number, int x, int y, int width, int height) {
  GadgetObject* panel = detail::CreateGadget(GK_PANEL, number, x, y, width, height, {}, 0);
  if (panel) PushGadgetParent(panel->handle);
  return detail::CreationResult(number, panel);
}

void DisposeGadget(int gadget) { Table().Free(gadget); }

GadgetObject* FindGadgetObject(int gadget) { return Find(gadget); }

void OnGadgetDestroyed(int gadget, Handle handle) {
  GadgetObject* record = Table().Find(gadget);
  if (!record || record->handle != handle) return;
  UnbindEventHandler(EV_GADGET, nullptr, record->window, gadget, -1);
  UnbindEventHandler(EV_GADGET, nullptr, -1, gadget, -1);
  if (record->kind && record->kind->release) record->kind->release(*record);
  DropQueuedEvents(EV_GADGET, gadget, -1, -1);
  Table().Remove(gadget);
}

void OnPanelPageResized(const GadgetObject& panel) {
  QueueGadgetEvent(panel, ET_RESIZE, KV_Event_Force);
}

void QueueGadgetEvent(const GadgetObject& gadget, int type, int flags) {
  int number = gadget.number;
  QueueEvent(EV_GADGET, number, gadget.window, type, nullptr, nullptr, flags);
  // Handlers that ran meanwhile may have disposed of the gadget.
  GadgetObject* g = Find(number);
  if (g && g->kind->react) g->kind->react(*g, type);
}

// ---- Text and items --------------------------------------------------------------

void WriteGadgetText(int gadget, TextView text) {
  GadgetObject* g = Find(gadget);
  if (!g) return;
  detail::SuspendedEvents quiet;
  if (g->kind->writeText) {
    g->kind->writeText(*g, text);
  } else {
    platform::WriteText(g->handle, text);
  }
}

Text ReadGadgetText(int gadget) {
  GadgetObject* g = Find(gadget);
  if (!g) return {};
  return g->kind->readText ? g->kind->readText(*g) : platform::ReadText(g->handle);
}

int InsertGadgetItem(int gadget, int position, TextView text, int level) {
  GadgetObject* g = Find(gadget);
  if (!g) return 0;
  detail::SuspendedEvents quiet;
  if (g->kind->insertLevelItem) return g->kind->insertLevelItem(*g, position, text, level);
  return g->kind->insertItem ? g->kind->insertItem(*g, position, text) : 0;
}

void AddGadgetColumn(int gadget, int position, TextView title, int width) {
  GadgetObject* g = Find(gadget);
  if (g && g->kind->addColumn) g->kind->addColumn(*g, position, title, ToPixelsX(width));
}

int GadgetColumnCount(int gadget) {
  GadgetObject* g = Find(gadget);
  return g && g->kind->columnCount ? g->kind->columnCount(*g) : 0;
}

void AppendGadgetItems(int gadget, std::span<const Text> texts) {
  GadgetObject* g = Find(gadget);
  if (!g || !g->kind->insertItem || texts.empty()) return;
  detail::SuspendedEvents quiet;
  platform::SetRedraw(g->handle, false);
  if (g->kind->appendItems) {
    g->kind->appendItems(*g, texts);
  } else {
    for (const Text& text : texts) g->kind->insertItem(*g, -1, text);
  }
  platform::SetRedraw(g->handle, true);
}

void DeleteGadgetItem(int gadget, int position) {
  GadgetObject* g = Find(gadget);
  if (!g || !g->kind->deleteItem) return;
  detail::SuspendedEvents quiet;
  g->kind->deleteItem(*g, position);
}

void ClearGadget(int gadget) {
  GadgetObject* g = Find(gadget);
  if (g && g->kind->clearItems) g->kind->clearItems(*g);
}

int GadgetItemCount(int gadget) {
  GadgetObject* g = Find(gadget);
  return g && g->kind->itemCount ? g->kind->itemCount(*g) : 0;
}

Text ReadGadgetItemText(int gadget, int item, int column) {
  GadgetObject* g = Find(gadget);
  return g && g->kind->readItemText ? g->kind->readItemText(*g, item, column) : Text{};
}

int WriteGadgetItemText(int gadget, int item, TextView text, int column) {
  GadgetObject* g = Find(gadget);
  if (!g || !g->kind->writeItemText) return 0;
  detail::SuspendedEvents quiet;
  return g->kind->writeItemText(*g, item, text, column);
}

int ReadGadgetItemState(int gadget, int item) {
  GadgetObject* g = Find(gadget);
  return g && g->kind->readItemState ? g->kind->readItemState(*g, item) : 0;
}

void WriteGadgetItemState(int gadget, int item, int state) {
  GadgetObject* g = Find(gadget);
  if (!g || !g->kind->writeItemState) return;
  detail::SuspendedEvents quiet;
  g->kind->writeItemState(*g, item, state);
}

std::intptr_t ReadGadgetItemData(int gadget, int item) {
  GadgetObject* g = Find(gadget);
  return g && g->kind->readItemData ? g->kind->readItemData(*g, item) : 0;
}

void WriteGadgetItemData(int gadget, int item, std::intptr_t value) {
  GadgetObject* g = Find(gadget);
  if (g && g->kind->writeItemData) g->kind->writeItemData(*g, item, value);
}

// ---- State, look and data --------------------------------------------------------

int ReadGadgetState(int gadget) {
  GadgetObject* g = Find(gadget);
  return g && g->kind->readState ? g->kind->readState(*g) : 0;
}

void WriteGadgetState(int gadget, int state) {
  GadgetObject* g = Find(gadget);
  if (!g || !g->kind->writeState) return;
  detail::SuspendedEvents quiet;
  g->kind->writeState(*g, state);
}

void SetGadgetDisabled(int gadget, int disabled) {
  if (GadgetObject* g = Find(gadget)) platform::EnableHandle(g->handle, disabled == 0);
}

void SetGadgetHidden(int gadget, int hidden) {
  if (GadgetObject* g = Find(gadget)) platform::ShowControl(g->handle, hidden == 0);
}

void WriteGadgetUserData(int gadget, std::intptr_t value) {
  if (GadgetObject* g = Find(gadget)) g->userData = value;
}

std::intptr_t ReadGadgetUserData(int gadget) {
  GadgetObject* g = Find(gadget);
  return g ? g->userData : 0;
}

void WriteGadgetColor(int gadget, int which, int color) {
  GadgetObject* g = Find(gadget);
  if (!g || !g->kind->showColor) return;
  if (which == KV_FrontColor) {
    g->frontColor = color;
  } else if (which == KV_BackColor) {
    g->backColor = color;
  } else {
    return;
  }
  g->kind->showColor(*g, which);
}

int ReadGadgetColor(int gadget, int which) {
  GadgetObject* g = Find(gadget);
  if (!g || !g->kind->showColor) return 0;
  if (which == KV_FrontColor) return g->frontColor;
  return which == KV_BackColor ? g->backColor : 0;
}

int ReadGadgetAttribute(int gadget, int attribute) {
  GadgetObject* g = Find(gadget);
  return g && g->kind->readAttribute ? g->kind->readAttribute(*g, attribute) : 0;
}

void WriteGadgetAttribute(int gadget, int attribute, int value) {
  GadgetObject* g = Find(gadget);
  if (g && g->kind->writeAttribute) g->kind->writeAttribute(*g, attribute, value);
}

void SetGadgetTip(int gadget, TextView text) {
  if (GadgetObject* g = Find(gadget)) platform::SetTip(g->handle, text);
}

// ---- Geometry ---------------------------------------------------------------------

void PlaceGadget(int gadget, int x, int y, int width, int height) {
  GadgetObject* g = Find(gadget);
  if (!g) return;
  PixelRect current = platform::ControlRect(g->handle);
  auto pixels = [](int value, int kept, int (*toPixels)(int)) {
    return value == KEEP_CURRENT ? kept : toPixels(value);
  };
  PixelRect rect{pixels(x, current.x, ToPixelsX), pixels(y, current.y, ToPixelsY),
                 pixels(width, current.width, ToPixelsX),
                 pixels(height, current.height, ToPixelsY)};
  if (g->kind->place) {
    g->kind->place(*g, rect);
  } else {
    platform::MoveControl(g->handle, rect);
  }
}

GadgetSize MeasureGadget(int gadget) {
  GadgetObject* g = Find(gadget);
  if (!g || !g->kind->requiredSize) return {};
  PixelSize size = g->kind->requiredSize(*g);
  return {FromPixelsX(size.width), FromPixelsY(size.height)};
}

int ReadGadgetX(int gadget) {
  GadgetObject* g = Find(gadget);
  return g ? FromPixelsX(platform::ControlRect(g->handle).x) : 0;
}

int ReadGadgetY(int gadget) {
  GadgetObject* g = Find(gadget);
  return g ? FromPixelsY(platform::ControlRect(g->handle).y) : 0;
}

int ReadGadgetWidth(int gadget, int required) {
  if (required == 1) return MeasureGadget(gadget).width;
  GadgetObject* g = Find(gadget);
  return g ? FromPixelsX(platform::ControlRect(g->handle).width) : 0;
}

int ReadGadgetHeight(int gadget, int required) {
  if (required == 1) return MeasureGadget(gadget).height;
  GadgetObject* g = Find(gadget);
  return g ? FromPixelsY(platform::ControlRect(g->handle).height) : 0;
}

int GadgetRowHeight(int gadget) {
  GadgetObject* g = Find(gadget);
  return g && g->kind->rowHeight ? FromPixelsY(g->kind->rowHeight(*g)) : 0;
}

int SystemEdgeWidth() { return platform::EdgeSize().width; }
int SystemEdgeHeight() { return platform::EdgeSize().height; }
int SystemBorderWidth() { return platform::BorderWidth(); }

Handle GetGadgetHandle(int gadget) {
  GadgetObject* g = Find(gadget);
  return g ? g->handle : 0;
}

int GetGadgetKind(int gadget) {
  GadgetObject* g = Find(gadget);
  return g ? g->kind->code : 0;
}

void OpenGadgetParent(int gadget, int item) {
  GadgetObject* g = Find(gadget);
  if (g && g->kind->openItem) g->kind->openItem(*g, item);
}

int BindGadgetHandler(int gadget, const EventHandler& handler, int type) {
  GadgetObject* g = Find(gadget);
  return g ? BindEventHandler(EV_GADGET, handler, g->window, gadget, type) : 0;
}

int UnbindGadgetHandler(int gadget, const EventHandler& handler, int type) {
  GadgetObject* g = Find(gadget);
  return g ? UnbindEventHandler(EV_GADGET, handler, g->window, gadget, type) : 0;
}

}  // namespace kv
