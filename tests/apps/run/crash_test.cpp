// A module that crashes under the runner: the trace up to the crash is kept,
// the message names the script line and what was running, the status says so.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/scratch.h"

namespace {

using velbrik_test::RunIn;
using velbrik_test::ScratchDir;
using velbrik_test::Slurp;

TEST(RunnerCrash, KeepsTheTraceAndNamesTheLine) {
  const struct {
    const char *script;
    const char *message;
    const char *lastLine;
  } cases[] = {
      {"open 64 64\nrepaint 2\nrepaint 5\n", "s.session:3: the module crashed (SIGSEGV) during 'repaint'\n",
       R"(["LineTo",5,5])"},
      {"open 64 64\nkey 0x2E\n", "s.session:2: the module crashed (SIGILL) during 'key'\n", R"(["@","key",46])"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.script);
    ScratchDir dir("crash");
    std::ofstream(dir.Path() / "s.session") << c.script;
    EXPECT_EQ(RunIn(dir.Path(), "'" VELBRIK_RUN "' --plugin '" CRASHER "' --script s.session --trace out/t.jsonl"), 3);
    EXPECT_EQ(Slurp(dir.Path() / "stderr.txt"),
              std::string(c.message) + "velbrik-run: the trace up to the crash is in out/t.jsonl\n");
    const std::string trace = Slurp(dir.Path() / "out/t.jsonl");
    EXPECT_TRUE(trace.ends_with(std::string(c.lastLine) + "\n"))
        << trace.substr(trace.size() > 80 ? trace.size() - 80 : 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path() / "out"), {}), 1) << "no temporary left";
  }
}

TEST(RunnerCrash, WhatTheModuleDoesNotGiveTheTraceShowsAsNull) {
  ScratchDir dir("crash");
  EXPECT_EQ(RunIn(dir.Path(),
                  "printf 'version\\nopen 0 0\\n' | '" VELBRIK_RUN "' --plugin '" CRASHER "' --script - --trace -"),
            0);
  EXPECT_NE(Slurp(dir.Path() / "stdout.txt")
                .find("[\"@\",\"version\"]\n[\"=\",null]\n[\"@\",\"open\",0,0]\n[\"=\",null]\n[\"@\",\"unload\"]\n"),
            std::string::npos);
}

}  // namespace
