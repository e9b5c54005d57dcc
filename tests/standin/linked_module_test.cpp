// The module linked into the program runs a session to the same trace as the
// module loaded as a plug-in.
#include "standin/static/linked_module.h"

#include <gtest/gtest.h>

#include "standin/core/session.h"
#include "standin/posix/shared_library.h"

namespace {

std::vector<std::string> Trace(standin::LibraryOpener open) {
  const char script[] =
      "open 320 200\ncursor 100\nrepaint 3\nkey 0x13\ncursor 60\nrepaint 40\nversion\nopen 64 64\nrepaint\nuse 0\n"
      "label 1\nmenu\nclose\n";
  std::vector<standin::Command> commands;
  standin::ScriptError error;
  EXPECT_TRUE(standin::ParseScript(script, commands, error)) << error.message;
  standin::MemoryTrace trace;
  standin::Session session(&trace, open);
  EXPECT_TRUE(standin::RunScript(session, VELBRIK_PLUGIN, commands, error)) << error.message;
  return trace.lines;
}

TEST(LinkedModule, TracesAsThePlugInDoes) {
  const std::vector<std::string> linked = Trace(standin::linked::OpenLinkedModule);
  EXPECT_GT(linked.size(), 1000u);
  EXPECT_EQ(linked, Trace(standin::posix::OpenSharedLibrary));
}

TEST(LinkedModule, IsLoadedOnceAtATime) {
  std::string error;
  auto first = standin::linked::OpenLinkedModule("Velbrik", error);
  ASSERT_TRUE(first);
  EXPECT_FALSE(standin::linked::OpenLinkedModule("Velbrik", error));
  EXPECT_EQ(error, "Velbrik: the linked module is already loaded");
  first.reset();
  EXPECT_TRUE(standin::linked::OpenLinkedModule("Velbrik", error));
}

}  // namespace
