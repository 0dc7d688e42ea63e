// CWinDownloader::CBindCallback: the status callback object of one system transfer.
// It is not reference counted: it lives inside its CWinDownloader, and the system only
// calls it during the synchronous URLDownloadToFileW on the downloader's worker thread.
#pragma once
#include <windows.h>
#include <urlmon.h>

#include <atomic>

#include "download/win_downloader.h"

class CWinDownloader::CBindCallback : public IBindStatusCallbackEx {
 public:
  CBindCallback() = default;
  CBindCallback(const CBindCallback&) = delete;
  CBindCallback& operator=(const CBindCallback&) = delete;

  // Set by Start before the worker runs.
  void SetStatusCallback(StatusCallback callback) { statusCallback = std::move(callback); }
  // Makes the next progress call cancel the transfer. Any thread.
  void Abort() { aborted = true; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD reserved, IBinding* binding) override;
  HRESULT STDMETHODCALLTYPE GetPriority(LONG* priority) override;
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD reserved) override;
  // Reports 1002 with progress / maximum; no report while the total is unknown (0).
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG maximum, ULONG statusCode, LPCWSTR statusText) override;
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT result, LPCWSTR error) override;
  // Asks for UTF-8 (code page 65001) addresses.
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO* info) override;
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD flags, DWORD size, FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID riid, IUnknown* object) override;
  HRESULT STDMETHODCALLTYPE GetBindInfoEx(DWORD* flags, BINDINFO* info, DWORD* flags2, DWORD* reserved) override;

  virtual ~CBindCallback();

 private:
  StatusCallback statusCallback;
  std::atomic<bool> aborted{false};
  IBinding* binding = nullptr;  // not owned (the interface is not reference counted here)
};
