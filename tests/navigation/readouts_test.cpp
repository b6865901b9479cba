#include "navigation/readouts.h"

#include <gtest/gtest.h>

#include <limits>

#include "gauge/navigator_state.h"
#include "tests/support/instrument.h"
#include "tools/panel_host/panel_host.h"

namespace kolvex {
namespace {

using testing::InstrumentTest;

class PositionReadouts : public InstrumentTest {};

TEST_F(PositionReadouts, LatitudeText) {
  struct Case {
    double minutes;  // north positive
    const char* text;
  } cases[] = {
      {0.0, "  0:00.00 N"},
      {52 * 60 + 12.5, " 52:12.50 N"},
      {52 * 60 + 59.98, " 52:59.98 N"},
      {52 * 60 + 59.995, " 53:00.00 N"},
      {52 * 60 + 59.992, " 53:00.00 N"},
      {-(33 * 60 + 30.0), " 33:30.00 S"},
      {-(90 * 60.0), " 90:00.00 S"},
  };
  for (const Case& c : cases) {
    host.set_var(71, c.minutes * 1852.175925953);
    update_position_readouts();
    EXPECT_EQ(readouts.latitude_text.view(), c.text) << c.minutes;
  }
  host.set_var(71, -(33 * 60 + 30.0) * 1852.175925953);
  update_position_readouts();
  EXPECT_DOUBLE_EQ(navigator.aircraft_lat_min, -2010.0);
}

TEST_F(PositionReadouts, LongitudeTextAndFold) {
  struct Case {
    double minutes_east;  // 0 up to 21600, as the host counts
    const char* text;
    double folded;
  } cases[] = {
      {0.0, "  0:00.00 E", 0.0},          {5 * 60 + 34.567, "  5:34.57 E", 334.567},
      {10800.0, "180:00.00 W", -10800.0}, {21292.88, "  5:07.12 W", -307.12},
      {21599.999, "  0:00.00 W", -0.001}, {10799.0, "179:59.00 E", 10799.0},
  };
  for (const Case& c : cases) {
    host.set_var(72, c.minutes_east * 13031248921.78);
    update_position_readouts();
    EXPECT_EQ(readouts.longitude_text.view(), c.text) << c.minutes_east;
    EXPECT_NEAR(navigator.aircraft_lon_min, c.folded, 1e-6) << c.minutes_east;
  }
}

TEST_F(PositionReadouts, AltitudeByUnits) {
  struct Case {
    double metres;
    double units;
    const char* text;
  } cases[] = {
      {304.8, 0, "     1000 ft"}, {304.8, 1, "     1000 ft"}, {1500, 2, "     1500 m"},
      {40000, 0, "    99999 ft"}, {-10, 2, "      -10 m"},    {1500, 7, "     1500"},
      {1500, 2.9, "     1500 m"},
  };
  for (const Case& c : cases) {
    host.set_var(73, c.metres);
    host.set_var(335, c.units);
    update_position_readouts();
    EXPECT_EQ(readouts.altitude_text.view(), c.text) << c.metres << " units " << c.units;
  }
}

TEST_F(PositionReadouts, HostsOddValuesStayDefined) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double value : {nan, inf, -inf, 1e300, -1e300}) {
    for (int id : {71, 72, 73, 335, 343, 344}) {
      host.set_var(id, value);
    }
    update_position_readouts();
    update_wind_readouts();
    EXPECT_LE(readouts.latitude_text.size(), 15u);
    EXPECT_LE(readouts.altitude_text.size(), 15u);
  }
  host.set_var(335, nan);
  update_position_readouts();
  EXPECT_NE(navigator.units, 0);
}

TEST_F(PositionReadouts, WindByUnits) {
  struct Case {
    double units;
    const char* speed;
  } cases[] = {{0, "  15"}, {1, "  28"}, {2, "  28"}, {5, "  28"}};
  for (const Case& c : cases) {
    host.set_var(335, c.units);
    host.set_var(343, 15);
    host.set_var(344, 270);
    update_position_readouts();
    update_wind_readouts();
    EXPECT_EQ(readouts.wind_speed_text.view(), c.speed) << c.units;
    EXPECT_EQ(readouts.wind_direction_text.view(), " 270");
  }
}

TEST_F(PositionReadouts, HostCoordinatesOfTheEmulatorRoundTrip) {
  host.set_var(71, host::latitude_var(-33.5));
  host.set_var(72, host::longitude_var(-5.0));
  update_position_readouts();
  EXPECT_EQ(readouts.latitude_text.view(), " 33:30.00 S");
  EXPECT_EQ(readouts.longitude_text.view(), "  5:00.00 W");
  EXPECT_NEAR(navigator.aircraft_lon_min, -300.0, 1e-9);
}

}  // namespace
}  // namespace kolvex
