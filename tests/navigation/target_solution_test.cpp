#include "navigation/target_solution.h"

#include <gtest/gtest.h>

#include <limits>

#include "database/turnpoint_store.h"
#include "gauge/navigator_state.h"
#include "tests/support/instrument.h"

namespace kolvex {
namespace {

using testing::InstrumentTest;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

class TargetSolution : public InstrumentTest {
 protected:
  void place_aircraft(double lat_min, double lon_min) {
    navigator.aircraft_lat_min = lat_min;
    navigator.aircraft_lon_min = lon_min;
  }
  void show_target(const char* latitude, const char* longitude) {
    target_fields.latitude.assign(latitude);
    target_fields.longitude.assign(longitude);
  }
  void store_target(int index, const char* latitude, const char* longitude) {
    turnpoint_store.records[index].latitude.assign(latitude);
    turnpoint_store.records[index].longitude.assign(longitude);
    navigator.target_index = index;
  }
};

TEST_F(TargetSolution, SolvesShownRecordIntoReadouts) {
  struct Case {
    double lat_min, lon_min;  // aircraft
    const char* latitude;
    const char* longitude;
    int units;
    double distance_km, bearing;
    const char* distance_text;
    const char* bearing_text;
  } cases[] = {
      {3120, 300, "52:30.000N", "005:00.000E", 0, 55.575, 0.0, " 30.0", "000"},
      {3120, 300, "52:30.000N", "005:00.000E", 1, 55.575, 0.0, " 55.6", "000"},
      {3120, 300, "52:00.000N", "006:00.000E", 0, 68.536, 90.0, " 37.0", "090"},
      {3120, 300, "52:00.000N", "005:00.000E", 2, 0.0, 0.0, "  0.0", "000"},
      // The cap keeps the text five characters long; the stored distance is not capped.
      {0, 0, "18:00.000N", "000:00.000E", 0, 2000.7, 0.0, "999.9", "000"},
      {0, 0, "18:00.000N", "000:00.000E", 1, 2000.7, 0.0, "999.9", "000"},
      {0, 0, "18:00.000N", "000:00.000E", 2, 2000.7, 0.0, "999.9", "000"},
      // No wrap at the 180° meridian: 20' apart, measured the long way round.
      {0, 10790, "00:00.000N", "179:50.000W", 1, 40038.453, 270.0, "999.9", "270"},
      // Units other than 0 show kilometres.
      {3120, 300, "52:30.000N", "005:00.000E", 7, 55.575, 0.0, " 55.6", "000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.latitude << " " << c.longitude << " units " << c.units);
    place_aircraft(c.lat_min, c.lon_min);
    show_target(c.latitude, c.longitude);
    navigator.units = c.units;
    const double bearing = solve_selected_target();
    EXPECT_NEAR(navigator.target_distance_km, c.distance_km, 5e-4);
    EXPECT_NEAR(bearing, c.bearing, 1e-9);
    EXPECT_EQ(readouts.distance_text.view(), c.distance_text);
    EXPECT_EQ(readouts.bearing_text.view(), c.bearing_text);
  }
}

TEST_F(TargetSolution, BearingsStayBelow360AndShowRounded) {
  // The shortened pi leaves due east a hair under 90.
  place_aircraft(3120, 300);
  show_target("52:00.000N", "006:00.000E");
  const double east = solve_selected_target();
  EXPECT_LT(east, 90.0);
  EXPECT_GT(east, 89.999);

  // A hair west of north is 359.6, shown rounded as 360.
  place_aircraft(0, 0.42);
  show_target("01:00.000N", "000:00.000E");
  const double west_of_north = solve_selected_target();
  EXPECT_NEAR(west_of_north, 359.6, 0.01);
  EXPECT_EQ(readouts.bearing_text.view(), "360");

  // A west longitude of zero is a negative zero; straight north still shows "000".
  place_aircraft(0, 0);
  show_target("01:00.000N", "000:00.000W");
  EXPECT_EQ(solve_selected_target(), 0.0);
  EXPECT_EQ(readouts.bearing_text.view(), "000");
}

// Positions come back through the target record's fields, in minutes of arc.
TEST_F(TargetSolution, ReadsCoordinateTextsByPosition) {
  struct Case {
    const char* latitude;
    const char* longitude;
    double lat_min, lon_min;
  } cases[] = {
      {"52:12.500N", "005:12.500E", 3132.5, 312.5},
      {"52:12:30N", "005:34:30E", 3132.500001, 334.500001},  // 0.0166667 per second
      {"33:30.000S", "005:00.000W", -2010.0, -300.0},
      {"52:30.000", "005:00.000", -3150.0, -300.0},    // no letter: south and west
      {"52:10.5004N", "005:10.5004E", 3130.5, 310.5},  // six minute characters only
      {"52:1", "005:1", -3121.0, -301.0},              // characters past the end are absent
      {" 5:07.000N", "  5:07.000E", 307.0, 307.0},     // leading spaces skipped
      {"xx:yy.zzzN", "", 0.0, -0.0},                   // no number reads as 0
      {"N002........", "E003........", 2.0, 0.0},      // the store's filler texts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.latitude << " " << c.longitude);
    store_target(3, c.latitude, c.longitude);
    solve_target_record();
    EXPECT_NEAR(navigator.target_record_lat_min, c.lat_min, 1e-9);
    EXPECT_NEAR(navigator.target_record_lon_min, c.lon_min, 1e-9);
  }
}

TEST_F(TargetSolution, TheTwoSolutionsTellTheDecimalFormApart) {
  // The shown record's text is decimal when it holds a point anywhere; the target record's only
  // when the point follows the whole minutes. This text reads 52°12' in the first and
  // 52°12'30" in the second.
  place_aircraft(3132, 300);
  show_target("52:12:30.5N", "005:00:00.E");
  store_target(0, "52:12:30.5N", "005:00:00.E");
  solve_selected_target();
  solve_target_record();
  EXPECT_NEAR(navigator.target_distance_km, 0.0, 1e-9);
  EXPECT_NEAR(navigator.target_record_lat_min, 3132.500001, 1e-9);
  EXPECT_NEAR(navigator.target_record_distance_km, 0.500001 / 60 * 111.15, 1e-9);
}

TEST_F(TargetSolution, TargetRecordIsTheOneAtTargetIndex) {
  place_aircraft(3120, 300);
  show_target("52:00.000N", "005:00.000E");  // a browsed record at the aircraft
  turnpoint_store.records[0].latitude.assign("10:00.000N");
  store_target(1, "52:30.000N", "005:00.000E");
  solve_target_record();
  EXPECT_DOUBLE_EQ(navigator.target_record_lat_min, 3150.0);
  EXPECT_NEAR(navigator.target_record_distance_km, 55.575, 1e-9);
  EXPECT_EQ(navigator.target_record_bearing, 0.0);

  // Outside the store there is no record to read: the solution points at 0, 0.
  for (int index : {-1, kStoreCapacity, 1000000}) {
    navigator.target_index = index;
    solve_target_record();
    EXPECT_EQ(navigator.target_record_lat_min, 0.0) << index;
    EXPECT_EQ(navigator.target_record_lon_min, 0.0) << index;
    EXPECT_NEAR(navigator.target_record_bearing, 180.0 + 5.0, 1.0) << index;
  }
}

TEST_F(TargetSolution, TrackAndGroundSpeedBetweenFixes) {
  struct Case {
    double prev_lat, prev_lon, lat, lon, elapsed_s;
    double track, fix_distance, ground_speed;
    const char* track_text;
  } cases[] = {
      {3120, 300, 3120, 300, 2, 0.0, 0.0, 0.0, "000"},
      {3120, 300, 3121, 300, 2, 0.0, 1.8525, 3334.5, "000"},
      {3121, 300, 3120, 300, 4, 180.0, 1.8525, 1667.25, "180"},
      // The first tick measures from latitude 0, longitude 0.
      {0, 0, 3120, 300, 2, 4.946933368594, 5801.410291886918, 10442538.525396, "005"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.prev_lat << "," << c.prev_lon << " -> " << c.lat << "," << c.lon);
    navigator.prev_lat_min = c.prev_lat;
    navigator.prev_lon_min = c.prev_lon;
    place_aircraft(c.lat, c.lon);
    navigator.elapsed_s = c.elapsed_s;
    EXPECT_NEAR(update_track(), c.track, 1e-9);
    EXPECT_NEAR(navigator.track, c.track, 1e-9);
    EXPECT_NEAR(navigator.fix_distance, c.fix_distance, 1e-9);
    EXPECT_NEAR(navigator.ground_speed, c.ground_speed, 1e-5);
    EXPECT_EQ(readouts.track_text.view(), c.track_text);
  }
}

TEST_F(TargetSolution, FirstTickOfTheCycleTracksFromTheOrigin) {
  navigator.power_on = 1;
  set_position(52.0, 5.0);
  frame_at(2000);
  EXPECT_NEAR(navigator.fix_distance, 5801.41, 0.01);
  EXPECT_NEAR(navigator.track_deg, 4.947, 0.001);
  EXPECT_NEAR(navigator.ground_speed, 5801.41 * 1800, 20);
  EXPECT_EQ(readouts.track_text.view(), "005");
}

TEST_F(TargetSolution, SteeringFrames) {
  struct Case {
    double track, bearing;
    int frame;
  } cases[] = {
      {10.9, 5.1, 5},  // cut to whole degrees: diff 5
      {350, 10, 8},
      {10, 350, 2},
      {200, 20, 1},
      {20, 200, 9},
      {0, 0, 5},
      {5, 0, 5},
      {6, 0, 4},
      {10, 0, 4},
      {11, 0, 3},
      {15, 0, 3},
      {16, 0, 2},
      {25, 0, 2},
      {26, 0, 1},
      {0, 5, 5},
      {0, 6, 6},
      {0, 10, 6},
      {0, 11, 7},
      {0, 15, 7},
      {0, 16, 8},
      {0, 25, 8},
      {0, 26, 9},
      {359, 1, 5},
      {1, 359, 5},
      // Values with no whole degrees in int range stay defined.
      {kNan, 0, 9},
      {0, kNan, 1},
      {1e300, 0, 9},
      {0, -1e300, 1},
  };
  for (const Case& c : cases) {
    navigator.track_deg = c.track;
    navigator.bearing_to_target = c.bearing;
    update_steering();
    EXPECT_EQ(navigator.steer_frame, c.frame) << c.track << " / " << c.bearing;
  }
}

TEST_F(TargetSolution, AbsurdInputsStayDefined) {
  // Huge exponents in a coordinate text and odd fixes: results may be infinite or NaN, but the
  // distance text keeps its five characters and nothing traps.
  const char* texts[] = {"9e999", "1e300", "-9e99", "99:9e999N", ""};
  for (const char* text : texts) {
    for (double aircraft : {0.0, kNan, 1e308}) {
      SCOPED_TRACE(::testing::Message() << text << " from " << aircraft);
      place_aircraft(aircraft, -aircraft);
      show_target(text, text);
      store_target(0, text, text);
      for (int units : {0, 1}) {
        navigator.units = units;
        solve_selected_target();
        EXPECT_EQ(readouts.distance_text.size(), 5u);
        EXPECT_EQ(readouts.bearing_text.size(), 3u);
      }
      solve_target_record();
      navigator.prev_lat_min = -aircraft;
      navigator.elapsed_s = 0;
      update_track();
    }
  }
}

}  // namespace
}  // namespace kolvex
