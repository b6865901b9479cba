#include "database/pick_lists.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "database/turnpoint_store.h"
#include "gauge/format.h"
#include "gauge/navigator_state.h"
#include "navigation/readouts.h"
#include "navigation/target_solution.h"
#include "tests/database/database_fixture.h"

namespace kolvex {
namespace {

using testing::DatabaseTest;
using testing::tp_line;

// A latitude text this many minutes of arc north, in the decimal form.
std::string north(int minutes) {
  char text[16];
  format_value(text, sizeof text, "%02d", minutes / 60);
  std::string result = text;
  format_value(text, sizeof text, "%02d", minutes % 60);
  return result + ":" + text + ".000N";
}

class Selection : public DatabaseTest {};

TEST_F(Selection, SelectRecordCopiesTheShownTexts) {
  load(tp_line("001", "52:10.500N", "005:34.567E", "T", "Bergen", "1000F", "Tower"));
  select_record(0);
  EXPECT_EQ(target_fields.latitude.view(), "52:10.500N  ");
  EXPECT_EQ(target_fields.longitude.view(), "005:34.567E ");
  EXPECT_EQ(target_fields.elevation.view(), "305M  ");
  EXPECT_EQ(target_fields.name.view(), "Bergen      ");
  EXPECT_EQ(target_fields.note.view(), "Tower       ");

  // Inside the store a record beyond the loaded ones is read as it stands.
  select_record(300);
  EXPECT_EQ(target_fields.name.view(), "123456789012");

  select_record(0);
  for (int index : {-1, kStoreCapacity, INT_MIN, INT_MAX}) {
    select_record(index);
    EXPECT_EQ(target_fields.name.view(), "Bergen      ") << index;
  }
}

TEST_F(Selection, AlphabeticListSortsTurnpointNamesByteWise) {
  load(tp_line("1", "a", "b", "T", "Bergen") +      // 0
       tp_line("2", "a", "b", "A", "Airfield") +    // 1: landing place only
       tp_line("3", "a", "b", "TA", "Ab") +         // 2: prefix of the next name
       tp_line("4", "a", "b", "S", "Abc") +         // 3
       tp_line("5", "a", "b", "t", "Lower kind") +  // 4: marks nothing
       tp_line("6", "a", "b", "R", "zeta") +        // 5: sorts behind the placeholders
       tp_line("7", "a", "b", "F", "\xE9tang") +    // 6: a byte above 127 sorts last
       tp_line("8", "a", "b", " xRx", "Middle"));   // 7
  EXPECT_EQ(navigator.alphabetic_count, 6);
  const char* expected[] = {"Ab          ", "Abc         ", "Bergen      ", "Middle      "};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(alphabetic_list.entries[i].view(), expected[i]) << i;
  }
  EXPECT_EQ(alphabetic_list.entries[4].view(), kListPlaceholder);
  EXPECT_EQ(alphabetic_list.entries[253].view(), kListPlaceholder);
  EXPECT_EQ(alphabetic_list.entries[254].view(), "zeta        ");
  EXPECT_EQ(alphabetic_list.entries[255].view(), "\xE9tang       ");

  struct Case {
    int position;
    int record;
  } cases[] = {{0, 2}, {1, 3}, {2, 0}, {3, 7}, {4, 8}, {254, 5}, {255, 6}, {-1, 8}, {256, 8}};
  for (const Case& c : cases) {
    select_record(1);
    EXPECT_EQ(pick_alphabetic(c.position), c.record) << c.position;
    // A pick that finds nothing leaves the shown record as it was.
    const int shown = c.record == navigator.record_count ? 1 : c.record;
    EXPECT_EQ(target_fields.name.view(), record(shown).name.view()) << c.position;
  }
}

TEST_F(Selection, SameNamesLeadToTheFirstRecord) {
  load(tp_line("1", "01:00.000N", "b", "T", "Twin") + tp_line("2", "02:00.000N", "b", "T", "Twin"));
  EXPECT_EQ(navigator.alphabetic_count, 2);
  EXPECT_EQ(alphabetic_list.entries[0].view(), "Twin        ");
  EXPECT_EQ(alphabetic_list.entries[1].view(), "Twin        ");
  EXPECT_EQ(pick_alphabetic(0), 0);
  EXPECT_EQ(pick_alphabetic(1), 0);
  EXPECT_EQ(target_fields.latitude.view(), "01:00.000N  ");
}

TEST_F(Selection, AFullAlphabeticListKeepsTheNamesThatSortFirst) {
  std::string content;
  for (int i = 299; i >= 0; --i) {
    content += tp_line("1", "a", "b", "T", "N" + std::to_string(1000 + i));
  }
  load(content);
  EXPECT_EQ(navigator.alphabetic_count, kListCapacity);
  EXPECT_EQ(alphabetic_list.entries[0].view(), "N1000       ");
  EXPECT_EQ(alphabetic_list.entries[255].view(), "N1255       ");
  EXPECT_EQ(pick_alphabetic(255), 299 - 255);
}

// The distance list measures every record from the aircraft through the target solution.
class DistanceListBuild : public DatabaseTest {};

TEST_F(DistanceListBuild, EqualDistancesGetKeysAHundredthApart) {
  // Aircraft at 0 N 0 E; all three half a degree north: 55.575 km.
  load(tp_line("1", "00:30.000N", "000:00.000E", "T", "First") +
       tp_line("2", "00:30.000N", "000:00.000E", "T", "Second") +
       tp_line("3", "00:30.000N", "000:00.000E", "T", "Third"));
  navigator.page = kTurnpointDistancePage;
  build_distance_list();
  EXPECT_EQ(navigator.distance_last, 2);
  EXPECT_EQ(record(0).distance_key.view(), " 55.57500000");
  EXPECT_EQ(record(1).distance_key.view(), " 55.58500000");
  EXPECT_EQ(record(2).distance_key.view(), " 55.59500000");
  EXPECT_EQ(distance_list.entries[0].view(), " 55.57500000");
  EXPECT_EQ(distance_list.entries[3].view(), kListPlaceholder);
  // The build leaves the last record measured on show, with its raised distance.
  EXPECT_EQ(target_fields.name.view(), "Third       ");
  EXPECT_NEAR(navigator.target_distance_km, 55.595, 1e-9);
  EXPECT_NEAR(navigator.bearing_to_target, 0.0, 1e-9);
  for (int position = 0; position < 3; ++position) {
    EXPECT_EQ(pick_by_distance(position), position);
  }
  EXPECT_EQ(target_fields.name.view(), "Third       ");
  EXPECT_EQ(pick_by_distance(3), navigator.record_count);
}

TEST_F(DistanceListBuild, ARaisedKeyIsNotComparedWithEntriesAlreadyPassed) {
  // The aircraft sits 0.01 km nearer the point one degree north than the equator point:
  // 55.58 km to the south point, 55.57 km to the two north points.
  place_aircraft(30.0 + 0.3 / 111.15, 0.0);
  load(tp_line("1", "00:00.000N", "000:00.000E", "T", "South") +
       tp_line("2", "01:00.000N", "000:00.000E", "T", "North") +
       tp_line("3", "01:00.000N", "000:00.000E", "T", "North twin"));
  navigator.page = kTurnpointDistancePage;
  build_distance_list();
  EXPECT_EQ(record(0).distance_key.view(), " 55.58000000");
  EXPECT_EQ(record(1).distance_key.view(), " 55.57000000");
  // Raised past the second key, the third key now equals the first one.
  EXPECT_EQ(record(2).distance_key.view(), " 55.58000000");
  EXPECT_EQ(pick_by_distance(0), 1);
  EXPECT_EQ(pick_by_distance(1), 0);
  EXPECT_EQ(pick_by_distance(2), 0);
}

TEST_F(DistanceListBuild, KeysFrom1000KmSortByTheirCharacters) {
  load(tp_line("1", "01:21.000N", "000:00.000E", "T", "150 km") +   // 150.0525
       tp_line("2", "01:21.600N", "000:00.000E", "T", "151 km") +   // 151.164
       tp_line("3", "13:30.000N", "000:00.000E", "T", "1500 km") +  // 1500.525
       tp_line("4", "00:06.000N", "000:00.000E", "T", "11 km"));
  navigator.page = kTurnpointDistancePage;
  build_distance_list();
  EXPECT_EQ(record(2).distance_key.view(), "1500.52500000");
  const int order[] = {3, 0, 2, 1};
  for (int position = 0; position < 4; ++position) {
    EXPECT_EQ(pick_by_distance(position), order[position]) << position;
  }
}

TEST_F(DistanceListBuild, EachPageListsItsOwnKinds) {
  load(tp_line("1", "00:10.000N", "000:00.000E", "T", "Turn near") +     // 0
       tp_line("2", "00:20.000N", "000:00.000E", "S", "Turn mid") +      // 1
       tp_line("3", "00:30.000N", "000:00.000E", "TA", "Both") +         // 2
       tp_line("4", "00:40.000N", "000:00.000E", "M", "Land far") +      // 3
       tp_line("5", "00:05.000N", "000:00.000E", "tl", "Lower kinds") +  // 4
       tp_line("6", "00:01.000N", "000:00.000E", "H", "Home only"));     // 5
  struct Case {
    int page;
    int last;
    int records[4];
  } cases[] = {
      {kTurnpointDistancePage, 2, {0, 1, 2}},
      {kLandingPlacePage, 1, {2, 3}},
      {20, -1, {}},
  };
  for (const Case& c : cases) {
    navigator.page = c.page;
    build_distance_list();
    EXPECT_EQ(navigator.distance_last, c.last) << c.page;
    for (int position = 0; position <= c.last; ++position) {
      EXPECT_EQ(pick_by_distance(position), c.records[position]) << c.page << " " << position;
    }
    for (int position = c.last + 1; position < kListCapacity; ++position) {
      ASSERT_EQ(distance_list.entries[position].view(), kListPlaceholder) << c.page;
    }
  }
}

TEST_F(DistanceListBuild, WithoutLandingPlacesTheShownRecordStays) {
  load(tp_line("1", "00:10.000N", "000:00.000E", "T", "Turn") +
       tp_line("2", "00:20.000N", "000:00.000E", "T", "Shown"));
  select_record(1);
  navigator.page = kLandingPlacePage;
  build_distance_list();
  EXPECT_EQ(navigator.distance_last, -1);
  EXPECT_EQ(pick_by_distance(0), navigator.record_count);
  EXPECT_EQ(target_fields.name.view(), "Shown       ");
  EXPECT_EQ(pick_by_distance(-1), navigator.record_count);
  EXPECT_EQ(pick_by_distance(kListCapacity), navigator.record_count);
}

TEST_F(DistanceListBuild, AnOlderEqualKeyWinsThePick) {
  // Record 0 keeps its key from the turnpoint page; record 1 gets the same key on the
  // landing-place page, and its entry then leads to record 0.
  load(tp_line("1", "00:10.000N", "000:00.000E", "T", "Turn") +
       tp_line("2", "00:10.000N", "000:00.000E", "L", "Land"));
  navigator.page = kTurnpointDistancePage;
  build_distance_list();
  navigator.page = kLandingPlacePage;
  build_distance_list();
  EXPECT_EQ(record(0).distance_key.view(), record(1).distance_key.view());
  EXPECT_EQ(pick_by_distance(0), 0);
}

TEST_F(DistanceListBuild, AFullListKeepsTheNearestAndKeysEveryRecord) {
  std::string content;
  for (int minutes = 300; minutes >= 1; --minutes) {
    content += tp_line("1", north(minutes), "000:00.000E", "T", "P" + std::to_string(minutes));
  }
  load(content);
  navigator.page = kTurnpointDistancePage;
  build_distance_list();
  EXPECT_EQ(navigator.distance_last, kListCapacity - 1);
  // Record i lies 300 - i minutes north; the list holds the 256 nearest in order.
  for (int position = 0; position < kListCapacity; ++position) {
    ASSERT_EQ(pick_by_distance(position), 299 - position) << position;
  }
  char key[16];
  format_value(key, sizeof key, "%12.8f", 300 / 60.0 * 111.15);
  EXPECT_EQ(record(0).distance_key.view(), key);
}

// The shared sample files, measured from a known position.
class SampleDistances : public DatabaseTest {};

TEST_F(SampleDistances, EuregioFromTheHomeRunway) {
  load_sample("euregio9.dat");
  const int home = find_home_record();
  // 50:49:23N 006:11:11E in the seconds form.
  place_aircraft(50 * 60 + 49 + 23 * 0.0166667, 6 * 60 + 11 + 11 * 0.0166667);
  struct Case {
    int page;
    int records[5];
  } cases[] = {
      // ZL RWY EDKA, Ap1 Twr EDKA, Aachen, Kronenbrot, Windrad
      {kTurnpointDistancePage, {126, 123, 28, 73, 118}},
      // ZL RWY EDKA, Ap1 Twr EDKA, Diepenlinchn, DurnHrtgnwld, Bergheim
      {kLandingPlacePage, {126, 123, 48, 53, 38}},
  };
  for (const Case& c : cases) {
    navigator.page = c.page;
    build_distance_list();
    for (int position = 0; position < 5; ++position) {
      EXPECT_EQ(pick_by_distance(position), c.records[position]) << c.page << " " << position;
    }
  }
  EXPECT_EQ(navigator.distance_last, 47);  // 48 landing places
  EXPECT_EQ(record(28).distance_key.view(), "  1.04871311");
  EXPECT_EQ(record(home).distance_key.view(), "  0.00000000");

  select_record(28);
  EXPECT_NEAR(solve_selected_target(), 160.408, 1e-3);
  EXPECT_NEAR(navigator.target_distance_km, 1.04871311, 1e-8);
}

TEST_F(SampleDistances, Welt2000CoordinatesInBothForms) {
  load_sample("welt2000-sample.dat");
  struct Case {
    int index;
    double lat_min;
    double lon_min;
  } cases[] = {
      {1, -(32 * 60 + 39.2), -(70 * 60 + 0.7)},                        // 32:39.200S 070:00.700W
      {2, 51 * 60 + 3 + 7 * 0.0166667, 7 * 60 + 42 + 22 * 0.0166667},  // 51:03:07N 007:42:22E
      {3, 37 * 60 + 49.05, -(122 * 60 + 28.7)},                        // 37:49.050N 122:28.700W
      {4, 55 * 60 + 45.25, 37 * 60 + 37.2},                            // 55:45.250N 037:37.200E
      {5, -(33 * 60 + 51.417), 151 * 60 + 12.916},                     // 33:51.417S 151:12.916E
  };
  for (const Case& c : cases) {
    place_aircraft(c.lat_min, c.lon_min);
    update_position_readouts();
    select_record(c.index);
    solve_selected_target();
    EXPECT_NEAR(navigator.target_distance_km, 0.0, 1e-6) << c.index;
  }

  // From Bergneustadt: keys from 1000 km on sort by their characters, so 2052 km comes last.
  place_aircraft(cases[1].lat_min, cases[1].lon_min);
  navigator.page = kTurnpointDistancePage;
  build_distance_list();
  const int order[] = {2, 3, 1, 5, 4};
  for (int position = 0; position < 5; ++position) {
    EXPECT_EQ(pick_by_distance(position), order[position]) << position;
  }
  EXPECT_EQ(record(4).distance_key.view(), "2052.95661469");
  navigator.page = kLandingPlacePage;
  build_distance_list();
  EXPECT_EQ(navigator.distance_last, 1);
  EXPECT_EQ(pick_by_distance(1), 4);
}

}  // namespace
}  // namespace kolvex
