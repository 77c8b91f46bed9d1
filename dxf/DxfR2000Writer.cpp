// DXF R2000 writer: the point store as LWPOLYLINEs in a file that AutoCAD 2000 and later, laser and CAM programs read.
#include "dxf/DxfR2000Writer.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <tuple>
#include <string_view>

#include "dxf/DxfUnits.h"
#include "dxf/FixedFormat.h"
#include "engine/HostQueries.h"
#include "engine/PointStore.h"

namespace vx {
namespace {

using namespace std::string_view_literals;

// Handles of the fixed objects; the polylines follow from kFirstEntity on.
enum Handle : std::uint64_t {
  kVportTable = 0x1,
  kLtypeTable,
  kLayerTable,
  kStyleTable,
  kViewTable,
  kUcsTable,
  kAppidTable,
  kDimstyleTable,
  kBlockRecordTable,
  kActiveVport,
  kByBlock,
  kByLayer,
  kContinuous,
  kLayer0,
  kStandardStyle,
  kAcadAppid,
  kStandardDimstyle,
  kModelSpaceRecord,
  kPaperSpaceRecord,
  kModelSpaceBlock,
  kModelSpaceEnd,
  kPaperSpaceBlock,
  kPaperSpaceEnd,
  kRootDictionary,
  kGroupDictionary,
  kFirstEntity = 0x30,
};

class GroupWriter {
 public:
  explicit GroupWriter(std::string& out) : out_(out) {}

  // One group: its code right-aligned in three columns, then its value.
  GroupWriter& Text(int code, std::string_view value) {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, code).ptr;
    out_.append(3 - std::min<std::ptrdiff_t>(3, end - buffer), ' ').append(buffer, end).append("\r\n");
    out_.append(value).append("\r\n");
    return *this;
  }
  GroupWriter& Number(int code, double value) {
    std::string text;
    AppendFixed6(text, value);
    return Text(code, text);
  }
  GroupWriter& Handle(int code, std::uint64_t handle) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, handle, 16).ptr;
    for (char* c = buffer; c != end; ++c)
      if (*c >= 'a') *c = static_cast<char>(*c - 'a' + 'A');
    return Text(code, std::string_view(buffer, end - buffer));
  }

  GroupWriter& Section(std::string_view name) { return Text(0, "SECTION").Text(2, name); }
  GroupWriter& EndSection() { return Text(0, "ENDSEC"); }

  // A symbol table's head; records follow, then EndTable.
  GroupWriter& Table(std::string_view name, std::uint64_t handle, int records) {
    Text(0, "TABLE").Text(2, name).Handle(5, handle).Text(330, "0").Text(100, "AcDbSymbolTable");
    return Text(70, std::to_string(records));
  }
  GroupWriter& EndTable() { return Text(0, "ENDTAB"); }
  // A table record's head, up to its name and flags. DIMSTYLE records carry their handle as 105.
  GroupWriter& Record(std::string_view type, std::uint64_t handle, std::uint64_t table, std::string_view subclass,
                      std::string_view name) {
    Text(0, type).Handle(type == "DIMSTYLE" ? 105 : 5, handle).Handle(330, table);
    return Text(100, "AcDbSymbolTableRecord").Text(100, subclass).Text(2, name).Text(70, "0");
  }

 private:
  std::string& out_;
};

void WriteHeader(GroupWriter& dxf, DrawingUnit unit, std::string& out, std::uint64_t handleSeed) {
  dxf.Section("HEADER").Text(9, "$ACADVER").Text(1, "AC1015").Text(9, "$DWGCODEPAGE").Text(3, "ANSI_1252");
  dxf.Text(9, "$HANDSEED").Handle(5, handleSeed);
  AppendUnitVariables(out, unit);
  dxf.EndSection();
  dxf.Section("CLASSES").EndSection();
}

void WriteTables(GroupWriter& dxf) {
  dxf.Section("TABLES");
  // The active viewport, looking at the origin.
  dxf.Table("VPORT", kVportTable, 1).Record("VPORT", kActiveVport, kVportTable, "AcDbViewportTableRecord", "*Active");
  dxf.Number(10, 0).Number(20, 0).Number(11, 1).Number(21, 1).Number(12, 0).Number(22, 0).Number(13, 0);
  dxf.Number(23, 0).Number(14, 1).Number(24, 1).Number(15, 0).Number(25, 0).Number(16, 0).Number(26, 0);
  dxf.Number(36, 1).Number(17, 0).Number(27, 0).Number(37, 0).Number(40, 10).Number(41, 1).Number(42, 50);
  dxf.Number(43, 0).Number(44, 0).Number(50, 0).Number(51, 0);
  dxf.Text(71, "0").Text(72, "100").Text(73, "1").Text(74, "3").Text(75, "0").Text(76, "0").Text(77, "0");
  dxf.Text(78, "0").EndTable();

  dxf.Table("LTYPE", kLtypeTable, 3);
  for (const auto& [handle, name, description] : {std::tuple{kByBlock, "ByBlock"sv, ""sv},
                                                  std::tuple{kByLayer, "ByLayer"sv, ""sv},
                                                  std::tuple{kContinuous, "Continuous"sv, "Solid line"sv}}) {
    dxf.Record("LTYPE", handle, kLtypeTable, "AcDbLinetypeTableRecord", name);
    dxf.Text(3, description).Text(72, "65").Text(73, "0").Number(40, 0);
  }
  dxf.EndTable();

  dxf.Table("LAYER", kLayerTable, 1).Record("LAYER", kLayer0, kLayerTable, "AcDbLayerTableRecord", "0");
  dxf.Text(62, "7").Text(6, "Continuous").EndTable();

  dxf.Table("STYLE", kStyleTable, 1).Record("STYLE", kStandardStyle, kStyleTable, "AcDbTextStyleTableRecord", "Standard");
  dxf.Number(40, 0).Number(41, 1).Number(50, 0).Text(71, "0").Number(42, 2.5).Text(3, "txt").Text(4, "").EndTable();

  dxf.Table("VIEW", kViewTable, 0).EndTable();
  dxf.Table("UCS", kUcsTable, 0).EndTable();
  dxf.Table("APPID", kAppidTable, 1).Record("APPID", kAcadAppid, kAppidTable, "AcDbRegAppTableRecord", "ACAD");
  dxf.EndTable();
  dxf.Table("DIMSTYLE", kDimstyleTable, 1).Text(100, "AcDbDimStyleTable");
  dxf.Record("DIMSTYLE", kStandardDimstyle, kDimstyleTable, "AcDbDimStyleTableRecord", "Standard").EndTable();

  dxf.Table("BLOCK_RECORD", kBlockRecordTable, 2);
  dxf.Record("BLOCK_RECORD", kModelSpaceRecord, kBlockRecordTable, "AcDbBlockTableRecord", "*Model_Space");
  dxf.Record("BLOCK_RECORD", kPaperSpaceRecord, kBlockRecordTable, "AcDbBlockTableRecord", "*Paper_Space");
  dxf.EndTable();
  dxf.EndSection();
}

// The two layout blocks, empty: the polylines live in ENTITIES, owned by model space.
void WriteBlocks(GroupWriter& dxf) {
  dxf.Section("BLOCKS");
  for (const auto& [begin, end, owner, name, paper] :
       {std::tuple{kModelSpaceBlock, kModelSpaceEnd, kModelSpaceRecord, "*Model_Space"sv, false},
        std::tuple{kPaperSpaceBlock, kPaperSpaceEnd, kPaperSpaceRecord, "*Paper_Space"sv, true}}) {
    dxf.Text(0, "BLOCK").Handle(5, begin).Handle(330, owner).Text(100, "AcDbEntity");
    if (paper) dxf.Text(67, "1");
    dxf.Text(8, "0").Text(100, "AcDbBlockBegin").Text(2, name).Text(70, "0");
    dxf.Number(10, 0).Number(20, 0).Number(30, 0).Text(3, name).Text(1, "");
    dxf.Text(0, "ENDBLK").Handle(5, end).Handle(330, owner).Text(100, "AcDbEntity");
    if (paper) dxf.Text(67, "1");
    dxf.Text(8, "0").Text(100, "AcDbBlockEnd");
  }
  dxf.EndSection();
}

void WriteObjects(GroupWriter& dxf) {
  dxf.Section("OBJECTS");
  dxf.Text(0, "DICTIONARY").Handle(5, kRootDictionary).Text(330, "0").Text(100, "AcDbDictionary").Text(281, "1");
  dxf.Text(3, "ACAD_GROUP").Handle(350, kGroupDictionary);
  dxf.Text(0, "DICTIONARY").Handle(5, kGroupDictionary).Handle(330, kRootDictionary);
  dxf.Text(100, "AcDbDictionary").Text(281, "1");
  dxf.EndSection();
}

}  // namespace

std::uint64_t ContoursInStore() {
  std::uint64_t contours = 0;
  bool open = false;  // a contour begun and not yet closed
  for (const TTFPoint* record = gPointList.GetHead(); record; record = record->next) {
    open = record->kind == pkPoint;
    if (!open) ++contours;
  }
  return contours + (open ? 1 : 0);
}

bool DxfR2000FileWriter::Open(const std::string& path, DrawingUnit unit, std::uint64_t contours,
                              std::string& error) {
  if (!file_.Open(path, error)) return false;
  GroupWriter dxf(file_.buffer());
  nextHandle_ = kFirstEntity;
  WriteHeader(dxf, unit, file_.buffer(), kFirstEntity + contours);
  WriteTables(dxf);
  WriteBlocks(dxf);
  dxf.Section("ENTITIES");
  return true;
}

bool DxfR2000FileWriter::WritePolyline(int count, const std::string& vertices, bool closed, std::string& error) {
  GroupWriter dxf(file_.buffer());
  dxf.Text(0, "LWPOLYLINE").Handle(5, nextHandle_++).Handle(330, kModelSpaceRecord).Text(100, "AcDbEntity");
  dxf.Text(8, "0").Text(100, "AcDbPolyline").Text(90, std::to_string(count)).Text(70, closed ? "1" : "0");
  file_.buffer().append(vertices);
  return file_.WriteIfFull(error);
}

bool DxfR2000FileWriter::WriteStore(std::string& error) {
  std::string vertices;
  for (const TTFPoint* record = GetFirstTTFPoint(); record;) {
    // The contour's first record and every pkPoint after it are vertices; the
    // closing record is not (flag 70 closes the polyline; an open stroke's
    // ending record leaves it open).
    vertices.clear();
    int count = 0;
    do {
      GroupWriter(vertices).Number(10, record->x).Number(20, record->y);
      ++count;
      record = GetNextTTFPoint();
    } while (record && record->kind == pkPoint);
    const bool closed = !(record && EndsOpenStroke(record->kind));
    if (record) record = GetNextTTFPoint();  // past the closing record
    if (!WritePolyline(count, vertices, closed, error)) return false;
  }
  return true;
}

bool DxfR2000FileWriter::WriteArcs(const std::vector<ArcGlyph>& glyphs, std::string& error) {
  std::string vertices;
  for (const ArcGlyph& glyph : glyphs)
    for (const ArcContour& contour : glyph) {
      vertices.clear();
      GroupWriter groups(vertices);
      for (const ArcVertex& vertex : contour) {
        groups.Number(10, vertex.x).Number(20, vertex.y);
        if (vertex.bulge != 0) groups.Number(42, vertex.bulge);
      }
      if (!WritePolyline(static_cast<int>(contour.size()), vertices, true, error)) return false;
    }
  return true;
}

bool DxfR2000FileWriter::Commit(std::string& error) {
  GroupWriter dxf(file_.buffer());
  dxf.EndSection();
  WriteObjects(dxf);
  dxf.Text(0, "EOF");
  return file_.Commit(error);
}

}  // namespace vx
