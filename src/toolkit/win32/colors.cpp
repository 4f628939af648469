// Gadget colours, painted with solid brushes from a cache shared by all
// gadgets: one brush per colour value, deleted with its last user.
#include "win32.h"

#include <map>
#include <mutex>

namespace kv::win32 {

namespace {

struct CachedBrush {
  HBRUSH brush = nullptr;
  int users = 0;
};

std::mutex brushLock;
std::map<COLORREF, CachedBrush> brushes;

}  // namespace

HBRUSH AcquireBrush(COLORREF color) {
  std::lock_guard lock(brushLock);
  CachedBrush& cached = brushes[color];
  if (!cached.brush) cached.brush = CreateSolidBrush(color);
  ++cached.users;
  return cached.brush;
}

void ReleaseBrush(COLORREF color) {
  std::lock_guard lock(brushLock);
  auto it = brushes.find(color);
  if (it == brushes.end() || --it->second.users > 0) return;
  DeleteObject(it->second.brush);
  brushes.erase(it);
}

bool PaintColors(GadgetObject& gadget, HDC dc, int defaultColor, LRESULT* result) {
  if (gadget.frontColor == -1 && gadget.backColor == -1) return false;
  if (gadget.frontColor != -1) SetTextColor(dc, static_cast<COLORREF>(gadget.frontColor));
  if (gadget.backColor != -1) {
    SetBkColor(dc, static_cast<COLORREF>(gadget.backColor));
    *result = reinterpret_cast<LRESULT>(DataOf(gadget).backBrush);
  } else {
    SetBkColor(dc, GetSysColor(defaultColor));
    *result = reinterpret_cast<LRESULT>(GetSysColorBrush(defaultColor));
  }
  return true;
}

void ShowColor(GadgetObject& gadget, int which) {
  if (which == KV_BackColor) {
    ReleaseColors(gadget);
    if (gadget.backColor != -1) {
      ControlData& data = DataOf(gadget);
      data.brushColor = static_cast<COLORREF>(gadget.backColor);
      data.backBrush = AcquireBrush(data.brushColor);
    }
  }
  InvalidateRect(HwndOf(gadget), nullptr, TRUE);
}

void ReleaseColors(GadgetObject& gadget) {
  ControlData& data = DataOf(gadget);
  if (data.backBrush) ReleaseBrush(data.brushColor);
  data.backBrush = nullptr;
}

}  // namespace kv::win32
