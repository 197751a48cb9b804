// The arithmetic of scrolling a control while the pointer is dragged near or beyond its
// edges, one axis at a time, once per timer tick.
//
// On each axis the pointer's distance to the nearer edge (negative beyond it) decides:
// farther than the edge zone, nothing moves. A negative speed is relative (per cent of the
// scroll range per second), zero or more absolute (scroll units per second); its whole part
// counts. With proportional scrolling the speed falls off linearly across the zone. What a
// tick moves is added to the axis's accumulator; whole units move the position, the
// fraction waits for the next tick.
#pragma once

struct AutoScrollSettings {
    int intervalMs = 100;
    int edgeZone = 20;
    double horizontalSpeed = -10.0;
    double verticalSpeed = -10.0;
    bool proportional = false;
};

// An axis's scroll state, as the platform's scroll information has it.
struct ScrollAxisState {
    int minimum = 0;
    int maximum = 0;
    int page = 0;
    int position = 0;
};

// Distance to the nearer edge of [low, high) and the direction of scrolling (-1 towards
// low, +1 towards high); the low half counts towards low.
struct EdgeDistance {
    int distance;
    int direction;
};
EdgeDistance DistanceToEdge(int cursor, int low, int high);

// The configured speed's whole part, signed by direction; relative tells whether it is per
// cent of the range (a negative configured speed).
double BaseSpeed(double configured, int direction, bool& relative);
// With proportional scrolling, speed x (zone - max(distance, 0)) / zone; else speed.
double ProportionalSpeed(double speed, int distance, const AutoScrollSettings& settings);
// Both for one axis, and 0 outside the edge zone.
double AxisSpeed(double configured, EdgeDistance edge, const AutoScrollSettings& settings, bool& relative);

// One tick: moves state.position by the whole part of accumulator + increment, keeps the
// fraction, and clamps the position to minimum .. maximum - page + 1 (maximum without a
// page). Returns true when
// the position changed.
bool AdvanceAxis(ScrollAxisState& state, double signedSpeed, bool relative, int intervalMs,
                 double& accumulator);
