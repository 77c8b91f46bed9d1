// Save targets of every kind for tests: device nodes, FIFOs and pipes with readers, sockets, what a path holds.
#pragma once

#include <sys/types.h>

#include <future>
#include <string>

namespace vx::test {

// What a path holds, links not followed.
struct PathFacts {
  std::string kind;  // "regular", "symlink", "directory", "character device", "fifo", "socket", "missing"
  mode_t permissions = 0;
  nlink_t links = 0;
  ino_t inode = 0;
  uid_t owner = 0;
  dev_t deviceNumber = 0;  // a device node's
};
PathFacts FactsAt(const std::string& path);

// Makes a character device node at path with model's numbers (say, those of
// /dev/null). Returns false where the process may not make device nodes.
bool MakeDeviceLike(const std::string& path, const std::string& model);

// Makes a Unix-domain socket's file at path.
void MakeSocketFile(const std::string& path);

// Everything written into a FIFO (opened for reading on a thread of its own)
// or read end of a pipe (closed at its end), until end of file.
std::future<std::string> ReadFifoInBackground(const std::string& path);
std::future<std::string> ReadPipeInBackground(int readEnd);

}  // namespace vx::test
