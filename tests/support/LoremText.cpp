// The standard text of the benchmarks and tests: about 20,000 characters of Lorem ipsum, made by a fixed generator.
#include "tests/support/LoremText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace vx::test {
namespace {

constexpr std::size_t kTextBytes = 20000;
constexpr std::size_t kLineWidth = 60;

constexpr std::string_view kClassic =
    "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor incididunt ut labore et "
    "dolore magna aliqua. Ut enim ad minim veniam, quis nostrud exercitation ullamco laboris nisi ut aliquip "
    "ex ea commodo consequat. Duis aute irure dolor in reprehenderit in voluptate velit esse cillum dolore eu "
    "fugiat nulla pariatur. Excepteur sint occaecat cupidatat non proident, sunt in culpa qui officia deserunt "
    "mollit anim id est laborum.";

constexpr std::array<std::string_view, 63> kWords = {
    "lorem",     "ipsum",      "dolor",   "sit",       "amet",      "consectetur", "adipiscing", "elit",
    "sed",       "do",         "eiusmod", "tempor",    "incididunt", "ut",         "labore",     "et",
    "dolore",    "magna",      "aliqua",  "enim",      "ad",        "minim",       "veniam",     "quis",
    "nostrud",   "exercitation", "ullamco", "laboris", "nisi",      "aliquip",     "ex",         "ea",
    "commodo",   "consequat",  "duis",    "aute",      "irure",     "in",          "reprehenderit", "voluptate",
    "velit",     "esse",       "cillum",  "eu",        "fugiat",    "nulla",       "pariatur",   "excepteur",
    "sint",      "occaecat",   "cupidatat", "non",     "proident",  "sunt",        "culpa",      "qui",
    "officia",   "deserunt",   "mollit",  "anim",      "id",        "est",         "laborum"};

// Lays words into lines of at most kLineWidth characters, paragraph by
// paragraph, and stops before the text would pass kTextBytes.
class Writer {
 public:
  // False (and nothing added) when the word no longer fits in the text.
  bool Add(std::string_view word) {
    const bool onThisLine = line_ != 0 && line_ + 1 + word.size() <= kLineWidth;
    const std::string_view before = line_ == 0 ? "" : onThisLine ? " " : "\n";
    if (text_.size() + before.size() + word.size() + 1 > kTextBytes) return false;  // + 1: the last line break
    text_ += before;
    text_ += word;
    line_ = (onThisLine ? line_ + 1 : 0) + word.size();
    return true;
  }
  void EndParagraph() {
    if (line_ == 0) return;
    text_ += '\n';
    line_ = 0;
  }
  std::string Finish() {
    EndParagraph();
    return std::move(text_);
  }

 private:
  std::string text_;
  std::size_t line_ = 0;  // characters on the current line
};

// One sentence of 6 to 16 words, capitalised, with an occasional comma.
std::string Sentence(std::minstd_rand& random) {
  const std::size_t words = 6 + random() % 11;
  std::string sentence;
  for (std::size_t w = 0; w < words; ++w) {
    if (w > 0) sentence += random() % 16 == 0 ? ", " : " ";
    sentence += kWords[random() % kWords.size()];
  }
  sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
  return sentence + ".";
}

// Adds the words of text, all or (when they no longer fit) none.
bool AddWords(Writer& writer, std::string_view text) {
  Writer extended = writer;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(' '), text.size());
    if (!extended.Add(text.substr(0, end))) return false;
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  writer = std::move(extended);
  return true;
}

}  // namespace

std::string LoremText() {
  std::minstd_rand random(20000);  // a standard engine with a fixed seed: the same numbers everywhere
  Writer writer;
  bool room = AddWords(writer, kClassic);
  while (room) {
    writer.EndParagraph();
    const std::size_t sentences = 2 + random() % 3;
    for (std::size_t s = 0; s < sentences && room; ++s) room = AddWords(writer, Sentence(random));
  }
  return writer.Finish();
}

}  // namespace vx::test
