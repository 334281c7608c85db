#include "console.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "lumistandin.h"
#include "lumiwin.h"
#include "sheet.h"
#include "views.h"

namespace {

constexpr double kMaxWait = 86400;  // seconds

const char kHelpText[] =
    "Commands: next, back, finish (or close), cancel, help, show, wait [SECONDS] (0 to 86400),\n"
    "the label of a page button (change), quit (cancels).\n";

bool g_outputFailed = false;

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return "";
  size_t b = s.find_last_not_of(" \t\r\n");
  return s.substr(a, b - a + 1);
}

// Writes text to standard output; false (remembered) once that fails.
bool Say(const std::string& text) {
  if (g_outputFailed) return false;
  std::cout << LumiConsoleVisible(text) << std::flush;
  if (!std::cout) g_outputFailed = true;
  return !g_outputFailed;
}

constexpr size_t kMaxLine = 4096;  // characters of an input line

// Reads a line of standard input, echoed when it comes from a script. A
// longer line than kMaxLine is read to its end, said to be ignored, and
// taken as an empty one: memory stays flat whatever comes in.
bool ReadLine(std::string& line) {
  line.clear();
  bool tooLong = false;
  int c = 0;
  while ((c = std::cin.get()) != EOF && c != '\n') {
    if (line.size() <= kMaxLine) {  // one more, for a '\r' before the '\n'
      line += static_cast<char>(c);
    } else {
      tooLong = true;
    }
  }
  if (c == EOF && line.empty()) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (tooLong || line.size() > kMaxLine) {
    line.clear();
    Say("\nA line of more than " + std::to_string(kMaxLine) + " characters is ignored.\n");
    return true;
  }
  if (!isatty(0)) Say(line + "\n");
  return true;
}

std::string HelpReplies(size_t from) {
  std::string reply;
  for (size_t i = from; i < LumiHelpLog().size(); ++i) {
    const LumiHelpCall& h = LumiHelpLog()[i];
    std::string host;
    struct stat st;
    bool there = LumiMapPath(h.file.c_str(), host) && stat(host.c_str(), &st) == 0;
    reply += "Help: topic " + std::to_string(h.data) + " of " + h.file +
             (there ? "" : " (the help file is not there)") + "\n";
  }
  return reply;
}

}  // namespace

bool LumiConsoleDrive(void*) {
  static std::string shown;
  std::string view = LumiSheetRender();
  if (view != shown && !Say(view)) return false;
  shown = view;
  if (!Say("> ")) return false;
  std::string line;
  if (!ReadLine(line)) {
    Say("\n(end of input: cancel)\n");
    return false;
  }
  std::string reply;
  LumiConsoleStep(line, reply);
  if (!reply.empty() && !Say(reply + (reply.back() == '\n' ? "" : "\n"))) return false;
  return !g_outputFailed;
}

namespace {

bool AskFolder(const std::string& title, const std::string& problem, std::string& answer) {
  if (!problem.empty() && !Say(problem + "\n")) return false;
  if (!Say((title.empty() ? std::string("Choose a folder") : title) + "\nFolder (an empty line cancels): ")) {
    return false;
  }
  if (!ReadLine(answer)) {
    Say("\n");
    return false;
  }
  answer = Trim(answer);
  return !answer.empty();
}

}  // namespace

void LumiConsoleStart() {
  LumiSheetSetDriver(LumiConsoleDrive, nullptr);
  LumiSetBrowseAsker(AskFolder);
}

bool LumiConsoleOutputFailed() { return g_outputFailed; }

namespace {
// The length of the well-formed UTF-8 sequence at text[i] (a lead byte of
// two to four), or 0.
size_t Utf8Length(const std::string& text, size_t i) {
  const auto at = [&](size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
  const unsigned lead = at(i);
  size_t n =
      lead >= 0xC2 && lead <= 0xDF ? 2 : (lead >= 0xE0 && lead <= 0xEF ? 3 : (lead >= 0xF0 && lead <= 0xF4 ? 4 : 0));
  // The second byte's range rules out overlong forms, surrogates and code
  // points past U+10FFFF.
  const unsigned low = lead == 0xE0 ? 0xA0 : (lead == 0xF0 ? 0x90 : 0x80);
  const unsigned high = lead == 0xED ? 0x9F : (lead == 0xF4 ? 0x8F : 0xBF);
  if (n == 0 || at(i + 1) < low || at(i + 1) > high) return 0;
  for (size_t k = 2; k < n; ++k) {
    if (at(i + k) < 0x80 || at(i + k) > 0xBF) return 0;
  }
  return n;
}

// A control character as the terminal cannot take it: ^X for C0 and DEL,
// M-^X for C1 (0x80 to 0x9F), as cat -v shows them.
void AppendControl(std::string& out, unsigned char u) {
  if (u >= 0x80) out += "M-";
  out += '^';
  out += static_cast<char>((u & 0x7F) ^ 0x40);
}
}  // namespace

// C1 controls reach a terminal raw (0x9B is CSI to one taking 8-bit
// controls) or encoded in UTF-8 (C2 9B): both are shown, not passed on.
// Well-formed UTF-8 and the code page's double-byte characters go whole.
std::string LumiConsoleVisible(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char u = static_cast<unsigned char>(text[i]);
    // A character of several bytes: a double-byte one of the code page, or
    // well-formed UTF-8.
    const bool pair = u >= 0x80 && ::IsDBCSLeadByte(u) && i + 1 < text.size();
    const size_t whole = pair ? 2 : (u >= 0x80 ? Utf8Length(text, i) : 0);
    if (!pair && u == 0xC2 && whole && static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      AppendControl(out, static_cast<unsigned char>(text[++i]));
    } else if (whole) {
      out.append(text, i, whole);
      i += whole - 1;
    } else if ((u < 0x20 && u != '\n' && u != '\t') || (u >= 0x7F && u <= 0x9F)) {
      AppendControl(out, u);
    } else {
      out += static_cast<char>(u);
    }
  }
  return out;
}

void LumiConsoleStep(const std::string& raw, std::string& reply) {
  reply.clear();
  std::string line = Trim(raw);
  if (line.empty()) return;
  size_t space = line.find_first_of(" \t");
  std::string word = LumiSheetLabel(line.substr(0, space));
  std::string arg = space == std::string::npos ? "" : Trim(line.substr(space));
  const struct {
    const char* name;
    int psbtn;
  } presses[] = {{"next", PSBTN_NEXT},     {"back", PSBTN_BACK},   {"finish", PSBTN_FINISH}, {"close", PSBTN_FINISH},
                 {"cancel", PSBTN_CANCEL}, {"quit", PSBTN_CANCEL}, {"help", PSBTN_HELP}};
  for (const auto& p : presses) {
    if (word != p.name) continue;
    if (!arg.empty()) {
      reply = "'" + word + "' takes no argument.";
      return;
    }
    LumiSheetButtonView b = LumiSheetButton(p.psbtn);
    if (!b.visible || !b.enabled) {
      reply = "'" + word + "' is not available on this page.";
      return;
    }
    size_t helps = LumiHelpLog().size();
    LumiSheetPress(p.psbtn);
    reply = HelpReplies(helps);
    return;
  }
  if (word == "wait") {
    double seconds = 2;
    if (!arg.empty()) {
      char* end = nullptr;
      seconds = std::strtod(arg.c_str(), &end);
      if (end == arg.c_str() || *end || !std::isfinite(seconds) || seconds < 0 || seconds > kMaxWait) {
        reply = "wait takes a number of seconds from 0 to 86400: " + arg;
        return;
      }
    }
    LumiAdvanceClock(static_cast<uint64_t>(seconds * 1000));
    return;
  }
  if (word == "show") {
    reply = arg.empty() ? LumiSheetRender() : "'show' takes no argument.";
    return;
  }
  if (LumiSheetClick(line)) return;
  reply = "Unknown command: " + line + "\n" + kHelpText;
}
