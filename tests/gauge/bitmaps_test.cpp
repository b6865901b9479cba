// The face and icon bitmaps drawn at build time: what the host needs of them (format and
// sizes), what transparency relies on (pure black only outside the housing), and what the
// pictures must show where the face's elements and buttons are placed.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Rgb {
  std::uint8_t r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

void PrintTo(const Rgb& c, std::ostream* os) {
  *os << "(" << int{c.r} << ", " << int{c.g} << ", " << int{c.b} << ")";
}

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kDisplayGrey{162, 162, 162};
constexpr Rgb kInk{8, 8, 8};
constexpr Rgb kWindow{170, 167, 169};

struct Bitmap {
  int width = 0;
  int height = 0;
  int bits = 0;
  std::uint32_t compression = 0;
  bool bottom_up = false;
  std::uint32_t palette_size = 0;
  std::vector<Rgb> palette;
  std::vector<Rgb> pixels;  // top row first

  Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
  bool inked(int x, int y) const { return !(at(x, y) == kDisplayGrey); }
};

std::uint32_t le(const std::vector<std::uint8_t>& d, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) {
    v = (v << 8) | d[at + static_cast<std::size_t>(i)];
  }
  return v;
}

// Reads an uncompressed 8-bit BMP as written for the resource compiler; anything else is
// reported through the header fields so that the tests can say what is wrong.
std::optional<Bitmap> read_bitmap(int id) {
  std::ifstream file(std::string(KOLVEX_BITMAP_DIR) + "/" + std::to_string(id) + ".bmp",
                     std::ios::binary);
  if (!file) {
    return std::nullopt;
  }
  const std::vector<std::uint8_t> d{std::istreambuf_iterator<char>(file), {}};
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') {
    return std::nullopt;
  }
  Bitmap bmp;
  const auto raw_height = static_cast<std::int32_t>(le(d, 22, 4));
  bmp.width = static_cast<int>(le(d, 18, 4));
  bmp.height = raw_height < 0 ? -raw_height : raw_height;
  bmp.bottom_up = raw_height > 0;
  bmp.bits = static_cast<int>(le(d, 28, 2));
  bmp.compression = le(d, 30, 4);
  bmp.palette_size = le(d, 46, 4);
  if (bmp.bits != 8 || bmp.compression != 0) {
    return bmp;
  }
  const std::size_t palette_at = 14 + le(d, 14, 4);
  const std::uint32_t colours = bmp.palette_size == 0 ? 256 : bmp.palette_size;
  const std::size_t pixels_at = le(d, 10, 4);
  const auto stride = static_cast<std::size_t>((bmp.width + 3) / 4 * 4);
  if (d.size() < pixels_at + stride * static_cast<std::size_t>(bmp.height) ||
      palette_at + 4 * colours > pixels_at) {
    return std::nullopt;
  }
  for (std::uint32_t i = 0; i < colours; ++i) {
    const std::size_t p = palette_at + 4 * i;
    bmp.palette.push_back(Rgb{d[p + 2], d[p + 1], d[p]});
  }
  for (int y = 0; y < bmp.height; ++y) {
    const int stored_row = bmp.bottom_up ? bmp.height - 1 - y : y;
    for (int x = 0; x < bmp.width; ++x) {
      const std::uint8_t index = d[pixels_at + static_cast<std::size_t>(stored_row) * stride +
                                   static_cast<std::size_t>(x)];
      bmp.pixels.push_back(index < bmp.palette.size() ? bmp.palette[index] : kBlack);
    }
  }
  return bmp;
}

Bitmap load(int id) {
  std::optional<Bitmap> bmp = read_bitmap(id);
  if (!bmp || bmp->pixels.empty()) {
    ADD_FAILURE() << "bitmap " << id << " is missing or unreadable";
    return Bitmap{};
  }
  return *bmp;
}

constexpr int kFaceId = 4096;

int steering_id(int frame) {
  return 8192 + 3 * frame;
}

struct Size {
  int id, width, height;
};

constexpr Size kSizes[] = {
    {4096, 315, 315}, {8192, 157, 17}, {8195, 157, 17}, {8198, 157, 17}, {8201, 157, 17},
    {8204, 157, 17},  {8207, 157, 17}, {8210, 157, 17}, {8213, 157, 17}, {8216, 157, 17},
    {8219, 157, 17},  {12288, 25, 17}, {12291, 25, 17}, {12294, 25, 17}, {16384, 33, 17},
    {16387, 33, 17},  {20480, 26, 17}, {20483, 26, 17}, {24576, 49, 27}, {24579, 49, 27},
};

TEST(Bitmaps, EveryIdIsAnUncompressedBottomUpPaletteBitmapOfItsSize) {
  for (const Size& s : kSizes) {
    SCOPED_TRACE(s.id);
    const std::optional<Bitmap> bmp = read_bitmap(s.id);
    ASSERT_TRUE(bmp.has_value()) << "missing or not a BMP file";
    EXPECT_EQ(bmp->width, s.width);
    EXPECT_EQ(bmp->height, s.height);
    EXPECT_EQ(bmp->bits, 8);
    EXPECT_EQ(bmp->compression, 0u);
    EXPECT_TRUE(bmp->bottom_up);
    EXPECT_LE(bmp->palette_size, 256u);
  }
}

// --- Icons ------------------------------------------------------------------------------------

struct Icon {
  int id;
  bool empty;
};

constexpr Icon kIcons[] = {
    {8192, true},  {8195, false},  {8198, false},  {8201, false},  {8204, false},
    {8207, false}, {8210, false},  {8213, false},  {8216, false},  {8219, false},
    {12288, true}, {12291, false}, {12294, false}, {16384, true},  {16387, false},
    {20480, true}, {20483, false}, {24576, true},  {24579, false},
};

TEST(Bitmaps, IconsAreDarkDrawingsOnDisplayGreyWithoutPureBlack) {
  for (const Icon& icon : kIcons) {
    SCOPED_TRACE(icon.id);
    const Bitmap bmp = load(icon.id);
    int inked = 0;
    for (const Rgb& c : bmp.pixels) {
      ASSERT_NE(c, kBlack) << "pure black would show as a hole under transparency";
      if (!(c == kDisplayGrey)) {
        ++inked;
        EXPECT_TRUE(c.r < 100 && c.g < 100 && c.b < 100) << "drawn in a light colour";
      }
    }
    if (icon.empty) {
      EXPECT_EQ(inked, 0) << "an empty frame shows nothing";
    } else {
      EXPECT_GT(inked, 0) << "frame shows nothing";
    }
  }
}

TEST(Bitmaps, TextIconsAreInkedInNearBlack) {
  for (int id : {12291, 12294, 16387, 20483}) {
    SCOPED_TRACE(id);
    const Bitmap bmp = load(id);
    for (const Rgb& c : bmp.pixels) {
      EXPECT_TRUE(c == kDisplayGrey || c == kInk);
    }
  }
}

// --- Steering bar -----------------------------------------------------------------------------

struct Extent {
  int left = -1;
  int right = -1;
};

Extent inked_columns(const Bitmap& bmp) {
  Extent e;
  for (int x = 0; x < bmp.width; ++x) {
    for (int y = 0; y < bmp.height; ++y) {
      if (bmp.inked(x, y)) {
        if (e.left < 0) {
          e.left = x;
        }
        e.right = x;
        break;
      }
    }
  }
  return e;
}

TEST(SteeringFrames, CentreBarAloneInFrameFive) {
  const Bitmap bmp = load(steering_id(5));
  for (int x = 0; x < bmp.width; ++x) {
    for (int y = 0; y < bmp.height; ++y) {
      EXPECT_EQ(bmp.inked(x, y), x >= 76 && x <= 80) << "column " << x << ", row " << y;
    }
  }
}

TEST(SteeringFrames, SegmentsPointLeftReachingFurtherEachFrame) {
  struct Case {
    int frame;
    int reach;
  };
  for (const Case& c : {Case{4, 65}, Case{3, 51}, Case{2, 33}, Case{1, 1}}) {
    SCOPED_TRACE(c.frame);
    const Bitmap bmp = load(steering_id(c.frame));
    const Bitmap inner = load(steering_id(c.frame + 1));
    const Extent e = inked_columns(bmp);
    EXPECT_EQ(e.left, c.reach);
    EXPECT_EQ(e.right, 80) << "nothing drawn right of the centre bar";
    int added = 0;
    for (int y = 0; y < bmp.height; ++y) {
      for (int x = 0; x < bmp.width; ++x) {
        EXPECT_EQ(bmp.at(x, y), bmp.inked(x, y) ? kInk : kDisplayGrey);
        if (inner.inked(x, y)) {
          EXPECT_TRUE(bmp.inked(x, y))
              << "frame " << c.frame + 1 << " is not nested in it at " << x << ", " << y;
        } else if (bmp.inked(x, y)) {
          ++added;
        }
      }
    }
    EXPECT_GT(added, 0);
    // An arrow head: its tip is in the middle row, and it widens towards the bar.
    const int middle = bmp.height / 2;
    EXPECT_TRUE(bmp.inked(c.reach, middle));
    EXPECT_FALSE(bmp.inked(c.reach, 0));
    EXPECT_FALSE(bmp.inked(c.reach, bmp.height - 1));
  }
}

TEST(SteeringFrames, RightFramesMirrorLeftFramesAboutColumn78) {
  for (int frame = 6; frame <= 9; ++frame) {
    SCOPED_TRACE(frame);
    const Bitmap right = load(steering_id(frame));
    const Bitmap left = load(steering_id(10 - frame));
    ASSERT_EQ(right.width, 157);
    ASSERT_EQ(left.width, 157);
    for (int y = 0; y < right.height; ++y) {
      for (int x = 0; x < right.width; ++x) {
        ASSERT_EQ(right.at(x, y), left.at(156 - x, y)) << "column " << x << ", row " << y;
      }
    }
  }
}

// --- Face -------------------------------------------------------------------------------------

TEST(Face, PureBlackOnlyAlongTheEdgeAndOutsideTheChamfers) {
  const Bitmap face = load(kFaceId);
  ASSERT_EQ(face.width, 315);
  const int last = 314;
  for (int i = 0; i <= last; ++i) {
    EXPECT_EQ(face.at(i, 0), kBlack) << "top edge at " << i;
    EXPECT_EQ(face.at(i, last), kBlack) << "bottom edge at " << i;
    EXPECT_EQ(face.at(0, i), kBlack) << "left edge at " << i;
    EXPECT_EQ(face.at(last, i), kBlack) << "right edge at " << i;
  }
  // The chamfers cut the corners: the corner pixels and a little way along the diagonal are
  // outside the housing.
  for (int d = 0; d <= 4; ++d) {
    EXPECT_EQ(face.at(d, d), kBlack);
    EXPECT_EQ(face.at(last - d, d), kBlack);
    EXPECT_EQ(face.at(d, last - d), kBlack);
    EXPECT_EQ(face.at(last - d, last - d), kBlack);
  }
  // Well inside the outline nothing is transparent.
  for (int y = 20; y <= last - 20; ++y) {
    for (int x = 20; x <= last - 20; ++x) {
      ASSERT_NE(face.at(x, y), kBlack) << "hole in the housing at " << x << ", " << y;
    }
  }
  // Nor along the straight sides, a few pixels in from the edge.
  for (int i = 25; i <= last - 25; ++i) {
    ASSERT_NE(face.at(5, i), kBlack) << "hole at the left side, row " << i;
    ASSERT_NE(face.at(last - 5, i), kBlack) << "hole at the right side, row " << i;
    ASSERT_NE(face.at(i, 5), kBlack) << "hole at the top side, column " << i;
    ASSERT_NE(face.at(i, last - 5), kBlack) << "hole at the bottom side, column " << i;
  }
}

TEST(Face, DisplayWindowSpansItsColumnsAndRows) {
  const Bitmap face = load(kFaceId);
  ASSERT_EQ(face.width, 315);
  for (int y = 79; y <= 236; ++y) {
    for (int x = 36; x <= 277; ++x) {
      ASSERT_EQ(face.at(x, y), kWindow) << "at " << x << ", " << y;
    }
  }
  for (int x = 36; x <= 277; ++x) {
    EXPECT_NE(face.at(x, 78), kWindow) << "window reaches above row 79 at column " << x;
    EXPECT_NE(face.at(x, 237), kWindow) << "window reaches below row 236 at column " << x;
  }
  for (int y = 79; y <= 236; ++y) {
    EXPECT_NE(face.at(35, y), kWindow) << "window reaches left of column 36 at row " << y;
    EXPECT_NE(face.at(278, y), kWindow) << "window reaches right of column 277 at row " << y;
  }
}

struct Box {
  const char* button;
  int x, y, w, h;
};

constexpr Box kButtons[] = {
    {"ON", 93, 16, 30, 30},   {"GO", 190, 16, 30, 30},    {"left", 23, 269, 30, 30},
    {"up", 104, 269, 30, 30}, {"down", 179, 269, 30, 30}, {"right", 259, 269, 30, 30},
};

int brightness(Rgb c) {
  return (c.r + c.g + c.b) / 3;
}

TEST(Face, PushButtonsSitExactlyOnTheirMouseRectangles) {
  const Bitmap face = load(kFaceId);
  ASSERT_EQ(face.width, 315);
  for (const Box& b : kButtons) {
    SCOPED_TRACE(b.button);
    int white = 0;
    for (int y = b.y; y < b.y + b.h; ++y) {
      for (int x = b.x; x < b.x + b.w; ++x) {
        EXPECT_GE(brightness(face.at(x, y)), 180) << "button not light at " << x << ", " << y;
        white += face.at(x, y) == Rgb{255, 255, 255} ? 1 : 0;
      }
    }
    EXPECT_GT(white, 0) << "a white push-button";
    // Just outside the rectangle the housing shows again, all around.
    for (int x = b.x - 1; x <= b.x + b.w; ++x) {
      EXPECT_LT(brightness(face.at(x, b.y - 1)), 120) << "above, column " << x;
      EXPECT_LT(brightness(face.at(x, b.y + b.h)), 120) << "below, column " << x;
    }
    for (int y = b.y - 1; y <= b.y + b.h; ++y) {
      EXPECT_LT(brightness(face.at(b.x - 1, y)), 120) << "left, row " << y;
      EXPECT_LT(brightness(face.at(b.x + b.w, y)), 120) << "right, row " << y;
    }
  }
}

// The printed arrows stand beside the arrow buttons: above the left and right buttons, left
// of the up button and right of the down button.
TEST(Face, ArrowsArePrintedBesideTheirButtons) {
  const Bitmap face = load(kFaceId);
  ASSERT_EQ(face.width, 315);
  auto printed = [&](int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        count += brightness(face.at(x, y)) >= 180 ? 1 : 0;
      }
    }
    return count;
  };
  EXPECT_GT(printed(23, 243, 52, 268), 20) << "above the left button";
  EXPECT_GT(printed(259, 243, 288, 268), 20) << "above the right button";
  EXPECT_GT(printed(70, 269, 103, 298), 20) << "left of the up button";
  EXPECT_GT(printed(209, 269, 245, 298), 20) << "right of the down button";
  // Nothing is printed between the middle buttons' rectangles.
  EXPECT_EQ(printed(135, 269, 177, 298), 0);
}

}  // namespace
