// A small DXF reader for tests, written apart from the product's writer: POLYLINE entities and their vertices.
#include "tests/support/DxfReader.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace vx::test {
namespace {

struct Group {
  int code = 0;
  std::string_view value;
  std::size_t line = 0;  // 1-based line of the group code, for messages
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// A whole number or decimal, blanks around it allowed, nothing else.
template <typename T>
std::optional<T> Number(std::string_view text) {
  text = Trim(text);
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string At(std::size_t line, const std::string& message) {
  return "line " + std::to_string(line) + ": " + message;
}

// Splits the text into lines that each end with CR LF and pairs them into groups.
bool ReadGroups(std::string_view bytes, std::vector<Group>& groups, std::string& error) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos || bytes.substr(end, 2) != "\r\n") {
      error = At(lines.size() + 1, "does not end with CR LF");
      return false;
    }
    lines.push_back(bytes.substr(0, end));
    bytes.remove_prefix(end + 2);
  }
  if (lines.size() % 2 != 0) {
    error = "odd number of lines: the last group code has no value";
    return false;
  }
  for (std::size_t i = 0; i < lines.size(); i += 2) {
    const std::optional<int> code = Number<int>(lines[i]);
    if (!code) {
      error = At(i + 1, "bad group code '" + std::string(lines[i]) + "'");
      return false;
    }
    groups.push_back({*code, lines[i + 1], i + 1});
  }
  return true;
}

// Walks the groups in order, one entity (a "0" group and the groups up to the next) after another.
class Walk {
 public:
  explicit Walk(DxfDrawing& drawing) : drawing_(drawing) {}

  // Takes one group; returns the fault it shows, or an empty string.
  std::string Take(const Group& g) {
    if (drawing_.eof) return "data after EOF";
    if (g.code == 0) {
      std::string fault = EndEntity();
      return fault.empty() ? StartEntity(g.value) : fault;
    }
    if (entity_.empty()) return "group before the first entity";
    return TakeValue(g);
  }

  std::string Finish() {
    std::string fault = EndEntity();
    if (fault.empty() && !drawing_.eof) fault = "no EOF at the end";
    return fault;
  }

 private:
  std::string StartEntity(std::string_view type) {
    entity_ = std::string(type);
    if (entity_ == "SECTION") {
      if (inSection_) return "SECTION inside a section";
      inSection_ = true;
      sectionNamed_ = false;
      return "";
    }
    if (entity_ == "ENDSEC") {
      if (!inSection_) return "ENDSEC outside a section";
      if (open_) return "ENDSEC before the SEQEND of a POLYLINE";
      inSection_ = false;
      return "";
    }
    if (entity_ == "EOF") {
      if (inSection_) return "EOF inside a section";
      drawing_.eof = true;
      return "";
    }
    if (!inSection_) return entity_ + " outside a section";
    if (entity_ == "POLYLINE") {
      if (open_) return "POLYLINE before the SEQEND of the previous one";
      drawing_.polylines.emplace_back();
      open_ = true;
    } else if (entity_ == "VERTEX") {
      if (!open_) return "VERTEX outside a POLYLINE";
      drawing_.polylines.back().vertices.emplace_back();
      vertexX_ = vertexY_ = false;
    } else if (entity_ == "SEQEND") {
      if (!open_) return "SEQEND outside a POLYLINE";
      drawing_.polylines.back().ended = true;
      open_ = false;
    } else {
      if (open_) return entity_ + " inside a POLYLINE";
      drawing_.otherEntities.push_back(entity_);
    }
    return "";
  }

  std::string EndEntity() {
    if (entity_ == "SECTION" && !sectionNamed_) return "SECTION without a name";
    if (entity_ == "VERTEX" && !(vertexX_ && vertexY_)) return "VERTEX without both 10 and 20";
    return "";
  }

  std::string TakeValue(const Group& g) {
    if (entity_ == "SECTION" && g.code == 2) {
      drawing_.sections.emplace_back(g.value);
      sectionNamed_ = true;
    }
    if (entity_ == "POLYLINE" && g.code == 70) {
      const std::optional<int> flags = Number<int>(g.value);
      if (!flags) return "bad POLYLINE flags '" + std::string(g.value) + "'";
      drawing_.polylines.back().flags = *flags;
    }
    if (entity_ == "VERTEX" && (g.code == 10 || g.code == 20)) {
      const std::optional<double> value = Number<double>(g.value);
      if (!value) return "bad VERTEX coordinate '" + std::string(g.value) + "'";
      DxfPoint& vertex = drawing_.polylines.back().vertices.back();
      (g.code == 10 ? vertex.x : vertex.y) = *value;
      (g.code == 10 ? vertexX_ : vertexY_) = true;
    }
    if (entity_ == "VERTEX" && g.code == 42) {
      const std::optional<double> value = Number<double>(g.value);
      if (!value) return "bad VERTEX bulge '" + std::string(g.value) + "'";
      drawing_.polylines.back().vertices.back().bulge = *value;
    }
    return "";
  }

  DxfDrawing& drawing_;
  std::string entity_;  // type of the entity being read; empty before the first
  bool inSection_ = false;
  bool open_ = false;  // a POLYLINE awaits its SEQEND
  bool vertexX_ = false, vertexY_ = false;
  bool sectionNamed_ = false;  // the current SECTION has had its group 2
};

template <typename Pick>
double Extreme(const std::vector<DxfPoint>& vertices, Pick pick, bool highest) {
  double v = pick(vertices.at(0));
  for (const DxfPoint& p : vertices) v = highest ? std::max(v, pick(p)) : std::min(v, pick(p));
  return v;
}

double PickX(const DxfPoint& p) { return p.x; }
double PickY(const DxfPoint& p) { return p.y; }

}  // namespace

double DxfPolyline::Top() const { return Extreme(vertices, PickY, true); }
double DxfPolyline::Bottom() const { return Extreme(vertices, PickY, false); }
double DxfPolyline::Left() const { return Extreme(vertices, PickX, false); }
double DxfPolyline::Right() const { return Extreme(vertices, PickX, true); }

DxfDrawing ReadDxf(std::string_view bytes) {
  DxfDrawing drawing;
  std::vector<Group> groups;
  if (!ReadGroups(bytes, groups, drawing.error)) return drawing;
  Walk walk(drawing);
  for (const Group& g : groups) {
    if (std::string fault = walk.Take(g); !fault.empty()) {
      drawing.error = At(g.line, fault);
      return drawing;
    }
  }
  drawing.error = walk.Finish();
  return drawing;
}

}  // namespace vx::test
