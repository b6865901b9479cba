#include "tools/kolvex-sim/render.h"

#include <fstream>
#include <iterator>

#if !defined(_WIN32)
#include <png.h>
#include <zlib.h>
#endif

namespace kolvex::sim {
namespace {

std::uint32_t read_u32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint16_t read_u16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

// A COLORREF (0x00bbggrr) as 0x00rrggbb.
std::uint32_t from_colorref(std::uint32_t colour) {
  return (colour & 0xff) << 16 | (colour & 0xff00) | (colour >> 16 & 0xff);
}

#if !defined(_WIN32)
bool read_gzip(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes) {
  // gzread passes files that are not compressed through unchanged.
  gzFile in = gzopen(file.c_str(), "rb");
  if (in == nullptr) {
    return false;
  }
  bytes.clear();
  std::uint8_t chunk[16384];
  int got = 0;
  while ((got = gzread(in, chunk, sizeof chunk)) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  const bool good = got == 0;
  gzclose(in);
  return good;
}
#endif

// Decodes one UTF-8 sequence at bytes[at], advancing at; 0xffffffff for a bad one.
[[maybe_unused]] std::uint32_t next_utf8(const std::vector<std::uint8_t>& bytes, std::size_t& at,
                                         std::size_t end) {
  const std::uint8_t lead = bytes[at++];
  int extra = 0;
  std::uint32_t code = 0;
  if (lead < 0x80) {
    return lead;
  } else if ((lead & 0xe0) == 0xc0) {
    extra = 1;
    code = lead & 0x1f;
  } else if ((lead & 0xf0) == 0xe0) {
    extra = 2;
    code = lead & 0x0f;
  } else if ((lead & 0xf8) == 0xf0) {
    extra = 3;
    code = lead & 0x07;
  } else {
    return 0xffffffff;
  }
  for (int i = 0; i < extra; ++i) {
    if (at >= end || (bytes[at] & 0xc0) != 0x80) {
      return 0xffffffff;
    }
    code = code << 6 | (bytes[at++] & 0x3f);
  }
  return code;
}

}  // namespace

bool rendering_available() {
#if defined(_WIN32)
  return false;
#else
  return true;
#endif
}

std::uint32_t PaletteBitmap::colour(int x, int y) const {
  const std::uint8_t index = pixels[static_cast<std::size_t>(y) * width + x];
  return index < palette.size() ? palette[index] : 0;
}

bool read_palette_bmp(const std::filesystem::path& file, PaletteBitmap& bitmap,
                      std::string& error) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    error = "cannot read " + file.string();
    return false;
  }
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  error = file.string() + " is not an uncompressed 8-bit BMP";
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
    return false;
  }
  const std::uint32_t pixel_offset = read_u32(&bytes[10]);
  const std::uint32_t header_size = read_u32(&bytes[14]);
  const auto width = static_cast<std::int32_t>(read_u32(&bytes[18]));
  const auto signed_height = static_cast<std::int32_t>(read_u32(&bytes[22]));
  const std::uint16_t bits = read_u16(&bytes[28]);
  const std::uint32_t compression = read_u32(&bytes[30]);
  std::uint32_t colours = read_u32(&bytes[46]);
  if (bits != 8 || compression != 0 || width <= 0 || signed_height == 0 || width > 65536 ||
      signed_height > 65536 || signed_height < -65536 || header_size < 40) {
    return false;
  }
  const bool top_down = signed_height < 0;
  const int height = top_down ? -signed_height : signed_height;
  if (colours == 0 || colours > 256) {
    colours = 256;
  }
  const std::size_t palette_at = 14 + header_size;
  const std::size_t stride = (static_cast<std::size_t>(width) + 3) / 4 * 4;
  if (palette_at + colours * 4 > bytes.size() ||
      pixel_offset + stride * static_cast<std::size_t>(height) > bytes.size()) {
    return false;
  }
  bitmap.width = width;
  bitmap.height = height;
  bitmap.palette.assign(colours, 0);
  for (std::uint32_t i = 0; i < colours; ++i) {
    const std::uint8_t* quad = &bytes[palette_at + i * 4];  // blue, green, red, reserved
    bitmap.palette[i] = static_cast<std::uint32_t>(quad[2]) << 16 |
                        static_cast<std::uint32_t>(quad[1]) << 8 | quad[0];
  }
  bitmap.pixels.resize(static_cast<std::size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    const int stored = top_down ? row : height - 1 - row;
    const std::uint8_t* from = &bytes[pixel_offset + stride * static_cast<std::size_t>(stored)];
    std::copy(from, from + width, bitmap.pixels.begin() + static_cast<std::ptrdiff_t>(row) * width);
  }
  error.clear();
  return true;
}

bool BitmapFont::load(const std::filesystem::path& file, std::string& error) {
#if defined(_WIN32)
  error = "fonts are not read in this build: " + file.string();
  return false;
#else
  std::vector<std::uint8_t> bytes;
  if (!read_gzip(file, bytes)) {
    error = "cannot read font " + file.string();
    return false;
  }
  error = file.string() + " is not a PSF2 font";
  if (bytes.size() < 32 || read_u32(&bytes[0]) != 0x864ab572u) {
    return false;
  }
  const std::uint32_t header_size = read_u32(&bytes[8]);
  const std::uint32_t flags = read_u32(&bytes[12]);
  const std::uint32_t count = read_u32(&bytes[16]);
  const std::uint32_t glyph_size = read_u32(&bytes[20]);
  const std::uint32_t height = read_u32(&bytes[24]);
  const std::uint32_t width = read_u32(&bytes[28]);
  if (width == 0 || height == 0 || width > 64 || height > 128 || count > 65536 ||
      glyph_size != (width + 7) / 8 * height ||
      header_size + static_cast<std::size_t>(count) * glyph_size > bytes.size()) {
    return false;
  }
  width_ = static_cast<int>(width);
  height_ = static_cast<int>(height);
  row_bytes_ = static_cast<int>((width + 7) / 8);
  const std::size_t table_at = header_size + static_cast<std::size_t>(count) * glyph_size;
  glyphs_.assign(bytes.begin() + header_size,
                 bytes.begin() + static_cast<std::ptrdiff_t>(table_at));
  index_.clear();
  if ((flags & 1) != 0) {
    // Per glyph: UTF-8 code points, then sequences after 0xfe, ended by 0xff.
    std::size_t at = table_at;
    for (std::size_t glyph = 0; glyph < count && at < bytes.size(); ++glyph) {
      bool in_sequence = false;
      while (at < bytes.size() && bytes[at] != 0xff) {
        if (bytes[at] == 0xfe) {
          in_sequence = true;
          ++at;
          continue;
        }
        const std::uint32_t code = next_utf8(bytes, at, bytes.size());
        if (!in_sequence && code != 0xffffffff) {
          index_.emplace(code, glyph);
        }
      }
      ++at;
    }
  } else {
    for (std::uint32_t glyph = 0; glyph < count && glyph < 256; ++glyph) {
      index_.emplace(glyph, glyph);
    }
  }
  error.clear();
  return true;
#endif
}

bool BitmapFont::pixel(std::uint32_t code_point, int x, int y) const {
  auto found = index_.find(code_point);
  if (found == index_.end()) {
    found = index_.find('?');
    if (found == index_.end()) {
      return false;
    }
  }
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    return false;
  }
  const std::size_t at = found->second * static_cast<std::size_t>(row_bytes_ * height_) +
                         static_cast<std::size_t>(y * row_bytes_ + x / 8);
  return (glyphs_[at] & (0x80 >> (x % 8))) != 0;
}

std::filesystem::path default_font_path() {
  static constexpr const char* kCandidates[] = {
      "/usr/share/consolefonts/Uni2-TerminusBold32x16.psf.gz",
      "/usr/share/consolefonts/Lat15-TerminusBold32x16.psf.gz",
      "/usr/share/consolefonts/Uni2-TerminusBold28x14.psf.gz",
  };
  for (const char* candidate : kCandidates) {
    std::error_code failed;
    if (std::filesystem::exists(candidate, failed)) {
      return candidate;
    }
  }
  return {};
}

const PaletteBitmap* FaceRenderer::bitmap(int id, std::string& error) {
  const auto found = bitmaps_.find(id);
  if (found != bitmaps_.end()) {
    return &found->second;
  }
  PaletteBitmap loaded;
  if (!read_palette_bmp(bitmap_folder_ / (std::to_string(id) + ".bmp"), loaded, error)) {
    return nullptr;
  }
  return &bitmaps_.emplace(id, std::move(loaded)).first->second;
}

bool FaceRenderer::compose(const host::PanelHost& host, std::vector<std::uint8_t>& rgba, int& width,
                           int& height, std::string& error) {
  if (font_ == nullptr) {
    if (font_file_.empty()) {
      error = "no bold Terminus console font installed (Debian package console-setup-linux)";
      return false;
    }
    auto font = std::make_unique<BitmapFont>();
    if (!font->load(font_file_, error)) {
      return false;
    }
    font_ = std::move(font);
  }
  const std::vector<ELEMENT_HEADER*> elements = host.elements();
  if (elements.empty()) {
    error = "the module has no face";
    return false;
  }
  const ELEMENT_HEADER* root = elements.front();
  width = root->size.x;
  height = root->size.y;
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
    error = "the face has no usable size";
    return false;
  }
  rgba.assign(static_cast<std::size_t>(width) * height * 4, 0);

  auto put = [&](int x, int y, std::uint32_t rgb) {
    if (x < 0 || y < 0 || x >= width || y >= height) {
      return;
    }
    std::uint8_t* at = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    at[0] = static_cast<std::uint8_t>(rgb >> 16);
    at[1] = static_cast<std::uint8_t>(rgb >> 8);
    at[2] = static_cast<std::uint8_t>(rgb);
    at[3] = 0xff;
  };
  auto blit = [&](const PaletteBitmap& picture, PIXPOINT at, bool transparent) {
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        const std::uint32_t rgb = picture.colour(x, y);
        if (!(transparent && rgb == 0)) {
          put(at.x + x, at.y + y, rgb);
        }
      }
    }
  };

  // Children sit relative to the face; the host draws in element-list order.
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const ELEMENT_HEADER* element = elements[i];
    const PIXPOINT at = i == 0 ? element->position
                               : PIXPOINT{root->position.x + element->position.x,
                                          root->position.y + element->position.y};
    const bool transparent = (element->image_flags & IMAGE_USE_TRANSPARENCY) != 0;
    if (element->element_type == ELEMENT_TYPE_STATIC_IMAGE ||
        element->element_type == ELEMENT_TYPE_ICON) {
      int id = element->resource_id;
      if (element->element_type == ELEMENT_TYPE_ICON) {
        id += 3 * (i == 0 ? 0 : host.frame_of(i - 1));
      }
      if (element->resource_id < 0) {
        continue;
      }
      const PaletteBitmap* picture = bitmap(id, error);
      if (picture == nullptr) {
        return false;
      }
      blit(*picture, at, transparent);
    } else if (element->element_type == ELEMENT_TYPE_STRING) {
      const auto* string = reinterpret_cast<const ELEMENT_STRING*>(element);
      const int box_w = element->size.x;
      const int box_h = element->size.y;
      if ((element->image_flags & IMAGE_USE_ERASE) != 0) {
        for (int y = 0; y < box_h; ++y) {
          for (int x = 0; x < box_w; ++x) {
            put(at.x + x, at.y + y, from_colorref(string->bg_color));
          }
        }
      }
      const std::string text = i == 0 ? std::string() : host.text(i - 1);
      const int text_w = static_cast<int>(text.size()) * font_->width();
      constexpr std::uint32_t kCentre = 0x1;
      constexpr std::uint32_t kVerticalCentre = 0x4;
      const int left =
          (string->draw_text_flags & kCentre) != 0 ? at.x + (box_w - text_w) / 2 : at.x;
      const int top = (string->draw_text_flags & kVerticalCentre) != 0
                          ? at.y + (box_h - font_->height()) / 2
                          : at.y;
      const std::uint32_t ink = from_colorref(string->fg_color);
      for (std::size_t c = 0; c < text.size(); ++c) {
        // Element texts are 8-bit; each byte is taken as the Latin-1 character of that value.
        const std::uint32_t code = static_cast<unsigned char>(text[c]);
        for (int y = 0; y < font_->height(); ++y) {
          for (int x = 0; x < font_->width(); ++x) {
            const int px = left + static_cast<int>(c) * font_->width() + x;
            const int py = top + y;
            // The host clips a text to its element's box.
            if (px >= at.x && px < at.x + box_w && py >= at.y && py < at.y + box_h &&
                font_->pixel(code, x, y)) {
              put(px, py, ink);
            }
          }
        }
      }
    }
  }
  return true;
}

bool FaceRenderer::render(const host::PanelHost& host, const std::filesystem::path& png,
                          std::string& error) {
#if defined(_WIN32)
  (void)host;
  error = "pictures cannot be written by this build: " + png.string();
  return false;
#else
  std::vector<std::uint8_t> rgba;
  int width = 0;
  int height = 0;
  if (!compose(host, rgba, width, height, error)) {
    return false;
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  if (png_image_write_to_file(&image, png.c_str(), 0, rgba.data(), 0, nullptr) == 0) {
    error = "cannot write " + png.string() + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  return true;
#endif
}

}  // namespace kolvex::sim
