#include "bridge/logic/OSName.h"

namespace OSName {

std::wstring_view FromVersion(uint32_t platformId, uint32_t major, uint32_t minor) {
  switch (platformId) {
    case kWin32s: return L"Win3.1 ";
    case kWin32NT: return L"WinNT";
    case kWin32Windows:
      if (major < 4) return L"Win95";
      if (minor >= 90) return L"WinMe";
      if (minor > 0) return L"Win98";
      return L"Win95";
    default: return {};
  }
}

}  // namespace OSName
