#include "tools/panel_host/panel_host.h"

#include <cmath>
#include <cstring>
#include <fstream>

namespace kolvex::host {

PanelHost* PanelHost::current_ = nullptr;

namespace {

std::vector<ELEMENT_HEADER*> children_of(ELEMENT_HEADER* element) {
  std::vector<ELEMENT_HEADER*> list;
  if (element != nullptr && element->next_element != nullptr) {
    for (ELEMENT_HEADER** child = element->next_element; *child != nullptr; ++child) {
      list.push_back(*child);
    }
  }
  return list;
}

// Every element of the tree, depth first, parents before children.
void walk(ELEMENT_HEADER* element, std::vector<ELEMENT_HEADER*>& out) {
  if (element == nullptr) {
    return;
  }
  out.push_back(element);
  for (ELEMENT_HEADER* child : children_of(element)) {
    walk(child, out);
  }
}

int frame_from(double value) {
  if (!(value >= 0.0 && value < 1000000.0)) {
    return 0;
  }
  return static_cast<int>(value);
}

}  // namespace

struct Services {
  static PanelHost& host() { return *PanelHost::current(); }

  static std::int32_t KOLVEX_HOSTCALL element_list_query(ELEMENT_HEADER*) {
    host().log("element_list_query");
    return 0;
  }
  static std::int32_t KOLVEX_HOSTCALL element_list_install(ELEMENT_HEADER* root,
                                                           std::uint32_t argument) {
    host().log("element_list_install " + std::to_string(argument));
    std::vector<ELEMENT_HEADER*> all;
    walk(root, all);
    for (ELEMENT_HEADER* element : all) {
      PIXPOINT size{0, 0};
      if (element->resource_id >= 0 && host().bitmaps_ != nullptr &&
          host().bitmaps_->bitmap_size(element->resource_id, size)) {
        if (element->element_type == ELEMENT_TYPE_STATIC_IMAGE) {
          reinterpret_cast<ELEMENT_STATIC_IMAGE*>(element)->image_size = size;
        }
        if (element->size.x == 0 && element->size.y == 0) {
          element->size = size;
        }
      }
    }
    return 0;
  }
  static std::int32_t KOLVEX_HOSTCALL element_list_initialize(ELEMENT_HEADER* root) {
    host().log("element_list_initialize");
    std::vector<ELEMENT_HEADER*> all;
    walk(root, all);
    for (ELEMENT_HEADER* element : all) {
      if (element->element_type == ELEMENT_TYPE_STRING) {
        auto* string = reinterpret_cast<ELEMENT_STRING*>(element);
        const std::size_t size =
            static_cast<std::size_t>(string->max_string_length < 0 ? 0
                                                                   : string->max_string_length) +
            1;
        auto& buffer = host().buffers_[element];
        buffer = std::make_unique<char[]>(size);
        std::memset(buffer.get(), 0, size);
        string->string = buffer.get();
      }
    }
    return 0;
  }
  static std::int32_t KOLVEX_HOSTCALL element_list_update(ELEMENT_HEADER* root) {
    host().log("element_list_update");
    std::vector<ELEMENT_HEADER*> all;
    walk(root, all);
    for (ELEMENT_HEADER* element : all) {
      if (element->element_type == ELEMENT_TYPE_STRING) {
        auto* string = reinterpret_cast<ELEMENT_STRING*>(element);
        if (string->update_cb != nullptr) {
          string->source_var[0].var_value = host().var(string->source_var[0].id);
          string->update_cb(&string->source_var[0]);
        }
      } else if (element->element_type == ELEMENT_TYPE_ICON) {
        auto* icon = reinterpret_cast<ELEMENT_ICON*>(element);
        if (icon->update_cb != nullptr) {
          const int frame = frame_from(icon->update_cb(&icon->source_var));
          icon->current_frame = frame;
          host().frames_[element] = frame;
        }
      }
    }
    return 0;
  }
  static std::int32_t KOLVEX_HOSTCALL element_list_generate(ELEMENT_HEADER*,
                                                            std::uint32_t argument) {
    host().log("element_list_generate " + std::to_string(argument));
    return 0;
  }
  static std::int32_t KOLVEX_HOSTCALL element_list_plot(ELEMENT_HEADER*) {
    host().log("element_list_plot");
    return 0;
  }
  static std::int32_t KOLVEX_HOSTCALL element_list_kill(ELEMENT_HEADER* root) {
    host().log("element_list_kill");
    std::vector<ELEMENT_HEADER*> all;
    walk(root, all);
    for (ELEMENT_HEADER* element : all) {
      if (element->element_type == ELEMENT_TYPE_STRING) {
        reinterpret_cast<ELEMENT_STRING*>(element)->string = nullptr;
      }
    }
    host().buffers_.clear();
    return 0;
  }
  static std::int32_t KOLVEX_HOSTCALL mouse_list_install(MOUSERECT* list, GAUGEHDR*,
                                                         PIXPOINT* size) {
    host().log("mouse_list_install " +
               (size != nullptr ? std::to_string(size->x) + "x" + std::to_string(size->y)
                                : std::string("null")));
    host().mouse_list_ = list;
    return 0;
  }
  static std::int32_t KOLVEX_HOSTCALL mouse_list_register(MOUSERECT* list, GAUGEHDR*) {
    host().log("mouse_list_register");
    host().mouse_list_ = list;
    return 0;
  }
  static std::int32_t KOLVEX_HOSTCALL mouse_list_unregister(MOUSERECT*, GAUGEHDR*) {
    host().log("mouse_list_unregister");
    host().mouse_list_ = nullptr;
    return 0;
  }
  static std::int32_t KOLVEX_HOSTCALL initialize_var(MODULE_VAR* var) {
    host().log("initialize_var " + std::to_string(var->id));
    var->host_tag = var->id;
    var->var_value = host().var(var->id);
    return 0;
  }
  static std::int32_t KOLVEX_HOSTCALL lookup_var(MODULE_VAR* var) {
    var->var_value = host().var(var->id);
    return 0;
  }
};

PanelHost::PanelHost() : services_(std::make_unique<PANELS>()) {
  std::memset(services_.get(), 0, sizeof(PANELS));
  services_->element_list_query = Services::element_list_query;
  services_->element_list_install = Services::element_list_install;
  services_->element_list_initialize = Services::element_list_initialize;
  services_->element_list_update = Services::element_list_update;
  services_->element_list_generate = Services::element_list_generate;
  services_->element_list_plot = Services::element_list_plot;
  services_->element_list_kill = Services::element_list_kill;
  services_->mouse_list_install = Services::mouse_list_install;
  services_->mouse_list_register = Services::mouse_list_register;
  services_->mouse_list_unregister = Services::mouse_list_unregister;
  services_->initialize_var = Services::initialize_var;
  services_->lookup_var = Services::lookup_var;
}

PanelHost::~PanelHost() {
  if (imports_ != nullptr && imports_->panels.services == services_.get()) {
    // Leave the module no pointer into a host that is gone; give its buffers back too.
    if (linkage_ != nullptr) {
      std::vector<ELEMENT_HEADER*> all;
      walk(root(), all);
      for (ELEMENT_HEADER* element : all) {
        if (element->element_type == ELEMENT_TYPE_STRING) {
          reinterpret_cast<ELEMENT_STRING*>(element)->string = nullptr;
        }
      }
    }
    imports_->panels.services = nullptr;
  }
  if (current_ == this) {
    current_ = nullptr;
  }
}

void PanelHost::attach(GAUGESLINKAGE* linkage, IMPORT_TABLE* imports,
                       SetClockFunction clock_export) {
  current_ = this;
  linkage_ = linkage;
  imports_ = imports;
  set_clock_ = clock_export;
  imports_->panels.services = services_.get();
  set_clock(0);
}

void PanelHost::query() {
  gauge().query_routine();
}
void PanelHost::install(std::uint32_t argument) {
  gauge().install_routine(argument);
}
void PanelHost::initialize() {
  gauge().initialize_routine();
}
void PanelHost::update() {
  gauge().update_routine();
}
void PanelHost::generate(std::uint32_t argument) {
  gauge().generate_routine(argument);
}
void PanelHost::draw() {
  gauge().draw_routine();
}
void PanelHost::kill() {
  gauge().kill_routine();
}

void PanelHost::set_clock(std::int32_t milliseconds) {
  clock_ms_ = milliseconds;
  if (set_clock_ != nullptr) {
    set_clock_(milliseconds);
  }
}

double PanelHost::var(int id) const {
  const auto found = vars_.find(id);
  return found == vars_.end() ? 0.0 : found->second;
}

bool PanelHost::click(int x, int y) {
  if (mouse_list_ == nullptr) {
    return false;
  }
  PIXPOINT origin{0, 0};
  for (MOUSERECT* rect = mouse_list_; rect->rect_type != MOUSE_RECT_EOL; ++rect) {
    const PIXBOX& box = rect->relative_box;
    if (rect->rect_type == MOUSE_RECT_PARENT) {
      origin = {origin.x + box.x, origin.y + box.y};
      continue;
    }
    if (rect->rect_type == MOUSE_RECT_END_PARENT) {
      continue;
    }
    const int left = origin.x + box.x;
    const int top = origin.y + box.y;
    if (x >= left && x < left + box.size_x && y >= top && y < top + box.size_y &&
        (rect->mouse_flags & MOUSE_LEFTSINGLE) != 0 && rect->mouse_function != nullptr) {
      PIXPOINT point{x - left, y - top};
      rect->mouse_function(&point, MOUSE_LEFTSINGLE);
      return true;
    }
  }
  return false;
}

bool PanelHost::press(Button button) {
  // The buttons' mouse rectangles are the list's children in the order ON, GO, left, up,
  // down, right.
  static constexpr int kOrder[] = {0, 1, 2, 3, 4, 5};
  if (mouse_list_ == nullptr) {
    return false;
  }
  int index = kOrder[static_cast<int>(button)];
  PIXPOINT origin{0, 0};
  for (MOUSERECT* rect = mouse_list_; rect->rect_type != MOUSE_RECT_EOL; ++rect) {
    const PIXBOX& box = rect->relative_box;
    if (rect->rect_type == MOUSE_RECT_PARENT) {
      origin = {origin.x + box.x, origin.y + box.y};
    } else if (rect->rect_type == MOUSE_RECT_CHILD && index-- == 0) {
      return click(origin.x + box.x + box.size_x / 2, origin.y + box.y + box.size_y / 2);
    }
  }
  return false;
}

std::vector<ELEMENT_HEADER*> PanelHost::elements() const {
  std::vector<ELEMENT_HEADER*> all;
  walk(root(), all);
  return all;
}

ELEMENT_HEADER* PanelHost::child(std::size_t index) const {
  const auto list = children_of(root());
  return index < list.size() ? list[index] : nullptr;
}

std::string PanelHost::text(std::size_t child_index) const {
  ELEMENT_HEADER* element = child(child_index);
  if (element == nullptr || element->element_type != ELEMENT_TYPE_STRING) {
    return {};
  }
  const auto* string = reinterpret_cast<const ELEMENT_STRING*>(element);
  if (string->string == nullptr) {
    return {};
  }
  return std::string(
      string->string,
      strnlen(string->string, static_cast<std::size_t>(string->max_string_length) + 1));
}

int PanelHost::frame_of(std::size_t child_index) const {
  const auto found = frames_.find(child(child_index));
  return found == frames_.end() ? 0 : found->second;
}

namespace {

std::int32_t little_endian_32(const unsigned char* bytes) {
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
      static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
}

}  // namespace

bool info_header_size(const unsigned char* header, std::size_t length, PIXPOINT& size) {
  // biSize, then biWidth and biHeight.
  if (length < 12) {
    return false;
  }
  const std::int32_t width = little_endian_32(header + 4);
  const std::int32_t height = little_endian_32(header + 8);
  size = {width, height < 0 ? -height : height};
  return true;
}

bool BmpFolderBitmaps::bitmap_size(int resource_id, PIXPOINT& size) {
  std::ifstream file(folder_ / (std::to_string(resource_id) + ".bmp"), std::ios::binary);
  if (!file) {
    return false;
  }
  // The 14-byte file header ("BM", file size, reserved, pixel offset), then the info header.
  unsigned char bytes[14 + 12] = {};
  file.read(reinterpret_cast<char*>(bytes), sizeof bytes);
  if (file.gcount() != static_cast<std::streamsize>(sizeof bytes) || bytes[0] != 'B' ||
      bytes[1] != 'M') {
    return false;
  }
  return info_header_size(bytes + 14, sizeof bytes - 14, size);
}

double latitude_var(double lat_deg) {
  return (lat_deg * 60.0) * 1852.175925953;
}

double longitude_var(double lon_deg) {
  double minutes = lon_deg * 60.0;
  if (minutes < 0) {
    minutes = minutes + 21600.0;
  }
  return minutes * 13031248921.78;
}

}  // namespace kolvex::host
