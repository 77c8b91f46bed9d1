// Curve steps: which straight steps of the point store flatten a curve piece, so that arcs can replace them later.
#include "engine/CurveSteps.h"

#include <cstddef>
#include <functional>
#include <unordered_set>

namespace vx {
namespace {

// A step with its lower end (by x, then y) first, so that both directions
// are the same step.
struct Step {
  double ax, ay, bx, by;
  bool operator==(const Step&) const = default;
};

Step Normal(double ax, double ay, double bx, double by) {
  if (bx < ax || (bx == ax && by < ay)) return {bx, by, ax, ay};
  return {ax, ay, bx, by};
}

struct StepHash {
  std::size_t operator()(const Step& s) const {
    const std::hash<double> h;
    std::size_t seed = h(s.ax);
    for (const double v : {s.ay, s.bx, s.by}) seed ^= h(v) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    return seed;
  }
};

bool recording = false;
std::unordered_set<Step, StepHash>& Steps() {
  static std::unordered_set<Step, StepHash> steps;
  return steps;
}

}  // namespace

void RecordCurveSteps(bool on) {
  recording = on;
  ForgetCurveSteps();
}

void NoteCurveStep(double ax, double ay, double bx, double by) {
  if (recording) Steps().insert(Normal(ax, ay, bx, by));
}

bool IsCurveStep(double ax, double ay, double bx, double by) {
  return recording && Steps().contains(Normal(ax, ay, bx, by));
}

void ForgetCurveSteps() { std::unordered_set<Step, StepHash>().swap(Steps()); }

}  // namespace vx
