// The millisecond clock is a 32-bit count: it turns negative after about 24.8 days and comes
// back to 0 after 49.7. A flight across either wrap keeps its two-second ticks and its speeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "database/turnpoint_store.h"
#include "tests/faults/fault_fixture.h"
#include "tests/support/instrument.h"

namespace kolvex {
namespace {

class ClockWrap : public testing::FaultTest {};

TEST_F(ClockWrap, TicksEveryTwoSecondsAcrossTheWrap) {
  struct Case {
    const char* name;
    std::int64_t start_ms;  // as an unsigned 32-bit count
  } cases[] = {
      {"into negative counts", 0x7fffffffLL - 4500},
      {"back through zero", 0xffffffffLL - 4500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    start_over();
    testing::write_file(kTurnpointFileName, "101,47:00.000N,008:00.000E,400M,HT,Base,launch\n");
    switch_on();
    // A long flight up to just before the wrap, one frame (and so one tick) at least every
    // quarter of the count's range.
    while (clock_ms_ < c.start_ms) {
      clock_ms_ = std::min<std::int64_t>(clock_ms_ + 0x40000000, c.start_ms);
      host.set_clock(static_cast<std::int32_t>(static_cast<std::uint32_t>(clock_ms_)));
      host.frame();
    }
    // North at 0.001° every two seconds: 0.11115 km, 200.07 km/h, away from Base.
    double lat = 47.02;
    for (int leg = 0; leg < 5; ++leg) {
      lat += 0.001;
      set_position(lat, 8.0);
      const std::string before = companion_line("KOLVEX.MAX", 3);
      // 1.999 s after the last tick: no tick, the fix is the old one.
      clock_ms_ += 1999;
      host.set_clock(static_cast<std::int32_t>(static_cast<std::uint32_t>(clock_ms_)));
      host.frame();
      host.frame();
      EXPECT_EQ(companion_line("KOLVEX.MAX", 3), before) << leg;
      // 2 s: the tick reads the new fix.
      clock_ms_ += 1;
      host.set_clock(static_cast<std::int32_t>(static_cast<std::uint32_t>(clock_ms_)));
      host.frame();
      host.frame();
      EXPECT_NE(companion_line("KOLVEX.MAX", 3), before) << leg;
      if (leg > 0) {  // the first leg measures from the fix of switch-on's tick
        EXPECT_EQ(companion_line("KOLVEX.MAX", 6), "0200.070") << leg;
        EXPECT_EQ(companion_line("KOLVEX.MAX", 5), "0000.000") << leg;  // track north
      }
    }
    EXPECT_EQ(host.text(testing::kFirstLine), "Navigate to");
    EXPECT_EQ(host.text(testing::kSecondLine), "Base        ");
  }
}

}  // namespace
}  // namespace kolvex
