// The exported walk over gPointList with the one cursor gCursor, and the extents.
#include "engine/HostQueries.h"

#include "engine/PointStore.h"

namespace {

struct Range {
  double low = 0.0;
  double high = 0.0;
};

// One pass from head; the first record sets both ends. Empty store: 0, 0.
template <typename Coordinate>
Range StoreRange(Coordinate coordinate) {
  Range range;
  const TTFPoint* record = gPointList.GetHead();
  if (record == nullptr) return range;
  range.low = range.high = coordinate(*record);
  for (record = record->next; record != nullptr; record = record->next) {
    const double value = coordinate(*record);
    if (value < range.low) range.low = value;
    if (value > range.high) range.high = value;
  }
  return range;
}

Range XRange() { return StoreRange([](const TTFPoint& p) { return p.x; }); }
Range YRange() { return StoreRange([](const TTFPoint& p) { return p.y; }); }

}  // namespace

extern "C" {

int GetTTFCount() { return gPointList.GetCount(); }

TTFPoint* GetFirstTTFPoint() {
  gCursor = gPointList.GetHead();
  return gCursor;
}

TTFPoint* GetNextTTFPoint() {
  if (gCursor == nullptr) return nullptr;
  gCursor = gCursor->next;
  return gCursor;
}

// Vertices of the stroke that begins at the cursor: the current record counts
// whatever its kind, then every following pkPoint. Without a current record
// there is no stroke, so 0.
int GetStrokeCount() {
  const TTFPoint* record = gCursor;
  if (record == nullptr) return 0;
  int n = 0;
  do {
    ++n;
    record = record->next;
  } while (record != nullptr && record->kind == pkPoint);
  return n;
}

double GetTTFWidth() {
  const Range r = XRange();
  return r.high - r.low;
}

double GetTTFHeight() {
  const Range r = YRange();
  return r.high - r.low;
}

double GetTTFLeft() { return XRange().low; }

double GetTTFBottom() { return YRange().low; }

void FreePointList() {
  gPointList.Clear();
  gCursor = nullptr;
}

}  // extern "C"
