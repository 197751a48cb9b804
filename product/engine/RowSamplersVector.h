// The body of the vector row samplers, four destination pixels at a time. Sample points
// still advance by the same additions as in the reference; integer results that the
// reference gets by truncating division come from single or double precision divisions
// whose operands are small enough for the truncated quotient to be exact.
//
// Each source that includes this compiles it for one instruction set, inside an unnamed
// namespace with RowSamplerParts.h, so that no function of one set can stand in for the
// other's at link time. For the same reason it calls no inline library function.
// Deliberately without an include guard.

using namespace RowSamplerParts;

// The inner loops are one function each: left to itself the compiler calls the larger
// pieces out of line, which costs a tenth of the time.
#if !defined(VARNEL_INLINE)
#if defined(__GNUC__)
#define VARNEL_INLINE inline __attribute__((always_inline))
#define VARNEL_LAMBDA_INLINE __attribute__((always_inline))
#else
#define VARNEL_INLINE inline
#define VARNEL_LAMBDA_INLINE
#endif
#endif

template <typename T>
inline T Least(T a, T b) {
    return b < a ? b : a;
}
template <typename T>
inline T Most(T a, T b) {
    return a < b ? b : a;
}

constexpr int32_t kLargest16 = 32767;

// Pixel coordinates and row bytes enter 16-bit products when offsets are formed.
bool FitsOffsets(const SamplerObject& o) {
    return o.width <= kLargest16 && o.height <= kLargest16 && o.rowBytes >= -kLargest16 &&
           o.rowBytes <= kLargest16;
}

inline uint32_t Load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Finds the object pixels under four sample points, each an (x, y) pair.
class Locator {
public:
    // Offsets count from the object's lowest address (its last row when it is stored
    // bottom up), so that none is negative.
    Locator(const SamplerObject& o, int16_t bytes)
        : base(o.rowBytes < 0 ? o.pixels + ptrdiff_t(o.height - 1) * o.rowBytes : o.pixels),
          half(_mm_set1_pd(0.5)),
          zero(_mm_setzero_pd()),
          size(_mm_set_pd(o.height, o.width)),
          scale(_mm_set_epi16(int16_t(o.rowBytes), bytes, int16_t(o.rowBytes), bytes, int16_t(o.rowBytes),
                              bytes, int16_t(o.rowBytes), bytes)),
          bias(_mm_set1_epi32(o.rowBytes < 0 ? -(o.height - 1) * o.rowBytes : 0)) {}

    const uint8_t* const base;

    // Byte offsets from base, 0 for a point that misses; hits holds a lane of
    // ones for each point that hits. Inside: every point is known to hit.
    __m128d Size() const { return size; }

    // Offsets from four (x, y) pairs of 16-bit pixel coordinates.
    VARNEL_INLINE void Offsets(__m128i xy, __m128i* offsets) const {
        *offsets = _mm_add_epi32(_mm_madd_epi16(xy, scale), bias);
    }

    template <bool Inside>
    VARNEL_INLINE void Locate(const __m128d p[4], __m128i* offsets, __m128i* hits) const {
        if (Inside) {
            __m128i at[4];
            for (int k = 0; k < 4; ++k) at[k] = _mm_cvttpd_epi32(_mm_add_pd(p[k], half));
            Offsets(_mm_packs_epi32(_mm_unpacklo_epi64(at[0], at[1]), _mm_unpacklo_epi64(at[2], at[3])),
                    offsets);
            *hits = _mm_set1_epi32(-1);
            return;
        }
        __m128d ok[4];
        __m128i at[4];
        for (int k = 0; k < 4; ++k) {
            const __m128d t = _mm_add_pd(p[k], half);
            ok[k] = _mm_and_pd(_mm_cmpge_pd(t, zero), _mm_cmplt_pd(t, size));
            at[k] = _mm_cvttpd_epi32(t);  // a miss may convert to anything: it is masked below
        }
        const __m128i xy =
            _mm_packs_epi32(_mm_unpacklo_epi64(at[0], at[1]), _mm_unpacklo_epi64(at[2], at[3]));
        const __m128 ok01 =
            _mm_shuffle_ps(_mm_castpd_ps(ok[0]), _mm_castpd_ps(ok[1]), _MM_SHUFFLE(2, 0, 2, 0));
        const __m128 ok23 =
            _mm_shuffle_ps(_mm_castpd_ps(ok[2]), _mm_castpd_ps(ok[3]), _MM_SHUFFLE(2, 0, 2, 0));
        *hits = _mm_castps_si128(_mm_and_ps(_mm_shuffle_ps(ok01, ok23, _MM_SHUFFLE(2, 0, 2, 0)),
                                            _mm_shuffle_ps(ok01, ok23, _MM_SHUFFLE(3, 1, 3, 1))));
        *offsets = _mm_and_si128(_mm_add_epi32(_mm_madd_epi16(xy, scale), bias), *hits);
    }

private:
    __m128d half, zero, size;
    __m128i scale, bias;
};

// Pixels [first, end) of a row outside of which no sample point can hit the object, and
// within them [innerFirst, innerEnd) where every point surely hits.
struct Span {
    int32_t first, end;
    int32_t innerFirst, innerEnd;
};

inline __m128d Select(__m128d mask, __m128d a, __m128d b) {
    return _mm_or_pd(_mm_and_pd(mask, a), _mm_andnot_pd(mask, b));
}

inline __m128d Abs(__m128d v) { return _mm_andnot_pd(_mm_set1_pd(-0.0), v); }

// floor of each lane held to +-2^30 (only the range around a row matters), without a
// branch: which way a row's bound rounds is anybody's guess.
inline __m128d FloorPair(__m128d v) {
    v = _mm_min_pd(_mm_max_pd(v, _mm_set1_pd(-0x1p30)), _mm_set1_pd(0x1p30));
#if defined(__SSE4_1__)
    return _mm_floor_pd(v);
#else
    const __m128d t = _mm_cvtepi32_pd(_mm_cvttpd_epi32(v));
    return _mm_sub_pd(t, _mm_and_pd(_mm_cmpgt_pd(t, v), _mm_set1_pd(1.0)));
#endif
}

// Found from the straight lines the points run along, all of them between the lowest
// and the highest start on each axis. The points themselves come from repeated
// additions, which stray from those lines by less than margin (which also covers the
// rounding of the bounds). What remains is a few roundings of each quotient, relative to
// it: with quotients held to +-2^30 that is below 2^-20 pixels, so the bounds move by
// kRounding before they are rounded to whole pixels. Both axes at once, x in the low
// lane.
//
// Everything but the row's start is found once for all rows of a call: the margin from
// the largest coordinate any row can reach, and, since rounding keeps order, the lowest
// and highest point of a row from its start and the lowest and highest offset.
class SpanFinder {
public:
    template <bool Quad>
    SpanFinder(const SamplerCopy& c, const SamplerObject& o, const SamplerRow& rows,
               const Points<Quad>& offsets)
        : n(rows.count),
          nothing(_mm_set1_pd(n + 1.0)),
          lowOffset(_mm_set_pd(offsets.y[0], offsets.x[0])),
          highOffset(lowOffset) {
        for (int k = 1; k < Points<Quad>::kCount; ++k) {
            const __m128d v = _mm_set_pd(offsets.y[k], offsets.x[k]);
            lowOffset = _mm_min_pd(v, lowOffset), highOffset = _mm_max_pd(v, highOffset);
        }
        const __m128d step = _mm_set_pd(c.uy, c.ux), size = _mm_set_pd(o.height, o.width);
        inverse = _mm_div_pd(_mm_set1_pd(1.0), step);  // unused for a step of 0
        const __m128d one = _mm_set1_pd(1.0), zero = _mm_setzero_pd(), half = _mm_set1_pd(0.5);
        // Every row start lies within rows steps down of the first, give or take the
        // roundings of the additions; the points within extent of a start.
        const __m128d starts = _mm_add_pd(Abs(_mm_set_pd(rows.y, rows.x)),
                                          _mm_mul_pd(_mm_set1_pd(rows.rows), Abs(_mm_set_pd(c.vy, c.vx))));
        const __m128d offset = _mm_max_pd(Abs(lowOffset), Abs(highOffset));
        const __m128d extent = _mm_add_pd(_mm_add_pd(_mm_mul_pd(_mm_set1_pd(n), Abs(step)), size), one);
        const __m128d reach =
            _mm_add_pd(_mm_mul_pd(_mm_add_pd(starts, offset), _mm_set1_pd(1.0 + 0x1p-30)), extent);
        const __m128d margin =
            _mm_add_pd(_mm_mul_pd(_mm_mul_pd(nothing, reach), _mm_set1_pd(0x1p-50)), _mm_set1_pd(0x1p-20));
        const __m128d edge = _mm_sub_pd(size, half);
        lo = _mm_sub_pd(_mm_sub_pd(zero, half), margin);  // some point may hit
        hi = _mm_add_pd(edge, margin);
        loIn = _mm_add_pd(_mm_sub_pd(zero, half), margin);  // every point hits
        hiIn = _mm_sub_pd(edge, margin);
        // A moving axis enters at (lo - most) / u and leaves at (hi - least) / u going
        // forward, the other way round going back; every point hits from (loIn - least)
        // / u to (hiIn - most) / u, or the other way round.
        forward = _mm_cmpgt_pd(step, zero);
        still = _mm_cmpeq_pd(step, zero);
        anyStill = _mm_movemask_pd(still) != 0;
        enterBound = Select(forward, lo, hi), leaveBound = Select(forward, hi, lo);
        allFromBound = Select(forward, loIn, hiIn), allToBound = Select(forward, hiIn, loIn);
    }

    // The span of the row whose points start at row (x, y) plus the offsets.
    VARNEL_INLINE Span operator()(__m128d row) const {
        const __m128d least = _mm_add_pd(row, lowOffset), most = _mm_add_pd(row, highOffset);
        const __m128d ahead = Select(forward, most, least), behind = Select(forward, least, most);
        __m128d anyLow = _mm_mul_pd(_mm_sub_pd(enterBound, ahead), inverse);
        __m128d anyHigh = _mm_mul_pd(_mm_sub_pd(leaveBound, behind), inverse);
        __m128d allLow = _mm_mul_pd(_mm_sub_pd(allFromBound, behind), inverse);
        __m128d allHigh = _mm_mul_pd(_mm_sub_pd(allToBound, ahead), inverse);
        if (anyStill) {
            // A still axis: everything or nothing.
            const __m128d everything = _mm_set1_pd(-1.0);
            const __m128d any = _mm_and_pd(_mm_cmple_pd(least, hi), _mm_cmpge_pd(most, lo));
            const __m128d all = _mm_and_pd(_mm_cmpge_pd(least, loIn), _mm_cmple_pd(most, hiIn));
            anyLow = Select(still, Select(any, everything, nothing), anyLow);
            anyHigh = Select(still, Select(any, nothing, everything), anyHigh);
            allLow = Select(still, Select(all, everything, nothing), allLow);
            allHigh = Select(still, Select(all, nothing, everything), allHigh);
        }
        // Some point may hit only where first <= i < end, every point hits where
        // inFirst <= i <= inEnd; whatever is not finite (NaN included) gives no shortcut.
        const __m128d largest = _mm_set1_pd(0x1.fffffffffffffp1023);
        const __m128d finite =
            _mm_and_pd(_mm_and_pd(_mm_cmple_pd(Abs(anyLow), largest), _mm_cmple_pd(Abs(anyHigh), largest)),
                       _mm_and_pd(_mm_cmple_pd(Abs(allLow), largest), _mm_cmple_pd(Abs(allHigh), largest)));
        if (_mm_movemask_pd(finite) != 3) return Span{0, n, n, n};
        // (first, inFirst) and (end, inEnd), each the tighter of the two axes.
        const __m128d lows = _mm_max_pd(_mm_unpacklo_pd(anyLow, allLow), _mm_unpackhi_pd(anyLow, allLow));
        const __m128d highs =
            _mm_min_pd(_mm_unpacklo_pd(anyHigh, allHigh), _mm_unpackhi_pd(anyHigh, allHigh));
        if (_mm_comigt_sd(lows, highs)) return Span{0, 0, 0, 0};
        // ceil(first + r), ceil(inFirst + r) as -floor(-v); ceil(end + r), floor(inEnd - r) + 1.
        const __m128d from =
            FloorPair(_mm_sub_pd(_mm_sub_pd(_mm_setzero_pd(), lows), _mm_set_pd(kRounding, -kRounding)));
        const __m128d to = FloorPair(
            _mm_xor_pd(_mm_add_pd(highs, _mm_set_pd(-kRounding, kRounding)), _mm_set_pd(0.0, -0.0)));
        alignas(16) int32_t v[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(v),
                        _mm_unpacklo_epi64(_mm_cvttpd_epi32(from), _mm_cvttpd_epi32(to)));
        const int32_t first = Most(-v[0], 0), end = Least(-v[2], n);
        if (first >= end) return Span{0, 0, 0, 0};
        const int32_t inFirst = Most(-v[1], first), inEnd = Least(v[3] + 1, end);
        return inFirst < inEnd ? Span{first, end, inFirst, inEnd} : Span{first, end, end, end};
    }

private:
    static constexpr double kRounding = 0x1p-12;

    int32_t n;
    __m128d nothing, inverse, lowOffset, highOffset;
    __m128d lo, hi, loIn, hiIn, forward, still;
    bool anyStill;
    __m128d enterBound, leaveBound, allFromBound, allToBound;
};

// The sample points of a row as (x, y) pairs, advanced one pixel at a time.
template <bool Quad>
struct PointPairs {
    static constexpr int kCount = Points<Quad>::kCount;
    __m128d p[kCount];
    __m128d u;

    explicit PointPairs(const Points<Quad>& start) : u(_mm_set_pd(start.uy, start.ux)) {
        for (int k = 0; k < kCount; ++k) p[k] = _mm_set_pd(start.y[k], start.x[k]);
    }
    // The points of the row that starts at row (x, y), these points being the offsets
    // from a row's start: the same sums as Points makes.
    VARNEL_INLINE PointPairs At(__m128d row) const {
        PointPairs moved = *this;
        for (int k = 0; k < kCount; ++k) moved.p[k] = _mm_add_pd(row, p[k]);
        return moved;
    }
    VARNEL_INLINE void Advance() {
        for (int k = 0; k < kCount; ++k) p[k] = _mm_add_pd(p[k], u);
    }
    // steps advances at once: the same only where every addition is exact (WholeSteps).
    VARNEL_INLINE void AdvanceBy(int32_t steps) {
        const __m128d by = _mm_mul_pd(_mm_set1_pd(steps), u);
        for (int k = 0; k < kCount; ++k) p[k] = _mm_add_pd(p[k], by);
    }
    // Byte offsets of the four points (see Locator::Locate).
    template <bool Inside>
    VARNEL_INLINE void Locate(const Locator& at, __m128i* offsets, __m128i* hits) const {
        at.Locate<Inside>(p, offsets, hits);
    }
};

#if defined(__AVX__)
// With AVX the four points of a pixel take two registers: half the additions and
// conversions, each still one rounding of the same double sum.
template <>
struct PointPairs<true> {
    __m256d p01, p23;  // (x, y) of points 0 and 1, of points 2 and 3
    __m256d u;

    explicit PointPairs(const Points<true>& s)
        : p01(_mm256_set_pd(s.y[1], s.x[1], s.y[0], s.x[0])),
          p23(_mm256_set_pd(s.y[3], s.x[3], s.y[2], s.x[2])),
          u(_mm256_set_pd(s.uy, s.ux, s.uy, s.ux)) {}
    VARNEL_INLINE PointPairs At(__m128d row) const {
        const __m256d both = _mm256_insertf128_pd(_mm256_castpd128_pd256(row), row, 1);
        PointPairs moved = *this;
        moved.p01 = _mm256_add_pd(both, p01);
        moved.p23 = _mm256_add_pd(both, p23);
        return moved;
    }
    VARNEL_INLINE void Advance() {
        p01 = _mm256_add_pd(p01, u);
        p23 = _mm256_add_pd(p23, u);
    }
    VARNEL_INLINE void AdvanceBy(int32_t steps) {
        const __m256d by = _mm256_mul_pd(_mm256_set1_pd(steps), u);
        p01 = _mm256_add_pd(p01, by);
        p23 = _mm256_add_pd(p23, by);
    }
    template <bool Inside>
    VARNEL_INLINE void Locate(const Locator& at, __m128i* offsets, __m128i* hits) const {
        if (Inside) {
            const __m256d half = _mm256_set1_pd(0.5);
            at.Offsets(_mm_packs_epi32(_mm256_cvttpd_epi32(_mm256_add_pd(p01, half)),
                                       _mm256_cvttpd_epi32(_mm256_add_pd(p23, half))),
                       offsets);
            *hits = _mm_set1_epi32(-1);
            return;
        }
        const __m256d half = _mm256_set1_pd(0.5), zero = _mm256_setzero_pd();
        const __m256d size = _mm256_insertf128_pd(_mm256_castpd128_pd256(at.Size()), at.Size(), 1);
        const __m256d t01 = _mm256_add_pd(p01, half), t23 = _mm256_add_pd(p23, half);
        const auto inside = [&](__m256d t) {
            return _mm256_castpd_ps(
                _mm256_and_pd(_mm256_cmp_pd(t, zero, _CMP_GE_OQ), _mm256_cmp_pd(t, size, _CMP_LT_OQ)));
        };
        // (x, y) tests of the points as 32-bit lanes, then x and y of each point together.
        const __m256 ok01 = inside(t01), ok23 = inside(t23);
        const __m128 lo = _mm_shuffle_ps(_mm256_castps256_ps128(ok01), _mm256_extractf128_ps(ok01, 1),
                                         _MM_SHUFFLE(2, 0, 2, 0));
        const __m128 hi = _mm_shuffle_ps(_mm256_castps256_ps128(ok23), _mm256_extractf128_ps(ok23, 1),
                                         _MM_SHUFFLE(2, 0, 2, 0));
        *hits = _mm_castps_si128(_mm_and_ps(_mm_shuffle_ps(lo, hi, _MM_SHUFFLE(2, 0, 2, 0)),
                                            _mm_shuffle_ps(lo, hi, _MM_SHUFFLE(3, 1, 3, 1))));
        at.Offsets(_mm_packs_epi32(_mm256_cvttpd_epi32(t01), _mm256_cvttpd_epi32(t23)), offsets);
        *offsets = _mm_and_si128(*offsets, *hits);
    }
};
#endif

// The next up to four pixels' samples: point k of pixel j in lane j of samples[k] (one
// point in the nearest sampler), 0 where a point misses. With one byte a pixel only
// the low byte is the sample. False, with nothing gathered, when every point misses.
template <bool Quad, int ObjectBytes, bool Inside>
VARNEL_INLINE bool Gather(const Locator& at, PointPairs<Quad>& points, int32_t n, __m128i samples[4],
                          __m128i hits[4]) {
    const auto one = [&](uint32_t offset) {
        return ObjectBytes == 4 ? _mm_loadu_si32(at.base + offset) : _mm_cvtsi32_si128(at.base[offset]);
    };
    const auto four = [&](uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
#if defined(__SSE4_1__)
        const auto value = [&](uint32_t offset) {
            return ObjectBytes == 4 ? int32_t(Load32(at.base + offset)) : int32_t(at.base[offset]);
        };
        return _mm_insert_epi32(_mm_insert_epi32(_mm_insert_epi32(one(a), value(b), 1), value(c), 2),
                                value(d), 3);
#else
        return _mm_unpacklo_epi64(_mm_unpacklo_epi32(one(a), one(b)), _mm_unpacklo_epi32(one(c), one(d)));
#endif
    };
    if constexpr (Quad && Inside) {
        // Offsets stored pixel by pixel and read back point by point: the samples arrive
        // with pixels in lanes, with no transposition.
        alignas(16) uint32_t located[4][4];
        const auto locate = [&](int32_t j) {
            __m128i offset;
            points.template Locate<true>(at, &offset, &hits[j]);
            _mm_store_si128(reinterpret_cast<__m128i*>(located[j]), offset);
            points.Advance();
        };
        if (n == 4) {
            for (int32_t j = 0; j < 4; ++j) locate(j);
        } else {
            for (int32_t j = 0; j < 4; ++j) {
                if (j < n) {
                    locate(j);
                } else {
                    hits[j] = _mm_setzero_si128();
                    _mm_store_si128(reinterpret_cast<__m128i*>(located[j]), _mm_setzero_si128());
                }
            }
        }
        for (int k = 0; k < 4; ++k)
            samples[k] = four(located[0][k], located[1][k], located[2][k], located[3][k]);
        if (n < 4) {
            const __m128i present = _mm_cmpgt_epi32(_mm_set1_epi32(n), _mm_set_epi32(3, 2, 1, 0));
            for (int k = 0; k < 4; ++k) samples[k] = _mm_and_si128(samples[k], present);
        }
    } else if constexpr (Quad) {
        alignas(16) uint32_t located[4][4];
        __m128i any = _mm_setzero_si128();
        for (int32_t j = 0; j < 4; ++j) {
            if (j >= n) {
                hits[j] = _mm_setzero_si128();
                continue;
            }
            __m128i offset;
            points.template Locate<Inside>(at, &offset, &hits[j]);
            any = _mm_or_si128(any, hits[j]);
            _mm_store_si128(reinterpret_cast<__m128i*>(located[j]), offset);
            points.Advance();
        }
        if (!Inside && _mm_movemask_epi8(any) == 0) return false;
        __m128 r[4];
        for (int32_t j = 0; j < 4; ++j) {
            const uint32_t* l = located[j];
            if (j >= n) {
                r[j] = _mm_setzero_ps();
                continue;
            }
            r[j] = _mm_castsi128_ps(_mm_and_si128(four(l[0], l[1], l[2], l[3]), hits[j]));
        }
        // Pixels to lanes: pixel j's points become lane j of each point's register.
        _MM_TRANSPOSE4_PS(r[0], r[1], r[2], r[3]);
        for (int k = 0; k < 4; ++k) samples[k] = _mm_castps_si128(r[k]);
    } else {
        __m128d p[4];
        for (int32_t j = 0; j < 4; ++j) {
            p[j] = points.p[0];
            if (j < n) points.Advance();
        }
        __m128i offset;
        at.Locate<Inside>(p, &offset, &hits[0]);
        if (n < 4) {
            // Lanes past the run repeat its next point, which may lie off the object.
            const __m128i present = _mm_cmpgt_epi32(_mm_set1_epi32(n), _mm_set_epi32(3, 2, 1, 0));
            hits[0] = _mm_and_si128(hits[0], present);
            offset = _mm_and_si128(offset, present);
        }
        if (!Inside && _mm_movemask_epi8(hits[0]) == 0) return false;
        alignas(16) uint32_t l[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(l), offset);
        samples[0] = _mm_and_si128(four(l[0], l[1], l[2], l[3]), hits[0]);
    }
    return true;
}

// Whether every point steps by exactly one object pixel along the object's rows each
// destination pixel, by exact additions, the same on every row: then a point's pixel
// moves one to the right a step. That holds when the step is (1, 0), no row moves
// sideways, and each point's x is a multiple of the spacing of doubles at the largest
// value its chain reaches (a row's length and half a pixel beyond its x): every sum is
// then a double itself.
template <bool Quad>
bool WholeSteps(const SamplerRow& rows, const SamplerCopy& c, const Points<Quad>& offsets) {
    if (!(c.ux == 1.0 && c.uy == 0.0 && c.vx == 0.0)) return false;
    for (int k = 0; k < Points<Quad>::kCount; ++k) {
        const double x = rows.x + offsets.x[k];
        const double most = std::fabs(x) + rows.count + 1.0;
        if (!(most < 0x1p40)) return false;  // NaN too
        uint64_t bits;
        std::memcpy(&bits, &most, sizeof bits);
        bits = ((bits >> 52) - 52) << 52;  // most >= 1: a normal power of two results
        double spacing;
        std::memcpy(&spacing, &bits, sizeof spacing);
        const double steps = x / spacing;  // exact, and below 2^53 in magnitude
        if (double(int64_t(steps)) != steps) return false;
    }
    return true;
}

// The points of a run of whole steps (see WholeSteps) where every point hits: byte offsets
// of the next pixel's points, four pixels' samples of a point being the bytes that follow.
template <bool Quad>
struct RunPoints {
    static constexpr int kCount = Points<Quad>::kCount;
    uint32_t offsets[kCount];

    RunPoints(const Locator& at, const PointPairs<Quad>& points) {
        __m128i located, hits;
        if constexpr (Quad) {
            points.template Locate<true>(at, &located, &hits);
        } else {
            const __m128d p[4] = {points.p[0], points.p[0], points.p[0], points.p[0]};
            at.Locate<true>(p, &located, &hits);
        }
        alignas(16) uint32_t all[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(all), located);
        for (int k = 0; k < kCount; ++k) offsets[k] = all[k];
    }
};

// Gather along a run of whole steps: the same samples and hits, from plain loads.
template <bool Quad, int ObjectBytes, bool Inside>
VARNEL_INLINE bool Gather(const Locator& at, RunPoints<Quad>& run, int32_t n, __m128i samples[4],
                          __m128i hits[4]) {
    static_assert(Inside, "a run lies where every point hits");
    const __m128i present = _mm_cmpgt_epi32(_mm_set1_epi32(n), _mm_set_epi32(3, 2, 1, 0));
    for (int k = 0; k < RunPoints<Quad>::kCount; ++k) {
        const uint8_t* s = at.base + run.offsets[k];
        if (n == 4 && ObjectBytes == 4) {
            samples[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        } else {
            alignas(16) int32_t v[4] = {0, 0, 0, 0};
            for (int32_t j = 0; j < n; ++j)
                v[j] = ObjectBytes == 4 ? int32_t(Load32(s + j * 4)) : int32_t(s[j]);
            samples[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(v));
        }
        run.offsets[k] += uint32_t(ObjectBytes * n);
    }
    if (Quad) {
        for (int32_t j = 0; j < 4; ++j) hits[j] = j < n ? _mm_set1_epi32(-1) : _mm_setzero_si128();
    } else {
        hits[0] = present;
    }
    return true;
}

// Truncated a / b for 0 <= a < 2^24 whose quotient times b stays below 2^24.
inline __m128i Quotient(__m128i a, __m128 b) { return _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(a), b)); }

// Truncated a / 255 for 0 <= a < 65536.
inline __m128i Div255(__m128i a) { return _mm_srli_epi32(_mm_mulhi_epu16(a, _mm_set1_epi32(0x8081)), 7); }

// The same in each 16-bit lane.
inline __m128i Div255Words(__m128i a) {
    return _mm_srli_epi16(_mm_mulhi_epu16(a, _mm_set1_epi16(int16_t(0x8081))), 7);
}

// The mean of four samples of four bytes each, channel by channel, truncated.
VARNEL_INLINE __m128i MeanOfFour(const __m128i s[4]) {
#if defined(__AVX2__)
    __m256i sum = _mm256_cvtepu8_epi16(s[0]);
    for (int k = 1; k < 4; ++k) sum = _mm256_add_epi16(sum, _mm256_cvtepu8_epi16(s[k]));
    sum = _mm256_srli_epi16(sum, 2);
    return _mm_packus_epi16(_mm256_castsi256_si128(sum), _mm256_extracti128_si256(sum, 1));
#else
    const __m128i zero = _mm_setzero_si128();
    __m128i low = _mm_unpacklo_epi8(s[0], zero), high = _mm_unpackhi_epi8(s[0], zero);
    for (int k = 1; k < 4; ++k) {
        low = _mm_add_epi16(low, _mm_unpacklo_epi8(s[k], zero));
        high = _mm_add_epi16(high, _mm_unpackhi_epi8(s[k], zero));
    }
    return _mm_packus_epi16(_mm_srli_epi16(low, 2), _mm_srli_epi16(high, 2));
#endif
}

// Four pixels of four bytes, the fourth dropped, as twelve bytes of three (the last four
// bytes zero).
VARNEL_INLINE __m128i PackThree(__m128i v) {
#if defined(__SSSE3__)
    return _mm_shuffle_epi8(v, _mm_set_epi8(-1, -1, -1, -1, 14, 13, 12, 10, 9, 8, 6, 5, 4, 2, 1, 0));
#else
    const __m128i low = _mm_set_epi32(0, 0xffffff, 0, 0xffffff),
                  high = _mm_set_epi32(0xffff, 0xff000000, 0xffff, 0xff000000);
    const __m128i pairs = _mm_or_si128(_mm_and_si128(v, low), _mm_and_si128(_mm_srli_epi64(v, 8), high));
    return _mm_or_si128(_mm_move_epi64(pairs), _mm_slli_si128(_mm_srli_si128(pairs, 8), 6));
#endif
}

// The n <= 4 pixels of three bytes at d; a row's last pixels through a scratch copy.
VARNEL_INLINE __m128i LoadThree(const uint8_t* d, int32_t n) {
    if (n == 4)
        return _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(d)),
                                  _mm_cvtsi32_si128(int32_t(Load32(d + 8))));
    alignas(16) uint8_t b[16] = {};
    std::memcpy(b, d, size_t(n) * 3);
    return _mm_load_si128(reinterpret_cast<const __m128i*>(b));
}

inline void StoreThree(uint8_t* d, int32_t n, __m128i v) {
    alignas(16) uint8_t b[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(b), v);
    std::memcpy(d, b, size_t(n) * 3);
}

// The colour blend of up to n <= 4 pixels of three bytes, each by its own m (0 leaves a
// pixel alone, 255 gives the colour itself), computed byte by byte in 16-bit lanes:
// d x (255 - m) + c x m stays below 65536. colour holds a pixel's channels in its low three
// bytes.
//
// Weights holds m and 255 - m for each of the twelve bytes as 16-bit lanes: worked out
// once a copy when every pixel of it shares its m.
#if defined(__AVX2__)
// With AVX2 all twelve bytes widen into one register.
struct Weights {
    __m256i weight, rest;

    explicit Weights(__m128i m)
        : weight(_mm256_cvtepu8_epi16(
              PackThree(_mm_or_si128(_mm_or_si128(m, _mm_slli_epi32(m, 8)), _mm_slli_epi32(m, 16))))),
          rest(_mm256_sub_epi16(_mm256_set1_epi16(255), weight)) {}

    VARNEL_INLINE __m128i Mix(__m128i dest, __m128i c) const {
        const __m256i sum = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_cvtepu8_epi16(dest), rest),
                                             _mm256_mullo_epi16(_mm256_cvtepu8_epi16(c), weight));
        const __m256i mixed =
            _mm256_srli_epi16(_mm256_mulhi_epu16(sum, _mm256_set1_epi16(int16_t(0x8081))), 7);
        return _mm_packus_epi16(_mm256_castsi256_si128(mixed), _mm256_extracti128_si256(mixed, 1));
    }
};
#else
struct Weights {
    __m128i low, high, restLow, restHigh;

    explicit Weights(__m128i m) {
        const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi16(255);
        const __m128i w =
            PackThree(_mm_or_si128(_mm_or_si128(m, _mm_slli_epi32(m, 8)), _mm_slli_epi32(m, 16)));
        low = _mm_unpacklo_epi8(w, zero), high = _mm_unpackhi_epi8(w, zero);
        restLow = _mm_sub_epi16(full, low), restHigh = _mm_sub_epi16(full, high);
    }

    // The twelve blended bytes of dest and c.
    VARNEL_INLINE __m128i Mix(__m128i dest, __m128i c) const {
        const __m128i zero = _mm_setzero_si128();
        const auto mix = [](__m128i dd, __m128i cc, __m128i ww, __m128i r) {
            return Div255Words(_mm_add_epi16(_mm_mullo_epi16(dd, r), _mm_mullo_epi16(cc, ww)));
        };
        return _mm_packus_epi16(
            mix(_mm_unpacklo_epi8(dest, zero), _mm_unpacklo_epi8(c, zero), low, restLow),
            mix(_mm_unpackhi_epi8(dest, zero), _mm_unpackhi_epi8(c, zero), high, restHigh));
    }
};
#endif

VARNEL_INLINE void BlendThree(uint8_t* d, int32_t n, const Weights& w, __m128i colour) {
    const __m128i out = w.Mix(LoadThree(d, n), PackThree(colour));
    if (n == 4) {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(d), out);
        const uint32_t last = uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(out, 8)));
        std::memcpy(d + 8, &last, sizeof last);
    } else {
        StoreThree(d, n, out);
    }
}

// The colour blend of up to n <= 4 pixels of four bytes, each by its own m (0 leaves a
// pixel alone). The same integers as the one-pixel blend: every product fits 16 bits
// or is exact in single precision, as is each truncated quotient.
inline void BlendFour(uint8_t* d, int32_t n, __m128i m, const __m128i colour[3]) {
    int32_t v[4][4] = {};  // [channel][pixel]
    for (int32_t j = 0; j < n; ++j)
        for (int ch = 0; ch < 4; ++ch) v[ch][j] = d[j * 4 + ch];
    __m128i dest[4];
    for (int ch = 0; ch < 4; ++ch) dest[ch] = _mm_set_epi32(v[ch][3], v[ch][2], v[ch][1], v[ch][0]);
    const __m128i full = _mm_set1_epi32(255);
    const __m128i rest = _mm_sub_epi32(full, m);
    __m128i out[4];
    {
        const __m128i o = dest[3];
        const __m128i covered = _mm_sub_epi32(_mm_add_epi32(o, m), Div255(_mm_mullo_epi16(m, o)));
        const __m128 t = _mm_cvtepi32_ps(_mm_mullo_epi16(rest, o));
        // Lanes with m = 0 keep their pixel; dividing them by 1 keeps the division quiet.
        const __m128i drawn = _mm_cmpgt_epi32(m, _mm_setzero_si128());
        const __m128 divisor = _mm_cvtepi32_ps(
            _mm_or_si128(_mm_and_si128(covered, drawn), _mm_andnot_si128(drawn, _mm_set1_epi32(1))));
        for (int ch = 0; ch < 3; ++ch) {
            const __m128i kept =
                _mm_cvttps_epi32(_mm_div_ps(_mm_mul_ps(t, _mm_cvtepi32_ps(dest[ch])), _mm_set1_ps(255.0f)));
            const __m128i value = Quotient(_mm_add_epi32(_mm_mullo_epi16(m, colour[ch]), kept), divisor);
            out[ch] = _mm_or_si128(_mm_and_si128(drawn, value), _mm_andnot_si128(drawn, dest[ch]));
        }
        out[3] = _mm_or_si128(_mm_and_si128(drawn, covered), _mm_andnot_si128(drawn, o));
    }
    alignas(16) int32_t w[4][4];
    for (int ch = 0; ch < 4; ++ch) _mm_store_si128(reinterpret_cast<__m128i*>(w[ch]), out[ch]);
    for (int32_t j = 0; j < n; ++j)
        for (int ch = 0; ch < 4; ++ch) d[j * 4 + ch] = uint8_t(w[ch][j]);
}

inline __m128i MaskBytes(const uint8_t* mask, int32_t n) {
    alignas(16) int32_t m[4] = {0, 0, 0, 0};
    for (int32_t j = 0; j < n; ++j) m[j] = mask[j];
    return _mm_load_si128(reinterpret_cast<const __m128i*>(m));
}

// Calls group(i, n) for the pixels i to i + n - 1 of [from, to), n = 4 as a constant for
// every group but a last, shorter one.
template <typename Group>
VARNEL_INLINE void ForEachGroup(int32_t from, int32_t to, const Group& group) {
    int32_t i = from;
    for (; i <= to - 4; i += 4) group(i, std::integral_constant<int32_t, 4>());
    if (i < to) group(i, to - i);
}

// Runs pixels(row, at, points, from, to, inside) over the parts of each run: where
// points may hit, where all of them surely do, and where they may again. The points stay
// on their chain of additions across the parts.
template <bool Quad, typename Pixels>
void VisitRows(const SamplerRow& rows, const SamplerObject& o, const SamplerCopy& c, int16_t objectBytes,
               const Pixels& pixels) {
    const Locator at(o, objectBytes);
    SamplerRow origin = rows;
    origin.x = origin.y = 0.0;
    const Points<Quad> offsets(origin, c);
    const SpanFinder hitSpan(c, o, rows, offsets);
    const PointPairs<Quad> fromStart(offsets);
    const bool whole = WholeSteps(rows, c, offsets);
    ForEachRun(rows, c, [&](const SamplerRow& row) {
        const __m128d start = _mm_set_pd(row.y, row.x);
        const Span span = hitSpan(start);
        PointPairs<Quad> points = fromStart.At(start);
        if (whole) {
            points.AdvanceBy(span.first);
        } else {
            for (int32_t i = 0; i < span.first; ++i) points.Advance();
        }
        pixels(row, at, points, span.first, span.innerFirst, std::false_type());
        int32_t inner = span.innerFirst;
        if (whole) {
            // Whole groups of four from plain loads, the rest as usual.
            const int32_t runEnd = inner + (span.innerEnd - inner) / 4 * 4;
            if (runEnd > inner) {
                RunPoints<Quad> run(at, points);
                pixels(row, at, run, inner, runEnd, std::true_type());
                points.AdvanceBy(runEnd - inner);
                inner = runEnd;
            }
        }
        pixels(row, at, points, inner, span.innerEnd, std::true_type());
        pixels(row, at, points, span.innerEnd, span.end, std::false_type());
    });
}

// The variation's colour steps lane by lane, with the reference's scalar arithmetic, on
// the n pixels of a group: hue and brightness of the sampled colour, and the blend mode's
// colour over the destination's pixels.
VARNEL_INLINE void VaryLanes(__m128i colour[3], int32_t n, const SamplerCopy& c) {
    alignas(16) int32_t lanes[3][4];
    for (int k = 0; k < 3; ++k) _mm_store_si128(reinterpret_cast<__m128i*>(lanes[k]), colour[k]);
    for (int32_t j = 0; j < n; ++j) {
        int32_t p[3] = {lanes[0][j], lanes[1][j], lanes[2][j]};
        TurnHue(p, c.hueShift);
        ScaleBrightness(p, c.brightness);
        for (int k = 0; k < 3; ++k) lanes[k][j] = p[k];
    }
    for (int k = 0; k < 3; ++k) colour[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes[k]));
}

template <int Bytes>
VARNEL_INLINE void BlendLanesByMode(__m128i colour[3], const uint8_t* d, int32_t n, const SamplerCopy& c) {
    const BlendMode mode = BlendMode(c.blend);
    alignas(16) int32_t lanes[3][4];
    for (int k = 0; k < 3; ++k) _mm_store_si128(reinterpret_cast<__m128i*>(lanes[k]), colour[k]);
    for (int32_t j = 0; j < n; ++j) {
        const uint8_t* pixel = d + j * Bytes;
        const int32_t a = Bytes == 4 ? pixel[3] : 255;
        for (int k = 0; k < 3; ++k)
            lanes[k][j] = ((255 - a) * lanes[k][j] + a * BlendChannel(mode, pixel[k], lanes[k][j])) / 255;
    }
    for (int k = 0; k < 3; ++k) colour[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes[k]));
}

template <int Bytes, bool Masked, bool Quad, bool Varied = false>
void ColourRow(const SamplerRow& rows, const SamplerObject& o, const SamplerCopy& c) {
    if (!FitsOffsets(o)) {
        const RowSampler reference = Varied ? ChooseReferenceVariedRowSampler(Bytes, !Quad, Masked)
                                            : ChooseReferenceRowSampler(false, Bytes, !Quad, Masked);
        return reference(rows, o, c);
    }
    const __m128i byte = _mm_set1_epi32(0xff), zero = _mm_setzero_si128();
    const __m128i opacity = _mm_set1_epi32(c.opacity);
    const __m128i g = _mm_set1_epi32(c.desaturation), keep = _mm_set1_epi32(255 - c.desaturation);
    const Weights opaqueWeights(opacity);  // every sample opaque and no mask: m is the opacity
    const bool desaturate = c.desaturation > 0;
    VisitRows<Quad>(
        rows, o, c, 4,
        [&](const SamplerRow& row, const Locator& at, auto& points, int32_t from, int32_t to,
            auto inside) VARNEL_LAMBDA_INLINE {
            ForEachGroup(from, to, [&](int32_t i, auto n) VARNEL_LAMBDA_INLINE {
                __m128i s[4], hits[4];
                if (!Gather<Quad, 4, decltype(inside)::value>(at, points, n, s, hits)) return;
                // Every sample opaque, the common case, implies that some sample is drawn.
                __m128i every = s[0];
                for (int k = 1; k < Points<Quad>::kCount; ++k) every = _mm_and_si128(every, s[k]);
                const bool allOpaque =
                    Quad && _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(every, 24), byte)) == 0xffff;
                if (!allOpaque) {
                    __m128i any = s[0];
                    for (int k = 1; k < Points<Quad>::kCount; ++k) any = _mm_or_si128(any, s[k]);
                    if (_mm_movemask_epi8(_mm_cmpgt_epi32(_mm_srli_epi32(any, 24), zero)) == 0) return;
                }
                const __m128i M = Masked ? MaskBytes(row.mask + i, n) : _mm_set1_epi32(255);
                // The colour either as each lane's low three bytes (packed) or channel by channel.
                __m128i packed = zero, colour[3], m;
                bool split = false, opaque = false;
                if (!Quad) {
                    packed = s[0];
                    const __m128i oa = _mm_madd_epi16(opacity, _mm_srli_epi32(s[0], 24));
                    m = Masked
                            ? _mm_cvttps_epi32(_mm_div_ps(_mm_mul_ps(_mm_cvtepi32_ps(oa), _mm_cvtepi32_ps(M)),
                                                          _mm_set1_ps(65025.0f)))
                            : Div255(oa);
                } else if (allOpaque) {
                    // Every sample opaque, so K = 1020: the colour is the plain mean of the
                    // samples and m the opacity (times the mask byte over 255).
                    packed = MeanOfFour(s);
                    opaque = true;
                    m = Masked ? Div255(_mm_mullo_epi16(M, opacity)) : opacity;
                } else {
#if defined(__AVX2__)
                    // Two samples a step, pixel by pixel: each lane half holds one pixel's
                    // channels as pairs of words, weighted by the pair of alphas, and the
                    // alpha pair itself by ones to give K.
                    __m256i acc[2] = {_mm256_setzero_si256(), _mm256_setzero_si256()};
                    for (int k = 0; k < 4; k += 2) {
                        const __m128i pairs[2] = {_mm_unpacklo_epi8(s[k], s[k + 1]),
                                                  _mm_unpackhi_epi8(s[k], s[k + 1])};
                        for (int h = 0; h < 2; ++h) {
                            const __m256i w = _mm256_cvtepu8_epi16(pairs[h]);
                            const __m256i a = _mm256_blend_epi32(
                                _mm256_shuffle_epi32(w, _MM_SHUFFLE(3, 3, 3, 3)), _mm256_set1_epi16(1), 0x88);
                            acc[h] = _mm256_add_epi32(acc[h], _mm256_madd_epi16(w, a));
                        }
                    }
                    // Lanes without a hit are never blended; dividing them by 1 keeps the division quiet.
                    __m256i q[2];
                    for (int h = 0; h < 2; ++h) {
                        const __m256 divisor = _mm256_cvtepi32_ps(_mm256_max_epi32(
                            _mm256_shuffle_epi32(acc[h], _MM_SHUFFLE(3, 3, 3, 3)), _mm256_set1_epi32(1)));
                        q[h] = _mm256_cvttps_epi32(_mm256_div_ps(_mm256_cvtepi32_ps(acc[h]), divisor));
                    }
                    // Pixels 0 and 2 in the low half, 1 and 3 in the high half, then in order.
                    const __m256i bytes =
                        _mm256_packus_epi16(_mm256_packus_epi32(q[0], q[1]), _mm256_setzero_si256());
                    packed =
                        _mm_unpacklo_epi32(_mm256_castsi256_si128(bytes), _mm256_extracti128_si256(bytes, 1));
                    const __m256i lastLane = _mm256_setr_epi32(3, 7, 3, 7, 3, 7, 3, 7);
                    const __m128i K = _mm_unpacklo_epi64(
                        _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(acc[0], lastLane)),
                        _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(acc[1], lastLane)));
#else
                    __m128i K = zero, sum[3] = {zero, zero, zero};
                    for (int k = 0; k < 4; ++k) {
                        const __m128i a = _mm_srli_epi32(s[k], 24);
                        K = _mm_add_epi32(K, a);
                        for (int ch = 0; ch < 3; ++ch)
                            sum[ch] = _mm_add_epi32(
                                sum[ch],
                                _mm_madd_epi16(a, _mm_and_si128(_mm_srli_epi32(s[k], 8 * ch), byte)));
                    }
                    // Lanes without a hit are never blended; dividing them by 1 keeps the division quiet.
                    const __m128 divisor = _mm_cvtepi32_ps(
                        _mm_or_si128(K, _mm_and_si128(_mm_cmpeq_epi32(K, zero), _mm_set1_epi32(1))));
                    for (int ch = 0; ch < 3; ++ch) colour[ch] = Quotient(sum[ch], divisor);
                    split = true;
#endif
                    if (Masked) {
                        const __m128i mk = _mm_madd_epi16(M, K);
                        const __m128d op = _mm_set1_pd(c.opacity), d = _mm_set1_pd(260100.0);
                        const __m128i low =
                            _mm_cvttpd_epi32(_mm_div_pd(_mm_mul_pd(_mm_cvtepi32_pd(mk), op), d));
                        const __m128i high = _mm_cvttpd_epi32(_mm_div_pd(
                            _mm_mul_pd(_mm_cvtepi32_pd(_mm_shuffle_epi32(mk, _MM_SHUFFLE(3, 2, 3, 2))), op),
                            d));
                        m = _mm_unpacklo_epi64(low, high);
                    } else {
                        // x / 1020 = (x / 4) / 255, and x / 4 stays below 65536.
                        m = Div255(_mm_srli_epi32(_mm_madd_epi16(opacity, K), 2));
                    }
                }
                if (_mm_movemask_epi8(_mm_cmpgt_epi32(m, zero)) == 0) return;
                const auto splitColour = [&] {
                    if (!split)
                        for (int ch = 0; ch < 3; ++ch)
                            colour[ch] = _mm_and_si128(_mm_srli_epi32(packed, 8 * ch), byte);
                    split = true;
                };
                if (Varied && (c.hueShift | c.brightness) != 0) {
                    splitColour();
                    VaryLanes(colour, n, c);
                }
                if (Quad && desaturate) {
                    splitColour();
                    const __m128i total = _mm_add_epi32(_mm_add_epi32(colour[0], colour[1]), colour[2]);
                    const __m128i grey = _mm_mullo_epi16(g, Quotient(total, _mm_set1_ps(3.0f)));
                    for (int ch = 0; ch < 3; ++ch)
                        colour[ch] = Div255(_mm_add_epi32(grey, _mm_mullo_epi16(keep, colour[ch])));
                }
                if (Varied && c.blend != 0) {
                    splitColour();
                    BlendLanesByMode<Bytes>(colour, row.destination + i * Bytes, n, c);
                }
                if (Bytes == 3) {
                    if (split)
                        packed = _mm_or_si128(_mm_or_si128(colour[0], _mm_slli_epi32(colour[1], 8)),
                                              _mm_slli_epi32(colour[2], 16));
                    if (opaque && !Masked) {
                        BlendThree(row.destination + i * 3, n, opaqueWeights, packed);
                    } else {
                        BlendThree(row.destination + i * 3, n, Weights(m), packed);
                    }
                } else {
                    splitColour();
                    BlendFour(row.destination + i * 4, n, m, colour);
                }
            });
        });
}

template <int Bytes, bool Masked, bool Quad>
void ReliefRow(const SamplerRow& rows, const SamplerObject& o, const SamplerCopy& c) {
    if (!FitsOffsets(o)) return ChooseReferenceRowSampler(true, Bytes, !Quad, Masked)(rows, o, c);
    const int32_t k = (c.textureAmount * c.opacity) / 255;
    VisitRows<Quad>(rows, o, c, 1,
                    [&](const SamplerRow& row, const Locator& at, auto& points, int32_t from, int32_t to,
                        auto inside) VARNEL_LAMBDA_INLINE {
                        ForEachGroup(from, to, [&](int32_t i, auto n) VARNEL_LAMBDA_INLINE {
                            __m128i s[4], hits[4];
                            if (!Gather<Quad, 1, decltype(inside)::value>(at, points, n, s, hits)) return;
                            alignas(16) int32_t values[4][4], hit[4][4];
                            for (int p = 0; p < Points<Quad>::kCount; ++p) {
                                _mm_store_si128(reinterpret_cast<__m128i*>(values[p]), s[p]);
                                _mm_store_si128(reinterpret_cast<__m128i*>(hit[p]), hits[p]);
                            }
                            for (int32_t j = 0; j < n; ++j) {
                                int32_t count = 0, S = 0;
                                if (Quad) {
                                    // hit[j] holds pixel j's points; values hold points by lane.
                                    for (int p = 0; p < 4; ++p) count -= hit[j][p], S += values[p][j];
                                } else {
                                    count = -hit[0][j], S = values[0][j];
                                }
                                if (count == 0) continue;
                                const int32_t M = Masked ? row.mask[i + j] : 255;
                                BlendRelief(row.destination + (i + j) * Bytes,
                                            ReliefDelta<Masked, Quad>(S, count, M, k));
                            }
                        });
                    });
}

template <int Bytes, bool Masked, bool Quad>
struct Rows {
    static constexpr RowSampler colour = &ColourRow<Bytes, Masked, Quad>;
    static constexpr RowSampler relief = &ReliefRow<Bytes, Masked, Quad>;
};

template <int Bytes, bool Masked, bool Quad>
struct VariedRows {
    static constexpr RowSampler colour = &ColourRow<Bytes, Masked, Quad, true>;
    static constexpr RowSampler relief = &ReliefRow<Bytes, Masked, Quad>;
};
