#include <gtest/gtest.h>

#include "ui/main/failure_report.h"

namespace {

using namespace MainWindow;

TEST(FailureReport, DownloadReportNamesCodeMessageDiskAccessAndNetwork) {
  struct Case {
    DownloadFailureFacts facts;
    std::wstring expected;
  };
  const Case cases[] = {
      {{28.0, L"LibCurl", 5368709120ull, true, 0},
       L"1.code=28；2.msg=LibCurl；3.缓存磁盘容量=5.00G；4.缓存读写权限=可读；5.服务器连接状态code=0"},
      {{-2147012889.9, L"URLDownloadToFile", 1610612736ull, false, 65536},
       L"1.code=-2147012889；2.msg=URLDownloadToFile；3.缓存磁盘容量=1.50G；4.缓存读写权限=无权限；"
       L"5.服务器连接状态code=65536"},
      {{0.0, L"", 0, false, 0x80000000u},
       L"1.code=0；2.msg=；3.缓存磁盘容量=0.00G；4.缓存读写权限=无权限；5.服务器连接状态code=-2147483648"},
  };
  for (const Case& c : cases) EXPECT_EQ(DownloadFailureReport(c.facts), c.expected);
}

TEST(FailureReport, ShortReportAndTheTwoHundredCharacterCap) {
  EXPECT_EQ(ShortFailureReport(1000.0, L"安装包安装失败"), L":1.code=1000；2.msg=安装包安装失败");
  EXPECT_EQ(ShortFailureReport(2.7, L""), L":1.code=2；2.msg=");

  const std::wstring longText(500, L'e');
  const std::wstring shortReport = ShortFailureReport(1.0, longText);
  ASSERT_EQ(shortReport.size(), kFailureReportCapacity - 1);
  EXPECT_EQ(shortReport.substr(0, 16), L":1.code=1；2.msg=");
  EXPECT_EQ(shortReport.back(), L'e');

  DownloadFailureFacts facts;
  facts.statusText = longText;
  const std::wstring report = DownloadFailureReport(facts);
  ASSERT_EQ(report.size(), kFailureReportCapacity - 1);
  EXPECT_EQ(report.find(L"3.缓存"), std::wstring::npos);  // the tail is what the cap cuts
}

}  // namespace
