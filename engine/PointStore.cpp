// CPointList: append and clear, plus the store's one instance and cursor.
#include "engine/PointStore.h"

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
