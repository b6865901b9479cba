#include "gauge/navigator_state.h"

namespace kolvex {

NavigatorState navigator;
ReadoutTexts readouts;

}  // namespace kolvex
