// The name of the Windows family from the numbers that GetVersionEx reports.
#pragma once
#include <cstdint>
#include <string_view>

namespace OSName {

// dwPlatformId values.
inline constexpr uint32_t kWin32s = 0, kWin32Windows = 1, kWin32NT = 2;

// "WinNT" for the NT family; "Win95", "Win98" or "WinMe" for the 95 family (4.0, 4.10, 4.90);
// "Win3.1 " (with its blank) for Win32s; empty for any other platform.
std::wstring_view FromVersion(uint32_t platformId, uint32_t major, uint32_t minor);

}  // namespace OSName
