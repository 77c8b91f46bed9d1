// DXF writer: the point store as an ENTITIES section of closed 2D POLYLINEs.
#pragma once

#include <string>

namespace vx {

struct DxfResult {
  bool ok = false;
  std::string error;  // the system's reason when ok is false
};

// Appends the section header / trailer lines (CR LF each) to out.
void WriteDxfHeader(std::string& out);
void WriteDxfTrailer(std::string& out);

// Appends the next contour of the store's walk as one POLYLINE (starting the
// walk when first is true). Returns false, appending nothing, when the store
// is exhausted.
bool WritePolyline(std::string& out, bool first);

// The whole store as DXF text.
std::string DxfText();

// Writes the whole store to fileName. The file is replaced only when every
// byte was written: on failure an existing file is left as it was.
DxfResult WriteDxf(const char* fileName);

}  // namespace vx
