// The resource script reader of the native build.
#include "rcscript.h"

#include <gtest/gtest.h>

namespace {

TEST(RcScript, ReadsStringTablesWithDefinesAndEscapes) {
  RcScript s;
  ASSERT_TRUE(s.Parse({{"a.rc",
                        "#include \"ids.h\"\n#include <windows.h>\n"
                        "/* c */ STRINGTABLE DISCARDABLE\nBEGIN\n"
                        "  IDS_ONE \"one\\r\\n\"\n  2, \"say \"\"hi\"\"\"\n"
                        "  3 \"a\\\\b\" \" joined\"\n  4 \"\\x41\\101\\t\"\nEND\n"},
                       {"ids.h", "#define IDS_ONE 1 // first\n"}}))
      << s.Error();
  const auto& t = s.Strings();
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t.at(1), "one\r\n");
  EXPECT_EQ(t.at(2), "say \"hi\"");
  EXPECT_EQ(t.at(3), "a\\b joined");
  EXPECT_EQ(t.at(4), "AA\t");
  long v = 0;
  EXPECT_TRUE(s.Define("IDS_ONE", v));
  EXPECT_EQ(v, 1);
}

TEST(RcScript, MalformedScriptsAreRefusedWithTheLine) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"STRINGTABLE\nBEGIN\n 1 \"open\nEND\n", "a.rc:3: unterminated string"},
      {"STRINGTABLE\nBEGIN\n NOPE \"x\"\nEND\n", "a.rc:3: bad string id 'NOPE'"},
      {"STRINGTABLE\nBEGIN\n 1\nEND\n", "a.rc:3: string id without text"},
      {"STRINGTABLE\nBEGIN\n 1 \"x\"\n", "a.rc:1: STRINGTABLE without END"},
      {"STRINGTABLE 1 \"x\"", "a.rc:1: STRINGTABLE without BEGIN"},
      {"/* open", "a.rc:1: unterminated comment"},
      {"STRINGTABLE BEGIN 1 \"\\q\" END", "a.rc:1: unknown escape \\q"},
      {"7 DIALOG 0, 0, 10\nBEGIN\nEND\n", "a.rc:1: bad dialog rectangle"},
      {"7 DIALOG 0, 0, 10, 10\nSTYLE WS_NOPE\nBEGIN\nEND\n", "a.rc:2: bad STYLE"},
      {"7 DIALOG 0, 0, 10, 10\nBEGIN\n LTEXT \"x\", 1, 0, 0, 1, 1\nEND\n",
       "a.rc:3: unsupported control statement 'LTEXT'"},
      {"7 DIALOG 0, 0, 10, 10\nBEGIN\n CONTROL \"x\", 1, \"Static\", 0, 1, 2\nEND\n", "a.rc:3: bad control rectangle"},
      {"7 DIALOG 0, 0, 10, 10\nBEGIN\n", "a.rc:1: dialog without END"},
  };
  for (const Case& c : cases) {
    RcScript s;
    EXPECT_FALSE(s.Parse({{"a.rc", c.text}})) << c.text;
    EXPECT_EQ(s.Error(), c.error) << c.text;
  }
}

TEST(RcScript, SelfIncludeStopsAtItsDepth) {
  RcScript s;
  EXPECT_FALSE(s.Parse({{"a.rc", "#include \"a.rc\"\n"}}));
  EXPECT_EQ(s.Error(), "a.rc:0: includes nested too deeply");
}

TEST(RcScript, TheProgramsOwnScriptParses) {
  EXPECT_TRUE(LumiModuleScript().Error().empty()) << LumiModuleScript().Error();
  EXPECT_EQ(LumiModuleScript().Strings().at(1), "Lumiscroll Installation");
}

}  // namespace
