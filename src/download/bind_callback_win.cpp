#include "download/bind_callback_win.h"

CWinDownloader::CBindCallback::~CBindCallback() { aborted = true; }

HRESULT CWinDownloader::CBindCallback::QueryInterface(REFIID, void** object) {
  if (object) *object = nullptr;
  return E_NOTIMPL;
}
ULONG CWinDownloader::CBindCallback::AddRef() { return 0; }
ULONG CWinDownloader::CBindCallback::Release() { return 0; }

HRESULT CWinDownloader::CBindCallback::OnStartBinding(DWORD, IBinding* b) {
  binding = b;
  return E_NOTIMPL;
}
HRESULT CWinDownloader::CBindCallback::GetPriority(LONG*) { return E_NOTIMPL; }
HRESULT CWinDownloader::CBindCallback::OnLowResource(DWORD) { return E_NOTIMPL; }

HRESULT CWinDownloader::CBindCallback::OnProgress(ULONG progress, ULONG maximum, ULONG, LPCWSTR) {
  if (aborted) return E_ABORT;
  if (maximum == 0) return S_OK;
  if (statusCallback)
    statusCallback(DL_CODE_PROGRESS, static_cast<double>(progress) / static_cast<double>(maximum), L"");
  return S_OK;
}

HRESULT CWinDownloader::CBindCallback::OnStopBinding(HRESULT, LPCWSTR) { return E_NOTIMPL; }

HRESULT CWinDownloader::CBindCallback::GetBindInfo(DWORD*, BINDINFO* info) {
  if (info) info->dwCodePage = 65001;
  return E_NOTIMPL;
}
HRESULT CWinDownloader::CBindCallback::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }
HRESULT CWinDownloader::CBindCallback::OnObjectAvailable(REFIID, IUnknown*) { return E_NOTIMPL; }
HRESULT CWinDownloader::CBindCallback::GetBindInfoEx(DWORD*, BINDINFO*, DWORD*, DWORD*) { return E_NOTIMPL; }
