// The plug-in as a library: fresh module state on every load, export lookup
// kept to the module itself, and the symbols it defines and needs.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "host/MFD.h"
#include "standin/core/host.h"
#include "standin/core/module.h"
#include "standin/core/recorder.h"
#include "standin/core/surface.h"
#include "standin/core/trace.h"
#include "standin/posix/shared_library.h"

namespace {

using standin::Host;
using standin::Module;
using standin::posix::OpenSharedLibrary;

class LifecycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Host::Instance().Reset();
    Host::Instance().SetLog(&trace);
  }
  void TearDown() override { Host::Instance().Reset(); }

  std::unique_ptr<Module> Load() {
    std::string error;
    auto plugin = Module::Load(OpenSharedLibrary, VELBRIK_PLUGIN, error);
    EXPECT_TRUE(plugin) << error;
    return plugin;
  }
  std::vector<std::string> Take() {
    std::vector<std::string> lines;
    lines.swap(trace.lines);
    return lines;
  }
  static std::intptr_t Open(UINT sizeWord) {
    return Host::Instance().Modes().at(0).handler(1, 0, sizeWord,
                                                  reinterpret_cast<std::intptr_t>(Host::Instance().Vessel()));
  }

  standin::MemoryTrace trace;
};

TEST_F(LifecycleTest, EachLoadStartsWithFreshModuleState) {
  // The shared cursor memory starts at 0 after every load: the first frame's
  // paddle moves by half the cursor's x both times.
  for (int round = 0; round < 2; ++round) {
    Host::Instance().Reset();
    Host::Instance().SetLog(&trace);
    auto plugin = Load();
    Host::Instance().SetCursor(POINT{100, 0});
    standin::Surface surface;
    standin::Recorder recorder(trace);
    surface.Attach(recorder);
    MFD *display = reinterpret_cast<MFD *>(Open(320 | 200 << 16));
    Take();
    display->Repaint(surface.Handle());
    const auto lines = Take();
    EXPECT_NE(std::find(lines.begin(), lines.end(), R"(["Ellipse",192,180,202,190])"), lines.end())
        << "round " << round;
    delete display;
  }
}

TEST_F(LifecycleTest, ExportLookupIsConfinedToTheModule) {
  auto plugin = Load();
  Take();
  const HINSTANCE handle = plugin->Handle();
  EXPECT_NE(GetProcAddress(handle, "opcDLLExit"), nullptr);
  EXPECT_NE(GetProcAddress(handle, "DllMain"), nullptr);
  EXPECT_EQ(GetProcAddress(handle, "ExitModule"), nullptr);
  EXPECT_EQ(GetProcAddress(handle, "strlen"), nullptr);   // in a library it depends on
  EXPECT_EQ(GetProcAddress(handle, "MsgProc"), nullptr);  // not exported
  EXPECT_EQ(GetProcAddress(nullptr, "opcDLLExit"), nullptr);
  EXPECT_EQ(Take().size(), 6u);
}

// The names the dynamic symbol table of the plug-in defines or leaves undefined.
std::set<std::string> DynamicSymbols(const char *which) {
  std::set<std::string> names;
  const std::string command = std::string("nm -D ") + which + " " VELBRIK_PLUGIN;
  std::FILE *pipe = popen(command.c_str(), "r");
  if (!pipe) return names;
  char line[512];
  while (std::fgets(line, sizeof line, pipe)) {
    std::string text(line);
    text.erase(text.find_last_not_of("\n") + 1);
    const std::size_t space = text.rfind(' ');
    names.insert(text.substr(space + 1));
  }
  pclose(pipe);
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

}  // namespace
