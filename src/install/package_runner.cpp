#include "install/package_runner.h"

#include <chrono>
#include <thread>
#include <utility>

#include "app/installer_config.h"
#include "install/child_output_pump.h"
#include "install/child_status_parser.h"
#include "install/status_codes.h"
#include "utils/debug_log.h"

namespace {
const wchar_t* Flag(bool on) { return on ? L"true" : L"false"; }
}  // namespace

PackageRunner::PackageRunner(StatusCallback callback, std::wstring packageCommand, std::wstring installDir,
                             bool desktopShortcut, bool quickLaunch, bool adminAct, bool authorizationAct)
    : callback_(std::move(callback)),
      packageCommand_(std::move(packageCommand)),
      installDir_(std::move(installDir)),
      quickLaunch_(quickLaunch),
      desktopShortcut_(desktopShortcut),
      adminAct_(adminAct),
      authorizationAct_(authorizationAct) {}

PackageRunner::~PackageRunner() {
  // The worker uses process_ and callback_, so it must end before they go.
  worker_.reset();
}

void PackageRunner::Report(int code, double value, const std::wstring& text) const {
  if (callback_) callback_(code, value, text);
}

std::wstring PackageRunner::BuildCommandLine(const std::wstring& instCmd) const {
  std::wstring line = packageCommand_ + L" /S -console=show -version=1.0.0";
  line += std::wstring(L" -adminact=") + Flag(adminAct_);
  line += std::wstring(L" -authorizationact=") + Flag(authorizationAct_);
  line += std::wstring(L" -dsc=") + Flag(desktopShortcut_);
  line += std::wstring(L" -ssc=") + Flag(quickLaunch_);
  if (!instCmd.empty()) line += L" " + instCmd;
  // NSIS takes /D= as the rest of the line, so it stays last and unquoted.
  if (!installDir_.empty()) line += L" -instdir=\"" + installDir_ + L"\" /D=" + installDir_;
  return line;
}

void PackageRunner::Start() {
  worker_.reset();
  commandLine_ = BuildCommandLine(InstallerConfig::Get().InstCmd);
  std::wstring line = commandLine_;
  worker_ = std::make_unique<Utils::Thread>(nullptr, L"ABDEF", [this, line](void*) -> uint32_t {
    Run(line);
    return 0;
  });
  if (!worker_->Start()) {
    DEBUG_PRINT(L"no worker thread\r\n");
    worker_.reset();
    Report(IST_CODE_FAIL, 2.0, std::wstring());
  }
}

void PackageRunner::Run(const std::wstring& commandLine) {
  Report(IST_CODE_START, 0.0, std::wstring());
  Report(IST_CODE_PROGRESS, 0.0, std::wstring());
  process_ = std::make_unique<Utils::ChildProcess>();
  try {
    process_->CreatePipes();
    process_->Start(commandLine);
  } catch (const Utils::Exception&) {
    process_.reset();
    Report(IST_CODE_FAIL, 2.0, std::wstring());
    return;
  }
  ChildStatusParser parser(ChildStatusTable::Package, callback_);
  bool verdict = false;
  while (true) {
    if (process_->ExitCode() != Utils::ChildProcess::kStillActive) {
      verdict = ChildOutputPump::DrainExited(*process_, parser) != ChildStatusParser::kNoVerdict;
      break;
    }
    ChildOutputPump::ReadResult r = ChildOutputPump::ReadChunk(*process_, parser);
    if (r.verdict != ChildStatusParser::kNoVerdict) {
      verdict = true;
      break;
    }
    if (r.ended) {
      verdict = parser.Finish() != ChildStatusParser::kNoVerdict;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  if (verdict) ChildOutputPump::DiscardUntilExit(*process_);
  process_->Wait();
  process_.reset();
  // The exit code is not examined: without a verdict the run counts as a success.
  if (!verdict) Report(INSTALL_SUCCESS, 1.0, std::wstring());
}
