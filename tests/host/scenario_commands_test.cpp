// kolvex-sim's scenario commands, played against the instrument in this process: what each
// command does to the host, and the lines it refuses.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "gauge/navigator_state.h"
#include "tests/support/instrument.h"
#include "tools/kolvex-sim/simulator.h"

namespace kolvex {
namespace {

class ScenarioCommands : public testing::InstrumentTest {
 protected:
  bool run(std::string_view line) {
    out.clear();
    error.clear();
    return simulator.run_line(line, out, error);
  }
  int updates() const {
    int count = 0;
    for (const std::string& call : host.calls()) {
      count += call == "element_list_update" ? 1 : 0;
    }
    return count;
  }

  sim::Simulator simulator{host, sim::Simulator::kDefaultFrameMs};
  std::string out;
  std::string error;
};

TEST_F(ScenarioCommands, RefusesLinesThatAreNotCommandsWithTheirArguments) {
  const char* const bad[] = {
      // Unknown commands (names are lower case).
      "jump",
      "POSITION 50 6",
      "showface",
      // Wrong argument counts.
      "position 50",
      "position 50 6 7",
      "altitude",
      "units 1 2",
      "wind 10",
      "var 71",
      "press",
      "press on go",
      "click 1",
      "frame 1 2",
      "advance",
      "wait 1 2",
      "generate 0",
      "show all",
      "files x",
      // Tokens that are not wholly numbers, or not numbers of the kind the command takes.
      "altitude 12abc",
      "altitude 1.5.2",
      "altitude nan",
      "altitude inf",
      "altitude 1e999",
      "altitude 0x10",
      "units ,5",
      "position 50,5 6",
      "var 7.5 1",
      "var 71 x",
      "click 1.5 2",
      "frame -1",
      "frame 1.5",
      "advance -5",
      "wait 2000ms",
      // Buttons the face does not have.
      "press middle",
      "press ON",
  };
  for (const char* line : bad) {
    EXPECT_FALSE(run(line)) << line;
    EXPECT_FALSE(error.empty()) << line;
    EXPECT_EQ(out, "") << line;
  }
}

TEST_F(ScenarioCommands, BlankAndCommentLinesDoNothing) {
  host.clear_calls();
  for (const char* line : {"", "   ", "\t", "# show", "  # frame", "\r"}) {
    EXPECT_TRUE(run(line)) << line;
    EXPECT_EQ(out, "") << line;
  }
  EXPECT_TRUE(host.calls().empty());
  // A line end with a carriage return is a line end.
  EXPECT_TRUE(run("frame 2\r"));
  EXPECT_EQ(updates(), 2);
}

TEST_F(ScenarioCommands, AircraftStateSetsTheHostVariables) {
  ASSERT_TRUE(run("position 52.5 -5.25"));
  EXPECT_EQ(host.var(71), (52.5 * 60.0) * 1852.175925953);
  EXPECT_EQ(host.var(72), (-5.25 * 60.0 + 21600.0) * 13031248921.78);
  ASSERT_TRUE(run("position -33.5 5"));
  EXPECT_EQ(host.var(71), (-33.5 * 60.0) * 1852.175925953);
  EXPECT_EQ(host.var(72), (5.0 * 60.0) * 13031248921.78);
  ASSERT_TRUE(run("altitude 1e3"));
  EXPECT_EQ(host.var(73), 1000.0);
  ASSERT_TRUE(run("units 7"));
  EXPECT_EQ(host.var(335), 7.0);
  ASSERT_TRUE(run("wind 15.5 270"));
  EXPECT_EQ(host.var(343), 15.5);
  EXPECT_EQ(host.var(344), 270.0);
  // A raw value stays until a command touches the variable again.
  ASSERT_TRUE(run("var 73 -0.25"));
  EXPECT_EQ(host.var(73), -0.25);
  ASSERT_TRUE(run("units 2"));
  EXPECT_EQ(host.var(73), -0.25);
  ASSERT_TRUE(run("altitude 10"));
  EXPECT_EQ(host.var(73), 10.0);
}

TEST_F(ScenarioCommands, ClockAndFrames) {
  struct Step {
    const char* line;
    std::int32_t clock;
    int frames;
  } steps[] = {
      {"frame", 0, 1},           {"frame 0", 0, 0},     {"frame 3", 0, 3},
      {"advance 1000", 1000, 0}, {"wait 120", 1120, 3},  // 55, 55, then the 10 left
      {"wait 0", 1120, 0},       {"wait 55", 1175, 1},
  };
  for (const Step& step : steps) {
    host.clear_calls();
    ASSERT_TRUE(run(step.line)) << step.line;
    EXPECT_EQ(host.clock(), step.clock) << step.line;
    EXPECT_EQ(updates(), step.frames) << step.line;
  }
}

TEST_F(ScenarioCommands, PressesAndClicksReachHandlersOnlyInsideTheButtons) {
  ASSERT_TRUE(run("click 92 31"));   // one pixel left of ON
  ASSERT_TRUE(run("click 108 46"));  // one pixel below ON
  EXPECT_EQ(navigator.power_on, 0);
  ASSERT_TRUE(run("click 93 16"));
  EXPECT_EQ(navigator.power_on, 1);
  ASSERT_TRUE(run("press down"));
  EXPECT_EQ(navigator.cursor, 1);
  ASSERT_TRUE(run("press go"));
  EXPECT_EQ(navigator.cursor, 0);
  ASSERT_TRUE(run("press on"));
  EXPECT_EQ(navigator.power_on, 0);
}

TEST_F(ScenarioCommands, ShowAndFilesPrintOneLineEach) {
  ASSERT_TRUE(run("show"));
  EXPECT_EQ(out,
            "first_line=\"\" second_line=\"\" steer_icon=0 label_icon=0 distance_icon=0 "
            "track_icon=0 satellite_icon=0 left_readout=\"\" right_readout=\"\" "
            "distance_point=\"\" distance_readout=\"\" distance_tenths=\"\"\n");
  ASSERT_TRUE(run("files"));
  EXPECT_EQ(out, "KOLVEX.MAX=missing\nKOLVEX.TGT=missing\n");
  ASSERT_TRUE(run("frame"));
  ASSERT_TRUE(run("files"));
  EXPECT_EQ(out.rfind("KOLVEX.MAX=\"0", 0), 0u) << out;
  EXPECT_NE(out.find("\nKOLVEX.TGT=\"0"), std::string::npos) << out;
}

TEST(ScenarioEscape, QuotedTextsShowEveryByte) {
  EXPECT_EQ(sim::escape("Home Base   "), "Home Base   ");
  EXPECT_EQ(sim::escape("say \"hi\" \\ there"), "say \\\"hi\\\" \\\\ there");
  EXPECT_EQ(sim::escape("1\r\n2\n"), "1\\r\\n2\\n");
  EXPECT_EQ(sim::escape(std::string_view("\x00\x01\x1f\x7f\x80\xd6\xff", 7)),
            "\\x00\\x01\\x1f\\x7f\\x80\\xd6\\xff");
  EXPECT_EQ(sim::escape(" ~"), " ~");
}

}  // namespace
}  // namespace kolvex
