// Times the bridge's text operations against one raw WM_GETTEXT of the whole document,
// measured in the same run, with the stand-in editor as its own process. Prints ratios.
// Run as bench_bridge.exe (NT family) and as bench_bridge_win98.exe (Wine reports Windows 98:
// the 95-family paths with a 32760-byte transfer cap): scripts/bench.sh does both.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BenchClock.h"
#include "HostProtocol.h"
#include "TestSupport.h"
#include "bridge/clsKeshTeraPad.h"
#include "check/logic/HdmlCheck.h"

namespace {

// Median seconds of `reps` runs of `run`; `reset` runs untimed after each.
double Median(int reps, const std::function<void()>& run, const std::function<void()>& reset = {}) {
  std::vector<double> times;
  for (int i = 0; i < reps; ++i) {
    const double t0 = Now();
    run();
    times.push_back(Now() - t0);
    if (reset) reset();
  }
  return ::Median(std::move(times));
}

const std::string& Unit() {
  static const std::string unit = Cp932(L"<CE TASK=\"GO\" DEST=\"#c1\">本文の行、ｶﾅ混じり abc</CE>\r\n");
  return unit;
}

std::string Document(size_t n) {
  const std::string& unit = Unit();
  std::string s;
  s.reserve(n);
  while (s.size() + unit.size() <= n) s += unit;
  return s + std::string(n - s.size(), 'z');
}

// A selection of about 30 bytes at `fraction` of the document, on character boundaries.
std::pair<long, long> SelectionAt(const HostPad& host, size_t size, double fraction) {
  const long at = static_cast<long>(static_cast<double>(size - 40) * fraction);
  host.select(at, at + 30);
  return host.sel();
}

// The stand-in editor takes at most about 1 MB per message; larger documents go in by parts
// of `unit` bytes' multiples, so that no part splits a character.
void Load(HostPad& host, const std::string& doc, size_t unit) {
  const size_t part = 1024 * 1024 / unit * unit;
  host.setBytes(std::string_view(doc).substr(0, part));
  for (size_t at = part; at < doc.size(); at += part) {
    host.select(static_cast<long>(at), static_cast<long>(at));
    const std::string piece = doc.substr(at, part);
    SendMessageA(host.editor(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(piece.c_str()));
  }
  SendMessageA(host.editor(), EM_EMPTYUNDOBUFFER, 0, 0);
}

// Median seconds of one raw WM_GETTEXT of the whole text, or a negative number when one
// message does not carry it all between these processes.
double RawRead(const HostPad& host, size_t size, int reps) {
  std::string buffer(size + 1, '\0');
  LRESULT got = 0;
  const double raw = Median(reps, [&] {
    got = SendMessageA(host.editor(), WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  });
  if (got == static_cast<LRESULT>(size)) return raw;
  std::printf("%8zu KB  one WM_GETTEXT carries %lld of %zu bytes between these processes: no baseline\n",
              size / 1024, static_cast<long long>(got), size);
  return -1;
}

void Run(size_t size, long cap, int reps) {
  HostPadOptions options;
  options.cap = cap;
  HostPad host(options);
  const std::string doc = Document(size);
  clsKeshTeraPad t;
  t.hwnd(host.main());
  Load(host, doc, Unit().size());
  const HWND e = host.editor();
  const double raw = RawRead(host, size, reps);
  if (raw < 0) return;
  const double textGet = Median(reps, [&] { t.Text(); });
  // Wine answers an ANSI caller's WM_GETTEXTLENGTH from another process by copying the whole
  // text; shown so that its share in Text Get and the piecewise paths can be told apart.
  const double length = Median(reps, [&] { t.Length(); });
  std::printf("%8zu KB  raw WM_GETTEXT %8.2f ms   Text Get %6.2fx   Length %6.2fx\n", size / 1024, raw * 1e3,
              textGet / raw, length / raw);

  const wchar_t* where[] = {L"start", L"middle", L"end"};
  const double fractions[] = {0.01, 0.5, 0.99};
  for (int i = 0; i < 3; ++i) {
    const auto [s, end] = SelectionAt(host, size, fractions[i]);
    const auto reselect = [&, s = s, end = end] { host.select(s, end); };
    const double selGet = Median(reps, [&] { t.SelText(); });
    const double selGetWhole = Median(reps, [&] {
      clsKeshTeraPad::MidMbcs(t.Text(), t.SelStart() + 1, t.SelLength());
    });
    const std::wstring replacement = t.SelText();
    const double selLet = Median(reps, [&] { t.SelText(replacement); }, [&] {
      SendMessageA(e, EM_UNDO, 0, 0);
      reselect();
    });
    const std::wstring startTag = L"<A TASK=\"GO\" DEST=\"#カード\">", endTag = L"</A>";
    const double insertion = Median(reps, [&] {
      const std::wstring sel = t.SelText();
      t.SelText(startTag + sel + endTag);
      t.SelStart(t.SelStart() - clsKeshTeraPad::LenMbcs(endTag));
    }, [&] {
      SendMessageA(e, EM_UNDO, 0, 0);
      reselect();
    });
    std::printf("   sel %-6ls SelText Get %6.3fx (whole text + MidMbcs %6.3fx)  SelText Let %6.3fx"
                "  insertion %6.3fx\n", where[i], selGet / raw, selGetWhole / raw, selLet / raw, insertion / raw);
  }
  if (static_cast<size_t>(t.Length()) != doc.size() || (size <= 1024 * 1024 && host.bytes() != doc))
    std::printf("   !! the document changed during the run\n");
}

// A deck of `size` bytes: cards with double-byte text, line breaks, links between them.
std::string Deck(size_t size) {
  const std::string head = "<HDML VERSION=\"3.0\" TTL=\"0\">\r\n", foot = "</HDML>\r\n";
  const std::string text = Cp932(L"\">\r\n本文の行、ｶﾅ混じり abc<BR>\r\n<A TASK=\"GO\" DEST=\"#c0\">次へ</A>\r\n</DISPLAY>\r\n");
  std::string s = head;
  for (int card = 0;; ++card) {
    const std::string one = "<DISPLAY NAME=\"c" + std::to_string(card) + text;
    if (s.size() + one.size() + foot.size() > size) break;
    s += one;
  }
  return s + std::string(size - s.size() - foot.size(), ' ') + foot;
}

// The check against one raw read of the same deck; and what the author waits for, the bridge's
// read and the check together.
void RunCheck(size_t size, int reps) {
  HostPad host;
  const std::string deck = Deck(size);
  host.setBytes(deck);   // raw bytes, past the string messages' limit
  if (host.bytes().size() != deck.size()) return (void)std::printf("   !! the deck did not load\n");
  clsKeshTeraPad t;
  t.hwnd(host.main());
  const double raw = RawRead(host, size, reps);
  if (raw < 0) return;
  size_t problems = 0;
  const double check = Median(reps, [&] { problems = HdmlCheck::Check(deck).size(); });
  const double both = Median(reps, [&] { HdmlCheck::Check(t.TextMbcs()); });
  std::printf("%8zu KB  HDML check %6.3fx of one raw WM_GETTEXT (%.2f ms; %zu problems)   read + check %6.3fx\n",
              size / 1024, check / raw, raw * 1e3, problems, both / raw);
}

}  // namespace

int main() {
  const std::wstring os = clsKeshTeraPad::GetOSName();
  std::printf("Windows family: %ls; ratios are medians against one raw WM_GETTEXT of the whole document\n",
              os.c_str());
  if (os == L"WinNT") {
    Run(64 * 1024, 0, 15);
    Run(1024 * 1024, 0, 9);
    Run(8 * 1024 * 1024, 0, 5);
    RunCheck(1024 * 1024, 9);
    RunCheck(8 * 1024 * 1024, 5);
  } else {
    // 95 family: the host copies at most 32760 bytes per message, so the raw baseline reads
    // only that much while the bridge reads the whole text in pieces.
    std::printf("(host cap 32760 bytes per transfer)\n");
    Run(1024 * 1024, 32760, 5);
  }
  return 0;
}
