#include "install/uninstall_runner.h"

#include <utility>

#include "install/child_output_pump.h"
#include "install/child_status_parser.h"
#include "install/status_codes.h"
#include "utils/debug_log.h"
#include "utils/profile.h"
#include "utils/system_queries.h"

namespace {
const wchar_t* Flag(bool on) { return on ? L"true" : L"false"; }

bool ConsoleUserIsAdmin() {
  std::wstring name;
  return Utils::GetConsoleUserName(name) && Utils::IsUserAdmin(name);
}
}  // namespace

UninstallRunner::UninstallRunner(StatusCallback callback, std::wstring uninstallerPath, std::wstring workDir)
    : callback_(std::move(callback)), uninstallerPath_(std::move(uninstallerPath)), workDir_(std::move(workDir)) {}

UninstallRunner::~UninstallRunner() {
  // The worker uses process_ and callback_, so it must end before they go.
  worker_.reset();
}

void UninstallRunner::Report(int code, double value, const std::wstring& text) const {
  if (callback_) callback_(code, value, text);
}

std::wstring UninstallRunner::BuildCommandLine(const std::wstring& uninstallerPath, bool userAdmin,
                                               bool processAdmin, const std::wstring& workDir) {
  // Longer than the child's 1023-character buffer: ChildProcess::Start refuses it
  // whole rather than running the uninstaller on a cut-off folder.
  return uninstallerPath + L" /S -adminact=" + Flag(userAdmin) + L" -authorizationact=" + Flag(processAdmin) +
         L" -console=show _?=" + workDir;
}

void UninstallRunner::Start() {
  worker_.reset();
  commandLine_ = BuildCommandLine(uninstallerPath_, ConsoleUserIsAdmin(), Utils::IsProcessAdmin(), workDir_);
  std::wstring line = commandLine_;
  worker_ = std::make_unique<Utils::Thread>(nullptr, L"UnInstaller", [this, line](void*) -> uint32_t {
    Run(line);
    return 0;
  });
  if (!worker_->Start()) {
    DEBUG_PRINT(L"no worker thread\r\n");
    worker_.reset();
    Report(UNIST_CODE_FAIL, 2.0, std::wstring());
  }
}

void UninstallRunner::Run(const std::wstring& commandLine) {
  if (!Utils::FileExists(uninstallerPath_)) {
    Report(UNIST_CODE_FAIL, 1.0, L"可执行卸载文件不存在");
    return;
  }
  Report(UNIST_CODE_PROGRESS, 0.0, std::wstring());
  process_ = std::make_unique<Utils::ChildProcess>();
  try {
    process_->CreatePipes();
    process_->Start(commandLine);
  } catch (const Utils::Exception&) {
    process_.reset();
    Report(UNIST_CODE_FAIL, 2.0, std::wstring());
    return;
  }
  ChildStatusParser parser(ChildStatusTable::Uninstaller, callback_);
  // Any verdict line (even "State=Success") takes the place of the final report.
  bool ok = true;
  while (process_->ExitCode() == Utils::ChildProcess::kStillActive) {
    ChildOutputPump::ReadResult r = ChildOutputPump::ReadChunk(*process_, parser);
    if (r.verdict != ChildStatusParser::kNoVerdict) ok = false;
    if (r.ended) break;
  }
  if (ChildOutputPump::DrainExited(*process_, parser) != ChildStatusParser::kNoVerdict) ok = false;
  process_->Wait();
  process_.reset();
  if (ok) Report(UNIST_CODE_SUCCESS, 1.0, std::wstring());
}
