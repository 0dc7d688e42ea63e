#include <windows.h>
#include <netlistmgr.h>

#include "utils/debug_log.h"
#include "utils/system_queries.h"

namespace Utils {

uint32_t CheckNetwork() {
  INetworkListManager* manager = nullptr;
  if (FAILED(CoCreateInstance(CLSID_NetworkListManager, nullptr, CLSCTX_ALL, IID_INetworkListManager,
                              reinterpret_cast<void**>(&manager))) ||
      !manager)
    return 0;
  NLM_CONNECTIVITY flags = NLM_CONNECTIVITY_DISCONNECTED;
  uint32_t verdict = 0;
  manager->GetConnectivity(&flags);
  if (flags == 0) {
    DEBUG_PRINT(L"GetConnectivity %d", static_cast<int>(flags));
    verdict = 1;
  } else {
    VARIANT_BOOL connected = VARIANT_FALSE;
    manager->IsConnectedToInternet(&connected);
    if (connected == VARIANT_FALSE) {
      DEBUG_PRINT(L"get_IsConnectedToInternet:%d", static_cast<int>(connected));
      verdict = 2;
    }
  }
  manager->Release();
  CoFreeUnusedLibraries();
  return (static_cast<uint32_t>(flags) & 0xFFFF) | (verdict << 16);
}

}  // namespace Utils
