// Move-only owners of what the program makes for drawing: GDI objects, image lists, memory device
// contexts. Each frees what it holds once.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <utility>

template <class H, auto Free>
class Owned {
public:
  Owned() = default;
  explicit Owned(H h) : m_h(h) {}
  Owned(Owned&& o) noexcept : m_h(std::exchange(o.m_h, nullptr)) {}
  Owned& operator=(Owned&& o) noexcept {
    std::swap(m_h, o.m_h);
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() {
    if (m_h) Free(m_h);
  }
  H get() const { return m_h; }
  explicit operator bool() const { return m_h != nullptr; }

private:
  H m_h = nullptr;
};

using Font = Owned<HFONT, DeleteObject>;
using Bitmap = Owned<HBITMAP, DeleteObject>;
using Brush = Owned<HBRUSH, DeleteObject>;
using ImageList = Owned<HIMAGELIST, ImageList_Destroy>;

// A memory device context compatible with `dc`; the object selected into it is put back first.
class MemoryDC {
public:
  explicit MemoryDC(HDC dc) : m_dc(CreateCompatibleDC(dc)) {}
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() {
    if (m_old) SelectObject(m_dc, m_old);
    if (m_dc) DeleteDC(m_dc);
  }
  HDC get() const { return m_dc; }
  void Select(HGDIOBJ h) {
    HGDIOBJ old = SelectObject(m_dc, h);
    if (!m_old) m_old = old;
  }

private:
  HDC m_dc = nullptr;
  HGDIOBJ m_old = nullptr;
};
