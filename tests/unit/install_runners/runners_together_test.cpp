// Both runners with children running at the same time, each reporting from its
// own worker thread into one receiver; each run ends when its own child does.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "install/package_runner.h"
#include "install/status_codes.h"
#include "install/uninstall_runner.h"
#include "support/fake_children.h"
#include "support/status_recorder.h"

namespace {

using FakeChildren::Wide;

std::vector<Status> Only(const std::vector<Status>& all, int low, int high) {
  std::vector<Status> out;
  std::copy_if(all.begin(), all.end(), std::back_inserter(out),
               [&](const Status& s) { return s.code >= low && s.code <= high; });
  return out;
}

TEST(Runners, RunAtTheSameTime) {
  // The uninstaller outlives the package by far: the package run must not wait for it.
  FakeChildren::UseScript("QZ_FAKE_PACKAGE_SCRIPT", "together_package.script",
                          "chunk 3 1\nline Progress=50\nline InstPath=C:\\\\Q\n");
  FakeChildren::UseScript("QZ_FAKE_UNINSTALLER_SCRIPT", "together_uninstaller.script",
                          "line Progress=10\nsleep 3000\nline Progress=90\n");
  StatusRecorder rec;
  UninstallRunner uninstall(rec.Callback(), Wide(FakeChildren::Path("qz_fake_uninstaller")),
                            Wide(TestEnv::TmpDir()));
  PackageRunner package(rec.Callback(), L"\"" + Wide(FakeChildren::Path("qz_fake_package")) + L"\"", L"", true,
                        false, true);
  uninstall.Start();
  package.Start();
  ASSERT_TRUE(rec.WaitForCode({INSTALL_SUCCESS}, std::chrono::seconds(60)));
  EXPECT_TRUE(Only(rec.Snapshot(), 5000, 5999).size() < 3u) << "the package run waited for the uninstaller";
  ASSERT_TRUE(rec.WaitForCode({UNIST_CODE_SUCCESS}, std::chrono::seconds(60)));
  std::vector<Status> all = rec.Snapshot();
  EXPECT_EQ(Only(all, 2000, 3999),
            (std::vector<Status>{{IST_CODE_START, 0.0, L""}, {IST_CODE_PROGRESS, 0.0, L""},
                                 {IST_CODE_PROGRESS, 50.0, L""}, {IST_INFO_INSTPATH, 0.0, L"C:\\Q"},
                                 {INSTALL_SUCCESS, 1.0, L""}}));
  EXPECT_EQ(Only(all, 5000, 5999),
            (std::vector<Status>{{UNIST_CODE_PROGRESS, 0.0, L""}, {UNIST_CODE_PROGRESS, 10.0, L""},
                                 {UNIST_CODE_PROGRESS, 90.0, L""}, {UNIST_CODE_SUCCESS, 1.0, L""}}));
}

}  // namespace
