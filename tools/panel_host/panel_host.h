// An in-process panel host: our own implementation of the panel services, driving a gauge
// module through its Linkage and ImportTable records exactly as the simulator's panel system
// does. The tests use it directly; kolvex-sim builds on it.
//
// One host serves one module at a time (the services are plain functions, as the host's are).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/panel.h"

namespace kolvex::host {

enum class Button { on, go, left, up, down, right };

// Positions of the face's children in its element list, the order in which the host updates
// them.
enum FaceChild : std::size_t {
  kFirstLine = 0,
  kSecondLine = 1,
  kSteerIcon = 2,
  kLabelIcon = 3,
  kDistanceIcon = 4,
  kTrackIcon = 5,
  kSatelliteIcon = 6,
  kLeftReadout = 7,
  kRightReadout = 8,
  kDistancePoint = 9,
  kDistanceReadout = 10,
  kDistanceTenths = 11,
};

// Where element bitmaps come from: the host asks for the pixel size of a bitmap id when it
// installs the elements. Returning false leaves the size at 0, 0.
class BitmapSource {
 public:
  virtual ~BitmapSource() = default;
  virtual bool bitmap_size(int resource_id, PIXPOINT& size) = 0;
};

// Bitmaps kept as BMP files named <id>.bmp in one folder (how the Linux build ships them
// beside the module).
class BmpFolderBitmaps : public BitmapSource {
 public:
  explicit BmpFolderBitmaps(std::filesystem::path folder) : folder_(std::move(folder)) {}
  bool bitmap_size(int resource_id, PIXPOINT& size) override;

 private:
  std::filesystem::path folder_;
};

// The width and height a BITMAPINFOHEADER carries (a bottom-up bitmap's negative height counts
// as its size). False when the bytes are too short to hold one.
bool info_header_size(const unsigned char* header, std::size_t length, PIXPOINT& size);

class PanelHost {
 public:
  PanelHost();
  ~PanelHost();
  PanelHost(const PanelHost&) = delete;
  PanelHost& operator=(const PanelHost&) = delete;

  // Fills the module's ImportTable with this host's services and sets the module's clock to 0.
  // clock_export may be null (the module then keeps its own clock).
  void attach(GAUGESLINKAGE* linkage, IMPORT_TABLE* imports, SetClockFunction clock_export);
  void set_bitmap_source(BitmapSource* source) { bitmaps_ = source; }

  GAUGEHDR& gauge() const { return *linkage_->gauge_headers[0]; }

  // The seven gauge routines.
  void query();
  void install(std::uint32_t argument = 0);
  void initialize();
  void update();
  void generate(std::uint32_t argument = 0);
  void draw();
  void kill();
  // install and initialize, as the host does when the panel opens.
  void open() {
    install(0);
    initialize();
  }
  // One frame: the update routine, then the draw routine.
  void frame() {
    update();
    draw();
  }

  // The module's millisecond clock, when the host drives it.
  void set_clock(std::int32_t milliseconds);
  std::int32_t clock() const { return clock_ms_; }

  // Host variables by id; unset variables read 0.
  void set_var(int id, double value) { vars_[id] = value; }
  double var(int id) const;

  // One left click at a face pixel, routed through the registered mouse list. Returns whether
  // a handler was reached.
  bool click(int x, int y);
  // A click at the centre of the button's mouse rectangle.
  bool press(Button button);

  // The elements of the tree in update order: the root, then its children.
  std::vector<ELEMENT_HEADER*> elements() const;
  // The element with the given position in the face's child list (0 = first_line).
  ELEMENT_HEADER* child(std::size_t index) const;
  // A string element's text (its buffer up to the NUL).
  std::string text(std::size_t child_index) const;
  // The frame an icon's callback returned at the last update.
  int frame_of(std::size_t child_index) const;

  // What the module asked of the host, one line per service call ("initialize_var 61", ...).
  const std::vector<std::string>& calls() const { return calls_; }
  void clear_calls() { calls_.clear(); }
  const MOUSERECT* mouse_list() const { return mouse_list_; }

  // The service implementations reach the host through this.
  static PanelHost* current() { return current_; }

 private:
  friend struct Services;
  void log(std::string line) { calls_.push_back(std::move(line)); }
  ELEMENT_HEADER* root() const { return gauge().elements_list[0]; }

  static PanelHost* current_;
  GAUGESLINKAGE* linkage_ = nullptr;
  IMPORT_TABLE* imports_ = nullptr;
  SetClockFunction set_clock_ = nullptr;
  BitmapSource* bitmaps_ = nullptr;
  std::unique_ptr<PANELS> services_;
  std::map<int, double> vars_;
  std::map<ELEMENT_HEADER*, std::unique_ptr<char[]>> buffers_;
  std::map<ELEMENT_HEADER*, int> frames_;
  std::vector<std::string> calls_;
  MOUSERECT* mouse_list_ = nullptr;
  std::int32_t clock_ms_ = 0;
};

// A module variable's value as the host computes it for an aircraft position in decimal
// degrees: variables 71 and 72.
double latitude_var(double lat_deg);
double longitude_var(double lon_deg);

}  // namespace kolvex::host
