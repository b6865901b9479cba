// The records the simulator's panel system and the gauge module exchange, and the table of
// panel services the host hands the module through ImportTable.
//
// The layouts are this project's own. What the host relies on is fixed: the names, the module
// and import ids, and the byte positions of the twelve services the gauge calls (0x60 to 0xa0
// in the 32-bit module, the same slot indices in a 64-bit build).
#pragma once

#include <cstddef>
#include <cstdint>

// Host services, gauge routines, element callbacks and mouse handlers use the host's calling
// convention; on 32-bit Windows that is stdcall, elsewhere the platform default.
#if defined(_WIN32) && !defined(_WIN64)
#define KOLVEX_HOSTCALL __stdcall
#else
#define KOLVEX_HOSTCALL
#endif

#if defined(_WIN32)
#define KOLVEX_EXPORT __declspec(dllexport)
#else
#define KOLVEX_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

struct GAUGEHDR;
struct ELEMENT_HEADER;

struct PIXPOINT {
  std::int32_t x;
  std::int32_t y;
};

struct PIXBOX {
  std::int32_t x;
  std::int32_t y;
  std::int32_t size_x;
  std::int32_t size_y;
};

// Colours are Windows COLORREF values: 0x00bbggrr.

// One host variable. The host writes var_value when the module looks the variable up.
struct MODULE_VAR {
  std::int32_t id;
  std::int32_t host_tag;  // the host's own bookkeeping, set by initialize_var
  double var_value;
};

using GaugeRoutine = void(KOLVEX_HOSTCALL*)();
using GaugeRoutineWithArg = void(KOLVEX_HOSTCALL*)(std::uint32_t);
// An element update callback receives its element's source variable and returns a frame (icons)
// or the variable's value unchanged (strings).
using ElementCallback = double(KOLVEX_HOSTCALL*)(MODULE_VAR*);
// A mouse handler receives the click point and the event flags and returns the flags.
using MouseHandler = std::uint32_t(KOLVEX_HOSTCALL*)(PIXPOINT*, std::uint32_t);

enum ElementType : std::int32_t {
  ELEMENT_TYPE_STATIC_IMAGE = 1,
  ELEMENT_TYPE_ICON = 2,
  ELEMENT_TYPE_STRING = 3,
};

// Image flags.
constexpr std::uint32_t IMAGE_USE_TRANSPARENCY = 0x1;
constexpr std::uint32_t IMAGE_USE_ERASE = 0x2;

// Fields every element shares. An element whose size is "bitmap" carries 0, 0 here; the host
// fills in the bitmap's size when it installs the element.
struct ELEMENT_HEADER {
  std::int32_t element_type;
  std::int32_t resource_id;  // bitmap id, -1 for none
  PIXPOINT position;
  PIXPOINT size;
  GAUGEHDR* gauge_header;
  ELEMENT_HEADER* previous_element;
  ELEMENT_HEADER** next_element;  // null-terminated list of children, or null
  void* failure_record;
  std::uint32_t image_flags;
  std::uint32_t special_flags;
};

struct ELEMENT_STATIC_IMAGE {
  ELEMENT_HEADER header;
  PIXPOINT image_size;  // set by the host when it attaches the bitmap at install
  void* host_image;
};

struct ELEMENT_ICON {
  ELEMENT_HEADER header;
  MODULE_VAR source_var;  // id 0: the frame is what the callback returns
  ElementCallback update_cb;
  std::int32_t switch_type;
  std::int32_t picture_count;
  std::int32_t scale;
  std::int32_t offset;
  std::int32_t current_frame;  // set by the host after each update
  void* host_images;
};

struct ELEMENT_STRING {
  ELEMENT_HEADER header;
  MODULE_VAR source_var[3];
  ElementCallback update_cb;
  char* string;  // host-provided buffer of max_string_length + 1 bytes
  std::int32_t max_string_length;
  std::uint32_t fg_color;
  std::uint32_t bg_color;
  std::uint32_t hilite_color;
  const char* font_name;
  std::int32_t font_weight;
  std::int32_t font_charset;
  std::uint32_t draw_text_flags;
};

enum MouseRectType : std::int32_t {
  MOUSE_RECT_EOL = 0,
  MOUSE_RECT_PARENT = 1,
  MOUSE_RECT_CHILD = 2,
  MOUSE_RECT_END_PARENT = 3,
};

constexpr std::uint32_t MOUSE_LEFTSINGLE = 0x20000000;
constexpr std::uint32_t MOUSE_DOWN_REPEAT = 0x00200000;
constexpr std::int32_t CURSOR_NONE = -1;
constexpr std::int32_t CURSOR_HAND = 5;

struct MOUSERECT {
  std::int32_t rect_type;
  PIXBOX relative_box;
  std::int32_t cursor;
  std::int32_t help_id;
  std::uint32_t mouse_flags;
  std::uint32_t event_id;
  MouseHandler mouse_function;
  void* api_data;
};

struct GAUGEHDR {
  std::int32_t gauge_header_version;
  const char* gauge_name;
  ELEMENT_HEADER** elements_list;
  GaugeRoutine query_routine;
  GaugeRoutineWithArg install_routine;
  GaugeRoutine initialize_routine;
  GaugeRoutine update_routine;
  GaugeRoutineWithArg generate_routine;
  GaugeRoutine draw_routine;
  GaugeRoutine kill_routine;
  void* reserved1;
  std::int32_t size_x_mm;
  std::int32_t size_y_mm;
  float x_adjust;
  float y_adjust;
  void* parameters;
  void* user_area;
  std::uint32_t flags;
  void* mouse_rect;
};

// The panel services. Only the slots the gauge calls are named; the others are the host's.
struct PANELS {
  void* reserved_0_23[24];
  std::int32_t(KOLVEX_HOSTCALL* element_list_query)(ELEMENT_HEADER*);                    // 0x60
  std::int32_t(KOLVEX_HOSTCALL* element_list_install)(ELEMENT_HEADER*, std::uint32_t);   // 0x64
  std::int32_t(KOLVEX_HOSTCALL* element_list_initialize)(ELEMENT_HEADER*);               // 0x68
  std::int32_t(KOLVEX_HOSTCALL* element_list_update)(ELEMENT_HEADER*);                   // 0x6c
  std::int32_t(KOLVEX_HOSTCALL* element_list_generate)(ELEMENT_HEADER*, std::uint32_t);  // 0x70
  std::int32_t(KOLVEX_HOSTCALL* element_list_plot)(ELEMENT_HEADER*);                     // 0x74
  void* reserved_30;                                                                     // 0x78
  std::int32_t(KOLVEX_HOSTCALL* element_list_kill)(ELEMENT_HEADER*);                     // 0x7c
  std::int32_t(KOLVEX_HOSTCALL* mouse_list_install)(MOUSERECT*, GAUGEHDR*, PIXPOINT*);   // 0x80
  std::int32_t(KOLVEX_HOSTCALL* mouse_list_register)(MOUSERECT*, GAUGEHDR*);             // 0x84
  std::int32_t(KOLVEX_HOSTCALL* mouse_list_unregister)(MOUSERECT*, GAUGEHDR*);           // 0x88
  void* reserved_35_37[3];                                                               // 0x8c
  std::int32_t(KOLVEX_HOSTCALL* initialize_var)(MODULE_VAR*);                            // 0x98
  void* reserved_39;                                                                     // 0x9c
  std::int32_t(KOLVEX_HOSTCALL* lookup_var)(MODULE_VAR*);                                // 0xa0
  void* reserved_41_47[7];
};

struct GAUGESLINKAGE {
  std::int32_t module_id;  // 0x13
  void(KOLVEX_HOSTCALL* module_init)();
  void(KOLVEX_HOSTCALL* module_deinit)();
  std::uint32_t module_flags;
  std::uint32_t module_status;
  std::uint32_t module_version;
  GAUGEHDR* gauge_headers[2];  // this module's one gauge, then null
};

struct IMPORT_ENTRY {
  std::int32_t id;
  PANELS* services;
};

struct IMPORT_TABLE {
  IMPORT_ENTRY panels;  // id 0x0F, filled by the host before any routine runs
  IMPORT_ENTRY end;     // all zero
};

constexpr std::int32_t LINKAGE_MODULE_ID = 0x13;
constexpr std::int32_t IMPORT_PANELS_ID = 0x0F;

// The two records the host finds by name in the module.
KOLVEX_EXPORT extern GAUGESLINKAGE Linkage;
KOLVEX_EXPORT extern IMPORT_TABLE ImportTable;

// The one export beyond the simulator's: a host that drives simulated time hands the module
// its millisecond clock reading through it. Once called, the module reads the last value handed
// over instead of its own clock. The simulator never calls it.
KOLVEX_EXPORT void kolvex_set_clock_ms(std::int32_t milliseconds);
using SetClockFunction = void (*)(std::int32_t);

}  // extern "C"

constexpr std::size_t panel_slot_offset(std::size_t slot) {
  return slot * sizeof(void*);
}

static_assert(offsetof(PANELS, element_list_query) == panel_slot_offset(0x60 / 4));
static_assert(offsetof(PANELS, element_list_install) == panel_slot_offset(0x64 / 4));
static_assert(offsetof(PANELS, element_list_initialize) == panel_slot_offset(0x68 / 4));
static_assert(offsetof(PANELS, element_list_update) == panel_slot_offset(0x6c / 4));
static_assert(offsetof(PANELS, element_list_generate) == panel_slot_offset(0x70 / 4));
static_assert(offsetof(PANELS, element_list_plot) == panel_slot_offset(0x74 / 4));
static_assert(offsetof(PANELS, element_list_kill) == panel_slot_offset(0x7c / 4));
static_assert(offsetof(PANELS, mouse_list_install) == panel_slot_offset(0x80 / 4));
static_assert(offsetof(PANELS, mouse_list_register) == panel_slot_offset(0x84 / 4));
static_assert(offsetof(PANELS, mouse_list_unregister) == panel_slot_offset(0x88 / 4));
static_assert(offsetof(PANELS, initialize_var) == panel_slot_offset(0x98 / 4));
static_assert(offsetof(PANELS, lookup_var) == panel_slot_offset(0xa0 / 4));
#if defined(__i386__) || defined(_M_IX86)
static_assert(offsetof(PANELS, element_list_query) == 0x60);
static_assert(offsetof(PANELS, lookup_var) == 0xa0);
#endif
