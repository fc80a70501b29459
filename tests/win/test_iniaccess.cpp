// INIAccess against real files under Wine (code page 932): what it reads from files written
// byte for byte, what it writes, and where SetAppPathFilename points.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "app/logic/CommandLine.h"
#include "settings/INIAccess.h"

namespace {

constexpr wchar_t kProbeSwitch[] = L"--app-path-probe";

// Started as "<copy of this program> --app-path-probe <name> <result file>", the program only
// writes what SetAppPathFilename makes of <name> where the copy stands, and ends before the
// tests run. This is how the test sees the program in a drive's root.
[[maybe_unused]] const bool kProbed = [] {
  const auto arguments = SplitCommandLine(ArgumentText(GetCommandLineW()));
  if (arguments.size() != 3 || arguments[0] != kProbeSwitch) return false;
  INIAccess ini;
  ini.SetAppPathFilename(arguments[1]);
  HANDLE f = CreateFileW(arguments[2].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, ini.FileName.data(), static_cast<DWORD>(ini.FileName.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(f);
  ExitProcess(0);
}();

const char kSettings[] =
    "[Option]\r\n"
    "FlatToolBar=0\r\n"
    "Menu=option menu\r\n"
    "Empty=\r\n"
    "[Browser]\r\n"
    "Menu=1\r\n";

std::wstring WriteSettings(const TempDir& dir, std::wstring_view name, std::string_view bytes) {
  const std::wstring path = dir.file(name);
  WriteBytes(path, bytes);
  return path;
}

TEST(INIAccessRead, ReadsKeysOfTheNamedOrTheLastSection) {
  TempDir dir;
  INIAccess ini;
  ini.FileName = WriteSettings(dir, L"TeraPad.ini", kSettings);
  struct Step {
    const wchar_t* key;
    const wchar_t* section;
    const wchar_t* expected;
    const wchar_t* sectionAfter;
  };
  const Step steps[] = {
      {L"FlatToolBar", L"Option", L"0", L"Option"},
      {L"Menu", L"", L"option menu", L"Option"},   // no section named: the last one
      {L"Menu", L"Browser", L"1", L"Browser"},
      {L"Menu", L"", L"1", L"Browser"},
      {L"flattoolbar", L"option", L"0", L"option"},  // the profile functions ignore case
      {L"Missing", L"Option", L"", L"Option"},
      {L"Empty", L"Option", L"", L"Option"},
      {L"Menu", L"NoSuchSection", L"", L"NoSuchSection"},
      {L"", L"Option", L"", L"Option"},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(s.key)) + " in " + testing::PrintToString(std::wstring(s.section)));
    EXPECT_EQ(ini.GetINIData(s.key, s.section), s.expected);
    EXPECT_EQ(ini.Section, s.sectionAfter);
  }
}

TEST(INIAccessRead, NothingToReadGivesEmptyAndKeepsTheSection) {
  TempDir dir;
  const std::wstring existing = WriteSettings(dir, L"TeraPad.ini", kSettings);

  INIAccess ini;
  EXPECT_EQ(ini.GetINIData(L"Menu", L"Browser"), L"") << "no file name";
  EXPECT_EQ(ini.Section, L"");

  ini.FileName = existing;
  EXPECT_EQ(ini.GetINIData(L"Menu", L""), L"") << "no section named, none used before";
  ASSERT_EQ(ini.GetINIData(L"FlatToolBar", L"Option"), L"0");

  for (const std::wstring& missing : {dir.file(L"missing.ini"), dir.file(L"no folder\\TeraPad.ini"), dir.file(L"*.ini")}) {
    SCOPED_TRACE(testing::PrintToString(missing));
    ini.FileName = missing;
    EXPECT_EQ(ini.GetINIData(L"Menu", L"Browser"), L"");
    EXPECT_EQ(ini.Section, L"Option") << "a read from a missing file leaves the section as it was";
  }
}

TEST(INIAccessRead, JapaneseNamesValuesAndPaths) {
  TempDir dir;
  CreateDirectoryW(dir.file(L"設定").c_str(), nullptr);
  // 表, ソ and 能 have 0x5C ('\') as their second byte; ｱ is a single-byte kana.
  const std::wstring path = WriteSettings(
      dir, L"設定\\テラパッド.ini", Cp932(L"[表示]\r\nソフト=表示能力 ｱｲｳ\r\n[Option]\r\n名前=テラパッド\r\n"));
  INIAccess ini;
  ini.FileName = path;
  EXPECT_EQ(ini.GetINIData(L"ソフト", L"表示"), L"表示能力 ｱｲｳ");
  EXPECT_EQ(ini.GetINIData(L"名前", L"Option"), L"テラパッド");
  EXPECT_EQ(ini.Section, L"Option");
  // Names that cp932 cannot carry would reach the profile functions as '?': nothing matches them.
  EXPECT_EQ(ini.GetINIData(L"名前\u00E9", L""), L"");
}

TEST(INIAccessRead, LongValuesAreCutToTheFirst255Bytes) {
  TempDir dir;
  const std::string ascii(300, 'a');
  const std::wstring kana(200, L'あ');
  INIAccess ini;
  ini.FileName = WriteSettings(dir, L"long.ini",
                               "[S]\r\nascii=" + ascii + "\r\nodd=a" + Cp932(kana) + "\r\neven=ab" + Cp932(kana) + "\r\n");
  EXPECT_EQ(ini.GetINIData(L"ascii", L"S"), std::wstring(255, L'a'));
  // 1 + 127 * 2 bytes fill the 255 exactly.
  EXPECT_EQ(ini.GetINIData(L"odd", L"S"), L"a" + std::wstring(127, L'あ'));
  // 2 + 126 * 2 bytes leave one byte, too few for another double-byte character: Windows'
  // conversion stops at the character boundary, 254 bytes.
  EXPECT_EQ(ini.GetINIData(L"even", L"S"), L"ab" + std::wstring(126, L'あ'));
}

TEST(INIAccessWrite, WritesCp932KeysAndCreatesTheFile) {
  TempDir dir;
  INIAccess ini;
  ini.FileName = dir.file(L"新規.ini");
  EXPECT_TRUE(ini.SetINIData(L"名前", L"表示能力", L"設定"));
  EXPECT_EQ(ini.Section, L"設定");
  EXPECT_TRUE(ini.SetINIData(L"Flat", L"1", L"")) << "the last section";
  EXPECT_TRUE(ini.SetINIData(L"空", L"", L"Option"));

  const std::string bytes = ReadBytes(ini.FileName);
  EXPECT_NE(bytes.find(Cp932(L"[設定]")), std::string::npos) << bytes;
  EXPECT_NE(bytes.find(Cp932(L"名前=表示能力")), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("Flat=1"), std::string::npos) << bytes;

  INIAccess reader;
  reader.FileName = ini.FileName;
  EXPECT_EQ(reader.GetINIData(L"名前", L"設定"), L"表示能力");
  EXPECT_EQ(reader.GetINIData(L"Flat", L""), L"1");
  EXPECT_EQ(reader.GetINIData(L"空", L"Option"), L"");
}

TEST(INIAccessWrite, RefusesWhatTheFileCannotHoldAndReportsFailures) {
  TempDir dir;
  INIAccess ini;
  EXPECT_FALSE(ini.SetINIData(L"Key", L"value", L"Option")) << "no file name";
  EXPECT_EQ(ini.Section, L"");
  ini.FileName = dir.file(L"TeraPad.ini");
  EXPECT_FALSE(ini.SetINIData(L"Key", L"value", L"")) << "no section named, none used before";
  ASSERT_TRUE(ini.SetINIData(L"FlatToolBar", L"1", L"Option"));
  const std::string before = ReadBytes(ini.FileName);

  struct Refused {
    std::wstring key, data, section;
  };
  const Refused cases[] = {
      {L"Key", L"line\r\nFlatToolBar=0", L""},   // would forge a second key
      {L"Key", L"line\nbreak", L""},
      {L"Key\r\n[Other]", L"1", L""},
      {L"Key", L"1", L"Option]\r\nFlatToolBar=0\r\n[X"},
      {L"FlatToolBar=0 ;", L"1", L""},            // the rest of the key would become the value
      {L"Key", L"caf\u00E9", L""},                // no cp932 form: '?' would be stored
      {L"Key", L"\u20AC", L""},
      {L"Key\u00E9", L"1", L""},
      {L"Key", std::wstring(L"a\0b", 3), L""},    // a NUL would cut the value short
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.key) + " = " + testing::PrintToString(c.data));
    EXPECT_FALSE(ini.SetINIData(c.key, c.data, c.section));
  }
  EXPECT_EQ(ReadBytes(ini.FileName), before) << "a refused write changed the file";
  EXPECT_EQ(ini.GetINIData(L"FlatToolBar", L"Option"), L"1");

  ini.FileName = dir.file(L"no folder\\TeraPad.ini");
  EXPECT_FALSE(ini.SetINIData(L"Key", L"value", L"Option")) << "a file that cannot be created";
}

TEST(INIAccessAppPath, NamesAFileBesideTheProgram) {
  INIAccess ini;
  ini.SetAppPathFilename(L"TeraPad.ini");
  EXPECT_EQ(ini.FileName, ExeDir() + L"\\TeraPad.ini");
}

TEST(INIAccessAppPath, DoesNotDoubleTheBackslashInADriveRoot) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring copy = L"C:\\tolvane_app_path_probe.exe";
  ASSERT_TRUE(CopyFileW(self, copy.c_str(), FALSE)) << "error " << GetLastError();
  TempDir dir;
  const std::wstring result = dir.file(L"result.bin");
  Process probe = Process::Start(L"\"" + copy + L"\" " + kProbeSwitch + L" 設定.ini \"" + result + L"\"");
  const bool ended = probe.waitExit(10000);
  DeleteFileW(copy.c_str());
  ASSERT_TRUE(ended);
  const std::string bytes = ReadBytes(result);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t)),
            L"C:\\設定.ini");
}

}  // namespace
