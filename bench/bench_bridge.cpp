// Times the bridge's text operations against one raw WM_GETTEXT of the whole document, and the
// program's own insertion (InsertPendingTags) and re-edit of a card (the road of a toolbar
// click, the dialog left out) against their floor: one WM_GETTEXT of the bytes up to the
// selection's or tag's end, one EM_REPLACESEL of the same new bytes and the caret set, all
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
#include "app/mdlMain.h"
#include "bridge/clsKeshTeraPad.h"
#include "check/logic/HdmlCheck.h"
#include "common/Ansi.h"
#include "insert/ToolbarCommand.h"
#include "insert/mdlHDML.h"
#include "preview/logic/PreviewLayout.h"

namespace {

// The editor repaints what a change invalidated once it is idle, which falls inside whichever
// message of ours comes next: each timed run ends with that repaint done, so that it counts
// once in every run rather than in some.
HWND g_editor = nullptr;
void Settle() { RedrawWindow(g_editor, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

// Median seconds of `reps` runs of each of `a` and `b`, taken in turns so that a load on the
// machine falls on both alike; `reset` runs untimed after each run.
std::pair<double, double> Beside(int reps, const std::function<void()>& a, const std::function<void()>& b,
                                 const std::function<void()>& reset) {
  std::vector<double> ta, tb;
  for (int i = 0; i < reps; ++i) {
    for (auto [run, times] : {std::pair{&a, &ta}, std::pair{&b, &tb}}) {
      const double t0 = Now();
      (*run)();
      Settle();
      times->push_back(Now() - t0);
      reset();
      Settle();
    }
  }
  return {::Median(std::move(ta)), ::Median(std::move(tb))};
}

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

// A card re-edited near the start, the middle and the end of the document.
const std::string kCard = Cp932(L"<DISPLAY NAME=\"c\" TITLE=\"t\">\r\nカードの本文<BR>\r\n</DISPLAY>\r\n");
constexpr double kWhere[] = {0.01, 0.5, 0.99};
const wchar_t* const kWhereName[] = {L"start", L"middle", L"end"};

std::string Document(size_t n) {
  const std::string& unit = Unit();
  std::string s;
  s.reserve(n);
  size_t next = 0;
  while (s.size() + unit.size() + kCard.size() <= n) {
    if (next < std::size(kWhere) && s.size() >= static_cast<size_t>(static_cast<double>(n) * kWhere[next])) {
      s += kCard;
      ++next;
    }
    s += unit;
  }
  return s + std::string(n - s.size(), 'z');
}

// A selection of about 30 bytes at `fraction` of the document, on character boundaries.
std::pair<long, long> SelectionAt(const HostPad& host, size_t size, double fraction) {
  const long at = static_cast<long>(static_cast<double>(size - 40) * fraction);
  host.select(at, at + 30);
  return host.sel();
}

void Run(size_t size, long cap, int reps) {
  HostPadOptions options;
  options.cap = cap;
  HostPad host(options);
  const std::string doc = Document(size);
  clsKeshTeraPad& t = *gTeraPad;
  t.hwnd(host.main());
  // The stand-in editor takes at most about 1 MB per message; larger documents go in by parts,
  // each ending where a unit begins (so on a character boundary).
  const auto partEnd = [&](size_t from) {
    const size_t to = from + 1024 * 1024;
    return to >= doc.size() ? doc.size() : doc.rfind("<CE", to);
  };
  size_t at = partEnd(0);
  host.setBytes(std::string_view(doc).substr(0, at));
  while (at < doc.size()) {
    host.select(static_cast<long>(at), static_cast<long>(at));
    const size_t to = partEnd(at);
    const std::string piece = doc.substr(at, to - at);
    SendMessageA(host.editor(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(piece.c_str()));
    at = to;
  }
  SendMessageA(host.editor(), EM_EMPTYUNDOBUFFER, 0, 0);
  const HWND e = host.editor();
  g_editor = e;

  std::string buffer(size + 1, '\0');
  LRESULT got = 0;
  const double raw = Median(reps, [&] {
    got = SendMessageA(e, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  });
  if (got != static_cast<LRESULT>(size)) {
    std::printf("%8zu KB  one WM_GETTEXT carries %lld of %zu bytes between these processes: no baseline\n",
                size / 1024, static_cast<long long>(got), size);
    return;
  }
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
    std::printf("   sel %-6ls SelText Get %6.3fx (whole text + MidMbcs %6.3fx)  SelText Let %6.3fx\n", where[i],
                selGet / raw, selGetWhole / raw, selLet / raw);
  }

  // The program's roads against their floors, undone after each run.
  const auto undo = [&](long s, long end) {
    return [&, s, end] {
      SendMessageA(e, EM_UNDO, 0, 0);
      host.select(s, end);
    };
  };
  // The floor of a road: the bytes up to readTo read, [from, to) replaced, the caret set.
  const auto floor = [&](long readTo, long from, long to, const std::string& bytes, long caret) {
    return [&, readTo, from, to, caret] {
      SendMessageA(e, WM_GETTEXT, static_cast<WPARAM>(readTo + 1), reinterpret_cast<LPARAM>(buffer.data()));
      SendMessageA(e, EM_SETSEL, static_cast<WPARAM>(from), to);
      SendMessageA(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(bytes.c_str()));
      SendMessageA(e, EM_SETSEL, static_cast<WPARAM>(caret), caret);
    };
  };
  gStartTag = L"<A TASK=\"GO\" DEST=\"#カード\">";
  gEndTag = L"</A>";
  const std::string start = ToAnsi(gStartTag), end = ToAnsi(gEndTag);
  const ReadBack& card = ToolbarButtons()[2].readBack;   // "カード"
  const int roadReps = std::max(reps, 11);   // small floors are easily moved by a busy machine
  char breakdown[400] = "";
  for (int i = 0; i < 3; ++i) {
    const auto [s, selEnd] = SelectionAt(host, size, kWhere[i]);
    const std::string wrapped = start + doc.substr(static_cast<size_t>(s), static_cast<size_t>(selEnd - s)) + end;
    const auto [insertFloor, insert] =
        Beside(roadReps, floor(selEnd, s, selEnd, wrapped, s + static_cast<long>(wrapped.size() - end.size())),
               [&] { InsertPendingTags(); }, undo(s, selEnd));

    // The card: the caret in its start tag; OK keeps the kind or makes it a CHOICE card.
    const long tag = static_cast<long>(doc.find("<DISPLAY", static_cast<size_t>(static_cast<double>(size) * kWhere[i]) -
                                                               std::min<size_t>(size / 100, Unit().size() + kCard.size())));
    const long tagEnd = static_cast<long>(doc.find('>', static_cast<size_t>(tag))) + 1;
    const long cardEnd = tag + static_cast<long>(kCard.size()) - 2;   // after "</DISPLAY>"
    std::printf("   card at %-6ls insertion %5.3fx", kWhereName[i], insert / insertFloor);
    for (const bool rename : {false, true}) {
      const std::wstring newTag = rename ? L"<CHOICE NAME=\"c\" TITLE=\"t\">" : L"<DISPLAY NAME=\"c\" TITLE=\"新\">";
      std::string bytes = ToAnsi(newTag);
      const long caret = tag + static_cast<long>(bytes.size());
      if (rename) bytes += kCard.substr(static_cast<size_t>(tagEnd - tag), kCard.size() - static_cast<size_t>(tagEnd - tag) - 12) + "</CHOICE>";
      const long to = rename ? cardEnd : tagEnd;
      host.select(tag + 5, tag + 5);
      const auto [reeditFloor, reedit] = Beside(roadReps, floor(to, tag, to, bytes, caret), [&] {
        const TagTarget target = FindTagTarget(card);
        gStartTag = newTag;
        ApplyPendingTags(card, target);
      }, undo(tag + 5, tag + 5));
      if (host.sel() != std::make_pair(tag + 5, tag + 5)) std::printf(" !!");
      std::printf("   re-edit%s %5.3fx (floor %6.2f ms)", rename ? ", end tag renamed" : "", reedit / reeditFloor,
                  reeditFloor * 1e3);
      if (size <= 1024 * 1024) {   // the re-edit wrote what its floor writes
        host.select(tag + 5, tag + 5);
        const TagTarget check = FindTagTarget(card);
        gStartTag = newTag;
        ApplyPendingTags(card, check);
        if (host.bytes().compare(static_cast<size_t>(tag), bytes.size(), bytes) != 0) std::printf(" (!! wrong bytes)");
        SendMessageA(e, EM_UNDO, 0, 0);
      }
      // Where the time goes: the read that finds the tag beside the floor's WM_GETTEXT alone,
      // and the rewrite beside the floor's selection, replacement and caret.
      if (!rename && i == 2) {
        host.select(tag + 5, tag + 5);
        const auto [readFloor, find] = Beside(roadReps, [&] {
          SendMessageA(e, WM_GETTEXT, static_cast<WPARAM>(to + 1), reinterpret_cast<LPARAM>(buffer.data()));
        }, [&] { FindTagTarget(card); }, [] {});
        // The same read into a buffer made for it, as every click's read is.
        const auto [readAgain, readFresh] = Beside(roadReps, [&] {
          SendMessageA(e, WM_GETTEXT, static_cast<WPARAM>(to + 1), reinterpret_cast<LPARAM>(buffer.data()));
        }, [&] {
          std::string fresh(static_cast<size_t>(to) + 1, '\0');
          SendMessageA(e, WM_GETTEXT, static_cast<WPARAM>(to + 1), reinterpret_cast<LPARAM>(fresh.data()));
        }, [] {});
        const TagTarget target = FindTagTarget(card);
        const auto [writeFloor, write] = Beside(roadReps, [&] {
          SendMessageA(e, EM_SETSEL, static_cast<WPARAM>(tag), to);
          SendMessageA(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(bytes.c_str()));
          SendMessageA(e, EM_SETSEL, static_cast<WPARAM>(caret), caret);
        }, [&] { ApplyPendingTags(card, target); }, undo(tag + 5, tag + 5));
        std::snprintf(breakdown, sizeof breakdown,
                      "      (card at end, name kept: finding the tag %.2f ms beside one WM_GETTEXT %.2f ms,"
                      " %.2f ms into a new buffer; rewriting it %.2f ms beside its replacement %.2f ms)\n",
                      find * 1e3, readFloor * 1e3, readFresh * readFloor / readAgain * 1e3, write * 1e3, writeFloor * 1e3);
      }
      gStartTag = L"<A TASK=\"GO\" DEST=\"#カード\">";
    }
    std::printf("\n");
  }
  std::printf("%s", breakdown);
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

// The HDML check against one raw read of the same deck, taken in turns; and what the author
// waits for, the bridge's read and the check together.
void RunCheck(size_t size, int reps) {
  HostPad host;
  const std::string deck = Deck(size);
  host.setBytes(deck);   // raw bytes, past the string messages' limit
  if (host.bytes().size() != deck.size()) return (void)std::printf("   !! the deck did not load\n");
  g_editor = host.editor();
  clsKeshTeraPad& t = *gTeraPad;
  t.hwnd(host.main());
  std::string buffer(size + 1, '\0');
  LRESULT got = 0;
  size_t problems = 0;
  const auto [raw, check] = Beside(reps, [&] {
    got = SendMessageA(host.editor(), WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  }, [&] { problems = HdmlCheck::Check(deck).size(); }, [] {});
  if (got != static_cast<LRESULT>(size)) return (void)std::printf("%8zu KB  no raw baseline\n", size / 1024);
  std::string text;   // kept from one read to the next, as the check's window keeps it
  const double both = Median(reps, [&] {
    t.TextMbcs(text);
    HdmlCheck::Check(text);
  });
  std::printf("%8zu KB  HDML check %6.3fx of one raw WM_GETTEXT (%.2f ms; %zu problems)   read + check %6.3fx\n",
              size / 1024, check / raw, raw * 1e3, problems, both / raw);
}

// The whole-text read that the check and the preview share (TextMbcs), through the bridge's
// guard, against one raw WM_GETTEXT of the same bytes into a buffer made once; and where its time
// goes: the guard (the validity test and the editor lookup, one round trip), WM_GETTEXTLENGTH
// (under Wine a copy of the whole text), and a first read, into a new buffer (which asks the
// length of a text beyond 4 KB).
void RunRead(size_t size, long cap, int reps) {
  HostPadOptions options;
  options.cap = cap;
  HostPad host(options);
  const std::string deck = Deck(size);
  host.setBytes(deck);
  g_editor = host.editor();
  clsKeshTeraPad& t = *gTeraPad;
  t.hwnd(host.main());
  const HWND e = host.editor();
  std::string buffer(size + 1, '\0');
  LRESULT got = 0;
  const auto raw = [&] { got = SendMessageA(e, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data())); };
  // Each beside the raw read alone, in turns of two: what runs before a read (a read of the same
  // text or not) moved it by up to 15% under Wine, and in turns of two each follows the other.
  const auto ratio = [&](const std::function<void()>& run) {
    const auto [a, b] = Beside(reps, raw, run, [] {});
    return b / a;
  };
  std::string read, first;
  const double whole = ratio([&] { t.TextMbcs(read); });
  const double guard = ratio([&] { t.ValidEditor(); });
  const double length = ratio([&] { SendMessageA(e, WM_GETTEXTLENGTH, 0, 0); });
  const double fresh = ratio([&] { first = t.TextMbcs(); });
  if (got != static_cast<LRESULT>(size) || read != deck || first != deck)
    return (void)std::printf("%8zu KB  !! no raw baseline, or a read that is not the text\n", size / 1024);
  std::printf("%8zu KB  whole-text read %5.3fx of one raw WM_GETTEXT; guard %5.3fx, WM_GETTEXTLENGTH %5.3fx; "
              "a first read %5.3fx\n", size / 1024, whole, guard, length, fresh);
}

// What the preview does when its look (length and selection) found a change: the whole text read,
// the cards found, the caret's card laid out; against one raw read of the same deck, in turns.
// Beside it: the look alone, which is all an idle tick costs, and the two steps after the read,
// to show that laying out one card does not grow with the deck.
void RunPreview(size_t size, int reps) {
  HostPad host;
  const std::string deck = Deck(size);
  host.setBytes(deck);
  if (host.bytes().size() != deck.size()) return (void)std::printf("   !! the deck did not load\n");
  g_editor = host.editor();
  clsKeshTeraPad& t = *gTeraPad;
  t.hwnd(host.main());
  const long caret = static_cast<long>(deck.find("<DISPLAY", deck.size() / 2)) + 30;
  host.select(caret, caret);
  Preview::Context context;   // 20 x 8, no variables, no pictures
  std::string buffer(size + 1, '\0');
  LRESULT got = 0;
  size_t rows = 0;
  const auto look = t.Glance();
  std::string text;   // the last reading, kept as the preview keeps it
  const auto refresh = [&] {
    t.TextMbcs(text);
    const Preview::Cards cards = Preview::FindCards(text);
    rows = Preview::LayOut(text, cards, Preview::CardAt(cards, static_cast<size_t>(look ? look->start : 0)), context).rows.size();
  };
  const auto [raw, both] = Beside(reps, [&] {
    got = SendMessageA(host.editor(), WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  }, refresh, [] {});
  if (got != static_cast<LRESULT>(size)) return (void)std::printf("%8zu KB  no raw baseline\n", size / 1024);
  const double idle = Median(reps, [&] { t.Glance(); });
  Preview::Cards cards;
  const double find = Median(reps, [&] { cards = Preview::FindCards(deck); });
  const int card = Preview::CardAt(cards, static_cast<size_t>(caret));
  const double lay = Median(reps * 4, [&] { Preview::LayOut(deck, cards, card, context); });
  std::printf("%8zu KB  preview refresh ÷ one raw read of the same deck %6.3fx (raw %.2f ms; %zu rows)   "
              "idle look %6.3fx   finding the cards %.3f ms, one card laid out %.4f ms\n",
              size / 1024, both / raw, raw * 1e3, rows, idle / raw, find * 1e3, lay * 1e3);
}

}  // namespace

int main(int argc, char** argv) {
  gTeraPad = std::make_unique<clsKeshTeraPad>();
  const std::wstring os = clsKeshTeraPad::GetOSName();
  std::printf("Windows family: %ls; ratios are medians against one raw WM_GETTEXT of the whole document\n",
              os.c_str());
  // "bench_bridge.exe read": the whole-text read's lines and the check's alone; "preview": the
  // preview's alone.
  const bool readOnly = argc > 1 && std::string(argv[1]) == "read";
  const bool previewOnly = argc > 1 && std::string(argv[1]) == "preview";
  const auto preview = [] {
    for (const auto& [size, reps] : {std::pair{size_t{4} << 10, 41}, {size_t{64} << 10, 21}, {size_t{1} << 20, 9}})
      RunPreview(size, reps);
  };
  if (os == L"WinNT" && previewOnly) return preview(), 0;
  if (os == L"WinNT") {
    for (size_t kb : {4, 64, 1024, 8192}) RunRead(kb * 1024, 0, kb > 1024 ? 21 : 61);
    if (!readOnly) {
      Run(64 * 1024, 0, 15);
      Run(1024 * 1024, 0, 9);
      Run(8 * 1024 * 1024, 0, 5);
    }
    RunCheck(1024 * 1024, 9);
    RunCheck(8 * 1024 * 1024, 5);
    if (!readOnly) preview();
  } else {
    // 95 family: the host copies at most 32760 bytes per message, so the raw baseline reads
    // only that much while the bridge reads the whole text in pieces.
    std::printf("(host cap 32760 bytes per transfer)\n");
    for (size_t kb : {4, 31}) RunRead(kb * 1024, 32760, 41);
    if (readOnly) return 0;
    Run(1024 * 1024, 32760, 5);
  }
  return 0;
}
