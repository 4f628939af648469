// Device-independent units (1/96 inch) and screen pixels.
//
// Every position and size at the toolkit's interface is in units; the toolkit
// converts them with the screen's DPI, read once by InitDpiScale.
#pragma once

namespace kv {

// Reads the screen's horizontal and vertical DPI (96 and 96 when unknown).
void InitDpiScale();

// v * dpi / 96, rounded to the nearest integer (halves away from zero).
int ToPixelsX(int v);
int ToPixelsY(int v);

// floor(p / (dpi / 96) + 0.5).
int FromPixelsX(int p);
int FromPixelsY(int p);

}  // namespace kv
