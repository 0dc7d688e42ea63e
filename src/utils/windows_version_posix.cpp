// The native build runs on no Windows version; it names the numbers of Windows 10.
#include "utils/windows_version.h"

namespace Utils {

WindowsVersion GetWindowsVersionName() { return {L"Windows", WindowsVersionName(10, 0, 19045, false)}; }

}  // namespace Utils
