// Reading a file or stream whole within a limit: what is kept, where reading stops, the reasons given.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/FileReading.h"

namespace vx {
namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The two systems spell the C library's pipe calls differently.
#ifdef _WIN32
bool MakePipe(int ends[2]) { return _pipe(ends, 4096, _O_BINARY) == 0; }
int WriteTo(int fd, const std::string& bytes) { return _write(fd, bytes.data(), static_cast<unsigned>(bytes.size())); }
void CloseFd(int fd) { _close(fd); }
#else
bool MakePipe(int ends[2]) { return ::pipe(ends) == 0; }
int WriteTo(int fd, const std::string& bytes) { return static_cast<int>(::write(fd, bytes.data(), bytes.size())); }
void CloseFd(int fd) { ::close(fd); }
#endif

// A pipe holding bytes (fewer than the pipe's buffer), its writing end closed.
File PipeHolding(const std::string& bytes) {
  int ends[2];
  if (!MakePipe(ends)) return File(nullptr, &std::fclose);
  EXPECT_EQ(WriteTo(ends[1], bytes), static_cast<int>(bytes.size()));
  CloseFd(ends[1]);
  return File(fdopen(ends[0], "rb"), &std::fclose);
}

File TemporaryHolding(const std::string& bytes) {
  File file(std::tmpfile(), &std::fclose);
  std::fwrite(bytes.data(), 1, bytes.size(), file.get());
  std::rewind(file.get());
  return file;
}

TEST(ReadAtMost, KeepsAStreamUpToTheLimitWhole) {
  for (const auto& make : {&PipeHolding, &TemporaryHolding}) {
    for (const std::string& content : {std::string(), std::string("a"), std::string(1000, 'x')}) {
      File stream = make(content);
      ASSERT_TRUE(stream);
      const ReadResult read = ReadAtMost(stream.get(), 1000);
      EXPECT_TRUE(read.ok);
      EXPECT_EQ(read.bytes, content);
    }
  }
}

TEST(ReadAtMost, StopsOneByteAfterTheLimitAndRefusesTheStream) {
  for (const auto& make : {&PipeHolding, &TemporaryHolding}) {
    File stream = make(std::string(1000, 'x') + "0123456789");
    ASSERT_TRUE(stream);
    const ReadResult read = ReadAtMost(stream.get(), 1000);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error, EFBIG);
    // Exactly one byte past the limit was taken from the stream.
    char rest[16] = {};
    EXPECT_EQ(std::fread(rest, 1, sizeof rest, stream.get()), 9u);
    EXPECT_EQ(std::string(rest, 9), "123456789");
  }
}

TEST(ReadFileAtMost, GivesTheSystemsReason) {
  struct Case {
    const char* path;
    int error;
  } cases[] = {{"/nonexistent/dir/x.txt", ENOENT}, {"/", EISDIR}, {"/dev/zero", EFBIG}};
  for (const Case& c : cases) {
    const ReadResult read = ReadFileAtMost(c.path, 1 << 20);
    EXPECT_FALSE(read.ok) << c.path;
    EXPECT_EQ(read.error, c.error) << c.path;
  }
}

}  // namespace
}  // namespace vx
