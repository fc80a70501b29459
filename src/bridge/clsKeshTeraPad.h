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

#include "bridge/logic/TextBytes.h"

class clsKeshTeraPad {
public:
  // The argument of Edit: a number or a text.
  using Variant = std::variant<long, std::wstring>;

  // Binds to the foreground window when that is a TeraPad main window; Tool() remembers it.
  clsKeshTeraPad();
  clsKeshTeraPad(const clsKeshTeraPad&) = delete;
  clsKeshTeraPad& operator=(const clsKeshTeraPad&) = delete;
  ~clsKeshTeraPad();

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
  long SelStart() const;
  void SelStart(long NewValue);
  long SelLength() const;
  // Start and end of the selection from one EM_GETSEL; 0, 0 when the test fails.
  std::pair<long, long> Selection() const;
  void SelLength(long NewValue);
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
  // and which spares it asking the length first.
  void TextMbcs(std::string& text) const;
  std::wstring SelText() const;
  void SelText(const std::wstring& NewValue);
  // Puts StartTag before and EndTag after the selection, the caret just before EndTag. A
  // selection that no string message can carry whole (it holds a NUL) is left as it is.
  void WrapSelection(const std::wstring& StartTag, const std::wstring& EndTag);
  // The text's first bytes (cp932), at least nWant of them when it has that many, at most
  // nWant + 1; cut at a NUL. Read as SelText reads (in pieces on the 95 family).
  std::string TextPrefix(long nWant) const;
  // Replaces bytes [nStart, nEnd) with `bytes` in one replacement where the system allows, then
  // puts the caret nBack bytes before the end of what went in.
  void ReplaceBytes(long nStart, long nEnd, const std::string& bytes, long nBack);
  std::optional<bool> SelSet(long nStart, long nEnd);  // true while bound, else empty
  void ScrollCaret();   // EM_SCROLLCARET: the editor scrolls its caret into view
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
  mutable HWND m_hWndEditorSeen = nullptr;   // Glance's editor
};
