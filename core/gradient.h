// The label's gradient background: which colour each row (top to bottom) or column (left to
// right) takes. Plain arithmetic, kept apart from the drawing so it can be checked exactly.
#pragma once

#include <optional>
#include <vector>

#include "screen_definition.h"

namespace rt {

// The colours that take part, in order, with default marks left out; none when fewer than two
// remain or the mode draws no gradient.
std::optional<std::vector<Colour>> gradient_stops(const Gradient& gradient);

// The colour at offset `offset` from the start edge of a span of `span` pixels. The span is cut
// into segments of span / (n - 1) pixels (rounded toward zero); inside a segment every channel
// moves linearly, the step rounded toward zero; past the last segment the last colour holds.
Colour gradient_colour(const std::vector<Colour>& stops, int span, int offset);

}  // namespace rt
