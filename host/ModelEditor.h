// The bridge's requests (TextBytes::EditorRequests) answered as the stand-in editor answers its
// edit messages, on its own byte buffer: the model editor of the native tests and fuzz targets.
#pragma once
#include <cstdint>
#include <string>

#include "EditBuffer.h"
#include "bridge/logic/TextBytes.h"

class ModelEditor : public TextBytes::EditorRequests {
public:
  EditBuffer buf;
  size_t cap = 0;          // bytes per transfer, as hostpad's /cap (0: none)
  uint64_t requests = 0;   // every request, counted

  bool Present() override { return Request(), true; }
  int64_t Length() override { return Request(), static_cast<int64_t>(buf.size()); }
  int64_t ReadFirst(char* out, int64_t capacity) override {
    Request();
    if (capacity < 1) return Misuse(), 0;
    return static_cast<int64_t>(buf.copyFirst(out, static_cast<size_t>(capacity), cap));
  }
  std::pair<int64_t, int64_t> GetSel() override {
    Request();
    return {static_cast<int64_t>(buf.selMin()), static_cast<int64_t>(buf.selMax())};
  }
  void SetSel(int64_t start, int64_t end) override {
    Request();
    // EM_SETSEL: 32-bit numbers read unsigned, -1 as the start keeps the caret.
    const auto s = static_cast<uint32_t>(start), e = static_cast<uint32_t>(end);
    if (s == UINT32_MAX) buf.setSel(buf.caret(), buf.caret());
    else buf.setSel(s, e);
  }
  void ReplaceSel(const std::string& bytes) override {
    Request();
    if (bytes.find('\0') != std::string::npos) Misuse();   // no string message carries one
    buf.replaceSel(CapTransfer(bytes, cap));
  }
  void Clear() override { Request(), buf.replaceSel({}); }
  void Undo() override { Request(), buf.undo(); }
  void ScrollCaret() override { Request(); }

protected:
  virtual void Request() { ++requests; }
  // A request that the bridge must never make.
  virtual void Misuse() {}
};
