// Test helper: a face of a font file opened with HarfBuzz in design units, for references the code under test does not compute.
#pragma once

#include <hb.h>

#include <string>

namespace vx::test {

class HarfBuzzFontFile {
 public:
  // A file that cannot be read gives an empty face (no glyphs).
  HarfBuzzFontFile(const std::string& file, int index) {
    hb_blob_t* blob = hb_blob_create_from_file_or_fail(file.c_str());
    face_ = hb_face_create(blob != nullptr ? blob : hb_blob_get_empty(), static_cast<unsigned>(index));
    hb_blob_destroy(blob);
    font_ = hb_font_create(face_);
    const auto upem = static_cast<int>(hb_face_get_upem(face_));
    hb_font_set_scale(font_, upem, upem);
  }
  ~HarfBuzzFontFile() {
    hb_font_destroy(font_);
    hb_face_destroy(face_);
  }
  HarfBuzzFontFile(const HarfBuzzFontFile&) = delete;
  HarfBuzzFontFile& operator=(const HarfBuzzFontFile&) = delete;

  hb_font_t* font() const { return font_; }

 private:
  hb_face_t* face_;
  hb_font_t* font_;
};

}  // namespace vx::test
