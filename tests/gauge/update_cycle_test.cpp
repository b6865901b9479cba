#include "gauge/update_cycle.h"

#include <gtest/gtest.h>

#include <climits>

#include "gauge/navigator_state.h"
#include "tests/support/instrument.h"

namespace kolvex {
namespace {

using testing::InstrumentTest;

TEST(WholeSeconds, TruncatesAndSurvivesTheWrap) {
  struct Case {
    std::int32_t from;
    std::int32_t to;
    int seconds;
  } cases[] = {
      {0, 1999, 1},
      {0, 2000, 2},
      {0, 2999, 2},
      {1000, 1000, 0},
      {INT_MAX - 500, INT_MIN + 1500, 2},  // 2001 ms across the wrap of the count
      {-1, 1999, 2},
      {0, INT_MIN, 2147483},  // first switch-on more than 2^31 ms after loading
      {1000, 0, 4294966},     // a clock set back reads as the long way round: the tick runs
  };
  for (const Case& c : cases) {
    EXPECT_EQ(whole_seconds_between(c.from, c.to), c.seconds) << c.from << " -> " << c.to;
  }
}

class UpdateCycle : public InstrumentTest {
 protected:
  void SetUp() override {
    InstrumentTest::SetUp();
    navigator.power_on = 1;
    set_position(52.5, 5.0);
  }
  bool ticked() const { return readouts.latitude_text.view() != " 00:00.00 N"; }
};

TEST_F(UpdateCycle, TicksOnWholeSecondsOnly) {
  frame_at(1999);
  EXPECT_EQ(navigator.elapsed_s, 1.0);
  EXPECT_FALSE(ticked());
  EXPECT_EQ(navigator.tick_clock_ms, 0);

  frame_at(2000);
  EXPECT_EQ(navigator.elapsed_s, 2.0);
  EXPECT_TRUE(ticked());
  EXPECT_EQ(navigator.tick_clock_ms, 2000);
  EXPECT_EQ(navigator.prev_lat_min, 3150.0);

  frame_at(3999);
  EXPECT_EQ(navigator.elapsed_s, 1.0);
  EXPECT_EQ(navigator.tick_clock_ms, 2000);
  frame_at(4999);
  EXPECT_EQ(navigator.elapsed_s, 2.0);
  EXPECT_EQ(navigator.tick_clock_ms, 4999);
}

TEST_F(UpdateCycle, FirstTickAfterSwitchOnComesAtOnceWhenTheClockIsPastTwoSeconds) {
  frame_at(75000);
  EXPECT_EQ(navigator.elapsed_s, 75.0);
  EXPECT_TRUE(ticked());
  EXPECT_EQ(navigator.tick_clock_ms, 75000);
}

TEST_F(UpdateCycle, TickKeepsRunningAcrossTheClockWrap) {
  navigator.tick_clock_ms = INT_MAX - 500;
  frame_at(INT_MIN + 1499);
  EXPECT_EQ(navigator.elapsed_s, 2.0);
  EXPECT_EQ(navigator.tick_clock_ms, INT_MIN + 1499);
  frame_at(INT_MIN + 3499);
  EXPECT_EQ(navigator.tick_clock_ms, INT_MIN + 3499);
}

TEST_F(UpdateCycle, PagesOfTheTaskMenuRestartTheIntervalButReadNothing) {
  navigator.page = 26;
  frame_at(2000);
  EXPECT_FALSE(ticked());
  EXPECT_EQ(navigator.tick_clock_ms, 2000);
}

TEST_F(UpdateCycle, OffKeepsClockFixesProximityAndStopwatch) {
  navigator.power_on = 0;
  navigator.elapsed_s = 7;
  navigator.tick_clock_ms = 123;
  navigator.prev_lat_min = 11;
  navigator.proximity = 1;
  navigator.target_distance_km = 0.1;
  navigator.stopwatch_running = 1;
  frame_at(60000);
  EXPECT_EQ(navigator.elapsed_s, 7.0);
  EXPECT_EQ(navigator.tick_clock_ms, 123);
  EXPECT_EQ(navigator.prev_lat_min, 11.0);
  EXPECT_EQ(navigator.proximity, 1);
  EXPECT_EQ(navigator.stopwatch_running, 1);
  EXPECT_FALSE(ticked());
}

TEST_F(UpdateCycle, ProximityComparesStrictly) {
  struct Case {
    double distance_km;
    int proximity;
  } cases[] = {{2.0, 0}, {1.999, 1}, {0.5, 1}, {0.4999, 2}, {0.0, 2}, {50.0, 0}};
  for (const Case& c : cases) {
    navigator.target_distance_km = c.distance_km;
    frame_at(0);
    EXPECT_EQ(navigator.proximity, c.proximity) << c.distance_km;
  }
}

class Stopwatch : public UpdateCycle {
 protected:
  // Close ring, then into the arrival radius, between ticks.
  void arrive_at(int record) {
    navigator.target_index = record;
    navigator.target_distance_km = 5.0;
    frame_at(0);
    navigator.target_distance_km = 1.0;
    frame_at(0);
    navigator.target_distance_km = 0.2;
    frame_at(0);
  }
};

TEST_F(Stopwatch, RunsFromOneArrivalToTheNextAtTheSamePoint) {
  arrive_at(3);  // A
  EXPECT_EQ(navigator.stopwatch_running, 1);
  EXPECT_EQ(navigator.stopwatch_point, 3);
  arrive_at(7);  // B: no change
  EXPECT_EQ(navigator.stopwatch_running, 1);
  EXPECT_EQ(navigator.stopwatch_point, 3);
  arrive_at(3);  // A again: stops and disarms
  EXPECT_EQ(navigator.stopwatch_running, 0);
  EXPECT_EQ(navigator.stopwatch_armed, 0);
  arrive_at(3);  // A a third time: stays stopped
  EXPECT_EQ(navigator.stopwatch_running, 0);

  host.generate();
  EXPECT_EQ(navigator.stopwatch_armed, 1);
  arrive_at(7);
  EXPECT_EQ(navigator.stopwatch_running, 1);
  EXPECT_EQ(navigator.stopwatch_point, 7);
  host.generate();  // a running stopwatch stops and is armed again
  EXPECT_EQ(navigator.stopwatch_running, 0);
  EXPECT_EQ(navigator.stopwatch_armed, 1);
}

TEST_F(Stopwatch, AJumpStraightIntoTheArrivalRadiusDoesNothing) {
  navigator.target_distance_km = 5.0;
  frame_at(0);
  navigator.target_distance_km = 0.2;
  frame_at(0);
  EXPECT_EQ(navigator.proximity, 2);
  EXPECT_EQ(navigator.stopwatch_running, 0);
}

}  // namespace
}  // namespace kolvex
