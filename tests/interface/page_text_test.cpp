#include "interface/page_text.h"

#include <gtest/gtest.h>

#include <string>

#include "database/turnpoint_store.h"
#include "gauge/face.h"
#include "gauge/navigator_state.h"
#include "host/services.h"
#include "tests/support/instrument.h"
#include "tools/panel_host/panel_host.h"

namespace kolvex {
namespace {

using host::Button;
using testing::InstrumentTest;
using namespace testing;  // NOLINT: the element positions

constexpr const char* kTurnpoints =
    "001,52:00.000N,005:00.000E,1000F,HT,Home Field,Club field\n"
    "002,52:10.000N,005:00.000E,20,T,Bravo Tower,Tall tower\n";

// The instrument switched on with the readouts and the shown record in a known state. Frames
// run at clock 0, so no navigation tick rewrites what a case sets.
class PageText : public InstrumentTest {
 protected:
  void SetUp() override {
    InstrumentTest::SetUp();
    write_file("KOL-VEX.dat", kTurnpoints);
    host.press(Button::on);
  }
  void set_readouts() {
    readouts.bearing_text.assign("123");
    readouts.distance_text.assign(" 45.6");
    readouts.track_text.assign("789");
    navigator.steer_frame = 7;
  }
};

TEST_F(PageText, OffBlanksEverything) {
  set_readouts();
  host.frame();
  ASSERT_EQ(host.text(kFirstLine), "Arrival!");
  ASSERT_EQ(host.frame_of(kSteerIcon), 7);
  host.press(Button::on);
  host.frame();
  for (Child text : {kFirstLine, kSecondLine, kLeftReadout, kRightReadout, kDistanceReadout,
                     kDistancePoint, kDistanceTenths}) {
    EXPECT_EQ(host.text(text), "") << "child " << text;
  }
  for (Child icon : {kSteerIcon, kLabelIcon, kDistanceIcon, kTrackIcon, kSatelliteIcon}) {
    EXPECT_EQ(host.frame_of(icon), 0) << "child " << icon;
  }
}

TEST_F(PageText, OnShowsTheReadoutsAndLabels) {
  set_readouts();
  host.frame();
  EXPECT_EQ(host.text(kSecondLine), "Home Field  ");
  EXPECT_EQ(host.text(kLeftReadout), "123");
  EXPECT_EQ(host.text(kRightReadout), "789");
  EXPECT_EQ(host.frame_of(kLabelIcon), 1);
  for (Child icon : {kDistanceIcon, kTrackIcon, kSatelliteIcon}) {
    EXPECT_EQ(host.frame_of(icon), 1) << "child " << icon;
  }
}

// Every page's lines, the readouts it blanks (B bearing, D distance, T track) and whether it
// hides the steering bar. A second line of nullptr is left as it was.
TEST_F(PageText, EveryPage) {
  struct Case {
    int page, cursor, on_task, letter, point_number, point_index;
    const char* first;
    const char* second;
    const char* blanks;
    bool bar_hidden;
  } cases[] = {
      {18, 0, 0, 0, 0, 0, "Latitude", " 52:00.00 N", "BDT", true},
      {18, 1, 0, 0, 0, 0, "Longitude", "  5:00.00 E", "BDT", true},
      {18, 2, 0, 0, 0, 0, "Altitude", "     1500 m", "BDT", true},
      {19, 0, 0, 0, 0, 0, "Wind 270  15", "Home Field  ", "", false},
      {20, 1, 0, 0, 0, 0, "Elev  305M  ", "Home Field  ", "", false},
      {20, -1, 0, 0, 0, 0, "Club field  ", "Home Field  ", "", false},
      {21, 0, 0, 0, 0, 0, "Last Point", "Home Field  ", "T", true},
      {22, 0, 1, 2, 4, 1, "Task TP:  C4", "Home Field  ", "", false},
      {22, 0, 0, 2, 4, 1, "Task TP:  --", "No Selection", "BDT", true},
      {22, 0, 1, 2, 4, 999, "Task TP:  --", "Task Ended", "BDT", true},
      {23, 0, 0, 0, 0, 0, "TP: Alphabet", "Home Field  ", "T", true},
      {24, 0, 0, 0, 0, 0, "TP: Distance", "Home Field  ", "T", true},
      {25, 0, 0, 0, 0, 0, "Landpoints", "Home Field  ", "T", true},
      {26, 0, 0, 0, 0, 0, "   Task     ", " Selection  ", "BDT", true},
      {26, 1, 0, 2, 0, 0, "Select Task ", "     C", "BT", true},
      {26, 1, 0, 0, 3, 0, "Turnpoint A2", nullptr, "BT", true},
      {26, 1, 0, 9, 1, 0, "Turnpoint J0", nullptr, "BT", true},
      {27, 0, 0, 1, 0, 0, "   Task B", "Declare? No ", "BT", true},
      {27, 1, 0, 1, 0, 0, "   Task B", "Declare? Yes", "BT", true},
      {28, 0, 0, 9, 0, 0, "   Task J", "Start? No", "BT", true},
      {28, 1, 0, 9, 0, 0, "   Task J", "Start? Yes", "BT", true},
  };
  readouts.latitude_text.assign(" 52:00.00 N");
  readouts.longitude_text.assign("  5:00.00 E");
  readouts.altitude_text.assign("     1500 m");
  readouts.wind_direction_text.assign(" 270");
  readouts.wind_speed_text.assign("  15");
  for (const Case& c : cases) {
    navigator.page = c.page;
    navigator.cursor = c.cursor;
    navigator.on_task = c.on_task;
    navigator.task_letter = c.letter;
    navigator.task_point_number = c.point_number;
    navigator.task_point_index = c.point_index;
    set_readouts();
    write_element_text(second_line, "as it was");
    host.frame();
    const std::string where = "page " + std::to_string(c.page) + " cursor " +
                              std::to_string(c.cursor) + " line " + c.first;
    EXPECT_EQ(host.text(kFirstLine), c.first) << where;
    EXPECT_EQ(host.text(kSecondLine), c.second != nullptr ? c.second : "as it was") << where;
    const std::string blanks = c.blanks;
    EXPECT_EQ(readouts.bearing_text.empty(), blanks.find('B') != std::string::npos) << where;
    EXPECT_EQ(readouts.distance_text.empty(), blanks.find('D') != std::string::npos) << where;
    EXPECT_EQ(readouts.track_text.empty(), blanks.find('T') != std::string::npos) << where;
    EXPECT_EQ(host.frame_of(kSteerIcon), c.bar_hidden ? 0 : 7) << where;
  }
}

TEST_F(PageText, ProximityLine) {
  struct Case {
    double distance_km;
    int on_task, point_number;
    const char* line;
  } cases[] = {
      {0.0, 0, 0, "Arrival!"},
      {0.4999, 1, 2, "Arrival!"},
      {0.5, 0, 0, "Close To"},
      {1.9999, 1, 2, "Close To"},
      {2.0, 0, 0, "Navigate to"},
      {2.0, 1, 2, "On Task TP:2"},
      {850.0, 1, 0, "On Task TP:0"},
      // Only a task table with point codes of 10 or more reaches two digits: the line keeps
      // the 12 characters its element shows.
      {850.0, 1, 12, "On Task TP:1"},
  };
  for (const Case& c : cases) {
    navigator.target_distance_km = c.distance_km;
    navigator.on_task = c.on_task;
    navigator.task_point_number = c.point_number;
    host.frame();
    EXPECT_EQ(host.text(kFirstLine), c.line) << c.distance_km;
  }
}

TEST_F(PageText, LongTaskPointLineIsCutToTheElement) {
  navigator.page = 22;
  navigator.on_task = 1;
  navigator.task_point_number = 10;
  navigator.task_point_index = 1;
  host.frame();
  EXPECT_EQ(host.text(kFirstLine), "Task TP:  A1");
}

TEST_F(PageText, DistanceReadoutSplit) {
  struct Case {
    const char* distance;
    const char* whole;
    const char* point;
    const char* tenths;
  } cases[] = {
      {" 99.9", " 99", ".", "9"}, {"  0.5", "  0", ".", "5"}, {"999.9", "999", ".", "9"},
      {"1000.0", "", "", ""},     {"", "", "", ""},           {"12.5", "", "", ""},
  };
  for (const Case& c : cases) {
    readouts.distance_text.assign(c.distance);
    host.frame();
    EXPECT_EQ(host.text(kDistanceReadout), c.whole) << '"' << c.distance << '"';
    EXPECT_EQ(host.text(kDistancePoint), c.point) << '"' << c.distance << '"';
    EXPECT_EQ(host.text(kDistanceTenths), c.tenths) << '"' << c.distance << '"';
  }
}

TEST_F(PageText, GroundSpeedReplacesTheBearingOnTheNoteLine) {
  struct Case {
    int cursor;
    double ground_speed;
    int label;
    const char* left;
  } cases[] = {
      {-1, 85.4, 2, "085"},   {-1, 0.0, 2, "000"}, {-1, 999.4, 2, "999"}, {-1, 999.6, 2, "999"},
      {-1, 1234.0, 2, "999"}, {0, 85.4, 1, "123"}, {1, 85.4, 1, "123"},
  };
  for (const Case& c : cases) {
    navigator.cursor = c.cursor;
    navigator.ground_speed = c.ground_speed;
    readouts.bearing_text.assign("123");
    host.frame();
    EXPECT_EQ(host.frame_of(kLabelIcon), c.label) << c.cursor << " " << c.ground_speed;
    EXPECT_EQ(host.text(kLeftReadout), c.left) << c.cursor << " " << c.ground_speed;
  }
}

// The wind page line as the navigation tick leaves it: four characters of direction and four
// of speed after "Wind".
TEST_F(PageText, WindPageAfterATick) {
  host.set_var(343, 15.0);
  host.set_var(344, 270.0);
  host.press(Button::left);
  frame_at(2000);
  EXPECT_EQ(host.text(kFirstLine), "Wind 270  15");
  EXPECT_EQ(host.text(kSecondLine), "Home Field  ");
}

// On a page that blanks a readout it stays blank although each navigation tick rewrites it.
TEST_F(PageText, BlankedReadoutsStayBlankAcrossTicks) {
  set_position(52.1, 5.0);
  host.press(Button::right);  // last point page: no track, no steering bar
  for (int ms : {2000, 4000, 6000}) {
    frame_at(ms);
    EXPECT_EQ(host.text(kRightReadout), "") << ms;
    EXPECT_EQ(host.frame_of(kSteerIcon), 0) << ms;
    EXPECT_EQ(host.text(kLeftReadout).size(), 3U) << ms;
    EXPECT_EQ(host.text(kDistancePoint), ".") << ms;
  }
}

}  // namespace
}  // namespace kolvex
