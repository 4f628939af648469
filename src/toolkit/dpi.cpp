#include "toolkit/dpi.h"

#include <cmath>
#include <cstdint>

#include "toolkit/platform.h"

namespace kv {

namespace {

constexpr int kBaseDpi = 96;

PixelSize& Dpi() {
  static PixelSize dpi{kBaseDpi, kBaseDpi};
  return dpi;
}

// value * dpi / 96 rounded half away from zero, as the platform's MulDiv.
int Scale(int value, int dpi) {
  std::int64_t product = static_cast<std::int64_t>(value) * dpi;
  std::int64_t half = kBaseDpi / 2;
  return static_cast<int>((product >= 0 ? product + half : product - half) / kBaseDpi);
}

int Unscale(int pixels, int dpi) {
  return static_cast<int>(std::floor(pixels / (dpi / double{kBaseDpi}) + 0.5));
}

}  // namespace

void InitDpiScale() {
  PixelSize dpi = platform::ScreenDpi();
  Dpi() = {dpi.width > 0 ? dpi.width : kBaseDpi, dpi.height > 0 ? dpi.height : kBaseDpi};
}

int ToPixelsX(int v) { return Scale(v, Dpi().width); }
int ToPixelsY(int v) { return Scale(v, Dpi().height); }
int FromPixelsX(int p) { return Unscale(p, Dpi().width); }
int FromPixelsY(int p) { return Unscale(p, Dpi().height); }

}  // namespace kv
