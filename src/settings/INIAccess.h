// Single-key access to a private profile (INI) file through the Windows profile functions.
// One object serves one file and remembers the section last used.
#pragma once
#include <string>

class INIAccess {
public:
  std::wstring FileName;
  std::wstring Section;

  void SetAppPathFilename(const std::wstring& strFileName);
  // The value, at most 255 cp932 bytes of it; empty for a missing file, section or key.
  std::wstring GetINIData(const std::wstring& strKey, const std::wstring& strSection);
  bool SetINIData(const std::wstring& strKey, const std::wstring& strData, const std::wstring& strSection);

private:
  static bool FileExists(const std::wstring& path);
};
