// The face drawn with characters, as it reads on the instrument: the two text lines, the
// steering bar, the readouts with their labels and the satellite symbol.
#pragma once

#include <string>

#include "tools/panel_host/panel_host.h"

namespace kolvex::sim {

using host::FaceChild;
using enum host::FaceChild;

// The steering bar's frame as ten characters: blank for frame 0, the centre mark "||" for 5,
// and one to four arrow heads on the side the pilot should turn to.
std::string steering_row(int frame);

// The whole face, several lines each ending with a line feed.
std::string terminal_face(const host::PanelHost& host);

// Everything the face shows, in one text: equal when and only when the face looks the same.
std::string face_state(const host::PanelHost& host);

}  // namespace kolvex::sim
