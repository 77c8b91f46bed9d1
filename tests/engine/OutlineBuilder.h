// Hand-made native outline buffers for tests: polygons of line and spline records.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <vector>

#include "engine/NativeOutline.h"

namespace vx::test {

struct Xy {
  double x;
  double y;
};

// Builds polygon headers and curve records in the native layout. Each
// polygon's cb is computed from the bytes that follow it unless a test sets
// its own (to make inconsistent buffers); a record's cpfx may likewise be
// given apart from the points actually written.
class OutlineBuilder {
 public:
  OutlineBuilder& Polygon(Xy start, std::uint32_t type = kPolygonTypeTT) {
    polygons_.push_back({bytes_.size(), std::nullopt});
    Put(PolygonHeader{0, type, Point(start)});
    return *this;
  }

  // Overrides the cb field of the polygon begun last.
  OutlineBuilder& Cb(std::uint32_t cb) {
    polygons_.back().cb = cb;
    return *this;
  }

  OutlineBuilder& Line(std::initializer_list<Xy> points) { return Curve(kPrimLine, points); }
  OutlineBuilder& QSpline(std::initializer_list<Xy> points) { return Curve(kPrimQSpline, points); }

  OutlineBuilder& Curve(std::uint16_t type, std::initializer_list<Xy> points,
                        std::optional<std::uint16_t> cpfx = std::nullopt) {
    return Curve(type, std::vector<Xy>(points), cpfx);
  }
  OutlineBuilder& Curve(std::uint16_t type, const std::vector<Xy>& points,
                        std::optional<std::uint16_t> cpfx = std::nullopt) {
    Put(PolyCurveHead{type, cpfx.value_or(static_cast<std::uint16_t>(points.size()))});
    for (const Xy& p : points) Put(Point(p));
    return *this;
  }

  std::vector<std::uint8_t> Build() const {
    std::vector<std::uint8_t> out = bytes_;
    for (std::size_t i = 0; i < polygons_.size(); ++i) {
      const std::size_t end = i + 1 < polygons_.size() ? polygons_[i + 1].offset : out.size();
      const auto cb = polygons_[i].cb.value_or(static_cast<std::uint32_t>(end - polygons_[i].offset));
      std::memcpy(out.data() + polygons_[i].offset, &cb, sizeof cb);
    }
    return out;
  }

 private:
  struct PolygonMark {
    std::size_t offset;
    std::optional<std::uint32_t> cb;
  };

  static OutlinePoint Point(Xy p) { return OutlinePoint{DoubleToFixed(p.x), DoubleToFixed(p.y)}; }

  template <typename Record>
  void Put(const Record& record) {
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&record);
    bytes_.insert(bytes_.end(), raw, raw + sizeof record);
  }

  std::vector<std::uint8_t> bytes_;
  std::vector<PolygonMark> polygons_;
};

}  // namespace vx::test
