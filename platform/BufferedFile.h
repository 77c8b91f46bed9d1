// A file written through a text buffer: pieces of about a megabyte go to an OutputFile.
#pragma once

#include <string>

#include "platform/OutputFile.h"

namespace vx {

// Writers append their text to buffer() and call WriteIfFull now and then;
// the file then gets a few large writes, and a large drawing is never held
// whole in memory. Open, WriteIfFull and Commit return false with the
// system's reason on failure; a file given up without a successful Commit
// is abandoned as OutputFile abandons it.
class BufferedFile {
 public:
  bool Open(const std::string& path, std::string& error);
  std::string& buffer() { return buffer_; }
  // Writes the buffer out once it holds a megabyte or more.
  bool WriteIfFull(std::string& error);
  // Writes the rest and puts the file in place.
  bool Commit(std::string& error);

 private:
  OutputFile file_;
  std::string buffer_;
};

}  // namespace vx
