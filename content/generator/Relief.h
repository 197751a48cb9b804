// Lighting of flat shapes as if they were raised: a height map taken from the
// shape's inner distance, smoothed, and lit from the upper left.
#pragma once

#include "Canvas.h"

#include <functional>
#include <memory>
#include <vector>

namespace Art {

struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

class HeightField {
public:
    HeightField(int width, int height);
    // Height = profile(t) with t = depth inside the shape / `depth`, clamped to 0..1.
    static std::shared_ptr<HeightField> FromShape(const Shape& shape, int width, int height, double depth,
                                                  const std::function<double(double)>& profile);

    double At(int x, int y) const;
    double& Ref(int x, int y) { return heights[static_cast<size_t>(y) * width + x]; }
    void Blur(double radius);
    // Adds a function of the pixel centre to every height (bumps, grain).
    void AddDetail(const std::function<double(Vec2)>& detail);
    // Surface normal at a point; `strength` scales the slopes.
    Vec3 Normal(Vec2 p, double strength) const;

private:
    int width, height;
    std::vector<double> heights;
};

struct Lighting {
    double strength = 1.0;  // slope scale of the height map
    double ambient = 0.45;
    double diffuse = 0.65;
    double specular = 0.5;
    double shininess = 24.0;
    Colour highlight = {1.0, 1.0, 1.0, 1.0};
};

// The base paint, lit by the height field.
Paint Lit(std::shared_ptr<const HeightField> field, Paint base, Lighting lighting);

// Common height profiles over t = 0 (edge) .. 1 (deep inside).
double DomeProfile(double t);    // round, like a pebble or a drop
double PillowProfile(double t);  // steep edge, flat top

}  // namespace Art
