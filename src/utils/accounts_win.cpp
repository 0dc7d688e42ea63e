// Rights and accounts: WOW64, Administrators membership, console user, privilege level.
#include <windows.h>
#include <lm.h>
#include <wtsapi32.h>

#include "utils/system_queries.h"

namespace Utils {

bool IsWow64() {
  using Fn = BOOL(WINAPI*)(HANDLE, BOOL*);
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
  if (!fn) return false;
  BOOL wow = FALSE;
  if (fn(GetCurrentProcess(), &wow)) return wow != FALSE;
  SYSTEM_INFO info;
  GetNativeSystemInfo(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
         info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
}

bool IsProcessAdmin() {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID admins = nullptr;
  if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                0, &admins))
    return false;
  BOOL member = FALSE;
  BOOL ok = CheckTokenMembership(nullptr, admins, &member);
  FreeSid(admins);
  return ok && member;
}

bool GetConsoleUserName(std::wstring& name) {
  LPWSTR buffer = nullptr;
  DWORD bytes = 0;
  if (!WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, WTSGetActiveConsoleSessionId(), WTSUserName,
                                   &buffer, &bytes) ||
      !buffer)
    return false;
  name = buffer;
  WTSFreeMemory(buffer);
  return true;
}

bool IsUserAdmin(const std::wstring& userName) {
  LPBYTE info = nullptr;
  if (NetUserGetInfo(nullptr, userName.c_str(), 1, &info) != NERR_Success || !info) return false;
  bool admin = reinterpret_cast<USER_INFO_1*>(info)->usri1_priv == USER_PRIV_ADMIN;
  NetApiBufferFree(info);
  return admin;
}

}  // namespace Utils
