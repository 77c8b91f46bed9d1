// DXF writer: the point store as an ENTITIES section of 2D POLYLINEs, closed ones for contours and open ones for strokes.
#include "dxf/DxfWriter.h"

#include <string_view>

#include "dxf/DxfUnits.h"
#include "dxf/FixedFormat.h"
#include "engine/HostQueries.h"
#include "engine/PointStore.h"

namespace vx {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kHeader = "0\r\nSECTION\r\n2\r\nENTITIES\r\n"sv;
constexpr std::string_view kTrailer = "0\r\nENDSEC\r\n0\r\nEOF\r\n"sv;

// Layer "0", linetype CONTINUOUS, vertices follow, the flags (1: closed; 0:
// an open stroke), reference point 0.
constexpr std::string_view kPolylineStart =
    "  0\r\nPOLYLINE\r\n  8\r\n0\r\n  6\r\nCONTINUOUS\r\n  66\r\n  1\r\n  70\r\n"sv;
constexpr std::string_view kClosedFlag = "  1\r\n"sv;
constexpr std::string_view kOpenFlag = "  0\r\n"sv;
constexpr std::string_view kReferencePoint = "  10\r\n  0.0\r\n  20\r\n  0.0\r\n  30\r\n  0.0\r\n"sv;
constexpr std::string_view kVertexHead = "  0\r\nVERTEX\r\n  8\r\n0\r\n  10\r\n"sv;
constexpr std::string_view kVertexY = "\r\n  20\r\n"sv;
constexpr std::string_view kVertexTail = "\r\n  30\r\n  0.0\r\n"sv;
constexpr std::string_view kSequenceEnd = "  0\r\nSEQEND\r\n"sv;

// Typical bytes per vertex block (two coordinates of about ten characters);
// only used to size the text up front.
constexpr std::size_t kVertexBytesEstimate = 80;

void AppendPolylineHead(std::string& out, bool closed) {
  out.append(kPolylineStart).append(closed ? kClosedFlag : kOpenFlag).append(kReferencePoint);
}

}  // namespace

void WriteDxfHeader(std::string& out) { out.append(kHeader); }

void WriteDxfTrailer(std::string& out) { out.append(kTrailer); }

bool WritePolyline(std::string& out, bool first) {
  const TTFPoint* record = first ? GetFirstTTFPoint() : GetNextTTFPoint();
  if (record == nullptr) return false;
  AppendPolylineHead(out, !IsOpenStroke(record));
  // The contour's first record and every pkPoint after it are vertices; the
  // closing record ends the polyline, whose closure is carried by flag 70
  // (an open stroke's ending record alike, with flag 0).
  // A store that ends without a closing record still gets its SEQEND.
  do {
    out.append(kVertexHead);
    AppendFixed6(out, record->x);
    out.append(kVertexY);
    AppendFixed6(out, record->y);
    out.append(kVertexTail);
    record = GetNextTTFPoint();
  } while (record != nullptr && record->kind == pkPoint);
  out.append(kSequenceEnd);
  return true;
}

std::string DxfText() {
  std::string out;
  out.reserve(kHeader.size() + kTrailer.size() +
              static_cast<std::size_t>(GetTTFCount()) * kVertexBytesEstimate);
  WriteDxfHeader(out);
  for (bool first = true; WritePolyline(out, first); first = false) {
  }
  WriteDxfTrailer(out);
  return out;
}

// The text goes to the file in pieces, so that a large drawing is never held
// twice in memory (as store and as text).
bool DxfFileWriter::Open(const std::string& path, std::string& error, DrawingUnit unit) {
  if (!file_.Open(path, error)) return false;
  if (unit != DrawingUnit::Unitless) {
    file_.buffer().append("0\r\nSECTION\r\n2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n");
    AppendUnitVariables(file_.buffer(), unit);
    file_.buffer().append("0\r\nENDSEC\r\n");
  }
  WriteDxfHeader(file_.buffer());
  return true;
}

bool DxfFileWriter::WriteStore(std::string& error) {
  for (bool first = true; WritePolyline(file_.buffer(), first); first = false) {
    if (!file_.WriteIfFull(error)) return false;
  }
  return true;
}

bool DxfFileWriter::WriteArcs(const std::vector<ArcGlyph>& glyphs, std::string& error) {
  std::string& out = file_.buffer();
  for (const ArcGlyph& glyph : glyphs)
    for (const ArcContour& contour : glyph) {
      AppendPolylineHead(out, true);
      for (const ArcVertex& vertex : contour) {
        out.append(kVertexHead);
        AppendFixed6(out, vertex.x);
        out.append(kVertexY);
        AppendFixed6(out, vertex.y);
        out.append(kVertexTail);
        if (vertex.bulge != 0) {
          out.append("  42\r\n");
          AppendFixed6(out, vertex.bulge);
          out.append("\r\n");
        }
      }
      out.append(kSequenceEnd);
      if (!file_.WriteIfFull(error)) return false;
    }
  return true;
}

bool DxfFileWriter::Commit(std::string& error) {
  WriteDxfTrailer(file_.buffer());
  return file_.Commit(error);
}

bool WriteDxf(const std::string& path, std::string& error) {
  DxfFileWriter file;
  return file.Open(path, error) && file.WriteStore(error) && file.Commit(error);
}

}  // namespace vx
