#include "navigation/companion_files.h"

namespace kolvex {

// Placeholder until the companion files land.
void write_companion_files() {}

}  // namespace kolvex
