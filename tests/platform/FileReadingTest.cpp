// Reading a file or stream whole within a limit: what is kept, where reading stops, the reasons given.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/FileReading.h"

namespace vx {
namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// A pipe holding bytes (fewer than the pipe's buffer), its writing end closed.
File PipeHolding(const std::string& bytes) {
  int ends[2];
  if (::pipe(ends) != 0) return File(nullptr, &std::fclose);
  EXPECT_EQ(::write(ends[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  ::close(ends[1]);
  return File(::fdopen(ends[0], "rb"), &std::fclose);
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
      std::string bytes = "stale";
      int error = 0;
      EXPECT_TRUE(ReadAtMost(stream.get(), 1000, bytes, error));
      EXPECT_EQ(bytes, content);
    }
  }
}

TEST(ReadAtMost, StopsOneByteAfterTheLimitAndRefusesTheStream) {
  for (const auto& make : {&PipeHolding, &TemporaryHolding}) {
    File stream = make(std::string(1000, 'x') + "0123456789");
    ASSERT_TRUE(stream);
    std::string bytes;
    int error = 0;
    EXPECT_FALSE(ReadAtMost(stream.get(), 1000, bytes, error));
    EXPECT_EQ(error, EFBIG);
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
    std::string bytes;
    int error = 0;
    EXPECT_FALSE(ReadFileAtMost(c.path, 1 << 20, bytes, error)) << c.path;
    EXPECT_EQ(error, c.error) << c.path;
  }
}

}  // namespace
}  // namespace vx
