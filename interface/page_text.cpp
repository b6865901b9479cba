#include "interface/page_text.h"

#include <cstddef>
#include <string_view>

#include "database/task_table.h"
#include "database/turnpoint_store.h"
#include "gauge/face.h"
#include "gauge/navigator_state.h"
#include "gauge/update_cycle.h"
#include "host/services.h"

namespace kolvex {
namespace {

constexpr double kFastestShownSpeed = 999.0;  // km/h

// Readouts that a page blanks, combined with |.
enum Blank : unsigned {
  kBearing = 1U << 0U,
  kDistance = 1U << 1U,
  kTrack = 1U << 2U,
};

double source_value(const MODULE_VAR* source) {
  return source != nullptr ? source->var_value : 0.0;
}

bool is_on() {
  return navigator.power_on != 0;
}

char task_letter() {
  const std::string_view letters = kTaskLetters;
  const int letter = navigator.task_letter;
  return letter >= 0 && static_cast<std::size_t>(letter) < letters.size() ? letters[letter] : '?';
}

// The page readouts that stay empty on this page, even though a navigation tick rewrites them.
void blank_readouts(unsigned which) {
  if ((which & kBearing) != 0U) {
    readouts.bearing_text.clear();
  }
  if ((which & kDistance) != 0U) {
    readouts.distance_text.clear();
  }
  if ((which & kTrack) != 0U) {
    readouts.track_text.clear();
  }
}

void hide_steering_bar() {
  navigator.steer_frame = 0;
}

// Every line is put together in the scratch buffer, then copied into its element, which keeps
// as many characters as it shows.
FixedText<16>& scratch() {
  return readouts.scratch_text;
}
void show_first_line() {
  write_element_text(first_line, scratch());
}
void show_second_line() {
  write_element_text(second_line, scratch());
}

void compose_position_page() {
  std::string_view value = readouts.latitude_text;
  if (navigator.cursor == 1) {
    scratch().assign("Longitude");
    value = readouts.longitude_text;
  } else if (navigator.cursor == 2) {
    scratch().assign("Altitude");
    value = readouts.altitude_text;
  } else {
    scratch().assign("Latitude");
  }
  show_first_line();
  write_element_text(second_line, value);
  blank_readouts(kBearing | kDistance | kTrack);
  hide_steering_bar();
}

void compose_wind_page() {
  scratch().assign("Wind");
  scratch().append(readouts.wind_direction_text);
  scratch().append(readouts.wind_speed_text);
  show_first_line();
}

void compose_proximity_line() {
  const double distance = navigator.target_distance_km;
  if (distance < navigator.arrival_radius_km) {
    scratch().assign("Arrival!");
  } else if (distance < navigator.close_radius_km) {
    scratch().assign("Close To");
  } else if (navigator.on_task == 1) {
    scratch().assign("On Task TP:");
    scratch().append_format("%1d", navigator.task_point_number);
  } else {
    scratch().assign("Navigate to");
  }
}

void compose_navigation_page() {
  if (navigator.cursor == 1) {
    scratch().assign("Elev  ");
    scratch().append(target_fields.elevation);
  } else if (navigator.cursor == -1) {
    scratch().assign(target_fields.note);
  } else {
    compose_proximity_line();
  }
  show_first_line();
}

void compose_task_point_page() {
  if (navigator.on_task == 1 && navigator.task_point_index != kNoTaskPoint) {
    scratch().assign("Task TP:  ");
    scratch().append(task_letter());
    scratch().append_format("%1d", navigator.task_point_number);
    show_first_line();
    return;
  }
  scratch().assign("Task TP:  --");
  show_first_line();
  blank_readouts(kTrack | kBearing | kDistance);
  hide_steering_bar();
}

// A pick page: its title over the candidate's name.
void compose_pick_page(std::string_view title) {
  scratch().assign(title);
  show_first_line();
  blank_readouts(kTrack);
  hide_steering_bar();
}

void compose_task_selection_page() {
  if (navigator.cursor != 1) {
    scratch().assign("   Task     ");
    show_first_line();
    scratch().assign(" Selection  ");
    show_second_line();
    blank_readouts(kDistance | kBearing | kTrack);
  } else if (navigator.task_point_number > 0) {
    // Point number n shows point n - 1; its name is what the task lookup left in the line.
    scratch().assign("Turnpoint ");
    scratch().append(task_letter());
    scratch().append_format("%1d", navigator.task_point_number - 1);
    show_first_line();
    blank_readouts(kBearing | kTrack);
  } else {
    scratch().assign("Select Task ");
    show_first_line();
    scratch().assign("     ");
    scratch().append(task_letter());
    show_second_line();
    blank_readouts(kBearing | kTrack);
  }
  hide_steering_bar();
}

// The declare and start pages: the chosen task over the question and its answer.
void compose_question_page(std::string_view no, std::string_view yes) {
  scratch().assign("   Task ");
  scratch().append(task_letter());
  show_first_line();
  write_element_text(second_line, navigator.cursor == 1 ? yes : no);
  blank_readouts(kBearing | kTrack);
  hide_steering_bar();
}

void compose_page_text() {
  switch (navigator.page) {
    case 18:
      compose_position_page();
      break;
    case 19:
      compose_wind_page();
      break;
    case 20:
      compose_navigation_page();
      break;
    case 21:
      compose_pick_page("Last Point");
      break;
    case 22:
      compose_task_point_page();
      break;
    case 23:
      compose_pick_page("TP: Alphabet");
      break;
    case 24:
      compose_pick_page("TP: Distance");
      break;
    case 25:
      compose_pick_page("Landpoints");
      break;
    case 26:
      compose_task_selection_page();
      break;
    case 27:
      compose_question_page("Declare? No ", "Declare? Yes");
      break;
    case 28:
      compose_question_page("Start? No", "Start? Yes");
      break;
    default:
      write_element_text(first_line, "");
      break;
  }
}

}  // namespace

double KOLVEX_HOSTCALL first_line_callback(MODULE_VAR* source) {
  update_cycle();
  if (is_on()) {
    compose_page_text();
  } else {
    write_element_text(first_line, "");
  }
  return source_value(source);
}

double KOLVEX_HOSTCALL second_line_callback(MODULE_VAR* source) {
  if (!is_on()) {
    write_element_text(second_line, "");
    return source_value(source);
  }
  switch (navigator.page) {
    case 19:
    case 20:
    case 21:
    case 23:
    case 24:
    case 25:
      write_element_text(second_line, target_fields.name);
      break;
    case 22:
      if (navigator.on_task == 0) {
        write_element_text(second_line, "No Selection");
      } else if (navigator.task_point_index != kNoTaskPoint) {
        write_element_text(second_line, target_fields.name);
      } else {
        write_element_text(second_line, "Task Ended");
      }
      break;
    default:  // the page text or the task lookups own the line here
      break;
  }
  return source_value(source);
}

double KOLVEX_HOSTCALL steer_icon_callback(MODULE_VAR*) {
  return is_on() ? navigator.steer_frame : 0;
}

double KOLVEX_HOSTCALL label_icon_callback(MODULE_VAR*) {
  navigator.label_frame = 0;
  if (!is_on()) {
    return 0;
  }
  navigator.label_frame = 1;  // Brg
  if (navigator.page == 20 && navigator.cursor == -1) {
    // The left readout shows the ground speed instead of the bearing.
    navigator.label_frame = 2;  // V
    // The readout holds three digits: a faster aircraft shows 999 rather than its first three.
    const double speed =
        navigator.ground_speed > kFastestShownSpeed ? kFastestShownSpeed : navigator.ground_speed;
    readouts.bearing_text.assign_format("%03.0f", speed);
  }
  return navigator.label_frame;
}

double KOLVEX_HOSTCALL left_readout_callback(MODULE_VAR* source) {
  write_element_text(left_readout, is_on() ? readouts.bearing_text.view() : std::string_view(""));
  return source_value(source);
}

double KOLVEX_HOSTCALL track_icon_callback(MODULE_VAR*) {
  return is_on() ? 1 : 0;
}

double KOLVEX_HOSTCALL right_readout_callback(MODULE_VAR* source) {
  write_element_text(right_readout, is_on() ? readouts.track_text.view() : std::string_view(""));
  return source_value(source);
}

double KOLVEX_HOSTCALL distance_icon_callback(MODULE_VAR*) {
  return is_on() ? 1 : 0;
}

// The distance text is split by position: three characters of whole units, the point, the
// tenths digit. Only the solution's five-character layout can be split so.
double KOLVEX_HOSTCALL distance_readout_callback(MODULE_VAR* source) {
  const std::string_view distance = readouts.distance_text;
  if (is_on() && distance.size() == 5) {
    write_element_text(distance_readout, distance.substr(0, 3));
    write_element_text(distance_point, ".");
    write_element_text(distance_tenths, distance.substr(4, 1));
  } else {
    write_element_text(distance_readout, "");
    write_element_text(distance_point, "");
    write_element_text(distance_tenths, "");
  }
  return source_value(source);
}

double KOLVEX_HOSTCALL satellite_icon_callback(MODULE_VAR*) {
  return is_on() ? 1 : 0;
}

}  // namespace kolvex
