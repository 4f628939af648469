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
  ControlData& data = DataOf(gadget);
  if (data.frontColor == -1 && data.backColor == -1) return false;
  if (data.frontColor != -1) SetTextColor(dc, static_cast<COLORREF>(data.frontColor));
  if (data.backColor != -1) {
    SetBkColor(dc, static_cast<COLORREF>(data.backColor));
    *result = reinterpret_cast<LRESULT>(data.backBrush);
  } else {
    SetBkColor(dc, GetSysColor(defaultColor));
    *result = reinterpret_cast<LRESULT>(GetSysColorBrush(defaultColor));
  }
  return true;
}

int ReadColor(GadgetObject& gadget, int which) {
  ControlData& data = DataOf(gadget);
  if (which == KV_FrontColor) return data.frontColor;
  if (which == KV_BackColor) return data.backColor;
  return 0;
}

void WriteColor(GadgetObject& gadget, int which, int color) {
  ControlData& data = DataOf(gadget);
  if (which == KV_FrontColor) {
    data.frontColor = color;
  } else if (which == KV_BackColor) {
    ReleaseColors(gadget);
    data.backColor = color;
    if (color != -1) data.backBrush = AcquireBrush(static_cast<COLORREF>(color));
  } else {
    return;
  }
  InvalidateRect(HwndOf(gadget), nullptr, TRUE);
}

void ReleaseColors(GadgetObject& gadget) {
  ControlData& data = DataOf(gadget);
  if (data.backBrush) ReleaseBrush(static_cast<COLORREF>(data.backColor));
  data.backBrush = nullptr;
}

}  // namespace kv::win32
