// Fuzzer bytes as program text: ASCII stays itself, so the fuzzer reaches digits, quotes and
// blanks quickly; the bytes above it become Japanese characters.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

inline std::wstring FuzzText(const uint8_t* data, size_t size) {
  std::wstring text;
  text.reserve(size);
  for (size_t i = 0; i < size; ++i) text += data[i] < 0x80 ? wchar_t(data[i]) : wchar_t(0x3000 + data[i]);
  return text;
}

// A broken invariant must stop the fuzzer with the input that broke it, in any build type.
#ifndef FUZZ_CHECK
#define FUZZ_CHECK(condition) \
  do {                        \
    if (!(condition)) {       \
      __builtin_trap();       \
    }                         \
  } while (0)
#endif
