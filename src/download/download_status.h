// The status callback through which every downloader tells its owner what happens,
// and the download status codes it carries. The orchestrator forwards each call to the
// main window; calls arrive on the downloaders' worker threads.
#pragma once
#include <functional>
#include <string>

// Guarded so that the pipeline's own declaration of the same callback type and codes
// can take over: whichever header comes first defines them.
#ifndef QZ_STATUS_CALLBACK_DEFINED
#define QZ_STATUS_CALLBACK_DEFINED
// (code, value, text). The text is valid only during the call. Called from worker
// threads, so the receiver must be thread-safe.
using StatusCallback = std::function<void(int code, double value, const std::wstring& text)>;
#endif

#ifndef QZ_DOWNLOAD_STATUS_CODES_DEFINED
#define QZ_DOWNLOAD_STATUS_CODES_DEFINED
enum DownloadStatusCode : int {
  DL_CODE_START = 1001,
  DL_CODE_PROGRESS = 1002,
  DL_CODE_SUCCESS = 1003,
  DL_CODE_FAIL = 1004,
  DL_CODE_RETRY = 1005,
  DL_CODE_REASON = 1006,
};
#endif
