// A small DXF reader for tests, written apart from the writer: POLYLINE entities and their vertices.
#include "DxfReader.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace vxtest {
namespace {

struct Group {
  int code = 0;
  std::string value;
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::optional<double> Number(std::string_view text) {
  text = Trim(text);
  double value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

bool ReadGroups(std::string_view bytes, std::vector<Group>& groups, std::string& error) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find("\r\n");
    if (end == std::string_view::npos) {
      error = "a line does not end with CR LF";
      return false;
    }
    lines.push_back(bytes.substr(0, end));
    bytes.remove_prefix(end + 2);
  }
  if (lines.size() % 2 != 0) {
    error = "odd number of lines";
    return false;
  }
  for (std::size_t i = 0; i < lines.size(); i += 2) {
    const std::optional<double> code = Number(lines[i]);
    if (!code || *code != static_cast<int>(*code)) {
      error = "bad group code '" + std::string(lines[i]) + "'";
      return false;
    }
    groups.push_back({static_cast<int>(*code), std::string(lines[i + 1])});
  }
  return true;
}

// The groups of one entity: from its "0" group up to the next.
std::vector<Group> EntityAt(const std::vector<Group>& groups, std::size_t& i) {
  std::vector<Group> entity{groups[i++]};
  while (i < groups.size() && groups[i].code != 0) entity.push_back(groups[i++]);
  return entity;
}

std::optional<double> Value(const std::vector<Group>& entity, int code) {
  for (const Group& g : entity)
    if (g.code == code) return Number(g.value);
  return std::nullopt;
}

}  // namespace

double DxfPolyline::Top() const {
  double v = vertices.at(0).y;
  for (const DxfPoint& p : vertices) v = std::max(v, p.y);
  return v;
}
double DxfPolyline::Bottom() const {
  double v = vertices.at(0).y;
  for (const DxfPoint& p : vertices) v = std::min(v, p.y);
  return v;
}
double DxfPolyline::Left() const {
  double v = vertices.at(0).x;
  for (const DxfPoint& p : vertices) v = std::min(v, p.x);
  return v;
}
double DxfPolyline::Right() const {
  double v = vertices.at(0).x;
  for (const DxfPoint& p : vertices) v = std::max(v, p.x);
  return v;
}

DxfDrawing ReadDxf(std::string_view bytes) {
  DxfDrawing drawing;
  std::vector<Group> groups;
  if (!ReadGroups(bytes, groups, drawing.error)) return drawing;
  if (groups.size() < 4 || groups[0].value != "SECTION" || groups[1].code != 2 || groups[1].value != "ENTITIES") {
    drawing.error = "no ENTITIES section at the start";
    return drawing;
  }
  std::size_t i = 2;
  DxfPolyline* open = nullptr;
  while (i < groups.size()) {
    if (groups[i].code != 0) {
      drawing.error = "entity does not start with group 0";
      return drawing;
    }
    const std::vector<Group> entity = EntityAt(groups, i);
    const std::string& type = entity[0].value;
    if (type == "POLYLINE") {
      if (open) break;
      const std::optional<double> flags = Value(entity, 70);
      drawing.polylines.push_back({flags && (static_cast<int>(*flags) & 1), {}});
      open = &drawing.polylines.back();
    } else if (type == "VERTEX") {
      const std::optional<double> x = Value(entity, 10), y = Value(entity, 20);
      if (!open || !x || !y) break;
      open->vertices.push_back({*x, *y});
    } else if (type == "SEQEND") {
      if (!open) break;
      open = nullptr;
    } else if (type == "ENDSEC") {
      if (open || i >= groups.size() || groups[i].code != 0 || groups[i].value != "EOF" || i + 1 != groups.size()) break;
      return drawing;
    } else {
      break;
    }
  }
  drawing.error = "unexpected entity sequence";
  return drawing;
}

}  // namespace vxtest
