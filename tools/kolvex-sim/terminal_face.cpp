#include "tools/kolvex-sim/terminal_face.h"

namespace kolvex::sim {
namespace {

// A text centred in a field of the given width, as the host centres an element's text in its
// box; a longer text keeps its middle.
std::string centred(const std::string& text, std::size_t width) {
  if (text.size() >= width) {
    return text.substr((text.size() - width) / 2, width);
  }
  const std::size_t left = (width - text.size()) / 2;
  return std::string(left, ' ') + text + std::string(width - text.size() - left, ' ');
}

// Bytes the terminal could take for control codes are shown as '?'.
std::string printable(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7e) {
      c = '?';
    }
  }
  return text;
}

}  // namespace

std::string steering_row(int frame) {
  if (frame < 1 || frame > 9) {
    return std::string(10, ' ');
  }
  std::string row = "    ||    ";
  // Frames 4 to 1 point left with one to four heads; 6 to 9 point right.
  for (int head = 0; head < 5 - frame; ++head) {
    row[static_cast<std::size_t>(3 - head)] = '<';
  }
  for (int head = 0; head < frame - 5; ++head) {
    row[static_cast<std::size_t>(6 + head)] = '>';
  }
  return row;
}

std::string terminal_face(const host::PanelHost& host) {
  auto text = [&](FaceChild child) { return printable(host.text(child)); };
  auto frame = [&](FaceChild child) { return host.frame_of(child); };

  static constexpr const char* kLabels[] = {"   ", "Brg", "V  "};
  const int label = frame(kLabelIcon);
  const std::string left_label = label >= 0 && label <= 2 ? kLabels[label] : "???";
  const std::string track_label = frame(kTrackIcon) == 1 ? "Trk" : "   ";
  const std::string distance_label = frame(kDistanceIcon) == 1 ? "Dist" : "    ";
  const std::string satellites = frame(kSatelliteIcon) == 1 ? "::::" : "    ";
  const std::string distance = centred(text(kDistanceReadout), 3) +
                               centred(text(kDistancePoint), 1) + centred(text(kDistanceTenths), 1);

  // Inside the display window: 26 characters wide.
  const std::string window[] = {
      centred(text(kFirstLine), 26),
      centred(text(kSecondLine), 26),
      "       [" + steering_row(frame(kSteerIcon)) + "]       ",
      "  " + left_label + " " + centred(text(kLeftReadout), 3) + "        " + track_label + " " +
          centred(text(kRightReadout), 3) + "  ",
      "  " + distance_label + " " + distance + "       " + satellites + "   ",
  };
  std::string face;
  face += "+--------------------------------+\n";
  face += "|  ON [ ]     KOL-VEX     [ ] GO |\n";
  face += "|  +--------------------------+  |\n";
  for (const std::string& line : window) {
    face += "|  |" + line + "|  |\n";
  }
  face += "|  +--------------------------+  |\n";
  face += "|   <[ ]   [ ]^   v[ ]   [ ]>    |\n";
  face += "+--------------------------------+\n";
  return face;
}

std::string face_state(const host::PanelHost& host) {
  std::string state;
  for (std::size_t child = kFirstLine; child <= kDistanceTenths; ++child) {
    const ELEMENT_HEADER* element = host.child(child);
    if (element != nullptr && element->element_type == ELEMENT_TYPE_ICON) {
      state += std::to_string(host.frame_of(child));
    } else {
      state += host.text(child);
    }
    state += '\x1f';
  }
  return state;
}

}  // namespace kolvex::sim
