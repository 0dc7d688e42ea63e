#include <windows.h>
#include <objbase.h>
#include <urlmon.h>

#include "download/bind_callback_win.h"
#include "download/win_downloader.h"
#include "utils/debug_log.h"
#include "utils/text.h"

namespace {

const wchar_t kSourceText[] = L"URLDownloadToFile";

// COM for the worker thread, released on every way out.
class ComApartment {
 public:
  ComApartment() : hr_(CoInitialize(nullptr)) {}
  ~ComApartment() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT hr_;
};

}  // namespace

CWinDownloader::CWinDownloader(StatusCallback callback_, std::wstring url_, std::wstring path_)
    : bindCallback(std::make_unique<CBindCallback>()),
      callback(std::move(callback_)),
      path(std::move(path_)),
      url(std::move(url_)),
      worker(this, L"ABDEF", &CWinDownloader::DownloadBody) {}

CWinDownloader::~CWinDownloader() {
  bindCallback->Abort();
  worker.Join();
}

void CWinDownloader::Start() {
  bindCallback->SetStatusCallback(callback);
  worker.Start();
}

std::wstring CWinDownloader::SystemAddress(const std::wstring& address) {
  if (address.compare(0, 8, L"file:///") == 0) return address;
  return Utils::UrlEscape(address);
}

uint32_t CWinDownloader::DownloadBody(void* self) {
  static_cast<CWinDownloader*>(self)->Run();
  return 0;
}

void CWinDownloader::Run() {
  ComApartment com;
  if (callback) callback(DL_CODE_START, 1.0, L"");
  const std::wstring address = SystemAddress(url);
  HRESULT hr = E_FAIL;
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    hr = URLDownloadToFileW(nullptr, address.c_str(), path.c_str(), 0, bindCallback.get());
    if (SUCCEEDED(hr)) {
      if (callback) callback(DL_CODE_SUCCESS, 0.0, kSourceText);
      return;
    }
    DEBUG_PRINT(L"URLDownloadToFileW attempt %d: 0x%08lX\r\n", attempt, static_cast<unsigned long>(hr));
    Sleep(kRetryPauseMs);
  }
  if (callback) callback(DL_CODE_FAIL, static_cast<double>(static_cast<int32_t>(hr)), kSourceText);
}
