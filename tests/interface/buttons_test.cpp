#include "interface/buttons.h"

#include <gtest/gtest.h>

#include <string>

#include "database/pick_lists.h"
#include "database/turnpoint_store.h"
#include "gauge/navigator_state.h"
#include "tests/support/instrument.h"
#include "tools/panel_host/panel_host.h"

namespace kolvex {
namespace {

using host::Button;
using testing::InstrumentTest;
using testing::kFirstLine;
using testing::kSecondLine;
using testing::write_file;

// Record 1 is the home point, so switching on must search for it. Task A runs from Alpha
// (record 2) over Bravo (record 0) to the home point (record 1).
constexpr const char* kTurnpoints =
    "002,52:10.000N,005:00.000E,20,T,Bravo Tower,Tall tower\n"
    "001,52:00.000N,005:00.000E,10,HT,Home Field,Club field\n"
    "003,52:20.000N,005:10.000E,30,T,Alpha Church,Old church\n"
    "004,52:05.000N,005:05.000E,1000F,L,Landing One,Grass strip\n"
    "A0,003,0,,,,\n"
    "A1,002,18.5,,,,\n"
    "A2,001,22.0,,,,\n"
    "C0,002,0,,,,\n";
constexpr int kBravo = 0;
constexpr int kHome = 1;
constexpr int kAlpha = 2;
constexpr int kLanding = 3;

class Buttons : public InstrumentTest {
 protected:
  void switch_on(const char* file = kTurnpoints) {
    write_file("KOL-VEX.dat", file);
    host.press(Button::on);
  }
  void press(Button button, int times = 1) {
    for (int i = 0; i < times; ++i) {
      host.press(button);
    }
  }
  // The page's own texts, without a navigation tick (the clock stays where it was).
  std::string first() {
    host.frame();
    return host.text(kFirstLine);
  }
  std::string second() { return host.text(kSecondLine); }
};

TEST_F(Buttons, SwitchOnLoadsTheFileAndTargetsHome) {
  navigator.page = 23;
  navigator.cursor = 2;
  navigator.last_point_index = 3;
  navigator.alphabetic_pick = 2;
  navigator.distance_pick = 3;
  navigator.on_task = 1;
  navigator.task_letter = 4;
  navigator.task_point_number = 6;
  navigator.task_point_index = 5;
  switch_on();
  EXPECT_EQ(navigator.power_on, 1);
  EXPECT_EQ(navigator.page, 20);
  EXPECT_EQ(navigator.cursor, 0);
  EXPECT_EQ(navigator.record_count, 8);
  EXPECT_EQ(navigator.target_index, kHome);
  EXPECT_EQ(navigator.last_point_index, 0);
  EXPECT_EQ(navigator.alphabetic_pick, 0);
  EXPECT_EQ(navigator.distance_pick, 0);
  EXPECT_EQ(target_fields.name.view(), "Home Field  ");
  // The task state survives switching on.
  EXPECT_EQ(navigator.on_task, 1);
  EXPECT_EQ(navigator.task_letter, 4);
  EXPECT_EQ(navigator.task_point_number, 6);
  EXPECT_EQ(navigator.task_point_index, 5);
}

TEST_F(Buttons, OnTwiceSwitchesOffAndAThirdTimeResetsAndReloads) {
  switch_on();
  press(Button::left, 2);
  press(Button::down, 2);
  navigator.last_point_index = kAlpha;
  press(Button::on);
  EXPECT_EQ(navigator.power_on, 0);
  EXPECT_EQ(navigator.page, 18);
  EXPECT_EQ(navigator.cursor, 2);
  EXPECT_EQ(navigator.last_point_index, kAlpha);
  // Switched off, the buttons still move the pages, unseen.
  press(Button::right);
  EXPECT_EQ(navigator.page, 19);
  EXPECT_EQ(first(), "");

  // The file is read again at the next switch-on: now without a home point.
  write_file("KOL-VEX.dat", "002,52:10.000N,005:00.000E,20,T,Bravo Tower,Tall tower\n");
  press(Button::on);
  EXPECT_EQ(navigator.power_on, 1);
  EXPECT_EQ(navigator.page, 20);
  EXPECT_EQ(navigator.cursor, 0);
  EXPECT_EQ(navigator.record_count, 1);
  EXPECT_EQ(navigator.target_index, 0);
  EXPECT_EQ(navigator.last_point_index, 0);
}

TEST_F(Buttons, HandlersHandTheFlagsBack) {
  using Handler = std::uint32_t(KOLVEX_HOSTCALL*)(PIXPOINT*, std::uint32_t);
  for (Handler handler : {on_button_handler, go_button_handler, left_button_handler,
                          right_button_handler, up_button_handler, down_button_handler}) {
    PIXPOINT point{};
    EXPECT_EQ(handler(&point, 0x20200000U), 0x20200000U);
  }
}

// Every page with each button, from the state it sets out in; the task point number starts at
// 5 and shows the page 22 bookkeeping.
TEST_F(Buttons, EveryPageWithEveryButton) {
  struct Case {
    int page, cursor;
    Button button;
    int to_page, to_cursor, point_number;
  } cases[] = {
      {18, 1, Button::left, 18, 0, 5},   {19, 0, Button::left, 18, 0, 5},
      {20, 1, Button::left, 19, 0, 5},   {21, 0, Button::left, 20, 0, 5},
      {22, 0, Button::left, 21, 0, 4},   {23, 2, Button::left, 22, 0, 6},
      {24, 1, Button::left, 23, 0, 5},   {25, 1, Button::left, 24, 0, 5},
      {26, 0, Button::left, 25, 0, 5},   {27, 1, Button::left, 26, 1, 5},
      {27, 0, Button::left, 26, 0, 5},   {28, 1, Button::left, 27, 1, 5},
      {28, 0, Button::left, 27, 0, 5},

      {18, 2, Button::right, 19, 0, 5},  {19, 0, Button::right, 20, 0, 5},
      {20, -1, Button::right, 21, 0, 5}, {21, 0, Button::right, 22, 0, 6},
      {22, 0, Button::right, 23, 0, 4},  {23, 2, Button::right, 24, 0, 5},
      {24, 1, Button::right, 25, 0, 5},  {25, 1, Button::right, 26, 0, 5},
      {26, 0, Button::right, 26, 0, 5},  {27, 1, Button::right, 27, 1, 5},
      {28, 1, Button::right, 28, 1, 5},

      {18, 2, Button::go, 20, 0, 5},     {19, 0, Button::go, 20, 0, 5},
      {20, -1, Button::go, 20, 0, 5},    {20, 1, Button::go, 20, 0, 5},
      {21, 0, Button::go, 20, 0, 5},     {22, 0, Button::go, 20, 0, 5},
      {23, 1, Button::go, 20, 0, 5},     {24, 1, Button::go, 20, 0, 5},
      {25, 1, Button::go, 20, 0, 5},     {26, 0, Button::go, 26, 1, 0},
      {26, 1, Button::go, 27, 0, 5},     {27, 0, Button::go, 20, 0, 5},
      {27, 1, Button::go, 28, 0, 5},     {28, 0, Button::go, 20, 0, 5},
      {28, 1, Button::go, 20, 0, 0},

      {18, 0, Button::up, 18, 0, 5},     {18, 2, Button::up, 18, 1, 5},
      {19, 0, Button::up, 19, 0, 5},     {20, 1, Button::up, 20, 0, 5},
      {20, 0, Button::up, 20, -1, 5},    {20, -1, Button::up, 20, 1, 5},
      {21, 0, Button::up, 21, 0, 5},     {22, 0, Button::up, 22, 0, 5},
      {26, 0, Button::up, 26, 0, 5},     {27, 1, Button::up, 27, 0, 5},
      {27, 0, Button::up, 27, 0, 5},     {28, 1, Button::up, 28, 0, 5},

      {18, 0, Button::down, 18, 1, 5},   {18, 2, Button::down, 18, 2, 5},
      {19, 0, Button::down, 19, 0, 5},   {20, -1, Button::down, 20, 0, 5},
      {20, 1, Button::down, 20, -1, 5},  {21, 0, Button::down, 21, 0, 5},
      {22, 0, Button::down, 22, 0, 5},   {26, 0, Button::down, 26, 0, 5},
      {27, 0, Button::down, 27, 1, 5},   {28, 0, Button::down, 28, 1, 5},
      {28, 1, Button::down, 28, 1, 5},
  };
  switch_on();
  for (const Case& c : cases) {
    navigator.page = c.page;
    navigator.cursor = c.cursor;
    navigator.task_point_number = 5;
    navigator.task_letter = 0;
    press(c.button);
    const std::string where = "page " + std::to_string(c.page) + " cursor " +
                              std::to_string(c.cursor) + " button " +
                              std::to_string(static_cast<int>(c.button));
    EXPECT_EQ(navigator.page, c.to_page) << where;
    EXPECT_EQ(navigator.cursor, c.to_cursor) << where;
    EXPECT_EQ(navigator.task_point_number, c.point_number) << where;
  }
}

TEST_F(Buttons, GoOnTheNavigationPagesChangesOnlyTheCursor) {
  switch_on();
  navigator.last_point_index = kAlpha;
  for (int page : {18, 19, 20}) {
    for (int cursor : {-1, 0, 1, 2}) {
      if (page != 18 && cursor == 2) {
        continue;
      }
      navigator.page = page;
      navigator.cursor = cursor;
      target_fields.name.assign("Shown       ");
      press(Button::go);
      EXPECT_EQ(navigator.page, 20);
      EXPECT_EQ(navigator.cursor, 0);
      EXPECT_EQ(navigator.target_index, kHome);
      EXPECT_EQ(navigator.last_point_index, kAlpha);
      EXPECT_EQ(target_fields.name.view(), "Shown       ") << "GO shows no record here";
    }
  }
}

TEST_F(Buttons, WalkToTheTaskSelectionPageAndBackKeepsThePointNumber) {
  switch_on();
  navigator.task_point_number = 2;
  press(Button::right, 6);
  EXPECT_EQ(navigator.page, 26);
  press(Button::left, 6);
  EXPECT_EQ(navigator.page, 20);
  EXPECT_EQ(navigator.task_point_number, 2);
  EXPECT_EQ(target_fields.name.view(), "Home Field  ") << "back on 20 the target is shown";
}

// GO makes the candidate of a pick page the target and the old target the last point.
TEST_F(Buttons, GoTakesTheCandidate) {
  struct Case {
    int rights;  // presses from the navigation page
    int downs;
    int target;
  } cases[] = {
      {1, 0, kBravo},    // last point page: the two swap
      {3, 0, kAlpha},    // alphabet page: "Alpha Church" sorts first
      {3, 1, kBravo},    // then "Bravo Tower"
      {4, 0, kBravo},    // distance page: nearest turnpoint first
      {4, 1, kHome},     //
      {5, 0, kLanding},  // landpoints page
  };
  for (const Case& c : cases) {
    set_position(52.1, 5.0);  // 7 km from Bravo, 11 km from home, 6 km from the landing place
    switch_on();
    navigator.on_task = 1;
    press(Button::right, c.rights);
    press(Button::down, c.downs);
    press(Button::go);
    EXPECT_EQ(navigator.page, 20) << c.rights << "/" << c.downs;
    EXPECT_EQ(navigator.target_index, c.target) << c.rights << "/" << c.downs;
    EXPECT_EQ(navigator.last_point_index, kHome) << c.rights << "/" << c.downs;
    EXPECT_EQ(navigator.on_task, 0) << c.rights << "/" << c.downs;
    EXPECT_EQ(target_fields.name.view(), turnpoint_store.records[c.target].name.view());
    press(Button::on);
  }
}

TEST_F(Buttons, ListCursorsStopAtTheirBounds) {
  struct Case {
    int rights;  // presses from the position page
    int last;    // the last position offered
  } cases[] = {{5, 2}, {6, 2}, {7, 0}};
  set_position(52.1, 5.0);
  switch_on();
  for (const Case& c : cases) {
    press(Button::left, 8);
    press(Button::right, c.rights);
    press(Button::down, 5);
    EXPECT_EQ(navigator.cursor, c.last) << "page " << navigator.page;
    press(Button::up, 5);
    EXPECT_EQ(navigator.cursor, 0) << "page " << navigator.page;
  }
  EXPECT_EQ(navigator.page, 25);
  EXPECT_EQ(navigator.distance_pick, kLanding);
}

// Whatever the counts say, the cursor never leaves the 256 entries a list holds.
TEST_F(Buttons, CursorStaysInsideTheList) {
  switch_on();
  for (int page : {23, 24, 25}) {
    navigator.page = page;
    navigator.cursor = kListCapacity - 1;
    navigator.alphabetic_count = 1000;
    navigator.distance_last = 1000;
    press(Button::down);
    EXPECT_EQ(navigator.cursor, kListCapacity - 1) << "page " << page;
  }
}

// A pick that found no record keeps the target, as the task point page does without a point.
TEST_F(Buttons, GoWithoutACandidateKeepsTheTarget) {
  std::string full_store;  // 356 records, none of them a turnpoint or a landing place
  for (int i = 0; i < kStoreCapacity; ++i) {
    full_store += "1" + std::to_string(i) + ",52:00.000N,005:00.000E,10,H,Home,\n";
  }
  const std::string no_landing =
      "001,52:00.000N,005:00.000E,10,HT,Home Field,\n002,52:10.000N,005:00.000E,20,T,Bravo,\n";
  struct Case {
    const std::string* file;
    int rights;
  } cases[] = {{&full_store, 3}, {&full_store, 4}, {&no_landing, 5}};
  for (const Case& c : cases) {
    switch_on(c.file->c_str());
    navigator.last_point_index = 1;
    navigator.on_task = 1;
    press(Button::right, c.rights);
    press(Button::go);
    EXPECT_EQ(navigator.page, 20);
    EXPECT_EQ(navigator.cursor, 0);
    EXPECT_EQ(navigator.on_task, 0);
    EXPECT_EQ(navigator.target_index, 0);
    EXPECT_EQ(navigator.last_point_index, 1);
    EXPECT_EQ(target_fields.name.view(), turnpoint_store.records[0].name.view());
    press(Button::on);
  }
}

TEST_F(Buttons, SelectionModeStaysWithinItsBounds) {
  switch_on();
  press(Button::right, 6);
  press(Button::go);
  EXPECT_EQ(navigator.cursor, 1);
  EXPECT_EQ(navigator.task_letter, 0);
  EXPECT_EQ(navigator.task_point_number, 0);
  press(Button::up);
  EXPECT_EQ(navigator.task_letter, 0);
  press(Button::down, 12);
  EXPECT_EQ(navigator.task_letter, 9);
  EXPECT_EQ(navigator.task_point_index, 999) << "task J has no points";
  press(Button::up, 7);
  EXPECT_EQ(navigator.task_letter, 2);
  EXPECT_EQ(navigator.task_point_index, kBravo) << "C0 is Bravo";

  press(Button::right, 12);
  EXPECT_EQ(navigator.task_point_number, 10);
  press(Button::up);
  press(Button::down);
  EXPECT_EQ(navigator.task_letter, 2) << "the letter is chosen only at point number 0";
  press(Button::left, 12);
  EXPECT_EQ(navigator.task_point_number, 0);
  EXPECT_EQ(navigator.page, 26);
  EXPECT_EQ(navigator.cursor, 1);
}

TEST_F(Buttons, NoOnDeclareOrStartChangesNothing) {
  for (int downs_on_declare : {0, 1}) {
    switch_on();
    navigator.last_point_index = kLanding;
    press(Button::right, 6);
    press(Button::go);  // selection mode, task A
    press(Button::go);  // declare? No
    if (downs_on_declare == 1) {
      press(Button::down);
      press(Button::go);  // start? No
      EXPECT_EQ(navigator.page, 28);
    }
    press(Button::go);
    EXPECT_EQ(navigator.page, 20);
    EXPECT_EQ(navigator.on_task, 0);
    EXPECT_EQ(navigator.target_index, kHome);
    EXPECT_EQ(navigator.last_point_index, kLanding);
    first();
    // The landpoints page was passed on the way, and its candidate is still on show.
    EXPECT_EQ(second(), "Landing One ") << "still the record shown when page 26 was entered";
    press(Button::on);
  }
}

TEST_F(Buttons, StartingATaskWithoutStartPointKeepsTheTarget) {
  switch_on();
  navigator.on_task = 1;
  press(Button::right, 6);
  press(Button::go);
  press(Button::down);  // task B: no lines
  press(Button::go);
  press(Button::down);
  press(Button::go);
  press(Button::down);
  press(Button::go);
  EXPECT_EQ(navigator.page, 20);
  EXPECT_EQ(navigator.on_task, 0);
  EXPECT_EQ(navigator.target_index, kHome);
  EXPECT_EQ(navigator.last_point_index, 0);
  EXPECT_EQ(target_fields.name.view(), "Home Field  ");
}

TEST_F(Buttons, GoOnTheTaskPointPage) {
  switch_on();
  navigator.last_point_index = kLanding;
  // No task on, but point A1 exists: it becomes the target and no task starts.
  press(Button::right, 2);
  EXPECT_EQ(navigator.task_point_number, 1);
  EXPECT_EQ(first(), "Task TP:  --");
  EXPECT_EQ(second(), "No Selection");
  press(Button::go);
  EXPECT_EQ(navigator.target_index, kBravo);
  EXPECT_EQ(navigator.last_point_index, kLanding);
  EXPECT_EQ(navigator.on_task, 0);
  EXPECT_EQ(navigator.task_point_number, 1);

  // On a task without a further point GO ends the task and keeps the target.
  navigator.on_task = 1;
  navigator.task_point_number = 2;
  press(Button::right, 2);
  EXPECT_EQ(navigator.task_point_index, 999);
  press(Button::go);
  EXPECT_EQ(navigator.on_task, 0);
  EXPECT_EQ(navigator.target_index, kBravo);
  EXPECT_EQ(navigator.last_point_index, kLanding);
  EXPECT_EQ(navigator.task_point_number, 3);
  EXPECT_EQ(target_fields.name.view(), "Bravo Tower ");
}

TEST_F(Buttons, LeftFromTheDeclarePageKeepsTheAnswer) {
  switch_on();
  press(Button::right, 6);
  press(Button::go);
  press(Button::right, 3);
  EXPECT_EQ(first(), "Turnpoint A2");
  EXPECT_EQ(second(), "Home Field  ");
  press(Button::go);
  press(Button::down);
  EXPECT_EQ(first(), "   Task A");
  EXPECT_EQ(second(), "Declare? Yes");
  press(Button::left);
  EXPECT_EQ(navigator.page, 26);
  EXPECT_EQ(navigator.cursor, 1) << "back in selection mode";
  EXPECT_EQ(first(), "Turnpoint A2");
  EXPECT_EQ(second(), "Declare? Yes") << "until the next lookup writes the line";
  press(Button::left);
  EXPECT_EQ(first(), "Turnpoint A1");
  EXPECT_EQ(second(), "Bravo Tower ");

  // On No the way back leads to the menu entry.
  press(Button::go);
  press(Button::left);
  EXPECT_EQ(navigator.page, 26);
  EXPECT_EQ(navigator.cursor, 0);
  EXPECT_EQ(first(), "   Task     ");
  EXPECT_EQ(second(), " Selection  ");
}

TEST_F(Buttons, ATaskFlownPointByPoint) {
  set_position(51.5, 5.0);  // more than 50 km from every point
  switch_on();
  host.set_clock(2000);
  press(Button::right, 6);
  press(Button::go);
  EXPECT_EQ(first(), "Select Task ");
  EXPECT_EQ(second(), "     A");
  press(Button::go);
  press(Button::down);
  press(Button::go);
  press(Button::down);
  EXPECT_EQ(first(), "   Task A");
  EXPECT_EQ(second(), "Start? Yes");
  press(Button::go);
  EXPECT_EQ(navigator.on_task, 1);
  EXPECT_EQ(navigator.target_index, kAlpha);
  EXPECT_EQ(navigator.last_point_index, kHome);

  host.set_clock(4000);  // a navigation tick measures the distance to the point
  EXPECT_EQ(first(), "On Task TP:0");
  EXPECT_EQ(second(), "Alpha Church");

  struct Leg {
    const char* offered;
    const char* name;
    int target;
  } legs[] = {{"Task TP:  A1", "Bravo Tower ", kBravo}, {"Task TP:  A2", "Home Field  ", kHome}};
  int point = 0;
  for (const Leg& leg : legs) {
    const int previous = navigator.target_index;
    press(Button::right, 2);
    EXPECT_EQ(first(), leg.offered);
    EXPECT_EQ(second(), leg.name);
    press(Button::go);
    ++point;
    EXPECT_EQ(navigator.target_index, leg.target);
    EXPECT_EQ(navigator.last_point_index, kHome) << "the task point page keeps the last point";
    EXPECT_NE(navigator.target_index, previous);
    host.set_clock(host.clock() + 2000);
    EXPECT_EQ(first(), "On Task TP:" + std::to_string(point));
    EXPECT_EQ(second(), leg.name);
  }

  press(Button::right, 2);
  EXPECT_EQ(first(), "Task TP:  --");
  EXPECT_EQ(second(), "Task Ended");
  press(Button::go);
  EXPECT_EQ(navigator.on_task, 0);
  EXPECT_EQ(navigator.target_index, kHome);
  host.set_clock(host.clock() + 2000);
  EXPECT_EQ(first(), "Navigate to");
  EXPECT_EQ(second(), "Home Field  ");
}

}  // namespace
}  // namespace kolvex
