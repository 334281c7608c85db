// A dialog template as the program sees it, the same in both builds: read
// from the compiled resource (Win32) or from the script (native).
#pragma once
#include <string>
#include <vector>

struct ControlView {
  std::string text;  // "#109" for an image id
  unsigned id = 0;
  std::string cls;  // upper-case class name
  unsigned long style = 0, exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogView {
  bool extended = false;
  unsigned long style = 0, exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::string caption, face;
  int pointSize = 0, weight = 0, italic = 0, charset = 0;
  std::vector<ControlView> controls;
};

bool ReadDialogTemplate(unsigned id, DialogView& view);

// Width and height of bitmap id as the program would load it.
bool ReadBitmapSize(unsigned id, int& width, int& height);
