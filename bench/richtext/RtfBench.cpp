// Reading and writing a 1 MB RTF document of mixed runs (target: each under 100 ms).
#include <benchmark/benchmark.h>

#include <string>

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

namespace {

constexpr std::size_t kTargetBytes = 1 << 20;

// Lines of about sixty characters in alternating faces, sizes and styles, with
// Cyrillic, CJK, an emoji and symbol codes among Latin text.
vx::StyledText MixedDocument() {
  const vx::CharFormat formats[] = {
      {"Times New Roman", 24, false, false, vx::CharSet::Default},
      {"DejaVu Sans", 21, true, false, vx::CharSet::Default},
      {"Liberation Serif", 60, false, true, vx::CharSet::Default},
      {"Wingdings", 40, true, true, vx::CharSet::Symbol},
      {"Courier New", 23, true, true, vx::CharSet::Default},
  };
  const std::u16string pieces[] = {
      u"Lorem ipsum dolor sit amet, ", u"consectetur {adipiscing} elit\t", u"\u0431\u0443\u043a\u0432\u044b \u00e9\u20ac ",
      u"\u00b7\u00a8\u0021\u00fe", u"\u4e2d\u6587 \U0001F600 \\x",
  };
  vx::StyledText text;
  text.lines.clear();
  std::size_t approx = 0;
  for (std::size_t l = 0; approx < kTargetBytes * 3 / 2; ++l) {  // the estimate runs high
    vx::StyledLine line;
    for (std::size_t r = 0; r < 4; ++r) {
      const std::size_t k = (l + r * 3) % 5;
      line.runs.push_back(vx::StyledRun{pieces[k], formats[k]});
      approx += 20 + pieces[k].size() * 3;
    }
    line.endFormat = line.runs.back().format;
    text.lines.push_back(std::move(line));
  }
  return text;
}

// A document as Word writes it: every run a group with bidi and revision words, \'hh bytes.
std::string WordStyleDocument() {
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman\\fcharset204\\fprq2{\\*\\panose 02020603050405020304}"
      "Times New Roman;}{\\f1\\fnil\\fcharset2 Symbol;}{\\f2\\fswiss\\fcharset0 Arial;}}\r\n";
  while (rtf.size() < kTargetBytes) {
    rtf += "{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\b\\f0\\fs22\\insrsid1234567 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 "
           "\\'ec\\'e8\\'f0}{\\rtlch\\fcs1 \\af2 \\ltrch\\fcs0 \\f2\\fs22\\insrsid1234567 plain text, "
           "\\u8364\\'88 more}{\\f1\\u-3913\\'b7}\\par\r\n";
  }
  return rtf + "}";
}

void BM_ReadMixedRtf(benchmark::State& state) {
  const std::string rtf = vx::WriteRtf(MixedDocument());
  for (auto _ : state) {
    vx::LoadResult result = vx::ReadRtf(rtf);
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
  state.counters["rtf_bytes"] = static_cast<double>(rtf.size());
}
BENCHMARK(BM_ReadMixedRtf)->Unit(benchmark::kMillisecond);

void BM_ReadWordStyleRtf(benchmark::State& state) {
  const std::string rtf = WordStyleDocument();
  for (auto _ : state) {
    vx::LoadResult result = vx::ReadRtf(rtf);
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
  state.counters["rtf_bytes"] = static_cast<double>(rtf.size());
}
BENCHMARK(BM_ReadWordStyleRtf)->Unit(benchmark::kMillisecond);

void BM_WriteMixedRtf(benchmark::State& state) {
  const vx::StyledText text = MixedDocument();
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string rtf = vx::WriteRtf(text);
    bytes = rtf.size();
    benchmark::DoNotOptimize(rtf);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["rtf_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteMixedRtf)->Unit(benchmark::kMillisecond);

}  // namespace
