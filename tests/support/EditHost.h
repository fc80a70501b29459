// Another kind of host: a TeraPad main window of the test's own process whose editor control is
// the system's ANSI EDIT control. Its undo goes one level deep (a second EM_UNDO redoes), and
// under Wine it counts EM_SETSEL offsets in characters, not bytes: keep its text ASCII.
#pragma once
#include <windows.h>
#include <string>

class EditHost {
public:
  EditHost() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TTeraPadMainForm";
    RegisterClassA(&wc);
    m_main = CreateWindowExA(0, "TTeraPadMainForm", "edit host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                             nullptr, nullptr, wc.hInstance, nullptr);
    m_edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 0, 0,
                             300, 200, m_main, nullptr, wc.hInstance, nullptr);
    SetPropA(m_main, "editor", m_edit);
    SendMessageA(m_edit, EM_SETLIMITTEXT, 0, 0);
  }
  ~EditHost() { DestroyWindow(m_main); }
  EditHost(const EditHost&) = delete;
  EditHost& operator=(const EditHost&) = delete;

  HWND main() const { return m_main; }
  HWND edit() const { return m_edit; }
  void set(const std::string& bytes) const {
    SetWindowTextA(m_edit, bytes.c_str());
    SendMessageA(m_edit, EM_EMPTYUNDOBUFFER, 0, 0);
  }
  std::string bytes() const {
    std::string s(GetWindowTextLengthA(m_edit) + 1, '\0');
    s.resize(GetWindowTextA(m_edit, s.data(), static_cast<int>(s.size())));
    return s;
  }

private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == 0x8192) return reinterpret_cast<LRESULT>(GetPropA(h, "editor"));
    return DefWindowProcA(h, msg, w, l);
  }
  HWND m_main = nullptr, m_edit = nullptr;
};
