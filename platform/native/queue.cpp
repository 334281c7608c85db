// Native stand-in for the message queue and timers: posted messages wait
// until the queue is pumped, and timers run on a clock that moves only when
// told to.
#include <algorithm>
#include <deque>
#include <map>

#include "internal.h"
#include "lumimodel.h"
#include "lumiwin.h"

namespace {

struct Posted {
  HWND hwnd;
  UINT msg;
  WPARAM w;
  LPARAM l;
};

struct Timer {
  UINT period;
  uint64_t due;
};

struct State {
  std::deque<Posted> queue;
  std::map<std::pair<uintptr_t, UINT_PTR>, Timer> timers;
  uint64_t now = 0;
  int pumping = 0;
};

State& S() {
  static State s;
  return s;
}

uintptr_t Key(HWND h) { return reinterpret_cast<uintptr_t>(h); }

}  // namespace

BOOL WINAPI PostMessageA(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (!LumiWindowOf(h)) return FALSE;
  S().queue.push_back({h, msg, w, l});
  return TRUE;
}

void LumiPumpMessages() {
  State& s = S();
  if (s.pumping) return;  // a handler's own posts wait for the running pump
  ++s.pumping;
  while (!s.queue.empty()) {
    Posted p = s.queue.front();
    s.queue.pop_front();
    SendMessageA(p.hwnd, p.msg, p.w, p.l);
  }
  --s.pumping;
}

size_t LumiQueuedMessages() { return S().queue.size(); }

void LumiForgetMessages(HWND h) {
  State& s = S();
  for (auto it = s.timers.begin(); it != s.timers.end();) {
    it = it->first.first == Key(h) ? s.timers.erase(it) : std::next(it);
  }
  s.queue.erase(std::remove_if(s.queue.begin(), s.queue.end(), [h](const Posted& p) { return p.hwnd == h; }),
                s.queue.end());
}

UINT_PTR WINAPI SetTimer(HWND h, UINT_PTR id, UINT elapse, TIMERPROC) {
  if (!LumiWindowOf(h) || id == 0) return 0;
  UINT period = std::max<UINT>(elapse, 10);
  S().timers[{Key(h), id}] = {period, S().now + period};
  return id;
}

BOOL WINAPI KillTimer(HWND h, UINT_PTR id) { return S().timers.erase({Key(h), id}) ? TRUE : FALSE; }

int LumiTimerCount(HWND h) {
  int n = 0;
  for (const auto& t : S().timers) n += t.first.first == Key(h) ? 1 : 0;
  return n;
}

void LumiAdvanceClock(uint64_t ms) {
  State& s = S();
  uint64_t end = s.now + ms;
  LumiPumpMessages();
  for (;;) {
    auto next = s.timers.end();
    for (auto it = s.timers.begin(); it != s.timers.end(); ++it) {
      if (it->second.due <= end && (next == s.timers.end() || it->second.due < next->second.due)) next = it;
    }
    if (next == s.timers.end()) break;
    s.now = next->second.due;
    next->second.due += next->second.period;
    HWND h = reinterpret_cast<HWND>(next->first.first);
    SendMessageA(h, WM_TIMER, next->first.second, 0);
    LumiPumpMessages();
  }
  s.now = end;
}

uint64_t LumiClockNow() { return S().now; }
