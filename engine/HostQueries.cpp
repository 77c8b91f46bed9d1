// The exported walk over gPointList with the one cursor gCursor, and the extents.
#include "engine/HostQueries.h"

#include "engine/PointStore.h"

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

// An empty store has no extent: 0 for each.
double GetTTFWidth() {
  const vx::PointExtents e = vx::StoreExtents();
  return e.right() - e.left();
}

double GetTTFHeight() {
  const vx::PointExtents e = vx::StoreExtents();
  return e.top() - e.bottom();
}

double GetTTFLeft() { return vx::StoreExtents().left(); }

double GetTTFBottom() { return vx::StoreExtents().bottom(); }

void FreePointList() {
  gPointList.Clear();
  gCursor = nullptr;
}

}  // extern "C"
