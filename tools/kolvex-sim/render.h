// The face as a picture: the module's bitmaps composited as the host draws them, with each
// string element's text in a bold terminal-style bitmap font, written as a PNG file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tools/panel_host/panel_host.h"

namespace kolvex::sim {

// Whether this build can write pictures (not in the Windows builds).
bool rendering_available();

// An 8-bit palette bitmap as a BMP file holds it, rows top first.
struct PaletteBitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;          // palette indexes, width × height
  std::vector<std::uint32_t> palette;        // 0x00rrggbb
  std::uint32_t colour(int x, int y) const;  // 0x00rrggbb
};

// Reads an uncompressed 8-bit BMP; false with a reason in error otherwise.
bool read_palette_bmp(const std::filesystem::path& file, PaletteBitmap& bitmap, std::string& error);

// A PSF2 console font: glyphs of one size, found by Unicode code point.
class BitmapFont {
 public:
  // Reads a PSF2 font, gzip-compressed or not.
  bool load(const std::filesystem::path& file, std::string& error);
  int width() const { return width_; }
  int height() const { return height_; }
  // Whether the pixel at x, y of the glyph for the code point is set ('?' stands in for a code
  // point the font lacks).
  bool pixel(std::uint32_t code_point, int x, int y) const;

 private:
  int width_ = 0;
  int height_ = 0;
  int row_bytes_ = 0;
  std::vector<std::uint8_t> glyphs_;
  std::map<std::uint32_t, std::size_t> index_;
};

// The bold Terminus console font the pictures use; empty when none is installed.
std::filesystem::path default_font_path();

class FaceRenderer {
 public:
  // bitmap_folder holds the module's bitmaps as <id>.bmp.
  FaceRenderer(std::filesystem::path bitmap_folder, std::filesystem::path font_file)
      : bitmap_folder_(std::move(bitmap_folder)), font_file_(std::move(font_file)) {}

  // The face as the host would draw it now, as red, green, blue, alpha bytes, rows top first;
  // what the face leaves undrawn (its pure black) is transparent.
  bool compose(const host::PanelHost& host, std::vector<std::uint8_t>& rgba, int& width,
               int& height, std::string& error);
  bool render(const host::PanelHost& host, const std::filesystem::path& png, std::string& error);

 private:
  const PaletteBitmap* bitmap(int id, std::string& error);

  std::filesystem::path bitmap_folder_;
  std::filesystem::path font_file_;
  std::map<int, PaletteBitmap> bitmaps_;
  std::unique_ptr<BitmapFont> font_;
};

}  // namespace kolvex::sim
