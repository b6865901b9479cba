// The instrument face handed to the host: the gauge header, the element tree on the face
// bitmap, the mouse areas of the six buttons, and the seven gauge routines.
//
// The routines' only change to the instrument's state: generate stops and re-arms the
// stopwatch.
#pragma once

#include "host/panel.h"

namespace kolvex {

extern GAUGEHDR gauge_header;

extern ELEMENT_STATIC_IMAGE face_image;
extern ELEMENT_STRING first_line;
extern ELEMENT_STRING second_line;
extern ELEMENT_ICON steer_icon;
extern ELEMENT_ICON label_icon;
extern ELEMENT_ICON distance_icon;
extern ELEMENT_ICON track_icon;
extern ELEMENT_ICON satellite_icon;
extern ELEMENT_STRING left_readout;
extern ELEMENT_STRING right_readout;
extern ELEMENT_STRING distance_point;
extern ELEMENT_STRING distance_readout;
extern ELEMENT_STRING distance_tenths;

extern MOUSERECT mouse_rects[];

void KOLVEX_HOSTCALL gauge_query();
void KOLVEX_HOSTCALL gauge_install(std::uint32_t argument);
void KOLVEX_HOSTCALL gauge_initialize();
void KOLVEX_HOSTCALL gauge_update();
void KOLVEX_HOSTCALL gauge_generate(std::uint32_t argument);
void KOLVEX_HOSTCALL gauge_draw();
void KOLVEX_HOSTCALL gauge_kill();

}  // namespace kolvex
