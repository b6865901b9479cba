#include "gauge/face.h"

#include "gauge/navigator_state.h"
#include "host/services.h"
#include "interface/buttons.h"
#include "interface/page_text.h"

namespace kolvex {
namespace {

constexpr std::uint32_t kTextColour = 0x101010;
constexpr std::uint32_t kBackgroundColour = 0xa5a5a5;
constexpr std::int32_t kDefaultCharset = 1;
constexpr std::uint32_t kCentredSingleLine = 0x25;  // centre, vertical centre, single line
constexpr std::uint32_t kErase = IMAGE_USE_ERASE;
constexpr std::uint32_t kEraseTransparent = IMAGE_USE_ERASE | IMAGE_USE_TRANSPARENCY;

ELEMENT_HEADER* face_children[] = {
    &first_line.header,
    &second_line.header,
    &steer_icon.header,
    &label_icon.header,
    &distance_icon.header,
    &track_icon.header,
    &satellite_icon.header,
    &left_readout.header,
    &right_readout.header,
    &distance_point.header,
    &distance_readout.header,
    &distance_tenths.header,
    nullptr,
};

ELEMENT_HEADER* gauge_elements[] = {&face_image.header, nullptr};

constexpr ELEMENT_HEADER child_header(ElementType type, std::int32_t bitmap, PIXPOINT position,
                                      PIXPOINT size, std::uint32_t image_flags) {
  return ELEMENT_HEADER{type,    bitmap,  position,    size, &gauge_header, &face_image.header,
                        nullptr, nullptr, image_flags, 0};
}

constexpr ELEMENT_STRING string_element(PIXPOINT position, PIXPOINT size, std::int32_t characters,
                                        ElementCallback callback) {
  return ELEMENT_STRING{
      child_header(ELEMENT_TYPE_STRING, -1, position, size, kErase),
      {{1, 0, 0.0}, {0, 0, 0.0}, {0, 0, 0.0}},
      callback,
      nullptr,
      characters,
      kTextColour,
      kBackgroundColour,
      kTextColour,
      "Terminal",
      700,
      kDefaultCharset,
      kCentredSingleLine,
  };
}

constexpr ELEMENT_ICON icon_element(std::int32_t bitmap, PIXPOINT position, std::int32_t frames,
                                    ElementCallback callback) {
  return ELEMENT_ICON{
      child_header(ELEMENT_TYPE_ICON, bitmap, position, {0, 0}, kEraseTransparent),
      {0, 0, 0.0},
      callback,
      0,
      frames,
      0,
      0,
      0,
      nullptr,
  };
}

constexpr MOUSERECT button(PIXBOX box, std::uint32_t flags, MouseHandler handler) {
  return MOUSERECT{MOUSE_RECT_CHILD, box, CURSOR_HAND, 0, flags, 0, handler, nullptr};
}

constexpr MOUSERECT marker(MouseRectType type) {
  return MOUSERECT{type, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, nullptr, nullptr};
}

}  // namespace

GAUGEHDR gauge_header = {
    610,
    "Brelvund KOL-VEX",
    gauge_elements,
    gauge_query,
    gauge_install,
    gauge_initialize,
    gauge_update,
    gauge_generate,
    gauge_draw,
    gauge_kill,
    nullptr,
    66,
    0,
    0.0f,
    0.0f,
    nullptr,
    nullptr,
    0,
    nullptr,
};

ELEMENT_STATIC_IMAGE face_image = {
    ELEMENT_HEADER{ELEMENT_TYPE_STATIC_IMAGE,
                   4096,
                   {0, 0},
                   {0, 0},
                   &gauge_header,
                   nullptr,
                   face_children,
                   nullptr,
                   IMAGE_USE_TRANSPARENCY,
                   0},
    {0, 0},
    nullptr,
};

ELEMENT_STRING first_line = string_element({39, 83}, {240, 34}, 12, first_line_callback);
ELEMENT_STRING second_line = string_element({39, 118}, {240, 34}, 12, second_line_callback);
ELEMENT_ICON steer_icon = icon_element(8192, {80, 153}, 10, steer_icon_callback);
ELEMENT_ICON label_icon = icon_element(12288, {45, 180}, 3, label_icon_callback);
ELEMENT_ICON distance_icon = icon_element(16384, {42, 206}, 2, distance_icon_callback);
ELEMENT_ICON track_icon = icon_element(20480, {243, 183}, 2, track_icon_callback);
ELEMENT_ICON satellite_icon = icon_element(24576, {196, 209}, 2, satellite_icon_callback);
ELEMENT_STRING left_readout = string_element({85, 174}, {60, 34}, 3, left_readout_callback);
ELEMENT_STRING right_readout = string_element({180, 174}, {60, 34}, 3, right_readout_callback);
ELEMENT_STRING distance_point = string_element({139, 203}, {20, 34}, 1, nullptr);
ELEMENT_STRING distance_readout = string_element({85, 203}, {60, 34}, 3, distance_readout_callback);
ELEMENT_STRING distance_tenths = string_element({151, 203}, {20, 34}, 1, nullptr);

MOUSERECT mouse_rects[] = {
    marker(MOUSE_RECT_PARENT),
    button({93, 16, 30, 30}, MOUSE_LEFTSINGLE, on_button_handler),
    button({190, 16, 30, 30}, MOUSE_LEFTSINGLE, go_button_handler),
    button({23, 269, 30, 30}, MOUSE_LEFTSINGLE, left_button_handler),
    button({104, 269, 30, 30}, MOUSE_LEFTSINGLE | MOUSE_DOWN_REPEAT, up_button_handler),
    button({179, 269, 30, 30}, MOUSE_LEFTSINGLE | MOUSE_DOWN_REPEAT, down_button_handler),
    button({259, 269, 30, 30}, MOUSE_LEFTSINGLE, right_button_handler),
    marker(MOUSE_RECT_END_PARENT),
    marker(MOUSE_RECT_EOL),
};

namespace {

ELEMENT_HEADER* root() {
  return gauge_header.elements_list[0];
}

}  // namespace

void KOLVEX_HOSTCALL gauge_query() {
  if (PANELS* services = panel_services()) {
    services->element_list_query(root());
  }
}

void KOLVEX_HOSTCALL gauge_install(std::uint32_t argument) {
  if (PANELS* services = panel_services()) {
    services->element_list_install(root(), argument);
    services->mouse_list_install(mouse_rects, &gauge_header, &face_image.image_size);
    services->mouse_list_register(mouse_rects, &gauge_header);
  }
}

void KOLVEX_HOSTCALL gauge_initialize() {
  initialize_module_vars();
  if (PANELS* services = panel_services()) {
    services->element_list_initialize(root());
  }
}

void KOLVEX_HOSTCALL gauge_update() {
  if (PANELS* services = panel_services()) {
    services->element_list_update(root());
  }
}

void KOLVEX_HOSTCALL gauge_generate(std::uint32_t argument) {
  if (PANELS* services = panel_services()) {
    services->element_list_generate(root(), argument);
  }
  navigator.stopwatch_running = 0;
  navigator.stopwatch_armed = 1;
}

void KOLVEX_HOSTCALL gauge_draw() {
  if (PANELS* services = panel_services()) {
    services->element_list_plot(root());
  }
}

void KOLVEX_HOSTCALL gauge_kill() {
  if (PANELS* services = panel_services()) {
    services->mouse_list_unregister(mouse_rects, &gauge_header);
    services->element_list_kill(root());
  }
}

}  // namespace kolvex
