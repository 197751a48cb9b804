#include "Relief.h"

#include <algorithm>
#include <cmath>

namespace Art {
namespace {

Vec3 Unit(Vec3 v) {
    const double l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / l, v.y / l, v.z / l};
}

double Dot3(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

}  // namespace

HeightField::HeightField(int initialWidth, int initialHeight)
    : width(initialWidth),
      height(initialHeight),
      heights(static_cast<size_t>(initialWidth) * initialHeight, 0.0) {}

std::shared_ptr<HeightField> HeightField::FromShape(const Shape& shape, int width, int height, double depth,
                                                    const std::function<double(double)>& profile) {
    auto field = std::make_shared<HeightField>(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            field->Ref(x, y) = profile(Clamp01(-shape.Distance({x + 0.5, y + 0.5}) / depth));
    return field;
}

double HeightField::At(int x, int y) const {
    x = std::clamp(x, 0, width - 1);
    y = std::clamp(y, 0, height - 1);
    return heights[static_cast<size_t>(y) * width + x];
}

void HeightField::Blur(double radius) {
    const double sigma = radius / 2.0;
    const int reach = static_cast<int>(std::ceil(radius * 1.5));
    std::vector<double> kernel;
    double total = 0.0;
    for (int i = -reach; i <= reach; ++i) {
        kernel.push_back(Exp(-(i * i) / (2.0 * sigma * sigma)));
        total += kernel.back();
    }
    std::vector<double> temp(heights.size());
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                double sum = 0.0;
                for (int i = -reach; i <= reach; ++i)
                    sum += kernel[static_cast<size_t>(i + reach)] * (pass == 0 ? At(x + i, y) : At(x, y + i));
                temp[static_cast<size_t>(y) * width + x] = sum / total;
            }
        }
        heights.swap(temp);
    }
}

void HeightField::AddDetail(const std::function<double(Vec2)>& detail) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) Ref(x, y) += detail({x + 0.5, y + 0.5});
}

Vec3 HeightField::Normal(Vec2 p, double strength) const {
    const int x = static_cast<int>(std::floor(p.x)), y = static_cast<int>(std::floor(p.y));
    const double dx = (At(x + 1, y) - At(x - 1, y)) * 0.5 * strength;
    const double dy = (At(x, y + 1) - At(x, y - 1)) * 0.5 * strength;
    return Unit({-dx, -dy, 1.0});
}

Paint Lit(std::shared_ptr<const HeightField> field, Paint base, Lighting lighting) {
    const Vec3 light = Unit({-0.55, -0.75, 0.9});
    const Vec3 half = Unit({light.x, light.y, light.z + 1.0});
    return [=](const Sample& s) {
        const Colour c = base(s);
        const Vec3 n = field->Normal(s.p, lighting.strength);
        const double diffuse = std::max(0.0, Dot3(n, light));
        const double shine = lighting.specular * Pow(std::max(0.0, Dot3(n, half)), lighting.shininess);
        const double k = lighting.ambient + lighting.diffuse * diffuse;
        const Colour& h = lighting.highlight;
        return Colour{c.r * k + h.r * shine, c.g * k + h.g * shine, c.b * k + h.b * shine, c.a};
    };
}

double DomeProfile(double t) { return std::sqrt(1.0 - (1.0 - t) * (1.0 - t)); }

double PillowProfile(double t) { return SmoothStep(0.0, 1.0, std::sqrt(t)); }

}  // namespace Art
