// Arbitrary turnpoint files: whatever the bytes, loading, the lists and the lookups stay within
// their buffers (the sanitizer build checks every access).
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

#include "database/pick_lists.h"
#include "database/task_table.h"
#include "database/turnpoint_store.h"
#include "gauge/navigator_state.h"
#include "tests/database/database_fixture.h"

namespace kolvex {
namespace {

using testing::DatabaseTest;

class ArbitraryFiles : public DatabaseTest {};

TEST_F(ArbitraryFiles, StayWithinTheirBuffers) {
  // Bytes that matter to the loader, and some that do not.
  const char bytes[] =
      ",,,,\n\n\r\x1A\0 .:-+eEFHNSWTALMRJZz9015\xE9\xFF"
      "ABCDEFGHIJ";
  const std::string alphabet(bytes, sizeof bytes - 1);
  std::mt19937 random(20091227);
  for (int file = 0; file < 40; ++file) {
    std::string content;
    const int length = static_cast<int>(random() % 20000);
    for (int i = 0; i < length; ++i) {
      content.push_back(alphabet[random() % alphabet.size()]);
    }
    load(content);
    ASSERT_GE(navigator.record_count, 0);
    ASSERT_LE(navigator.record_count, kStoreCapacity);
    ASSERT_LE(navigator.alphabetic_count, kListCapacity);
    for (int index = 0; index < navigator.record_count; ++index) {
      ASSERT_EQ(record(index).code.size(), 4u);
      ASSERT_LE(record(index).elevation.size(), 7u);
    }
    place_aircraft(static_cast<double>(random() % 10800) - 5400.0,
                   static_cast<double>(random() % 21600) - 10800.0);
    for (int page : {kTurnpointDistancePage, kLandingPlacePage}) {
      navigator.page = page;
      build_distance_list();
      ASSERT_LE(navigator.distance_last, kListCapacity - 1);
      for (int position : {-1, 0, 1, 255, 256, INT_MAX}) {
        pick_by_distance(position);
        pick_alphabetic(position);
      }
    }
    for (int letter : {-1, 0, 3, 9, 10}) {
      for (int number : {INT_MIN, -1, 0, 1, 2, 99, 100, 1000, INT_MAX}) {
        navigator.task_letter = letter;
        navigator.task_point_number = number;
        navigator.units = static_cast<int>(random() % 3);
        find_task_point();
        find_task_leg();
        ASSERT_LE(readouts.distance_text.size(), 7u);
      }
    }
  }
}

}  // namespace
}  // namespace kolvex
