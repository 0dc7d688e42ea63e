// The downloader a DownloadType selects. The system downloader exists only in the
// Windows build; the native test build gives the single-stream one for type 2.
#include "download/curl_downloader.h"
#include "download/mt_curl_downloader.h"
#include "install/download_installer.h"
#ifdef _WIN32
#include "download/win_downloader.h"
#endif

std::unique_ptr<CDownloader> CDownloadInstaller::MakeDownloader(int downloadType, StatusCallback callback,
                                                                const std::wstring& url, const std::wstring& path) {
#ifdef _WIN32
  if (downloadType == 2) return std::make_unique<CWinDownloader>(std::move(callback), url, path);
#endif
  if (downloadType == 3) return std::make_unique<CMTCurlDownloader>(std::move(callback), url, path);
  return std::make_unique<CCurlDownloader>(std::move(callback), url, path);
}
