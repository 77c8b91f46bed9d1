// CPointList: the one store every converted point lands in, and its read cursor.
#pragma once

#include "engine/TTFPoint.h"

// Singly linked list of records, appended through tail, each record its own
// allocation so that pointers handed to hosts stay put until the next Clear.
class CPointList {
 public:
  CPointList() = default;
  ~CPointList();
  CPointList(const CPointList&) = delete;
  CPointList& operator=(const CPointList&) = delete;

  // Appends one record. When it cannot be allocated nothing changes and the
  // result is false.
  bool Add(double x, double y, int kind);
  void Clear();
  int GetCount() const { return count; }
  TTFPoint* GetHead() const { return head; }

 private:
  TTFPoint* head = nullptr;
  TTFPoint* tail = nullptr;
  int count = 0;
};

extern CPointList gPointList;

// Current record of the exported walk, or null.
extern TTFPoint* gCursor;

namespace vx {

// The extents of the records of one store or, store after store, of a
// drawing handed on in pieces. Without records every side reads 0.
class PointExtents {
 public:
  // Takes in the records from head on.
  void Include(const TTFPoint* head);

  bool empty() const { return empty_; }
  double left() const { return left_; }
  double bottom() const { return bottom_; }
  double right() const { return right_; }
  double top() const { return top_; }

 private:
  bool empty_ = true;
  double left_ = 0, bottom_ = 0, right_ = 0, top_ = 0;
};

// The extents of what gPointList holds now.
PointExtents StoreExtents();

// The record that ends the contour or stroke whose first record is first:
// the first record after it that is no pkPoint; null when the records run out.
const TTFPoint* ContourEnd(const TTFPoint* first);

// Whether the contour or stroke whose first record is first is an open stroke;
// one without an ending record is closed.
bool IsOpenStroke(const TTFPoint* first);

// Whether gPointList holds an open stroke.
bool StoreHasOpenStrokes();

}  // namespace vx
