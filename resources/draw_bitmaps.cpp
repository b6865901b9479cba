// Draws the instrument's face and icon bitmaps and writes them as 8-bit palette BMP files,
// one per resource id, into the folder named on the command line:
//   kolvex-draw-bitmaps <folder>
// The Windows build links them into the module as bitmap resources; the panel host emulator
// reads them from the folder.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Rgb {
  std::uint8_t r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colours of the display.
constexpr Rgb kDisplayGrey{162, 162, 162};
constexpr Rgb kInk{8, 8, 8};
constexpr Rgb kSatelliteBody{40, 40, 40};
constexpr Rgb kSatellitePanel{88, 88, 88};
constexpr Rgb kWindow{170, 167, 169};

// Colours of the housing. Pure black marks what the host leaves undrawn, so nothing inside
// the housing may use it.
constexpr Rgb kTransparent{0, 0, 0};
constexpr Rgb kHousingEdgeLight{118, 120, 126};
constexpr Rgb kHousingEdgeDark{22, 23, 26};
constexpr Rgb kBezelDark{18, 18, 20};
constexpr Rgb kBezelShade{34, 35, 38};
constexpr Rgb kBezelLight{132, 134, 140};
constexpr Rgb kPrint{226, 226, 222};
constexpr Rgb kButtonLight{255, 255, 255};
constexpr Rgb kButtonFace{238, 238, 236};
constexpr Rgb kButtonShade{196, 196, 194};
constexpr Rgb kButtonGroove{14, 14, 16};
constexpr Rgb kEmblemRing{206, 208, 212};
constexpr Rgb kEmblemRingShade{150, 152, 158};
constexpr Rgb kEmblemField{28, 64, 128};
constexpr Rgb kEmblemSky{44, 92, 168};

class Image {
 public:
  Image(int width, int height, Rgb fill)
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), fill) {}

  int width() const { return width_; }
  int height() const { return height_; }

  Rgb at(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }

  void set(int x, int y, Rgb colour) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) {
      pixels_[static_cast<std::size_t>(y * width_ + x)] = colour;
    }
  }

  void fill(int x, int y, int w, int h, Rgb colour) {
    for (int row = y; row < y + h; ++row) {
      for (int column = x; column < x + w; ++column) {
        set(column, row, colour);
      }
    }
  }

  // Sets every pixel whose centre lies within the given distance band of (cx, cy).
  void ring(double cx, double cy, double inner, double outer, Rgb colour) {
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        const double d = std::hypot(x - cx, y - cy);
        if (d >= inner && d < outer) {
          set(x, y, colour);
        }
      }
    }
  }

  void disc(double cx, double cy, double radius, Rgb colour) { ring(cx, cy, -1.0, radius, colour); }

  // Fills the triangle a, b, c (pixel centres on or inside it).
  void triangle(std::array<double, 2> a, std::array<double, 2> b, std::array<double, 2> c,
                Rgb colour) {
    auto side = [](std::array<double, 2> p, std::array<double, 2> q, double x, double y) {
      return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0]);
    };
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        const double s1 = side(a, b, x, y);
        const double s2 = side(b, c, x, y);
        const double s3 = side(c, a, x, y);
        const bool all_positive = s1 >= 0 && s2 >= 0 && s3 >= 0;
        const bool all_negative = s1 <= 0 && s2 <= 0 && s3 <= 0;
        if (all_positive || all_negative) {
          set(x, y, colour);
        }
      }
    }
  }

  Image mirrored() const {
    Image out(width_, height_, kDisplayGrey);
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        out.set(width_ - 1 - x, y, at(x, y));
      }
    }
    return out;
  }

 private:
  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

// A small pixel font: capitals seven rows high, small letters five, descenders two more.
// Each glyph is drawn emboldened (every set pixel also sets its right neighbour), in the
// manner of the display's own bold font.
struct Glyph {
  char character;
  std::array<std::string_view, 9> rows;
};

constexpr std::array kGlyphs{
    Glyph{'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####.", "", ""}},
    Glyph{'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####.", "", ""}},
    Glyph{'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####", "", ""}},
    Glyph{'G', {".####", "#....", "#....", "#..##", "#...#", "#...#", ".###.", "", ""}},
    Glyph{'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#", "", ""}},
    Glyph{'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####", "", ""}},
    Glyph{'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#", "", ""}},
    Glyph{'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###.", "", ""}},
    Glyph{'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#..", "", ""}},
    Glyph{'V', {"#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#..", "", ""}},
    Glyph{'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#", "", ""}},
    Glyph{'-', {"...", "...", "...", "###", "...", "...", "...", "", ""}},
    Glyph{'g', {".....", ".....", ".####", "#...#", "#...#", "#...#", ".####", "....#", ".###."}},
    Glyph{'i', {"#", ".", "#", "#", "#", "#", "#", "", ""}},
    Glyph{'k', {"#...", "#...", "#..#", "#.#.", "##..", "#.#.", "#..#", "", ""}},
    Glyph{'r', {".....", ".....", "#.##.", "##..#", "#....", "#....", "#....", "", ""}},
    Glyph{'s', {".....", ".....", ".####", "#....", ".###.", "....#", "####.", "", ""}},
    Glyph{'t', {"....", ".#..", "####", ".#..", ".#..", ".#.#", "..#.", "", ""}},
};

const Glyph& glyph(char character) {
  for (const Glyph& g : kGlyphs) {
    if (g.character == character) {
      return g;
    }
  }
  std::fprintf(stderr, "kolvex-draw-bitmaps: no glyph for '%c'\n", character);
  std::exit(1);
}

constexpr int kGlyphGap = 1;

int text_width(std::string_view text, int scale) {
  int width = 0;
  for (char c : text) {
    width += static_cast<int>(glyph(c).rows[0].size()) + 1 + kGlyphGap;
  }
  return (width - kGlyphGap) * scale;
}

// Draws text with the top of its capitals at row y.
void draw_text(Image& image, int x, int y, std::string_view text, int scale, Rgb colour) {
  for (char c : text) {
    const Glyph& g = glyph(c);
    const int glyph_width = static_cast<int>(g.rows[0].size());
    for (int row = 0; row < static_cast<int>(g.rows.size()); ++row) {
      const std::string_view bits = g.rows[static_cast<std::size_t>(row)];
      for (int column = 0; column < static_cast<int>(bits.size()); ++column) {
        if (bits[static_cast<std::size_t>(column)] == '#') {
          image.fill(x + column * scale, y + row * scale, 2 * scale, scale, colour);
        }
      }
    }
    x += (glyph_width + 1 + kGlyphGap) * scale;
  }
}

void draw_text_centred(Image& image, double centre_x, int y, std::string_view text, int scale,
                       Rgb colour) {
  const int x = static_cast<int>(std::lround(centre_x - text_width(text, scale) / 2.0));
  draw_text(image, x, y, text, scale, colour);
}

// A text icon: the text in ink, centred on the display grey. The capitals' top row is chosen
// so that capitals and descenders together sit in the middle of the icon.
Image text_icon(int width, int height, std::string_view text) {
  Image icon(width, height, kDisplayGrey);
  const bool has_descender = text.find('g') != std::string_view::npos;
  const int text_height = has_descender ? 9 : 7;
  draw_text_centred(icon, (width - 1) / 2.0 + 0.5, (height - text_height) / 2, text, 1, kInk);
  return icon;
}

// --- Steering bar ---------------------------------------------------------------------------

constexpr int kSteerWidth = 157;
constexpr int kSteerHeight = 17;
constexpr int kSteerCentre = 78;
constexpr int kBarLeft = 76;
constexpr int kBarRight = 80;
// Left tips of the arrow-head segments, innermost first.
constexpr std::array kSegmentTips{65, 51, 33, 1};
constexpr int kSegmentGap = 3;
constexpr int kArrowHalfHeight = 6;

// Frame 5 is the bar alone; each frame further left adds one more segment pointing left.
Image steering_frame_left(int segments) {
  Image frame(kSteerWidth, kSteerHeight, kDisplayGrey);
  frame.fill(kBarLeft, 0, kBarRight - kBarLeft + 1, kSteerHeight, kInk);
  const int middle = kSteerHeight / 2;
  for (int s = 0; s < segments; ++s) {
    const int tip = kSegmentTips[static_cast<std::size_t>(s)];
    // Each segment is a chevron band running from its tip up to a gap before the next inner
    // segment (or the bar), so the bands grow as they reach further out.
    const int inner_tip = s == 0 ? kBarLeft : kSegmentTips[static_cast<std::size_t>(s - 1)];
    const int thickness = inner_tip - tip - kSegmentGap;
    for (int d = 0; d <= kArrowHalfHeight; ++d) {
      int left = tip + d;
      int right = left + thickness - 1;
      if (s == 0) {
        right = std::min(right, kBarLeft - kSegmentGap - 1);
      }
      for (int x = left; x <= right; ++x) {
        frame.set(x, middle - d, kInk);
        frame.set(x, middle + d, kInk);
      }
    }
  }
  return frame;
}

// --- Satellites -----------------------------------------------------------------------------

void draw_satellite(Image& image, int x, int y) {
  // A body with two solar panels and an antenna: 11 x 9 pixels.
  image.fill(x, y + 3, 4, 3, kSatellitePanel);
  image.fill(x + 7, y + 3, 4, 3, kSatellitePanel);
  image.fill(x + 4, y + 4, 3, 1, kSatelliteBody);
  image.fill(x + 4, y + 2, 3, 5, kSatelliteBody);
  image.set(x + 5, y + 1, kSatelliteBody);
  image.set(x + 5, y, kSatelliteBody);
  image.fill(x + 4, y + 8, 3, 1, kSatellitePanel);
  image.set(x + 5, y + 7, kSatelliteBody);
}

Image satellite_icon() {
  Image icon(49, 27, kDisplayGrey);
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 4; ++column) {
      draw_satellite(icon, 1 + column * 12, 3 + row * 12);
    }
  }
  return icon;
}

// --- Face -----------------------------------------------------------------------------------

constexpr int kFaceSize = 315;
constexpr int kChamfer = 16;

struct Box {
  int x, y, w, h;
};

constexpr Box kWindowBox{36, 79, 242, 158};
constexpr Box kOnButton{93, 16, 30, 30};
constexpr Box kGoButton{190, 16, 30, 30};
constexpr Box kLeftButton{23, 269, 30, 30};
constexpr Box kUpButton{104, 269, 30, 30};
constexpr Box kDownButton{179, 269, 30, 30};
constexpr Box kRightButton{259, 269, 30, 30};

// Distance of a pixel from the housing's outline, counting the chamfers: negative outside.
int housing_depth(int x, int y) {
  const int last = kFaceSize - 1;
  const int straight = std::min({x, y, last - x, last - y});
  const int corner = std::min({x + y, (last - x) + y, x + (last - y), (last - x) + (last - y)});
  return std::min(straight, corner - kChamfer);
}

Rgb housing_colour(int y) {
  // A gentle fall of light from top to bottom, in a few steps.
  const int step = y * 8 / kFaceSize;
  const auto level = static_cast<std::uint8_t>(76 - step * 3);
  return Rgb{level, static_cast<std::uint8_t>(level + 1), static_cast<std::uint8_t>(level + 5)};
}

void draw_housing(Image& face) {
  for (int y = 0; y < kFaceSize; ++y) {
    for (int x = 0; x < kFaceSize; ++x) {
      const int depth = housing_depth(x, y);
      if (depth <= 0) {
        face.set(x, y, kTransparent);
      } else if (depth <= 2) {
        // Bevelled rim: lit from the top left.
        const bool lit = x + y < kFaceSize;
        face.set(x, y, lit ? kHousingEdgeLight : kHousingEdgeDark);
      } else {
        face.set(x, y, housing_colour(y));
      }
    }
  }
}

void draw_window(Image& face) {
  const Box& w = kWindowBox;
  // A recessed bezel: light outer lip, dark inner wall, then the window itself.
  face.fill(w.x - 7, w.y - 7, w.w + 14, w.h + 14, kBezelLight);
  face.fill(w.x - 6, w.y - 6, w.w + 13, w.h + 13, kBezelShade);
  face.fill(w.x - 6, w.y - 6, w.w + 12, w.h + 12, kBezelDark);
  face.fill(w.x, w.y, w.w, w.h, kWindow);
}

void draw_button(Image& face, const Box& b) {
  face.fill(b.x - 1, b.y - 1, b.w + 2, b.h + 2, kButtonGroove);
  face.fill(b.x, b.y, b.w, b.h, kButtonShade);
  face.fill(b.x, b.y, b.w - 2, b.h - 2, kButtonLight);
  face.fill(b.x + 2, b.y + 2, b.w - 4, b.h - 4, kButtonFace);
}

void draw_emblem(Image& face) {
  const double cx = 156.5;
  const double cy = 29.0;
  face.disc(cx + 1, cy + 1, 17.0, kHousingEdgeDark);
  face.disc(cx, cy, 17.0, kEmblemRingShade);
  face.disc(cx - 0.5, cy - 0.5, 16.0, kEmblemRing);
  face.disc(cx, cy, 13.0, kEmblemField);
  face.disc(cx - 0.5, cy - 0.5, 12.0, kEmblemSky);
  face.disc(cx, cy, 11.5, kEmblemField);
  // A glider seen from above: long slender wings, fuselage and tailplane.
  const int x0 = static_cast<int>(cx);
  const int y0 = static_cast<int>(cy);
  face.triangle({cx - 11.5, cy - 1.0}, {cx + 11.5, cy - 1.0}, {cx, cy - 3.5}, kPrint);
  face.fill(x0 - 11, y0 - 1, 24, 2, kPrint);
  face.fill(x0, y0 - 6, 2, 16, kPrint);
  face.fill(x0 - 3, y0 + 8, 8, 2, kPrint);
  face.set(x0 - 12, y0 - 2, kPrint);
  face.set(x0 + 13, y0 - 2, kPrint);
  draw_text_centred(face, cx + 0.5, 50, "KOL-VEX", 1, kPrint);
}

void draw_face_arrows(Image& face) {
  // Left arrow above the first button, right arrow above the fourth: head and shaft.
  const double row = 255.0;
  const double left = kLeftButton.x + kLeftButton.w / 2.0 - 0.5;
  face.triangle({left - 12, row}, {left - 3, row - 7}, {left - 3, row + 7}, kPrint);
  face.fill(static_cast<int>(left) - 3, static_cast<int>(row) - 2, 15, 5, kPrint);
  const double right = kRightButton.x + kRightButton.w / 2.0 - 0.5;
  face.triangle({right + 12, row}, {right + 3, row - 7}, {right + 3, row + 7}, kPrint);
  face.fill(static_cast<int>(right) - 11, static_cast<int>(row) - 2, 15, 5, kPrint);
  // Up arrow left of the second button, down arrow right of the third.
  const double middle = kUpButton.y + kUpButton.h / 2.0 - 0.5;
  const double up = kUpButton.x - 13.0;
  face.triangle({up, middle - 12}, {up - 7, middle - 3}, {up + 7, middle - 3}, kPrint);
  face.fill(static_cast<int>(up) - 2, static_cast<int>(middle) - 3, 5, 15, kPrint);
  const double down = kDownButton.x + kDownButton.w + 12.0;
  face.triangle({down, middle + 12}, {down - 7, middle + 3}, {down + 7, middle + 3}, kPrint);
  face.fill(static_cast<int>(down) - 2, static_cast<int>(middle) - 11, 5, 15, kPrint);
}

Image face() {
  Image image(kFaceSize, kFaceSize, kTransparent);
  draw_housing(image);
  draw_window(image);
  for (const Box& b : {kOnButton, kGoButton, kLeftButton, kUpButton, kDownButton, kRightButton}) {
    draw_button(image, b);
  }
  const int label_top = kOnButton.y + (kOnButton.h - 14) / 2;
  draw_text_centred(image, (kChamfer + kOnButton.x) / 2.0 + 6, label_top, "ON", 2, kPrint);
  draw_text_centred(image, (kGoButton.x + kGoButton.w + kFaceSize - kChamfer) / 2.0 - 6, label_top,
                    "GO", 2, kPrint);
  draw_emblem(image);
  draw_face_arrows(image);
  return image;
}

// --- BMP output -----------------------------------------------------------------------------

void put16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xff));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  put16(out, value & 0xffff);
  put16(out, value >> 16);
}

// Writes an uncompressed 8-bit BMP with a 256-entry palette, rows bottom-up, each padded to
// four bytes. Unused palette entries repeat the first colour so that no stray colour (above
// all no pure black) appears in the palette of a picture that does not use it.
bool write_bmp(const Image& image, const std::filesystem::path& path) {
  std::vector<Rgb> palette;
  std::map<std::uint32_t, std::uint8_t> index_of;
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(image.width() * image.height()));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.at(x, y);
      const std::uint32_t key = (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
      auto found = index_of.find(key);
      if (found == index_of.end()) {
        if (palette.size() == 256) {
          std::fprintf(stderr, "kolvex-draw-bitmaps: more than 256 colours in %s\n",
                       path.string().c_str());
          return false;
        }
        found = index_of.emplace(key, static_cast<std::uint8_t>(palette.size())).first;
        palette.push_back(c);
      }
      indices[static_cast<std::size_t>(y * image.width() + x)] = found->second;
    }
  }
  palette.resize(256, palette.front());

  const auto stride = static_cast<std::uint32_t>((image.width() + 3) / 4 * 4);
  const std::uint32_t pixel_bytes = stride * static_cast<std::uint32_t>(image.height());
  const std::uint32_t pixel_offset = 14 + 40 + 256 * 4;

  std::vector<std::uint8_t> out;
  out.reserve(pixel_offset + pixel_bytes);
  out.push_back('B');
  out.push_back('M');
  put32(out, pixel_offset + pixel_bytes);
  put32(out, 0);
  put32(out, pixel_offset);
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(image.width()));
  put32(out, static_cast<std::uint32_t>(image.height()));  // positive: bottom-up rows
  put16(out, 1);
  put16(out, 8);
  put32(out, 0);  // BI_RGB
  put32(out, pixel_bytes);
  put32(out, 2835);  // 72 dpi
  put32(out, 2835);
  put32(out, 256);
  put32(out, 0);
  for (const Rgb& c : palette) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  for (int y = image.height() - 1; y >= 0; --y) {
    const auto row = indices.begin() + y * image.width();
    out.insert(out.end(), row, row + image.width());
    out.resize(out.size() + (stride - static_cast<std::uint32_t>(image.width())), 0);
  }

  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kolvex-draw-bitmaps <output folder>\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::fprintf(stderr, "kolvex-draw-bitmaps: cannot create %s\n", folder.string().c_str());
    return 1;
  }

  std::vector<std::pair<int, Image>> bitmaps;
  bitmaps.emplace_back(4096, face());

  // Steering frames 0 to 9: empty, four segments left down to the bar alone, then the mirror
  // images pointing right.
  std::array<Image, 10> steer{
      Image(kSteerWidth, kSteerHeight, kDisplayGrey),
      steering_frame_left(4),
      steering_frame_left(3),
      steering_frame_left(2),
      steering_frame_left(1),
      steering_frame_left(0),
      steering_frame_left(1).mirrored(),
      steering_frame_left(2).mirrored(),
      steering_frame_left(3).mirrored(),
      steering_frame_left(4).mirrored(),
  };
  static_assert(kSteerWidth - 1 == 2 * kSteerCentre, "the bar's centre is the mirror axis");
  for (int frame = 0; frame < 10; ++frame) {
    bitmaps.emplace_back(8192 + 3 * frame, steer[static_cast<std::size_t>(frame)]);
  }

  bitmaps.emplace_back(12288, Image(25, 17, kDisplayGrey));
  bitmaps.emplace_back(12291, text_icon(25, 17, "Brg"));
  bitmaps.emplace_back(12294, text_icon(25, 17, "V"));
  bitmaps.emplace_back(16384, Image(33, 17, kDisplayGrey));
  bitmaps.emplace_back(16387, text_icon(33, 17, "Dist"));
  bitmaps.emplace_back(20480, Image(26, 17, kDisplayGrey));
  bitmaps.emplace_back(20483, text_icon(26, 17, "Trk"));
  bitmaps.emplace_back(24576, Image(49, 27, kDisplayGrey));
  bitmaps.emplace_back(24579, satellite_icon());

  for (const auto& [id, image] : bitmaps) {
    const std::filesystem::path path = folder / (std::to_string(id) + ".bmp");
    if (!write_bmp(image, path)) {
      std::fprintf(stderr, "kolvex-draw-bitmaps: cannot write %s\n", path.string().c_str());
      return 1;
    }
  }
  return 0;
}
