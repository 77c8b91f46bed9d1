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
