// CPointList: append and clear, plus the store's one instance and cursor, and the extents of records.
#include "engine/PointStore.h"

#include <algorithm>
#include <new>

CPointList gPointList;
TTFPoint* gCursor = nullptr;

CPointList::~CPointList() { Clear(); }

bool CPointList::Add(double x, double y, int kind) {
  auto* record = new (std::nothrow) TTFPoint{kind, x, y, nullptr};
  if (record == nullptr) return false;
  if (tail == nullptr) {
    head = record;
  } else {
    tail->next = record;
  }
  tail = record;
  ++count;
  return true;
}

void CPointList::Clear() {
  TTFPoint* record = head;
  while (record != nullptr) {
    TTFPoint* following = record->next;
    delete record;
    record = following;
  }
  head = nullptr;
  tail = nullptr;
  count = 0;
}

namespace vx {

void PointExtents::Include(const TTFPoint* record) {
  if (record == nullptr) return;
  if (empty_) {
    left_ = right_ = record->x;
    bottom_ = top_ = record->y;
    empty_ = false;
  }
  for (; record; record = record->next) {
    left_ = std::min(left_, record->x);
    right_ = std::max(right_, record->x);
    bottom_ = std::min(bottom_, record->y);
    top_ = std::max(top_, record->y);
  }
}

PointExtents StoreExtents() {
  PointExtents extents;
  extents.Include(gPointList.GetHead());
  return extents;
}

const TTFPoint* ContourEnd(const TTFPoint* first) {
  if (first == nullptr) return nullptr;
  const TTFPoint* record = first->next;
  while (record != nullptr && record->kind == pkPoint) record = record->next;
  return record;
}

bool IsOpenStroke(const TTFPoint* first) {
  const TTFPoint* end = ContourEnd(first);
  return end != nullptr && EndsOpenStroke(end->kind);
}

bool StoreHasOpenStrokes() {
  for (const TTFPoint* record = gPointList.GetHead(); record; record = record->next)
    if (EndsOpenStroke(record->kind)) return true;
  return false;
}

}  // namespace vx
