// The one piece of state that outlives a screen: how far the learner has come.
#pragma once

#include <cstdint>

namespace rt {

// 0 fresh start, 1 image written to the stick, 8 system installed, 10 greeting finished.
// Written and read only by handlers; never reset and never kept between runs.
inline std::int32_t InstallStage = 0;

}  // namespace rt
