// A CAD host's view: load the shared library by file name and walk the store by exported names.
#include "tests/host/HostLoad.h"

namespace vx::host {
namespace {

TEST_F(HostLoad, NineQueriesResolveByTheirPlainNames) {
  for (const char* name : {"GetTTFCount", "GetFirstTTFPoint", "GetNextTTFPoint", "GetStrokeCount", "GetTTFWidth",
                           "GetTTFHeight", "GetTTFLeft", "GetTTFBottom", "FreePointList"}) {
    EXPECT_NE(Find(name), nullptr) << name;
  }
}

TEST_F(HostLoad, EmptyStoreAnswersNullAndZeroBeforeAndAfterFree) { ExpectEmptyStore(); }

// The dialog entry and the window references are exported only under their
// underscored names.
TEST_F(HostLoad, InternalNamesStayHidden) {
  for (const char* name : {"gPointList", "gCursor", "gPrecision", "SetPrecision", "FixedToDouble", "ShowTTFTextDlg",
                           "Form1"}) {
    EXPECT_EQ(Find(name), nullptr) << name;
  }
}

}  // namespace
}  // namespace vx::host
