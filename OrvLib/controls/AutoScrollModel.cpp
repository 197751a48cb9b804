#include "OrvLib/controls/AutoScrollModel.h"

#include <algorithm>
#include <cmath>

EdgeDistance DistanceToEdge(int cursor, int low, int high) {
    if (cursor < low + (high - low) / 2) return {cursor - low, -1};
    return {high - cursor, +1};
}

double BaseSpeed(double configured, int direction, bool& relative) {
    relative = configured < 0;
    return std::trunc(std::fabs(configured)) * direction;
}

double ProportionalSpeed(double speed, int distance, const AutoScrollSettings& settings) {
    if (!settings.proportional || settings.edgeZone <= 0) return speed;
    return speed * (settings.edgeZone - std::max(distance, 0)) / settings.edgeZone;
}

double AxisSpeed(double configured, EdgeDistance edge, const AutoScrollSettings& settings, bool& relative) {
    const double speed = BaseSpeed(configured, edge.direction, relative);
    if (edge.distance > settings.edgeZone) return 0.0;
    return ProportionalSpeed(speed, edge.distance, settings);
}

bool AdvanceAxis(ScrollAxisState& state, double signedSpeed, bool relative, int intervalMs,
                 double& accumulator) {
    const double range = static_cast<double>(state.maximum) - state.minimum;
    const double increment =
        relative ? signedSpeed * range * intervalMs * 0.00001 : signedSpeed * intervalMs * 0.001;
    accumulator += increment;
    const double whole = std::trunc(accumulator);
    accumulator -= whole;
    // The last position that still shows a whole page; a bar without a page ends at maximum.
    const double highest =
        std::max<double>(state.minimum, static_cast<double>(state.maximum) - std::max(state.page - 1, 0));
    const double moved = std::clamp(state.position + whole, static_cast<double>(state.minimum), highest);
    const int position = static_cast<int>(moved);
    const bool changed = position != state.position;
    state.position = position;
    return changed;
}
