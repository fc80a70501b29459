// The bridge to one running TeraPad: finds and binds its main window, reads its paths and
// version, reads and changes the edited text, selection and caret, and gives it commands.
// Everything crosses to TeraPad as ANSI (cp932) through window messages; every offset and
// length exchanged with it counts cp932 bytes, 0 for the first byte.
//
// Properties come in Get/Let halves as overloads: SelStart() reads, SelStart(n) writes.
// A Get that cannot reach TeraPad answers its default; a Let or command then does nothing.
#pragma once
#include <windows.h>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "bridge/logic/EditorAccess.h"
#include "bridge/logic/TextBytes.h"

// As EditorAccess it is what the deciding code (insertion, re-edit, the check's jump) asks;
// every answer goes through the same guards (TextBytes) as the rest of the bridge.
class clsKeshTeraPad final : public EditorAccess {
public:
  // The argument of Edit: a number or a text.
  using Variant = std::variant<long, std::wstring>;

  // Binds to the foreground window when that is a TeraPad main window; Tool() remembers it.
  clsKeshTeraPad();
  clsKeshTeraPad(const clsKeshTeraPad&) = delete;
  clsKeshTeraPad& operator=(const clsKeshTeraPad&) = delete;
  ~clsKeshTeraPad() override;

  // --- discovery and identity
  void SearchTeraPad();
  HWND hwnd() const;
  void hwnd(HWND NewValue);
  bool HadTeraPad();
  bool Tool() const;
  std::wstring TeraPadPath() const;
  std::wstring FileName() const;
  std::wstring INIPath() const;
  void INIPath(const std::wstring& NewValue);
  std::wstring Status() const;
  void Status(const std::wstring& NewValue);
  long VerMajor();
  long VerMinor();
  long VerBeta();
  long EditMode() const;
  HWND ValidEditor() const;  // the editor control while the validity test passes, else 0

  // --- text and selection
  long Length() const;
  // The lower end of the selection (see Selection).
  long SelStart() const;
  void SelStart(long NewValue);
  long SelLength() const;
  void SelLength(long NewValue);
  // The one reading of the selection: EM_GETSEL's answer put in order and clamped into the text
  // (a selection made backwards may be answered as anchor, caret); 0, 0 when the test fails.
  std::pair<int64_t, int64_t> Selection() override;
  TextBytes::SelectionRead ReadSelection(int64_t past) override;
  bool SelectionIs(int64_t lower, int64_t upper) override;
  // The length and the ordered selection in two messages, for a watcher that asks several times
  // a second (the preview): the editor found by the last full lookup is asked again while it is
  // still a window inside TeraPad's. Empty when TeraPad is gone.
  std::optional<TextBytes::Glimpse> Glance() const;
  long Line() const;
  void Line(long NewValue);
  std::wstring Text() const;
  void Text(const std::wstring& NewValue);
  // The whole text as the editor holds it, cp932 bytes, read as Text reads it: offsets into it
  // are the editor's own.
  std::string TextMbcs() const;
  // The same into `text`, which holds the caller's last reading (or nothing): a reader that
  // reads again and again (the check, the preview) keeps one buffer, which the read uses again
  // and which spares it asking the length first. Its editor is found as Glance finds it.
  void TextMbcs(std::string& text) const;
  std::wstring SelText() const;
  void SelText(const std::wstring& NewValue);
  // EditorAccess, in cp932 bytes; read as SelText reads (in pieces on the 95 family), replaced
  // in one replacement where the system allows.
  std::string TextPrefix(int64_t nWant) override;
  void ReplaceBytes(int64_t nStart, int64_t nEnd, std::string_view bytes, int64_t nBack) override;
  void InsertAround(int64_t nStart, int64_t nEnd, std::string_view StartTag, std::string_view EndTag) override;
  void ShowRange(int64_t nStart, int64_t nEnd) override;   // EM_SETSEL, EM_SCROLLCARET
  std::optional<bool> SelSet(long nStart, long nEnd);  // true while bound, else empty
  void Edit(long lMode, const Variant& vAny);
  static long LenMbcs(const std::wstring& sText);
  // nStart is 1-based; below 1 throws std::invalid_argument.
  static std::wstring MidMbcs(const std::wstring& sText, long nStart, long nLength);

  // --- editor commands and debug output
  void FileSave();
  void ReloadINI();
  void SetFocus();
  void FileOpen(const std::wstring& File);
  // Waits at most 10 s for the new TeraPad to become ready for input. The result is bound only
  // to a window of the new process (unbound when none appeared within 5 s more).
  // Throws std::runtime_error when the new process cannot be started.
  std::unique_ptr<clsKeshTeraPad> FileNew();
  // Throw std::runtime_error when no debug TeraPad could be had.
  void DebugPrint(const std::wstring& PrintStr);
  void DebugClear();

  static std::wstring GetOSName();

private:
  class Messages;  // the byte work's requests as edit messages
  std::pair<int64_t, int64_t> OrderedSelection() const;
  void EnsureDebugTeraPad();
  static bool IsTeraPadWindow(HWND h);
  void FindChildWindows();
  HWND GetEditorWindow() const;
  static std::wstring TrimNull(const std::wstring& s);
  static std::wstring ChildText(HWND child);
  static void GetFileVersionNumbers(const std::wstring& path, long v[4]);
  static HWND FindProcessWindow(DWORD pid);

  HWND m_hWndMain = nullptr;
  HWND m_hWndFileName = nullptr;
  HWND m_hWndExeName = nullptr;
  HWND m_hWndIniPath = nullptr;
  bool m_bHadTeraPad = false;
  bool m_bTool = false;
  std::unique_ptr<clsKeshTeraPad> m_objDebug;
  bool m_bDebugStarted = false;
  // The editor of the last full lookup, asked again while it is still a window inside TeraPad's:
  // the lookup is a round trip to TeraPad, as dear as reading a small deck (Glance, TextMbcs).
  HWND SeenEditor() const;
  mutable HWND m_hWndEditorSeen = nullptr;
};
