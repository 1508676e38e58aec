#include "gradient.h"

namespace rt {

std::optional<std::vector<Colour>> gradient_stops(const Gradient& gradient)
{
    if (gradient.mode == 0) return std::nullopt;
    std::vector<Colour> stops;
    for (Colour colour : gradient.colours)
        if (colour != button_face) stops.push_back(colour);
    if (stops.size() < 2) return std::nullopt;
    return stops;
}

Colour gradient_colour(const std::vector<Colour>& stops, int span, int offset)
{
    const int count = static_cast<int>(stops.size());
    const int segment = span / (count - 1);
    if (segment <= 0 || offset / segment >= count - 1) return stops.back();
    const int k = offset / segment;
    const int within = offset % segment;
    Colour result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int from = static_cast<int>((stops[k] >> shift) & 0xFF);
        const int to = static_cast<int>((stops[k + 1] >> shift) & 0xFF);
        // C++ division truncates toward zero, also for a falling channel.
        const int channel = from + (to - from) * within / segment;
        result |= static_cast<Colour>(channel) << shift;
    }
    return result;
}

}  // namespace rt
