#include "rules.h"

#include <cstdio>
#include <cstring>

#include "lumiwin.h"

unsigned WizardButtonsFor(int page, int pageCount) {
  if (page == 1) return PSWIZB_NEXT;
  if (page == pageCount) return PSWIZB_BACK | PSWIZB_FINISH;
  return PSWIZB_BACK | PSWIZB_NEXT;
}

bool FitSize(int w, int h, int W, int H, int& width, int& height) {
  if (w <= 0 || h <= 0 || W <= 0 || H <= 0) return false;
  // volatile keeps each value a true double, also where the processor
  // computes in wider registers.
  volatile double rx = static_cast<double>(W) / w;
  volatile double ry = static_cast<double>(H) / h;
  if (rx >= ry) {
    volatile double scaled = w * ry;
    height = H;
    width = static_cast<int>(scaled);
  } else {
    volatile double scaled = h * rx;
    width = W;
    height = static_cast<int>(scaled);
  }
  return true;
}

bool FormatPageTitle(char (&buf)[kTitleBuffer], const char* stem, bool counted, int page, int count) {
  if (!stem) stem = "";
  char suffix[32] = "";
  if (counted) std::snprintf(suffix, sizeof suffix, " (%d of %d)", page, count);
  size_t a = std::strlen(stem), b = std::strlen(suffix);
  if (a + b >= kTitleBuffer) {
    buf[0] = 0;
    return false;
  }
  std::memcpy(buf, stem, a);
  std::memcpy(buf + a, suffix, b + 1);
  return true;
}
