// kolvex-sim's cockpit commands against the instrument: flown legs, the IGC reader, errors, the
// face drawn with characters and as a picture.
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/instrument.h"
#include "tools/kolvex-sim/flight.h"
#include "tools/kolvex-sim/igc.h"
#include "tools/kolvex-sim/render.h"
#include "tools/kolvex-sim/simulator.h"
#include "tools/kolvex-sim/terminal_face.h"

namespace kolvex::testing {
namespace {

constexpr const char* kTurnpoints =
    "001,52:00.000N,010:00.000E,120M,HTA,Home Field,Winch\n"
    "002,52:10.000N,010:00.000E,200M,T,North Mast,\n";

TEST(IgcRecords, FixesAreReadFromBRecordsOnly) {
  struct Case {
    const char* line;
    bool good;
    double seconds, lat, lon, gps;
  };
  const Case cases[] = {
      {"B0208373632997S14600455EA0017400180", true, 7717, -(36 + 32.997 / 60), 146 + 0.455 / 60,
       180},
      {"B2359595210500N00534567WA00100-0012\r", true, 86399, 52 + 10.5 / 60, -(5 + 34.567 / 60),
       -12},
      {"B0208373632997X14600455EA0017400180", false, 0, 0, 0, 0},  // no hemisphere
      {"B02083736329", false, 0, 0, 0, 0},                         // cut short
      {"HFDTE271209", false, 0, 0, 0, 0},
      {"B6008373632997S14600455EA0017400180", false, 0, 0, 0, 0},  // hour 60
  };
  for (const Case& c : cases) {
    sim::IgcFix fix{};
    ASSERT_EQ(sim::parse_b_record(c.line, fix), c.good) << c.line;
    if (c.good) {
      EXPECT_DOUBLE_EQ(fix.seconds, c.seconds) << c.line;
      EXPECT_NEAR(fix.lat_deg, c.lat, 1e-9) << c.line;
      EXPECT_NEAR(fix.lon_deg, c.lon, 1e-9) << c.line;
      EXPECT_DOUBLE_EQ(fix.gps_altitude_m, c.gps) << c.line;
    }
  }
}

TEST(IgcRecords, PositionsBetweenFixesAreInterpolatedAndMidnightIsPassed) {
  std::istringstream log(
      "AXXX\n"
      "B2359500000000N00000000EA0000000100\n"
      "B2359550000000N00001000EA0000000200\n"
      "B0000050001000N00001000EA0000000400\n");
  std::vector<sim::IgcFix> fixes;
  std::string error;
  ASSERT_TRUE(sim::read_igc(log, fixes, error)) << error;
  ASSERT_EQ(fixes.size(), 3u);
  EXPECT_DOUBLE_EQ(fixes[2].seconds, 86400 + 5);
  const sim::IgcFix middle = sim::fix_at(fixes, 86400);  // half way from 23:59:55 to 00:00:05
  EXPECT_NEAR(middle.lat_deg, 0.5 / 60, 1e-12);
  EXPECT_NEAR(middle.lon_deg, 1.0 / 60, 1e-12);
  EXPECT_NEAR(middle.gps_altitude_m, 300, 1e-9);
  EXPECT_DOUBLE_EQ(sim::fix_at(fixes, 0).lat_deg, 0);             // before the log: its start
  EXPECT_NEAR(sim::fix_at(fixes, 1e6).lat_deg, 1.0 / 60, 1e-12);  // after it: its end

  std::istringstream empty("AXXX\nHFDTE271209\n");
  EXPECT_FALSE(sim::read_igc(empty, fixes, error));
}

class CockpitTest : public InstrumentTest {
 protected:
  bool run(const std::string& line) {
    error.clear();
    return cockpit.run_line(line, error);
  }
  void switch_on_at(double lat, double lon) {
    write_file("KOL-VEX.dat", kTurnpoints);
    ASSERT_TRUE(run("units 2"));
    ASSERT_TRUE(run("position " + std::to_string(lat) + " " + std::to_string(lon)));
    ASSERT_TRUE(run("press on"));
    ASSERT_TRUE(run("wait 2000"));
  }

  std::string printed;
  std::string error;
  sim::Simulator simulator{host, 100};
  sim::Cockpit cockpit{host, simulator, 100, sim::CockpitOptions{},
                       [this](std::string_view text) { printed += text; }};
};

TEST_F(CockpitTest, FlyMovesTheAircraftAtItsGroundSpeedAndTheInstrumentFollows) {
  switch_on_at(51.9, 10.0);  // home is due north
  // Off to the north-north-east: the steering bar points left, back to the line to home.
  ASSERT_TRUE(run("fly 51.95 10.03 100")) << error;
  EXPECT_LT(host.frame_of(kSteerIcon), 5);
  EXPECT_GT(host.frame_of(kSteerIcon), 0);
  // Straight at home: the bar stands in the middle.
  ASSERT_TRUE(run("fly 51.975 10.015 100")) << error;
  EXPECT_EQ(host.frame_of(kSteerIcon), 5);

  const std::int64_t before = cockpit.clock_ms();
  const double km = sim::flat_earth_km(51.975, 10.015, 52.0, 10.0);
  ASSERT_TRUE(run("fly 52.0 10.0 90")) << error;
  EXPECT_NEAR(cockpit.latitude(), 52.0, 1e-9);
  EXPECT_NEAR(cockpit.longitude(), 10.0, 1e-9);
  EXPECT_EQ(cockpit.clock_ms() - before, std::llround(km / 90 * 3600 * 1000));
  EXPECT_EQ(host.text(kFirstLine), "Arrival!");
  char track[8];
  std::snprintf(track, sizeof track, "%03.0f",
                sim::flat_earth_direction(51.975, 10.015, 52.0, 10.0));
  EXPECT_EQ(host.text(kRightReadout), track);
  ASSERT_TRUE(run("press up"));  // ground speed on the left readout
  ASSERT_TRUE(run("frame"));
  EXPECT_EQ(host.text(kLeftReadout), "090");

  // Pieces flown towards the same target count as one leg.
  ASSERT_TRUE(run("summary"));
  EXPECT_NE(printed.find("Legs flown: 1"), std::string::npos) << printed;
  EXPECT_NE(printed.find("Arrival! Home Field"), std::string::npos) << printed;
}

TEST_F(CockpitTest, BadCommandsAreRefusedWithTheReason) {
  switch_on_at(52.0, 10.0);
  const std::pair<const char*, const char*> cases[] = {
      {"fly 52 10", "'fly' takes LAT LON KMH"},
      {"fly 52 10 0", "'fly' needs a ground speed above 0 km/h"},
      {"fly 52 ten 90", "'ten' is not a number"},
      {"replay", "'replay' takes FILE"},
      {"replay no-such.igc", "cannot read flight log no-such.igc"},
      {"replay no-such.igc until 3:00", "'until' needs a log time hh:mm:ss"},
      {"replay no-such.igc fast", "'fast' is not a speed-up"},
      {"render", "'render' takes FILE.png"},
      {"summary now", "'summary' takes no arguments"},
      {"wait soon", "'soon' is not a count of milliseconds"},
      {"takeoff", "unknown command 'takeoff'"},
  };
  for (const auto& [line, reason] : cases) {
    EXPECT_FALSE(run(line)) << line;
    EXPECT_NE(error.find(reason), std::string::npos) << line << ": " << error;
  }
  write_file("empty.igc", "AXXX\n");
  EXPECT_FALSE(run("replay empty.igc"));
  EXPECT_NE(error.find("no B record"), std::string::npos) << error;
}

TEST_F(CockpitTest, ReplayFollowsTheLogAndContinuesWhereItStopped) {
  switch_on_at(52.0, 10.0);
  // Two fixes 60 s apart, 1 minute of arc of latitude north (1.8525 km: 111.15 km/h).
  write_file("north.igc",
             "B1200005200000N01000000EA0000000300\n"
             "B1201005201000N01000000EA0000000600\n");
  ASSERT_TRUE(run("replay north.igc until 12:00:30")) << error;
  EXPECT_NEAR(cockpit.latitude(), 52.0 + 0.5 / 60, 1e-9);
  EXPECT_NEAR(host.var(73), 450, 1e-6);
  EXPECT_EQ(cockpit.clock_ms(), 2000 + 30000);
  ASSERT_TRUE(run("press up"));
  ASSERT_TRUE(run("replay north.igc")) << error;  // on to the end of the log
  EXPECT_NEAR(cockpit.latitude(), 52.0 + 1.0 / 60, 1e-9);
  EXPECT_EQ(cockpit.clock_ms(), 2000 + 60000);
  EXPECT_EQ(host.text(kLeftReadout), "111");
  EXPECT_EQ(host.text(kRightReadout), "000");
  ASSERT_TRUE(run("replay north.igc from 12:00:00 until 12:00:10")) << error;
  EXPECT_NEAR(cockpit.latitude(), 52.0 + (10.0 / 60) / 60, 1e-9);
}

TEST_F(CockpitTest, TheFaceInCharactersShowsLinesReadoutsAndSteeringBar) {
  EXPECT_EQ(sim::steering_row(0), "          ");
  EXPECT_EQ(sim::steering_row(1), "<<<<||    ");
  EXPECT_EQ(sim::steering_row(4), "   <||    ");
  EXPECT_EQ(sim::steering_row(5), "    ||    ");
  EXPECT_EQ(sim::steering_row(7), "    ||>>  ");
  EXPECT_EQ(sim::steering_row(9), "    ||>>>>");

  switch_on_at(51.95, 10.0);
  ASSERT_TRUE(run("fly 51.96 10.0 100")) << error;
  ASSERT_TRUE(run("face"));
  EXPECT_NE(printed.find("|  |       Navigate to        |  |\n"), std::string::npos) << printed;
  EXPECT_NE(printed.find("|  |       Home Field         |  |\n"), std::string::npos) << printed;
  EXPECT_NE(printed.find("|  |       [    ||    ]       |  |\n"), std::string::npos) << printed;
  EXPECT_NE(printed.find("|  |  Brg 000        Trk 000  |  |\n"), std::string::npos) << printed;
  EXPECT_NE(printed.find("|  |  Dist   4.4       ::::   |  |\n"), std::string::npos) << printed;
}

#if defined(KOLVEX_BITMAP_DIR) && !defined(_WIN32)
TEST_F(CockpitTest, ThePictureCompositesFaceIconsAndCentredTexts) {
  if (sim::default_font_path().empty()) {
    GTEST_SKIP() << "no Terminus console font installed";
  }
  host::BmpFolderBitmaps bitmaps(KOLVEX_BITMAP_DIR);
  host.set_bitmap_source(&bitmaps);
  host.install(0);  // again, now that the bitmaps can be measured
  switch_on_at(51.95, 10.0);

  sim::FaceRenderer renderer(KOLVEX_BITMAP_DIR, sim::default_font_path());
  std::vector<std::uint8_t> rgba;
  int width = 0;
  int height = 0;
  ASSERT_TRUE(renderer.compose(host, rgba, width, height, error)) << error;
  ASSERT_EQ(width, 315);
  ASSERT_EQ(height, 315);
  auto rgb = [&](int x, int y) {
    const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    return static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
  };
  auto alpha = [&](int x, int y) {
    return rgba[(static_cast<std::size_t>(y) * width + x) * 4 + 3];
  };

  EXPECT_EQ(alpha(0, 0), 0);  // the face's black corner is not drawn
  EXPECT_EQ(alpha(157, 157), 255);
  // The first line's box is erased to its background; its text is drawn in the text colour,
  // centred: "Navigate to" inked as far from the box's left edge as from its right.
  int left_ink = 1000;
  int right_ink = -1;
  for (int y = 83; y < 83 + 34; ++y) {
    for (int x = 39; x < 39 + 240; ++x) {
      const std::uint32_t colour = rgb(x, y);
      ASSERT_TRUE(colour == 0xa5a5a5 || colour == 0x101010) << x << "," << y;
      if (colour == 0x101010) {
        left_ink = std::min(left_ink, x);
        right_ink = std::max(right_ink, x);
      }
    }
  }
  ASSERT_GE(right_ink, left_ink);
  EXPECT_NEAR(left_ink - 39, 39 + 240 - 1 - right_ink, 16);
  // Icons at the frame their callbacks returned: the satellites (frame 1) differ from the
  // empty frame 0 somewhere in their box.
  sim::PaletteBitmap empty;
  ASSERT_TRUE(sim::read_palette_bmp(std::string(KOLVEX_BITMAP_DIR) + "/24576.bmp", empty, error));
  bool differs = false;
  for (int y = 0; y < empty.height; ++y) {
    for (int x = 0; x < empty.width; ++x) {
      differs = differs || rgb(196 + x, 209 + y) != empty.colour(x, y);
    }
  }
  EXPECT_TRUE(differs);

  sim::CockpitOptions options;
  options.bitmap_folder = KOLVEX_BITMAP_DIR;
  sim::Cockpit pictured(host, simulator, 100, options, [](std::string_view) {});
  ASSERT_TRUE(pictured.run_line("render out/face.png", error)) << error;
  EXPECT_TRUE(std::filesystem::file_size("out/face.png") > 1000);
}
#endif

}  // namespace
}  // namespace kolvex::testing
