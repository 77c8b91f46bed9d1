// A small DXF reader for tests: group code/value pairs into POLYLINE entities.
#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vx::test {

struct DxfPolyline {
  int flags = 0;
  std::vector<std::pair<double, double>> vertices;
  bool ended = false;  // met its SEQEND
};

struct DxfDrawing {
  std::vector<std::string> sections;
  std::vector<DxfPolyline> polylines;
  std::vector<std::string> otherEntities;
  bool eof = false;
};

// Reads the pairs of a text DXF (lines ending in CR LF or LF; codes may carry
// blanks) and collects every POLYLINE with its VERTEX coordinates. Returns
// nothing when the text is not a sequence of well-formed pairs.
inline std::optional<DxfDrawing> ReadDxf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto eol = text.find('\n');
    if (eol == std::string_view::npos) return std::nullopt;  // last line unterminated
    std::string_view line = text.substr(0, eol);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    text.remove_prefix(eol + 1);
  }
  if (lines.size() % 2 != 0) return std::nullopt;

  const auto trim = [](std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
  };
  const auto number = [&](std::string_view s, auto& out) {
    s = trim(s);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
  };

  DxfDrawing drawing;
  std::string entity;  // type of the entity being read
  for (std::size_t i = 0; i < lines.size(); i += 2) {
    int code = 0;
    if (!number(lines[i], code)) return std::nullopt;
    const std::string_view value = lines[i + 1];
    if (code == 0) {
      entity = std::string(trim(value));
      if (entity == "POLYLINE") drawing.polylines.emplace_back();
      else if (entity == "VERTEX") {
        if (drawing.polylines.empty() || drawing.polylines.back().ended) return std::nullopt;
        drawing.polylines.back().vertices.emplace_back(0.0, 0.0);
      } else if (entity == "SEQEND") {
        if (drawing.polylines.empty()) return std::nullopt;
        drawing.polylines.back().ended = true;
      } else if (entity == "EOF") drawing.eof = true;
      else if (entity != "SECTION" && entity != "ENDSEC") drawing.otherEntities.push_back(entity);
      continue;
    }
    if (entity == "SECTION" && code == 2) drawing.sections.emplace_back(trim(value));
    if (entity == "POLYLINE" && code == 70 && !number(value, drawing.polylines.back().flags)) return std::nullopt;
    if (entity == "VERTEX" && (code == 10 || code == 20)) {
      auto& vertex = drawing.polylines.back().vertices.back();
      if (!number(value, code == 10 ? vertex.first : vertex.second)) return std::nullopt;
    }
  }
  return drawing;
}

}  // namespace vx::test
