// INIAccess: single keys of a private profile file, through the ANSI profile functions, since
// TeraPad's settings file is cp932 text.
#include "settings/INIAccess.h"

#include <windows.h>
#include <shlwapi.h>

#include <string_view>

#include "common/Ansi.h"

namespace {

// Text handed to the profile functions must come back unchanged from the ANSI code page: a
// character with no cp932 form would arrive as '?' and name another file, section or key, or
// store another value; a NUL would cut it short.
bool SurvivesAnsi(const std::wstring& s) {
  return s.find(L'\0') == std::wstring::npos && FromAnsi(ToAnsi(s)) == s;
}

// A line break would end the line inside the file and start a forged one.
bool FitsOneLine(const std::wstring& s) { return s.find_first_of(L"\r\n") == std::wstring::npos; }

}  // namespace

void INIAccess::SetAppPathFilename(const std::wstring& strFileName) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return;
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  // Keeping the folder's closing backslash gives "C:\name" in a drive's root and
  // "C:\folder\name" elsewhere: one backslash either way.
  FileName = path.substr(0, path.find_last_of(L'\\') + 1) + strFileName;
}

std::wstring INIAccess::GetINIData(const std::wstring& strKey, const std::wstring& strSection) {
  if (FileName.empty()) return {};
  if (strSection.empty() && Section.empty()) return {};
  if (!FileExists(FileName)) return {};
  if (!SurvivesAnsi(strKey) || !SurvivesAnsi(strSection)) return {};
  if (!strSection.empty()) Section = strSection;

  // Kept at 256 on purpose: a longer value comes back cut to its first 255 bytes, as it always
  // has (nothing read from TeraPad's settings is that long). Zero-filled, so that the text always
  // ends in the buffer, whatever the function leaves in the bytes after a value it had to cut.
  char buffer[256] = {};
  const DWORD n = GetPrivateProfileStringA(ToAnsi(Section).c_str(), ToAnsi(strKey).c_str(), "", buffer,
                                           sizeof buffer, ToAnsi(FileName).c_str());
  if (n == 0) return {};
  return FromAnsi(std::string_view(buffer));
}

bool INIAccess::SetINIData(const std::wstring& strKey, const std::wstring& strData,
                           const std::wstring& strSection) {
  if (FileName.empty()) return false;
  if (strSection.empty() && Section.empty()) return false;
  if (!SurvivesAnsi(FileName) || !SurvivesAnsi(strKey) || !SurvivesAnsi(strData) || !SurvivesAnsi(strSection))
    return false;
  // An "=" in a key would move the rest of the key into the value when the file is read.
  if (!FitsOneLine(strKey) || !FitsOneLine(strData) || !FitsOneLine(strSection) ||
      strKey.find(L'=') != std::wstring::npos)
    return false;
  if (!strSection.empty()) Section = strSection;

  return WritePrivateProfileStringA(ToAnsi(Section).c_str(), ToAnsi(strKey).c_str(), ToAnsi(strData).c_str(),
                                    ToAnsi(FileName).c_str()) != 0;
}

bool INIAccess::FileExists(const std::wstring& path) {
  return SurvivesAnsi(path) && PathFileExistsA(ToAnsi(path).c_str()) != 0;
}
