// The wizard frame's rules that need no window: button choice, picture fit
// and page titles.
#pragma once
#include <cstddef>

// The buttons a page offers, as PSWIZB_ flags: Next alone on page 1, Back and Finish on the
// last counted page, Back and Next otherwise (the first-page test wins).
unsigned WizardButtonsFor(int page, int pageCount);

// The fit rule: the size of a w x h picture scaled, aspect kept, to fill a
// W x H area in one dimension (IEEE double ratios, truncated toward zero;
// equal ratios fill the height). False, with the size untouched, when the
// picture or the area has no width or height.
bool FitSize(int w, int h, int W, int H, int& width, int& height);

// Page titles live in a 40-character buffer (with the NUL). Writes stem, or
// stem followed by " (page of count)", into buf; false, with buf empty,
// when the title would not fit. The stem is text, never a format.
constexpr size_t kTitleBuffer = 40;
bool FormatPageTitle(char (&buf)[kTitleBuffer], const char* stem, bool counted, int page, int count);
