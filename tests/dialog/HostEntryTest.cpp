// The library entry's decisions, as both views take them: host call sequences on a view that records what it is asked.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "dialog/HostEntry.h"
#include "engine/HostQueries.h"
#include "engine/PointStore.h"

namespace vx::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// One host call; the calls in duringRun are made from inside the dialog's
// modal run, as a host's timer would.
struct HostCall {
  int mode;
  double height = 2.5;
  double widthFactor = 0.8;
  std::vector<HostCall> duringRun = {};
};

struct FakeDialog {
  int number = 0;  // in the order the view made them, from 1
  bool running = false;
  bool runEnded = false;
};

// A view whose dialogs only note what happens to them; the log reads as the
// sequence of what the entry asked and what each call returned.
class RecordingView final : public HostEntryView<FakeDialog> {
 public:
  bool platformReady = true;  // Prepare's answer
  bool dialogCanBeMade = true;
  bool userPressesOk = true;  // how a run ends unless the host ends it
  std::vector<std::string> log;
  int storeAfterInnerCalls = -1;  // the store's records once the calls made during the last run returned

  int Call(const HostCall& call) {
    const std::vector<HostCall>* outer = std::exchange(duringRun_, &call.duringRun);
    const int result = ShowDialogForHost(*this, call.mode, call.height, call.widthFactor);
    duringRun_ = outer;
    log.push_back("returns " + std::to_string(result));
    return result;
  }
  bool HasDialog() const { return form1_ != nullptr; }

  FakeDialog* Current() const override { return form1_; }
  bool Prepare() override {
    log.push_back("prepare");
    return platformReady;
  }
  FakeDialog* Create() override {
    if (!dialogCanBeMade) throw std::runtime_error("no window");
    made_.push_back(std::make_unique<FakeDialog>(FakeDialog{++madeCount_}));
    form1_ = made_.back().get();
    log.push_back("create " + Name(*form1_));
    return form1_;
  }
  void Forget() override { form1_ = nullptr; }
  bool Running(const FakeDialog& dialog) const override { return dialog.running; }
  bool ShowModal(FakeDialog& dialog, int mode, double, double) override {
    log.push_back("show " + Name(dialog) + " in mode " + std::to_string(mode));
    dialog.running = true;
    dialog.runEnded = false;
    gPointList.Add(0, 0, 1);  // the preview's glyph, in the store while the dialog is shown
    for (const HostCall& inner : *std::exchange(duringRun_, nullptr)) Call(inner);
    storeAfterInnerCalls = gPointList.GetCount();
    dialog.running = false;
    log.push_back("closed " + Name(dialog));
    return userPressesOk && !dialog.runEnded;
  }
  void EndRun(FakeDialog& dialog) override {
    log.push_back("end run of " + Name(dialog));
    dialog.runEnded = true;
  }
  void Destroy(FakeDialog* dialog) override {
    log.push_back("destroy " + Name(*dialog));
    std::erase_if(made_, [&](const auto& made) { return made.get() == dialog; });
  }

 private:
  static std::string Name(const FakeDialog& dialog) { return "#" + std::to_string(dialog.number); }

  FakeDialog* form1_ = nullptr;
  int madeCount_ = 0;
  std::vector<std::unique_ptr<FakeDialog>> made_;  // the dialogs not destroyed
  const std::vector<HostCall>* duringRun_ = nullptr;
};

struct EntryCase {
  const char* name;
  std::vector<HostCall> calls;
  std::vector<std::string> log;
  bool dialogAfter;  // whether Form1 refers to a dialog after the calls
};

void PrintTo(const EntryCase& c, std::ostream* out) { *out << c.name; }

class HostEntrySequence : public ::testing::TestWithParam<EntryCase> {};

TEST_P(HostEntrySequence, TakesTheEntrysDecisions) {
  const EntryCase& c = GetParam();
  RecordingView view;
  for (const HostCall& call : c.calls) view.Call(call);
  EXPECT_EQ(view.log, c.log);
  EXPECT_EQ(view.HasDialog(), c.dialogAfter);
}

const HostCall kShow{dmStandalone};
const HostCall kRelease{dmRelease};

INSTANTIATE_TEST_SUITE_P(
    HostCalls, HostEntrySequence,
    ::testing::Values(
        EntryCase{"ReleaseWithNothingShown", {kRelease, HostCall{-5}}, {"returns 0", "returns 0"}, false},
        EntryCase{"NaNHeight", {HostCall{dmHostSized, kNaN, 0.8}}, {"returns 0"}, false},
        EntryCase{"InfiniteWidthFactor", {HostCall{dmHostSized, 2.5, -kInfinity}}, {"returns 0"}, false},
        EntryCase{"NaNAfterADialogExists",
                  {kShow, HostCall{dmHostSized, 2.5, kNaN}},
                  {"prepare", "create #1", "show #1 in mode 1", "closed #1", "returns 1", "returns 0"},
                  true},
        EntryCase{"TheDefaultHostModeReadsNoNumbers",
                  {HostCall{dmHostDefault, kNaN, kInfinity}},
                  {"prepare", "create #1", "show #1 in mode -1", "closed #1", "returns 1"},
                  true},
        EntryCase{"ShowOkThenShowAgainUsesTheSameDialog",
                  {kShow, HostCall{dmHostSized}},
                  {"prepare", "create #1", "show #1 in mode 1", "closed #1", "returns 1", "prepare",
                   "show #1 in mode 0", "closed #1", "returns 1"},
                  true},
        EntryCase{"ShowThenRelease",
                  {kShow, kRelease, kRelease},
                  {"prepare", "create #1", "show #1 in mode 1", "closed #1", "returns 1", "prepare", "destroy #1",
                   "returns 0", "returns 0"},
                  false},
        EntryCase{"ReleaseThenShowMakesANewDialog",
                  {kShow, kRelease, kShow},
                  {"prepare", "create #1", "show #1 in mode 1", "closed #1", "returns 1", "prepare", "destroy #1",
                   "returns 0", "prepare", "create #2", "show #2 in mode 1", "closed #2", "returns 1"},
                  true},
        EntryCase{"ShowWhileShown",
                  {HostCall{dmStandalone, 0, 0, {HostCall{dmHostDefault}}}},
                  {"prepare", "create #1", "show #1 in mode 1", "prepare", "returns 0", "closed #1", "returns 1"},
                  true},
        EntryCase{"ReleaseDuringTheRun",
                  {HostCall{dmStandalone, 0, 0, {kRelease, kRelease}}},
                  {"prepare", "create #1", "show #1 in mode 1", "prepare", "end run of #1", "returns 0", "returns 0",
                   "closed #1", "destroy #1", "returns 0"},
                  false},
        EntryCase{"ShowAfterAReleaseDuringTheRunMakesASecondDialog",
                  {HostCall{dmStandalone, 0, 0, {kRelease, HostCall{dmHostDefault}}}},
                  {"prepare", "create #1", "show #1 in mode 1", "prepare", "end run of #1", "returns 0", "prepare",
                   "create #2", "show #2 in mode -1", "closed #2", "returns 1", "closed #1", "destroy #1", "returns 0"},
                  true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostEntry, ACancelledRunReturnsZeroAndKeepsTheDialog) {
  RecordingView view;
  view.userPressesOk = false;
  EXPECT_EQ(view.Call(kShow), 0);
  EXPECT_TRUE(view.HasDialog());
}

TEST(HostEntry, APlatformThatCannotShowMakesNothing) {
  RecordingView view;
  view.platformReady = false;
  EXPECT_EQ(view.Call(kShow), 0);
  EXPECT_EQ(view.log, (std::vector<std::string>{"prepare", "returns 0"}));
  EXPECT_FALSE(view.HasDialog());
}

TEST(HostEntry, ADialogThatCannotBeMadeReturnsZeroAndLeavesNone) {
  RecordingView view;
  view.dialogCanBeMade = false;
  EXPECT_EQ(view.Call(kShow), 0);
  EXPECT_FALSE(view.HasDialog());
  view.dialogCanBeMade = true;
  EXPECT_EQ(view.Call(kShow), 1);  // a later call tries again
  EXPECT_TRUE(view.HasDialog());
}

// The preview fills the store while the dialog is shown: a showing that
// returns 0 leaves it empty, one that returns 1 leaves the converted text,
// which a release call does not take away; a showing call refused during
// the run leaves the store to the running dialog.
TEST(HostEntry, TheStoreIsEmptyAfterAShowingThatReturnsZero) {
  const struct {
    const char* what;
    HostCall call;
    bool userPressesOk;
    int storeAfterInnerCalls;
    int storeAfter;
  } cases[] = {
      {"cancelled", kShow, false, 1, 0},
      {"OK", kShow, true, 1, 1},
      {"released during the run", HostCall{dmStandalone, 0, 0, {kRelease}}, true, 1, 0},
      {"a showing call refused during the run", HostCall{dmStandalone, 0, 0, {HostCall{dmHostDefault}}}, false, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FreePointList();
    RecordingView view;
    view.userPressesOk = c.userPressesOk;
    view.Call(c.call);
    EXPECT_EQ(view.storeAfterInnerCalls, c.storeAfterInnerCalls);
    EXPECT_EQ(gPointList.GetCount(), c.storeAfter);
    view.Call(kRelease);
    EXPECT_EQ(gPointList.GetCount(), c.storeAfter);
  }
  FreePointList();
}

}  // namespace
}  // namespace vx::test
