// artgen DIR: draws the setup program's bitmaps and icon, deterministically,
// into DIR (res/ keeps the generated files):
//   slide1..5.bmp (103-107), logo.bmp (108), white.bmp (109), folders.bmp
//   (110), golight.bmp (111), fireworks.bmp (112), stop.bmp (113), lumiroll.ico (101).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Rgb {
  uint8_t r, g, b;
};

const Rgb kWhite{255, 255, 255};

Rgb Mix(Rgb a, Rgb b, double t) {
  auto m = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(x + (y - x) * t); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

class Canvas {
 public:
  Canvas(int w, int h, Rgb fill) : w_(w), h_(h), px_(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}
  int W() const { return w_; }
  int H() const { return h_; }
  void Set(int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_)
      px_[static_cast<size_t>(y) * static_cast<size_t>(w_) + static_cast<size_t>(x)] = c;
  }
  Rgb Get(int x, int y) const { return px_[static_cast<size_t>(y) * static_cast<size_t>(w_) + static_cast<size_t>(x)]; }
  void Rect(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Set(x, y, c);
  }
  void VGradient(int y0, int y1, Rgb top, Rgb bottom) {
    for (int y = y0; y < y1; ++y) {
      Rgb c = Mix(top, bottom, (y - y0) / double(y1 - y0 > 1 ? y1 - y0 - 1 : 1));
      for (int x = 0; x < w_; ++x) Set(x, y, c);
    }
  }
  void Disc(double cx, double cy, double r, Rgb c) {
    for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y)
      for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x)
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) Set(x, y, c);
  }
  void Ellipse(double cx, double cy, double rx, double ry, Rgb c) {
    for (int y = int(cy - ry) - 1; y <= int(cy + ry) + 1; ++y)
      for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x) {
        double dx = (x - cx) / rx, dy = (y - cy) / ry;
        if (dx * dx + dy * dy <= 1) Set(x, y, c);
      }
  }
  void Line(double x0, double y0, double x1, double y1, double width, Rgb c) {
    double len = std::hypot(x1 - x0, y1 - y0);
    int steps = int(len * 2) + 1;
    for (int k = 0; k <= steps; ++k) {
      double t = double(k) / steps;
      Disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, c);
    }
  }
  // Fills a polygon by the even-odd rule.
  void Polygon(const std::vector<std::pair<double, double>>& pts, Rgb c) {
    for (int y = 0; y < h_; ++y) {
      double yc = y + 0.5;
      std::vector<double> xs;
      for (size_t i = 0; i < pts.size(); ++i) {
        auto a = pts[i], b = pts[(i + 1) % pts.size()];
        if ((a.second <= yc && b.second > yc) || (b.second <= yc && a.second > yc)) {
          xs.push_back(a.first + (yc - a.second) / (b.second - a.second) * (b.first - a.first));
        }
      }
      std::sort(xs.begin(), xs.end());
      for (size_t i = 0; i + 1 < xs.size(); i += 2)
        for (int x = int(std::ceil(xs[i] - 0.5)); x < int(std::ceil(xs[i + 1] - 0.5)); ++x) Set(x, y, c);
    }
  }
  // Text in a 5 x 7 pixel font, each pixel drawn as a scale x scale block.
  void Text(int x, int y, const std::string& s, int scale, const std::vector<Rgb>& colours) {
    for (size_t i = 0; i < s.size(); ++i) {
      const uint8_t* g = Glyph(s[i]);
      Rgb c = colours[i % colours.size()];
      for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
          if (g[row] & (0x10 >> col))
            Rect(x + col * scale, y + row * scale, x + (col + 1) * scale, y + (row + 1) * scale, c);
      x += 5 * scale + (scale + 1) / 2;
    }
  }

  // Writes the picture at the depth it needs: 4 bits a pixel for up to 16
  // colours, 8 for up to 256 (with a palette of exactly the colours used),
  // else 24.
  bool SaveBmp(const std::string& path) const {
    std::vector<Rgb> palette;
    std::map<uint32_t, uint8_t> index;
    for (int y = 0; y < h_ && palette.size() <= 256; ++y)
      for (int x = 0; x < w_ && palette.size() <= 256; ++x) {
        Rgb c = Get(x, y);
        uint32_t key = static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(c.g) << 8 | c.b;
        if (index.emplace(key, static_cast<uint8_t>(palette.size())).second) palette.push_back(c);
      }
    const int bits = palette.size() <= 16 ? 4 : (palette.size() <= 256 ? 8 : 24);
    const size_t colours = bits == 24 ? 0 : palette.size();
    const int row = ((w_ * bits + 31) / 32) * 4;
    const size_t dataAt = 54 + 4 * colours;
    std::vector<uint8_t> f(dataAt + static_cast<size_t>(row * h_), 0);
    auto put32 = [&](size_t at, uint32_t v) {
      for (int k = 0; k < 4; ++k) f[at + k] = static_cast<uint8_t>(v >> (8 * k));
    };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, static_cast<uint32_t>(f.size()));
    put32(10, static_cast<uint32_t>(dataAt));
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w_));
    put32(22, static_cast<uint32_t>(h_));
    f[26] = 1;
    f[28] = static_cast<uint8_t>(bits);
    put32(34, static_cast<uint32_t>(row * h_));
    put32(38, 2835);
    put32(42, 2835);
    put32(46, static_cast<uint32_t>(colours));
    put32(50, static_cast<uint32_t>(colours));
    for (size_t i = 0; i < colours; ++i) {
      f[54 + 4 * i] = palette[i].b;
      f[55 + 4 * i] = palette[i].g;
      f[56 + 4 * i] = palette[i].r;
    }
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        Rgb c = Get(x, h_ - 1 - y);
        uint8_t* line = &f[dataAt + static_cast<size_t>(y * row)];
        if (bits == 24) {
          line[x * 3] = c.b;
          line[x * 3 + 1] = c.g;
          line[x * 3 + 2] = c.r;
          continue;
        }
        uint8_t i = index[static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(c.g) << 8 | c.b];
        if (bits == 8) {
          line[x] = i;
        } else {
          line[x / 2] |= static_cast<uint8_t>(x % 2 ? i : i << 4);
        }
      }
    if (bits != 24) {
      std::vector<uint8_t> rle = Rle(f, dataAt, row, bits);
      if (rle.size() < f.size() - dataAt) {  // run-length coded where that is smaller
        f.resize(dataAt);
        f.insert(f.end(), rle.begin(), rle.end());
        put32(2, static_cast<uint32_t>(f.size()));
        put32(30, bits == 8 ? 1 : 2);  // BI_RLE8, BI_RLE4
        put32(34, static_cast<uint32_t>(rle.size()));
      }
    }
    return Save(path, f);
  }

  // BI_RLE8 or BI_RLE4 coding of the rows of f (bottom row first): runs of
  // one index, rows ended by 00 00, the picture by 00 01. Pixels that repeat
  // no index are runs of one, which the format allows.
  std::vector<uint8_t> Rle(const std::vector<uint8_t>& f, size_t dataAt, int row, int bits) const {
    std::vector<uint8_t> out;
    for (int y = 0; y < h_; ++y) {
      const uint8_t* line = &f[dataAt + static_cast<size_t>(y * row)];
      auto at = [&](int x) { return bits == 8 ? line[x] : (x % 2 ? line[x / 2] & 0xF : line[x / 2] >> 4); };
      for (int x = 0; x < w_;) {
        int n = 1;
        while (x + n < w_ && n < 255 && at(x + n) == at(x)) ++n;
        out.push_back(static_cast<uint8_t>(n));
        out.push_back(static_cast<uint8_t>(bits == 8 ? at(x) : (at(x) << 4 | at(x))));
        x += n;
      }
      out.push_back(0);
      out.push_back(0);
    }
    out.push_back(0);
    out.push_back(1);
    return out;
  }

  static bool Save(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && ok;
  }

 private:
  static const uint8_t* Glyph(char ch) {
    static const struct {
      char c;
      uint8_t rows[7];
    } kFont[] = {
        {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}}, {'u', {0x00, 0x00, 0x11, 0x11, 0x11, 0x13, 0x0D}},
        {'m', {0x00, 0x00, 0x1A, 0x15, 0x15, 0x15, 0x15}}, {'i', {0x04, 0x00, 0x0C, 0x04, 0x04, 0x04, 0x0E}},
        {'s', {0x00, 0x00, 0x0F, 0x10, 0x0E, 0x01, 0x1E}}, {'c', {0x00, 0x00, 0x0E, 0x10, 0x10, 0x11, 0x0E}},
        {'r', {0x00, 0x00, 0x16, 0x19, 0x10, 0x10, 0x10}}, {'o', {0x00, 0x00, 0x0E, 0x11, 0x11, 0x11, 0x0E}},
        {'l', {0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
        {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}}, {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
        {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    };
    static const uint8_t kBlank[7] = {0};
    for (const auto& g : kFont)
      if (g.c == ch) return g.rows;
    return kBlank;
  }

  int w_, h_;
  std::vector<Rgb> px_;
};

Canvas Sunset() {  // 103: the sun going down over the sea
  Canvas c(188, 156, kWhite);
  c.VGradient(0, 100, {40, 40, 120}, {250, 150, 60});
  c.Disc(94, 96, 26, {255, 220, 80});
  c.VGradient(100, 156, {30, 60, 130}, {10, 20, 60});
  for (int k = 0; k < 6; ++k) c.Rect(70 + k * 3, 106 + k * 8, 118 - k * 3, 109 + k * 8, {250, 190, 90});
  return c;
}

Canvas Tree() {  // 104: a tree on a meadow
  Canvas c(128, 137, {170, 215, 250});
  c.Rect(0, 105, 128, 137, {90, 170, 70});
  c.Rect(56, 70, 72, 112, {110, 70, 35});
  c.Disc(64, 50, 34, {40, 130, 50});
  c.Disc(42, 66, 22, {50, 145, 55});
  c.Disc(86, 66, 22, {50, 145, 55});
  return c;
}

Canvas Mountain() {  // 105: a snow-capped mountain under a blue sky
  Canvas c(176, 200, kWhite);
  c.VGradient(0, 200, {80, 140, 230}, {190, 220, 250});
  c.Polygon({{0, 200}, {88, 40}, {176, 200}}, {110, 100, 95});
  c.Polygon({{64, 84}, {88, 40}, {112, 84}, {100, 76}, {88, 88}, {76, 76}}, kWhite);
  c.Rect(0, 180, 176, 200, {70, 140, 60});
  c.Disc(146, 34, 14, {255, 230, 90});
  return c;
}

Canvas Flower() {  // 106: a flower with pink petals
  Canvas c(133, 131, {230, 245, 220});
  c.Line(66, 70, 66, 131, 5, {40, 120, 40});
  c.Ellipse(50, 110, 14, 6, {60, 150, 60});
  for (int k = 0; k < 8; ++k) {
    double a = k * 3.14159265 / 4;
    c.Disc(66 + 24 * std::cos(a), 52 + 24 * std::sin(a), 14, {235, 90, 150});
  }
  c.Disc(66, 52, 13, {250, 210, 40});
  return c;
}

Canvas Waterfall() {  // 107: water falling over dark rocks
  Canvas c(125, 183, {120, 160, 100});
  c.Rect(0, 0, 125, 40, {150, 200, 240});
  c.Rect(0, 40, 30, 183, {80, 75, 70});
  c.Rect(95, 40, 125, 183, {80, 75, 70});
  for (int x = 30; x < 95; ++x)
    for (int y = 40; y < 160; ++y) c.Set(x, y, ((x * 7 + y / 3) % 11) < 3 ? kWhite : Rgb{70, 130, 210});
  c.Ellipse(62, 168, 50, 14, {200, 225, 250});
  return c;
}

Canvas Logo() {  // 108: the product name as a coloured logo
  Canvas c(166, 70, kWhite);
  const std::vector<Rgb> colours = {{220, 40, 40},  {240, 140, 20}, {230, 200, 20}, {60, 170, 60}, {30, 120, 220},
                                    {120, 60, 200}, {220, 40, 140}, {20, 170, 170}, {240, 90, 40}, {90, 90, 220}};
  c.Text(2, 13, "Lumiscroll", 3, colours);
  c.Rect(4, 50, 162, 53, {30, 120, 220});
  c.Rect(4, 56, 110, 58, {240, 140, 20});
  return c;
}

Canvas Folders() {  // 110: a row of four yellow folders
  Canvas c(392, 78, kWhite);
  for (int k = 0; k < 4; ++k) {
    int x = 14 + k * 96;
    c.Rect(x, 14, x + 30, 24, {220, 170, 30});
    c.Rect(x, 20, x + 76, 66, {245, 200, 50});
    c.Rect(x, 64, x + 76, 66, {190, 140, 20});
    c.Rect(x + 4, 30, x + 72, 32, {255, 230, 120});
  }
  return c;
}

Canvas GoLight() {  // 111: a traffic light showing green
  Canvas c(128, 150, kWhite);
  c.Rect(54, 120, 74, 150, {90, 90, 90});
  c.Rect(34, 4, 94, 124, {40, 40, 40});
  c.Disc(64, 26, 15, {80, 20, 20});
  c.Disc(64, 63, 15, {90, 70, 10});
  c.Disc(64, 100, 15, {40, 230, 70});
  c.Disc(60, 96, 5, {190, 255, 200});
  return c;
}

Canvas Fireworks() {  // 112: bursts of fireworks in the night sky
  Canvas c(75, 134, {10, 10, 40});
  const Rgb colours[3] = {{255, 80, 80}, {255, 220, 60}, {100, 200, 255}};
  const double centres[3][2] = {{38, 34}, {20, 78}, {54, 100}};
  for (int b = 0; b < 3; ++b) {
    for (int k = 0; k < 12; ++k) {
      double a = k * 3.14159265 / 6 + b * 0.3;
      double x0 = centres[b][0] + 4 * std::cos(a), y0 = centres[b][1] + 4 * std::sin(a);
      c.Line(x0, y0, centres[b][0] + 16 * std::cos(a), centres[b][1] + 16 * std::sin(a), 2, colours[b]);
      c.Disc(centres[b][0] + 18 * std::cos(a), centres[b][1] + 18 * std::sin(a), 1.5, kWhite);
    }
  }
  return c;
}

Canvas Stop() {  // 113: a stop sign on its pole
  Canvas c(128, 213, kWhite);
  c.Rect(58, 110, 70, 213, {120, 120, 120});
  std::vector<std::pair<double, double>> oct;
  for (int k = 0; k < 8; ++k) {
    double a = (k + 0.5) * 3.14159265 / 4;
    oct.push_back({64 + 60 * std::cos(a), 62 + 60 * std::sin(a)});
  }
  c.Polygon(oct, kWhite);
  for (auto& p : oct) p = {64 + (p.first - 64) * 0.9, 62 + (p.second - 62) * 0.9};
  c.Polygon(oct, {200, 20, 30});
  c.Text(21, 48, "STOP", 4, {kWhite});
  return c;
}

// The icon: a framed picture (mountain and sun), in the 16 standard colours.
bool SaveIcon(const std::string& path) {
  const Rgb palette[16] = {{0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
                           {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
                           {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  auto nearest = [&](Rgb c) {
    int best = 0;
    long bestD = -1;
    for (int k = 0; k < 16; ++k) {
      long d = (c.r - palette[k].r) * (c.r - palette[k].r) + (c.g - palette[k].g) * (c.g - palette[k].g) +
               (c.b - palette[k].b) * (c.b - palette[k].b);
      if (bestD < 0 || d < bestD) bestD = d, best = k;
    }
    return best;
  };
  auto draw = [](int n) {
    Canvas c(n, n, {0, 0, 128});
    double s = n / 32.0;
    c.Rect(int(2 * s), int(4 * s), int(30 * s), int(28 * s), {128, 128, 0});
    c.Rect(int(4 * s), int(6 * s), int(28 * s), int(26 * s), {0, 255, 255});
    c.Polygon({{4 * s, 26 * s}, {14 * s, 12 * s}, {24 * s, 26 * s}}, {0, 128, 0});
    c.Polygon({{14 * s, 26 * s}, {21 * s, 16 * s}, {28 * s, 26 * s}}, {0, 255, 0});
    c.Disc(23 * s, 10 * s, 3 * s, {255, 255, 0});
    return c;
  };
  std::vector<uint8_t> f = {0, 0, 1, 0, 2, 0};
  std::vector<std::vector<uint8_t>> images;
  for (int n : {32, 16}) {
    Canvas c = draw(n);
    std::vector<uint8_t> img(40, 0);
    auto put32 = [&](size_t at, uint32_t v) {
      for (int k = 0; k < 4; ++k) img[at + k] = static_cast<uint8_t>(v >> (8 * k));
    };
    put32(0, 40);
    put32(4, static_cast<uint32_t>(n));
    put32(8, static_cast<uint32_t>(2 * n));  // colour image and mask
    img[12] = 1;
    img[14] = 4;
    for (const Rgb& p : palette) img.insert(img.end(), {p.b, p.g, p.r, 0});
    const int xorRow = ((n * 4 + 31) / 32) * 4, andRow = ((n + 31) / 32) * 4;
    for (int y = n - 1; y >= 0; --y) {
      std::vector<uint8_t> row(static_cast<size_t>(xorRow), 0);
      for (int x = 0; x < n; ++x)
        row[static_cast<size_t>(x / 2)] |= static_cast<uint8_t>(nearest(c.Get(x, y)) << (x % 2 ? 0 : 4));
      img.insert(img.end(), row.begin(), row.end());
    }
    img.insert(img.end(), static_cast<size_t>(andRow) * static_cast<size_t>(n), 0);  // fully opaque
    images.push_back(img);
  }
  uint32_t offset = 6 + 16 * 2;
  const int sizes[2] = {32, 16};
  for (size_t k = 0; k < images.size() && k < 2; ++k) {
    uint8_t n = static_cast<uint8_t>(sizes[k]);
    uint32_t len = static_cast<uint32_t>(images[k].size());
    f.insert(f.end(), {n, n, 16, 0, 1, 0, 4, 0});
    for (uint32_t v : {len, offset}) {
      for (int b = 0; b < 4; ++b) f.push_back(static_cast<uint8_t>(v >> (8 * b)));
    }
    offset += len;
  }
  for (const auto& img : images) f.insert(f.end(), img.begin(), img.end());
  return Canvas::Save(path, f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artgen DIR\n");
    return 1;
  }
  std::string dir = argv[1];
  struct Item {
    const char* name;
    Canvas (*draw)();
  };
  const Item items[] = {{"slide1.bmp", Sunset},   {"slide2.bmp", Tree},      {"slide3.bmp", Mountain},
                        {"slide4.bmp", Flower},   {"slide5.bmp", Waterfall}, {"logo.bmp", Logo},
                        {"folders.bmp", Folders}, {"golight.bmp", GoLight},  {"fireworks.bmp", Fireworks},
                        {"stop.bmp", Stop}};
  bool ok = true;
  for (const Item& it : items) ok = it.draw().SaveBmp(dir + "/" + it.name) && ok;
  ok = Canvas(48, 48, kWhite).SaveBmp(dir + "/white.bmp") && ok;
  ok = SaveIcon(dir + "/lumiroll.ico") && ok;
  if (!ok) std::fprintf(stderr, "artgen: cannot write into %s\n", dir.c_str());
  return ok ? 0 : 1;
}
