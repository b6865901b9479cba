#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gauge/navigator_state.h"
#include "host/panel.h"
#include "tests/support/instrument.h"

namespace kolvex {
namespace {

using testing::InstrumentTest;

TEST(Linkage, RecordsTheHostLooksFor) {
  EXPECT_EQ(Linkage.module_id, 0x13);
  ASSERT_NE(Linkage.module_init, nullptr);
  ASSERT_NE(Linkage.module_deinit, nullptr);
  Linkage.module_init();
  Linkage.module_deinit();
  EXPECT_EQ(Linkage.module_flags, 0u);
  EXPECT_EQ(Linkage.module_status, 0u);
  EXPECT_EQ(Linkage.module_version, 0u);
  ASSERT_NE(Linkage.gauge_headers[0], nullptr);
  EXPECT_EQ(Linkage.gauge_headers[1], nullptr);
  EXPECT_EQ(Linkage.gauge_headers[0]->gauge_header_version, 610);
  EXPECT_EQ(ImportTable.panels.id, 0x0F);
  EXPECT_EQ(ImportTable.end.id, 0);
  EXPECT_EQ(ImportTable.end.services, nullptr);
}

class HostRoutines : public InstrumentTest {};

TEST_F(HostRoutines, InitializeRegistersTheVariablesInOrderThenTheElements) {
  host.clear_calls();
  host.initialize();
  const std::vector<std::string> expected = {
      "initialize_var 61",  "initialize_var 73",  "initialize_var 65",
      "initialize_var 71",  "initialize_var 72",  "initialize_var 343",
      "initialize_var 344", "initialize_var 335", "element_list_initialize",
  };
  EXPECT_EQ(host.calls(), expected);
}

TEST_F(HostRoutines, EachRoutineCallsItsServices) {
  struct Case {
    void (*run)(host::PanelHost&);
    std::vector<std::string> calls;
  } cases[] = {
      {[](host::PanelHost& h) { h.query(); }, {"element_list_query"}},
      {[](host::PanelHost& h) { h.install(7); },
       {"element_list_install 7", "mouse_list_install 0x0", "mouse_list_register"}},
      {[](host::PanelHost& h) { h.update(); }, {"element_list_update"}},
      {[](host::PanelHost& h) { h.generate(9); }, {"element_list_generate 9"}},
      {[](host::PanelHost& h) { h.draw(); }, {"element_list_plot"}},
      {[](host::PanelHost& h) { h.kill(); }, {"mouse_list_unregister", "element_list_kill"}},
  };
  for (const Case& c : cases) {
    host.clear_calls();
    c.run(host);
    EXPECT_EQ(host.calls(), c.calls);
  }
}

TEST_F(HostRoutines, StringElementsGetZeroFilledBuffersOfTheirLengthPlusOne) {
  for (ELEMENT_HEADER* element : host.elements()) {
    if (element->element_type == ELEMENT_TYPE_STRING) {
      const auto* string = reinterpret_cast<ELEMENT_STRING*>(element);
      ASSERT_NE(string->string, nullptr);
      EXPECT_EQ(string->string[0], '\0');
    }
  }
}

}  // namespace
}  // namespace kolvex
