#include "product/engine/Matrix3.h"

#include <cmath>
#include <limits>
#include <utility>

#include "product/engine/PortableMath.h"

namespace {

// The degree factor of the stored pictures, pi / 180 as a double.
constexpr double kRadiansPerDegree = 0.017453292519943295;

// Gauss-Jordan on the 3 x columns augmented matrix a: pivot on the largest absolute value
// left in the column (the first such row on a tie), divide the pivot row by the pivot,
// then take f times the pivot row from every other row, f being that row's entry in the
// pivot column, over all columns.
template <int columns>
bool Eliminate(double (&a)[3][columns]) {
    for (int c = 0; c < 3; ++c) {
        int pivotRow = c;
        double best = std::fabs(a[c][c]);
        for (int r = c + 1; r < 3; ++r) {
            if (std::fabs(a[r][c]) > best) {
                best = std::fabs(a[r][c]);
                pivotRow = r;
            }
        }
        if (!(best > 0.0) || std::isinf(best)) return false;
        if (pivotRow != c) {
            for (int j = 0; j < columns; ++j) std::swap(a[c][j], a[pivotRow][j]);
        }
        const double pivot = a[c][c];
        for (int j = 0; j < columns; ++j) a[c][j] = a[c][j] / pivot;
        for (int r = 0; r < 3; ++r) {
            if (r == c) continue;
            const double f = a[r][c];
            for (int j = 0; j < columns; ++j) a[r][j] = a[r][j] - f * a[c][j];
        }
    }
    for (const auto& row : a) {
        for (double v : row) {
            if (!std::isfinite(v)) return false;
        }
    }
    return true;
}

}  // namespace

int32_t RoundToPixel(double v) {
    double r = std::floor(v + 0.5);
    if (std::isnan(r)) return 0;
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(r);
}

Matrix3 Matrix3::Identity() { return Matrix3{{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}}; }

Matrix3 Matrix3::Translation(double tx, double ty) {
    return Matrix3{{{1.0, 0.0, tx}, {0.0, 1.0, ty}, {0.0, 0.0, 1.0}}};
}

Matrix3 Matrix3::Scaling(double sx, double sy) {
    return Matrix3{{{sx, 0.0, 0.0}, {0.0, sy, 0.0}, {0.0, 0.0, 1.0}}};
}

Matrix3 Matrix3::Rotation(double degrees) {
    const double phi = degrees * kRadiansPerDegree;
    const double c = PortableMath::Cos(phi);
    const double s = PortableMath::Sin(phi);
    return Matrix3{{{c, s, 0.0}, {-s, c, 0.0}, {0.0, 0.0, 1.0}}};
}

Matrix3 Multiply(const Matrix3& a, const Matrix3& b) {
    Matrix3 c;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            c.m[i][j] = (a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j]) + a.m[i][2] * b.m[2][j];
        }
    }
    return c;
}

void Matrix3::Append(const Matrix3& x) { *this = Multiply(x, *this); }

void Matrix3::Prepend(const Matrix3& x) { *this = Multiply(*this, x); }

bool Matrix3::Invert() {
    double a[3][6];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            a[i][j] = m[i][j];
            a[i][j + 3] = i == j ? 1.0 : 0.0;
        }
    }
    if (!Eliminate(a)) return false;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) m[i][j] = a[i][j + 3];
    }
    return true;
}

Point2 Matrix3::MapPoint(double x, double y) const {
    const double w = (m[2][0] * x + m[2][1] * y) + m[2][2];
    return Point2{((m[0][0] * x + m[0][1] * y) + m[0][2]) / w, ((m[1][0] * x + m[1][1] * y) + m[1][2]) / w};
}

namespace {

OrvRect Bounds(const Point2 (&corners)[4]) {
    OrvRect r;
    for (int i = 0; i < 4; ++i) {
        int32_t x = RoundToPixel(corners[i].x);
        int32_t y = RoundToPixel(corners[i].y);
        if (i == 0 || x < r.left) r.left = x;
        if (i == 0 || x > r.right) r.right = x;
        if (i == 0 || y < r.top) r.top = y;
        if (i == 0 || y > r.bottom) r.bottom = y;
    }
    return r;
}

}  // namespace

OrvRect Matrix3::MapBox(const OrvRect& box) const {
    const Point2 corners[4] = {MapPoint(box.left, box.top), MapPoint(box.right, box.top),
                               MapPoint(box.right, box.bottom), MapPoint(box.left, box.bottom)};
    return Bounds(corners);
}

bool Matrix3::SolvePoint(double x, double y, Point2* p) const {
    double a[3][4] = {
        {m[0][0], m[0][1], m[0][2], x}, {m[1][0], m[1][1], m[1][2], y}, {m[2][0], m[2][1], m[2][2], 1.0}};
    if (!Eliminate(a)) return false;
    *p = Point2{a[0][3], a[1][3]};
    return true;
}

bool Matrix3::SolveBox(const OrvRect& box, OrvRect* out) const {
    // The four corners' systems share their left side, so one elimination serves them
    // all: the pivots depend on that side alone and every column is worked on by itself,
    // which leaves each corner exactly as SolvePoint would.
    const double xs[4] = {double(box.left), double(box.right), double(box.right), double(box.left)};
    const double ys[4] = {double(box.top), double(box.top), double(box.bottom), double(box.bottom)};
    double a[3][7];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) a[i][j] = m[i][j];
    }
    for (int k = 0; k < 4; ++k) a[0][3 + k] = xs[k], a[1][3 + k] = ys[k], a[2][3 + k] = 1.0;
    if (!Eliminate(a)) return false;
    Point2 corners[4];
    for (int k = 0; k < 4; ++k) corners[k] = Point2{a[0][3 + k], a[1][3 + k]};
    *out = Bounds(corners);
    return true;
}
