// The bridge's requests answered as the stand-in editor answers its edit messages, from the same
// byte buffer: the model editor of the bridge's native tests and of its fuzz target. No Windows.
#pragma once
#include <cstdint>
#include <string>

#include "EditBuffer.h"
#include "bridge/logic/TextBytes.h"

inline bool IsLeadCp932(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

class ModelEditor : public TextBytes::EditorRequests {
public:
  EditBuffer buf;
  size_t cap = 0;   // bytes per transfer, as the stand-in's /cap= (0: none)

  bool Present() override { return Asked(), true; }
  int64_t Length() override { return Asked(), static_cast<int64_t>(buf.size()); }
  int64_t ReadFirst(char* out, int64_t capacity) override {
    Asked();
    return static_cast<int64_t>(buf.copyFirst(out, static_cast<size_t>(capacity), cap));
  }
  std::pair<int64_t, int64_t> GetSel() override {
    Asked();
    return {static_cast<int64_t>(buf.selMin()), static_cast<int64_t>(buf.selMax())};
  }
  void SetSel(int64_t start, int64_t end) override {
    Asked();
    // EM_SETSEL: 32-bit numbers read unsigned, -1 as the start keeps the caret.
    const auto s = static_cast<uint32_t>(start), e = static_cast<uint32_t>(end);
    if (s == UINT32_MAX) buf.setSel(buf.caret(), buf.caret());
    else buf.setSel(s, e);
  }
  void ReplaceSel(const std::string& bytes) override { Asked(), buf.replaceSel(CapTransfer(bytes, cap)); }
  void Clear() override { Asked(), buf.replaceSel({}); }
  void Undo() override { Asked(), buf.undo(); }

protected:
  // Every request passes here first (the fuzz target counts them).
  virtual void Asked() {}
};
