// The gauge header, element tree and mouse areas as the host receives them, checked against
// the instrument's published tables.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "host/panel.h"
#include "interface/buttons.h"
#include "interface/page_text.h"
#include "tests/support/instrument.h"

namespace kolvex {
namespace {

using testing::InstrumentTest;

class FaceTables : public InstrumentTest {};

TEST_F(FaceTables, GaugeHeader) {
  const GAUGEHDR& header = host.gauge();
  EXPECT_EQ(header.gauge_header_version, 610);
  ASSERT_NE(header.gauge_name, nullptr);
  EXPECT_STREQ(header.gauge_name, "Brelvund KOL-VEX");
  ASSERT_NE(header.elements_list, nullptr);
  EXPECT_EQ(header.elements_list[0], host.elements().front());
  EXPECT_NE(header.query_routine, nullptr);
  EXPECT_NE(header.install_routine, nullptr);
  EXPECT_NE(header.initialize_routine, nullptr);
  EXPECT_NE(header.update_routine, nullptr);
  EXPECT_NE(header.generate_routine, nullptr);
  EXPECT_NE(header.draw_routine, nullptr);
  EXPECT_NE(header.kill_routine, nullptr);
  EXPECT_EQ(header.size_x_mm, 66);
  EXPECT_EQ(header.reserved1, nullptr);
  EXPECT_EQ(header.size_y_mm, 0);
  EXPECT_EQ(header.x_adjust, 0.0f);
  EXPECT_EQ(header.y_adjust, 0.0f);
  EXPECT_EQ(header.parameters, nullptr);
  EXPECT_EQ(header.user_area, nullptr);
  EXPECT_EQ(header.flags, 0u);
  EXPECT_EQ(header.mouse_rect, nullptr);
}

struct ElementRow {
  const char* name;
  std::int32_t type;
  std::int32_t bitmap;
  PIXPOINT position;
  PIXPOINT size;  // 0, 0 for an element sized by its bitmap
  std::int32_t characters;
  std::int32_t frames;
  std::uint32_t image_flags;
  ElementCallback callback;
};

constexpr std::int32_t kString = ELEMENT_TYPE_STRING;
constexpr std::int32_t kIcon = ELEMENT_TYPE_ICON;

const ElementRow kFace[] = {
    {"first_line", kString, -1, {39, 83}, {240, 34}, 12, 0, 2, first_line_callback},
    {"second_line", kString, -1, {39, 118}, {240, 34}, 12, 0, 2, second_line_callback},
    {"steer_icon", kIcon, 8192, {80, 153}, {0, 0}, 0, 10, 3, steer_icon_callback},
    {"label_icon", kIcon, 12288, {45, 180}, {0, 0}, 0, 3, 3, label_icon_callback},
    {"distance_icon", kIcon, 16384, {42, 206}, {0, 0}, 0, 2, 3, distance_icon_callback},
    {"track_icon", kIcon, 20480, {243, 183}, {0, 0}, 0, 2, 3, track_icon_callback},
    {"satellite_icon", kIcon, 24576, {196, 209}, {0, 0}, 0, 2, 3, satellite_icon_callback},
    {"left_readout", kString, -1, {85, 174}, {60, 34}, 3, 0, 2, left_readout_callback},
    {"right_readout", kString, -1, {180, 174}, {60, 34}, 3, 0, 2, right_readout_callback},
    {"distance_point", kString, -1, {139, 203}, {20, 34}, 1, 0, 2, nullptr},
    {"distance_readout", kString, -1, {85, 203}, {60, 34}, 3, 0, 2, distance_readout_callback},
    {"distance_tenths", kString, -1, {151, 203}, {20, 34}, 1, 0, 2, nullptr},
};

TEST_F(FaceTables, RootIsTheFaceImageWithTwelveChildrenInOrder) {
  const std::vector<ELEMENT_HEADER*> all = host.elements();
  ASSERT_EQ(all.size(), 1 + std::size(kFace));
  const ELEMENT_HEADER& root = *all.front();
  EXPECT_EQ(root.element_type, ELEMENT_TYPE_STATIC_IMAGE);
  EXPECT_EQ(root.resource_id, 4096);
  EXPECT_EQ(root.position.x, 0);
  EXPECT_EQ(root.position.y, 0);
  EXPECT_EQ(root.image_flags, 1u);
  EXPECT_EQ(root.gauge_header, &host.gauge());
  EXPECT_EQ(root.failure_record, nullptr);
  EXPECT_EQ(root.special_flags, 0u);
  ASSERT_NE(root.next_element, nullptr);
  EXPECT_EQ(root.next_element[std::size(kFace)], nullptr);
  for (std::size_t i = 0; i < std::size(kFace); ++i) {
    EXPECT_EQ(root.next_element[i], host.child(i)) << kFace[i].name;
  }
}

TEST_F(FaceTables, ChildElements) {
  for (std::size_t i = 0; i < std::size(kFace); ++i) {
    const ElementRow& row = kFace[i];
    SCOPED_TRACE(row.name);
    const ELEMENT_HEADER* element = host.child(i);
    ASSERT_NE(element, nullptr);
    ASSERT_EQ(element->element_type, row.type);
    EXPECT_EQ(element->resource_id, row.bitmap);
    EXPECT_EQ(element->position.x, row.position.x);
    EXPECT_EQ(element->position.y, row.position.y);
    EXPECT_EQ(element->size.x, row.size.x);
    EXPECT_EQ(element->size.y, row.size.y);
    EXPECT_EQ(element->image_flags, row.image_flags);
    EXPECT_EQ(element->gauge_header, &host.gauge());
    EXPECT_EQ(element->next_element, nullptr);
    EXPECT_EQ(element->failure_record, nullptr);
    EXPECT_EQ(element->special_flags, 0u);
    if (row.type == kString) {
      const auto* string = reinterpret_cast<const ELEMENT_STRING*>(element);
      EXPECT_EQ(string->update_cb, row.callback);
      EXPECT_EQ(string->max_string_length, row.characters);
      EXPECT_EQ(string->source_var[0].id, 1);
      EXPECT_EQ(string->source_var[1].id, 0);
      EXPECT_EQ(string->source_var[2].id, 0);
      EXPECT_EQ(string->fg_color, 0x101010u);
      EXPECT_EQ(string->bg_color, 0xa5a5a5u);
      EXPECT_EQ(string->hilite_color, 0x101010u);
      ASSERT_NE(string->font_name, nullptr);
      EXPECT_STREQ(string->font_name, "Terminal");
      EXPECT_EQ(string->font_weight, 700);
      EXPECT_EQ(string->font_charset, 1);
      EXPECT_EQ(string->draw_text_flags, 0x25u);
    } else {
      const auto* icon = reinterpret_cast<const ELEMENT_ICON*>(element);
      EXPECT_EQ(icon->update_cb, row.callback);
      EXPECT_EQ(icon->picture_count, row.frames);
      EXPECT_EQ(icon->source_var.id, 0);
      EXPECT_EQ(icon->switch_type, 0);
      EXPECT_EQ(icon->scale, 0);
      EXPECT_EQ(icon->offset, 0);
    }
  }
}

// The bitmaps' pixel sizes, as the module's resources carry them.
class FaceBitmaps : public host::BitmapSource {
 public:
  bool bitmap_size(int resource_id, PIXPOINT& size) override {
    static const std::map<int, PIXPOINT> kSizes = {
        {4096, {315, 315}}, {8192, {157, 17}}, {12288, {25, 17}},
        {16384, {33, 17}},  {20480, {26, 17}}, {24576, {49, 27}},
    };
    const auto found = kSizes.find(resource_id);
    if (found == kSizes.end()) {
      return false;
    }
    size = found->second;
    return true;
  }
};

TEST_F(FaceTables, InstallSizesBitmapElementsAndHandsTheFaceSizeToTheMouseList) {
  FaceBitmaps bitmaps;
  host.set_bitmap_source(&bitmaps);
  host.clear_calls();
  host.install(0);
  const std::vector<std::string> expected = {"element_list_install 0", "mouse_list_install 315x315",
                                             "mouse_list_register"};
  EXPECT_EQ(host.calls(), expected);
  const ELEMENT_HEADER* root = host.elements().front();
  EXPECT_EQ(root->size.x, 315);
  EXPECT_EQ(root->size.y, 315);
  const PIXPOINT sized[] = {{240, 34}, {240, 34}, {157, 17}, {25, 17}, {33, 17}, {26, 17},
                            {49, 27},  {60, 34},  {60, 34},  {20, 34}, {60, 34}, {20, 34}};
  for (std::size_t i = 0; i < std::size(kFace); ++i) {
    EXPECT_EQ(host.child(i)->size.x, sized[i].x) << kFace[i].name;
    EXPECT_EQ(host.child(i)->size.y, sized[i].y) << kFace[i].name;
  }
  host.set_bitmap_source(nullptr);
}

struct MouseRow {
  std::int32_t type;
  PIXBOX box;
  std::int32_t cursor;
  std::uint32_t flags;
  MouseHandler handler;
};

TEST_F(FaceTables, MouseRectangles) {
  const MouseRow rows[] = {
      {MOUSE_RECT_PARENT, {0, 0, 0, 0}, -1, 0, nullptr},
      {MOUSE_RECT_CHILD, {93, 16, 30, 30}, 5, 0x20000000, on_button_handler},
      {MOUSE_RECT_CHILD, {190, 16, 30, 30}, 5, 0x20000000, go_button_handler},
      {MOUSE_RECT_CHILD, {23, 269, 30, 30}, 5, 0x20000000, left_button_handler},
      {MOUSE_RECT_CHILD, {104, 269, 30, 30}, 5, 0x20200000, up_button_handler},
      {MOUSE_RECT_CHILD, {179, 269, 30, 30}, 5, 0x20200000, down_button_handler},
      {MOUSE_RECT_CHILD, {259, 269, 30, 30}, 5, 0x20000000, right_button_handler},
      {MOUSE_RECT_END_PARENT, {0, 0, 0, 0}, -1, 0, nullptr},
      {MOUSE_RECT_EOL, {0, 0, 0, 0}, -1, 0, nullptr},
  };
  const MOUSERECT* list = host.mouse_list();
  ASSERT_NE(list, nullptr);
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE("mouse entry " + std::to_string(i + 1));
    const MOUSERECT& rect = list[i];
    EXPECT_EQ(rect.rect_type, rows[i].type);
    EXPECT_EQ(rect.relative_box.x, rows[i].box.x);
    EXPECT_EQ(rect.relative_box.y, rows[i].box.y);
    EXPECT_EQ(rect.relative_box.size_x, rows[i].box.size_x);
    EXPECT_EQ(rect.relative_box.size_y, rows[i].box.size_y);
    EXPECT_EQ(rect.cursor, rows[i].cursor);
    EXPECT_EQ(rect.help_id, 0);
    EXPECT_EQ(rect.mouse_flags, rows[i].flags);
    EXPECT_EQ(rect.event_id, 0u);
    EXPECT_EQ(rect.mouse_function, rows[i].handler);
    EXPECT_EQ(rect.api_data, nullptr);
  }
}

TEST(BmpFolderBitmaps, ReadsTheSizeFromTheInfoHeader) {
  const auto folder = std::filesystem::temp_directory_path() / "kolvex-bmp-folder-test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  // A file header, then an info header with width 157 and height -17 (stored top-down).
  unsigned char bmp[54] = {'B', 'M'};
  bmp[14] = 40;
  bmp[18] = 157;
  const std::int32_t height = -17;
  std::memcpy(bmp + 22, &height, 4);
  testing::write_file(folder / "8192.bmp",
                      std::string(reinterpret_cast<const char*>(bmp), sizeof bmp));
  testing::write_file(folder / "8195.bmp", "BM short");
  testing::write_file(folder / "8198.bmp", std::string(54, 'x'));

  host::BmpFolderBitmaps bitmaps(folder);
  PIXPOINT size{0, 0};
  EXPECT_TRUE(bitmaps.bitmap_size(8192, size));
  EXPECT_EQ(size.x, 157);
  EXPECT_EQ(size.y, 17);
  for (int missing_or_bad : {4096, 8195, 8198}) {
    size = {0, 0};
    EXPECT_FALSE(bitmaps.bitmap_size(missing_or_bad, size)) << missing_or_bad;
    EXPECT_EQ(size.x, 0);
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kolvex
