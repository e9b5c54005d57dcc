// Registration and lifecycle: the plug-in loaded as the host loads it, its mode
// registered and unregistered, displays created by the mode's handler, the
// version export, and the plug-in's exported symbols.
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

TEST_F(LifecycleTest, LoadingRegistersTheModeAndUnloadingUnregistersIt) {
  auto plugin = Load();
  ASSERT_TRUE(plugin);
  EXPECT_EQ(Take(), (std::vector<std::string>{R"(["InitLib"])", R"(["GetProcAddress","ExitModule"])",
                                              R"(["GetProcAddress","opcDLLExit"])",
                                              R"(["oapiRegisterMFDMode","Velbrik",49])"}));
  ASSERT_EQ(Host::Instance().Modes().size(), 1u);
  const standin::Mode &mode = Host::Instance().Modes()[0];
  EXPECT_EQ(mode.id, 1);
  EXPECT_EQ(mode.name, "Velbrik");
  EXPECT_EQ(mode.key, 0x31u);
  EXPECT_NE(mode.handler, nullptr);

  plugin.reset();
  EXPECT_EQ(Take(), std::vector<std::string>{R"(["oapiUnregisterMFDMode",1])"});
  EXPECT_TRUE(Host::Instance().Modes().empty());
}

TEST_F(LifecycleTest, OnlyMessageOneCreatesADisplayOfTheSizeWordsSize) {
  auto plugin = Load();
  Take();
  const auto &handler = Host::Instance().Modes().at(0).handler;
  for (const UINT message : {0u, 2u, 3u, 0xFFFFFFFFu}) {
    EXPECT_EQ(handler(message, 0, 320 | 200 << 16, 1), 0) << message;
  }
  EXPECT_TRUE(Take().empty());

  const struct {
    UINT sizeWord;
    const char *constructed;
  } cases[] = {{320 | 200 << 16, R"(["MFD",320,200])"}, {0xFFFF0001u, R"(["MFD",1,65535])"}, {0, R"(["MFD",0,0])"}};
  for (const auto &c : cases) {
    MFD *display = reinterpret_cast<MFD *>(Open(c.sizeWord));
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(Take(), std::vector<std::string>{c.constructed});
    delete display;  // through the virtual destructor, as the host does
    EXPECT_EQ(Take(), std::vector<std::string>{R"(["~MFD"])"});
  }
}

TEST_F(LifecycleTest, TheVersionIsComputedOnceFromTheDate) {
  auto plugin = Load();
  Take();
  const auto version = reinterpret_cast<int (*)()>(plugin->Export("GetModuleVersion"));
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version(), 20060425);
  EXPECT_EQ(version(), 20060425);
  EXPECT_EQ(Take(), std::vector<std::string>{R"(["Date2Int","Apr 25 2006"])"});
}

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

TEST_F(LifecycleTest, ThreadNotificationsDoNothing) {
  auto plugin = Load();
  Take();
  const auto entry = reinterpret_cast<BOOL (*)(HINSTANCE, DWORD, LPVOID)>(plugin->Export("DllMain"));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry(plugin->Handle(), DLL_THREAD_ATTACH, nullptr), 1);
  EXPECT_EQ(entry(plugin->Handle(), DLL_THREAD_DETACH, nullptr), 1);
  EXPECT_TRUE(Take().empty());
}

TEST_F(LifecycleTest, WhatIsNotADisplayModuleIsRefusedWithAReason) {
  const struct {
    std::string path;
    std::string reason;
  } cases[] = {
      {"/nonexistent/Velbrik.so", "No such file"},
      {VELBRIK_TEST_SOURCE "/CMakeLists.txt", "invalid ELF header"},
      {STANDIN_LIBRARY, "not a display module"},
  };
  for (const auto &c : cases) {
    std::string error;
    EXPECT_EQ(Module::Load(OpenSharedLibrary, c.path, error), nullptr) << c.path;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
  EXPECT_TRUE(Take().empty());
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
