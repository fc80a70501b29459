// Move-only owners of GDI objects and memory device contexts: each deletes what it holds once.
#pragma once
#include <windows.h>

#include <utility>

template <class H>
class GdiObject {
public:
  GdiObject() = default;
  explicit GdiObject(H h) : m_h(h) {}
  GdiObject(GdiObject&& o) noexcept : m_h(std::exchange(o.m_h, nullptr)) {}
  GdiObject& operator=(GdiObject&& o) noexcept {
    std::swap(m_h, o.m_h);
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() {
    if (m_h) DeleteObject(m_h);
  }
  H get() const { return m_h; }
  explicit operator bool() const { return m_h != nullptr; }

private:
  H m_h = nullptr;
};

using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;

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
