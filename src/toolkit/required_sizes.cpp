// The sizes gadgets need, the same on every platform once text is measured.
#include <algorithm>

#include "toolkit/reports.h"
#include "toolkit/dpi.h"

namespace kv {

namespace {

constexpr int kButtonPadding = 10;
constexpr int kTallButtonFrom = 18;
constexpr int kTallButtonTo = 24;
// Single precision on purpose: an exact product such as 100 x 1.27 must give
// 126, as the float factor always did.
constexpr double kTallButtonFactor = static_cast<double>(1.27f);

// A check mark's box and the gap after it, in units.
constexpr int kChoiceMark = 13;
constexpr int kChoiceGap = 6;

}  // namespace

PixelSize ButtonRequiredSize(PixelSize text, PixelSize edge) {
  int width = text.width + ToPixelsX(2 * edge.width + kButtonPadding);
  int height = text.height + ToPixelsY(2 * edge.height);
  int tallest = ToPixelsY(kTallButtonTo);
  if (height >= ToPixelsY(kTallButtonFrom) && height < tallest) {
    height = std::min(static_cast<int>(height * kTallButtonFactor), tallest);
  }
  return {width, height};
}

PixelSize StringRequiredSize(int textHeight, PixelSize edge) {
  return {2 * edge.width, textHeight + 2 * edge.height};
}

PixelSize TextRequiredSize(PixelSize drawn, bool border, PixelSize edge) {
  PixelSize frame = border ? PixelSize{2 * edge.width, 2 * edge.height} : PixelSize{2, 2};
  return {drawn.width + frame.width, drawn.height + frame.height};
}

PixelSize ChoiceRequiredSize(PixelSize text) {
  return {text.width + ToPixelsX(kChoiceMark + kChoiceGap),
          std::max(text.height, ToPixelsY(kChoiceMark)) + 2};
}

PixelSize FieldRequiredSize(PixelSize sample, PixelSize edge, int buttonWidth) {
  return {sample.width + 2 * edge.width + buttonWidth + 2, sample.height + 2 * edge.height + 2};
}

}  // namespace kv
