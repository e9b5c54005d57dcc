// The plug-in as a library: fresh module state on every load, export lookup
// kept to the module itself, and the symbols it defines and needs; the module
// linked into the program is loaded once at a time (what it traces is the
// digest set's, through the browser build's runner).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "host/MFD.h"
#include "standin/core/host.h"
#include "standin/core/module.h"
#include "standin/core/recorder.h"
#include "standin/core/surface.h"
#include "standin/core/trace.h"
#include "standin/posix/shared_library.h"
#include "standin/static/linked_module.h"

namespace {

using standin::Host;
using standin::Module;

class LifecycleTest : public ::testing::Test {
 protected:
  void TearDown() override { Host::Instance().Reset(); }

  // A fresh host, logging into `trace`, with the plug-in loaded into it.
  std::unique_ptr<Module> Load() {
    Host::Instance().Reset();
    Host::Instance().SetLog(&trace);
    std::string error;
    auto plugin = Module::Load(standin::posix::OpenSharedLibrary, VELBRIK_PLUGIN, error);
    EXPECT_TRUE(plugin) << error;
    trace.lines.clear();
    return plugin;
  }

  standin::MemoryTrace trace;
};

TEST_F(LifecycleTest, EachLoadStartsWithFreshModuleState) {
  // The shared cursor memory starts at 0 after every load: the first frame's
  // paddle moves by half the cursor's x both times.
  for (int round = 0; round < 2; ++round) {
    auto plugin = Load();
    Host::Instance().SetCursor(POINT{100, 0});
    standin::Surface surface;
    standin::Recorder recorder(trace);
    surface.Attach(recorder);
    MFD *display = reinterpret_cast<MFD *>(Host::Instance().Modes().at(0).handler(
        1, 0, 320 | 200 << 16, reinterpret_cast<std::intptr_t>(Host::Instance().Vessel())));
    display->Repaint(surface.Handle());
    EXPECT_NE(std::find(trace.lines.begin(), trace.lines.end(), R"(["Ellipse",192,180,202,190])"), trace.lines.end())
        << "round " << round;
    delete display;
  }
}

TEST_F(LifecycleTest, ExportLookupIsConfinedToTheModule) {
  auto plugin = Load();
  const HINSTANCE handle = plugin->Handle();
  EXPECT_NE(GetProcAddress(handle, "opcDLLExit"), nullptr);
  EXPECT_NE(GetProcAddress(handle, "DllMain"), nullptr);
  EXPECT_EQ(GetProcAddress(handle, "ExitModule"), nullptr);
  EXPECT_EQ(GetProcAddress(handle, "strlen"), nullptr);   // in a library it depends on
  EXPECT_EQ(GetProcAddress(handle, "MsgProc"), nullptr);  // not exported
  EXPECT_EQ(GetProcAddress(nullptr, "opcDLLExit"), nullptr);
  EXPECT_EQ(trace.lines.size(), 6u);
}

// The names the dynamic symbol table of the plug-in defines or leaves undefined.
std::set<std::string> DynamicSymbols(const char *which) {
  std::set<std::string> names;
  std::FILE *pipe = popen((std::string("nm -D ") + which + " " VELBRIK_PLUGIN " | awk '{ print $NF }'").c_str(), "r");
  char line[512];
  while (pipe && std::fgets(line, sizeof line, pipe)) names.insert(std::string(line, std::strcspn(line, "\n")));
  if (pipe) pclose(pipe);
  return names;
}

TEST(PluginSymbolsTest, ThePluginDefinesOnlyItsOwnEntryPoints) {
  EXPECT_EQ(DynamicSymbols("--defined-only"),
            (std::set<std::string>{"DllMain", "GetModuleVersion", "opcDLLExit", "opcDLLInit"}));
  const auto undefined = DynamicSymbols("--undefined-only");
  for (const char *name : {"TextOutA", "SetTextColor", "MoveToEx", "LineTo", "Ellipse", "SetPixel", "GetCursorPos",
                           "GetProcAddress", "_Z7InitLibP11HINSTANCE__", "_Z8Date2IntPc",
                           "_Z19oapiRegisterMFDModeR11MFDMODESPEC", "_Z21oapiUnregisterMFDModei"})
    EXPECT_TRUE(undefined.count(name)) << name;
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
