// Every committed fuzz input replayed: the seed corpus, and each input the fuzzer ever found a
// fault with (tests/faults/fuzz_findings, one file per finding, named after what it broke).
// Natively the sanitizers watch the run; everywhere the frame after it must be sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/faults/fault_fixture.h"
#include "tests/support/instrument.h"
#include "tools/fuzz/instrument_input.h"

#ifndef KOLVEX_FUZZ_SEEDS
#error "KOLVEX_FUZZ_SEEDS must name the fuzz seed corpus"
#endif
#ifndef KOLVEX_FUZZ_FINDINGS
#error "KOLVEX_FUZZ_FINDINGS must name the folder of fuzz findings"
#endif

namespace kolvex {
namespace {

std::vector<std::filesystem::path> inputs_in(const char* folder) {
  std::vector<std::filesystem::path> inputs;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
    if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
      // Made absolute while the working folder is still the one the program started in (under
      // Wine a path without a drive letter names the current drive).
      inputs.push_back(std::filesystem::absolute(entry.path()));
    }
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

std::vector<std::filesystem::path> all_inputs() {
  std::vector<std::filesystem::path> inputs = inputs_in(KOLVEX_FUZZ_SEEDS);
  for (auto& finding : inputs_in(KOLVEX_FUZZ_FINDINGS)) {
    inputs.push_back(finding);
  }
  return inputs;
}

class FuzzInput : public testing::FaultTest,
                  public ::testing::WithParamInterface<std::filesystem::path> {};

TEST_P(FuzzInput, ReplaysSoundly) {
  // The bytes are read before the fixture's folder becomes the working folder's business.
  const std::string input = testing::read_file(GetParam());
  ASSERT_NE(input, "<missing>");
  fuzz::play_input(host, input);
  host.frame();
  expect_sound_frame();
  // And the instrument still answers its buttons.
  press(host::Button::on);
  press(host::Button::on);
  tick();
  expect_sound_frame();
}

INSTANTIATE_TEST_SUITE_P(Committed, FuzzInput, ::testing::ValuesIn(all_inputs()),
                         [](const ::testing::TestParamInfo<std::filesystem::path>& param_info) {
                           std::string name = param_info.param.parent_path().filename().string() +
                                              "_" + param_info.param.filename().string();
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) {
                               c = '_';
                             }
                           }
                           return name;
                         });

}  // namespace
}  // namespace kolvex
