#include <gtest/gtest.h>

#include "ui/main/status_action.h"

namespace {

using namespace MainWindow;

TEST(StatusActionTable, EveryCodeOfThePipeline) {
  struct Row {
    int code;
    StatusAction action;
  };
  const Row rows[] = {
      {1001, StatusAction::DownloadStarted},    {1002, StatusAction::DownloadProgress},
      {1003, StatusAction::DownloadDone},       {1004, StatusAction::DownloadFailed},
      {1005, StatusAction::None},               {1006, StatusAction::FailureReason},
      {2001, StatusAction::PackageStarted},     {2002, StatusAction::PackageProgress},
      {2003, StatusAction::Installed},          {2004, StatusAction::InstallFailed},
      {3000, StatusAction::SetInstallFolder},   {3001, StatusAction::SetProgramPath},
      {3002, StatusAction::None},               {3003, StatusAction::SetUninstallRecord},
      {3004, StatusAction::SetStartAddress},    {3005, StatusAction::SetStartupStyle},
      {3006, StatusAction::None},               {3007, StatusAction::SetBringForwardDelay},
      {3008, StatusAction::SetAutoCloseDelay},  {3009, StatusAction::ShowPackageMessage},
      {5001, StatusAction::None},               {5002, StatusAction::None},
      {5003, StatusAction::None},               {5004, StatusAction::UninstallFailed},
      {5005, StatusAction::UninstallFailed},    {0, StatusAction::None},
      {-1, StatusAction::None},                 {9999, StatusAction::None},
  };
  for (const Row& row : rows) EXPECT_EQ(ActionForStatus(row.code), row.action) << row.code;
}

TEST(StartRules, RetryFreeSpaceNetworkAndStartAddress) {
  EXPECT_EQ(RetryTargetForPage(0), RetryTarget::DefaultFolder);
  EXPECT_EQ(RetryTargetForPage(1), RetryTarget::TypedFolder);
  EXPECT_EQ(RetryTargetForPage(2), RetryTarget::None);
  EXPECT_EQ(RetryTargetForPage(3), RetryTarget::None);

  EXPECT_TRUE(EnoughFreeSpace(1073741824ull));
  EXPECT_FALSE(EnoughFreeSpace(1073741823ull));
  EXPECT_TRUE(EnoughFreeSpace(500ull * 1073741824ull));
  EXPECT_FALSE(EnoughFreeSpace(0));

  EXPECT_FALSE(IsPoorNetwork(0));
  EXPECT_FALSE(IsPoorNetwork(0xFFFF));  // connectivity flags only
  EXPECT_TRUE(IsPoorNetwork(65536));
  EXPECT_TRUE(IsPoorNetwork(0x20000));

  EXPECT_FALSE(OpensStartAddress(0));
  EXPECT_FALSE(OpensStartAddress(5));
  EXPECT_TRUE(OpensStartAddress(6));
}

}  // namespace
