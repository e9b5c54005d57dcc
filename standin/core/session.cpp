#include "standin/core/session.h"

#include "standin/core/host.h"
#include "standin/core/json.h"

namespace standin {

Session::Session(TraceSink *trace, LibraryOpener open) : trace_(trace), open_(open) {
  if (trace_) recorder_ = std::make_unique<Recorder>(*trace_);
}

Session::~Session() { Unload(); }

void Session::WriteLine(const std::string &line) {
  if (trace_) trace_->Write(line);
}

bool Session::Call(const char *what, const std::function<void()> &call) {
  if (Crashed()) return false;
  if (!guard_) {
    call();
    return true;
  }
  std::string fault;
  if (guard_->Run(call, fault)) return true;
  crash_ = "the module crashed (" + fault + ") during '" + what + "'";
  return false;
}

bool Session::Load(const std::string &pluginPath, std::string &error) {
  Host &host = Host::Instance();
  host.Reset();
  host.SetLog(trace_);
  Write("@", "load");
  if (!Call("load", [&] { module_ = Module::Load(open_, pluginPath, error); })) {
    error = crash_;
    return false;
  }
  return module_ != nullptr;
}

void Session::Unload() {
  if (!module_) return;
  if (Crashed()) {
    // Nothing more is asked of a module that crashed: its objects and the
    // library itself are left as they are.
    (void)module_.release();
  } else {
    Write("@", "unload");
    Call("unload", [&] {
      for (Display &d : displays_) {
        if (d.mfd) module_->Calls().destroy(d.mfd);  // through the virtual destructor, as the host does
        d.mfd = nullptr;
      }
      module_.reset();
    });
    if (Crashed()) (void)module_.release();
  }
  displays_.clear();
  current_ = -1;
  Host::Instance().SetLog(nullptr);
}

bool Session::IsOpen(int display) const {
  return display >= 0 && display < static_cast<int>(displays_.size()) && displays_[display].mfd;
}

Surface *Session::SurfaceOf(int display) { return IsOpen(display) ? displays_[display].surface.get() : nullptr; }

void Session::Use(int display) {
  if (display == current_) return;
  Write("@", "use", display);
  Script("use", display);
  current_ = display;
}

bool Session::Message(const char *name, int modeId, UINT message, UINT display, UINT sizeWord, std::intptr_t &result,
                      std::string &error) {
  const auto &modes = Host::Instance().Modes();
  const Mode *mode = modeId ? Host::Instance().FindMode(modeId) : modes.empty() ? nullptr : &modes.front();
  if (!mode || !mode->handler) {
    error = std::string(name) + (modeId ? ": the module has no display mode " + std::to_string(modeId)
                                        : ": the module has registered no display mode");
    return false;
  }
  result = mode->handler(message, display, sizeWord, reinterpret_cast<std::intptr_t>(Host::Instance().Vessel()));
  return true;
}

std::optional<int> Session::Open(int width, int height, int modeId, std::string &error) {
  error.clear();
  // The first registered mode is the one an open without a mode takes.
  const auto &modes = Host::Instance().Modes();
  if (!modes.empty() && modes.front().id == modeId) modeId = 0;
  if (modeId) {
    Write("@", "open", width, height, modeId);
    Script("open", width, height, modeId);
  } else {
    Write("@", "open", width, height);
    Script("open", width, height);
  }
  const UINT sizeWord = static_cast<UINT>(width) | static_cast<UINT>(height) << 16;
  const int number = static_cast<int>(displays_.size());
  std::intptr_t result = 0;
  bool sent = false;
  if (!Call("open", [&] { sent = Message("open", modeId, 1, static_cast<UINT>(number), sizeWord, result, error); })) {
    error = crash_;
    return std::nullopt;
  }
  if (!sent) return std::nullopt;
  if (result == 0) {
    Write("=", nullptr);
    return std::nullopt;
  }
  Display display;
  display.mfd = reinterpret_cast<MFD *>(result);
  display.surface = std::make_unique<Surface>();
  display.sizeWord = sizeWord;
  if (recorder_) display.surface->Attach(*recorder_);
  for (const DisplayHook &hook : onOpened_) {
    error = hook(number, width, height, *display.surface);
    if (!error.empty()) {
      // The host could not show it after all: the display goes back, deleted.
      if (!Call("close", [&] { module_->Calls().destroy(display.mfd); })) error = crash_;
      return std::nullopt;
    }
  }
  displays_.push_back(std::move(display));
  current_ = number;
  Write("=", number);
  return number;
}

void Session::SetCursor(POINT position) {
  Write("@", "cursor", position.x, position.y);
  Script("cursor", position.x, position.y);
  Host::Instance().SetCursor(position);
}

bool Session::Repaint(int display, std::string &error) {
  Use(display);
  Write("@", "repaint");
  Script("repaint");
  Display &d = displays_[display];
  d.surface->BeginFrame();
  if (!Call("repaint", [&] { module_->Calls().repaint(d.mfd, d.surface->Handle()); })) {
    error = crash_;
    return false;
  }
  d.surface->EndFrame();
  for (const RepaintHook &hook : onRepainted_) {
    error = hook(display);
    if (!error.empty()) return false;
  }
  return true;
}

bool Session::Key(int display, unsigned long code) {
  Use(display);
  Write("@", "key", code);
  Script("key", code);
  bool used = false;
  if (!Call("key", [&] { used = module_->Calls().consumeKeyBuffered(displays_[display].mfd, code); })) return false;
  Write("=", used);
  return used;
}

bool Session::Button(int display, int bt, int event) {
  Use(display);
  Write("@", "button", bt, event);
  Script("button", bt, event);
  bool used = false;
  if (!Call("button", [&] { used = module_->Calls().consumeButton(displays_[display].mfd, bt, event); })) return false;
  Write("=", used);
  return used;
}

const char *Session::Label(int display, int bt) {
  Use(display);
  Write("@", "label", bt);
  Script("label", bt);
  const char *label = nullptr;
  if (!Call("label", [&] { label = module_->Calls().buttonLabel(displays_[display].mfd, bt); })) return nullptr;
  Write("=", label);
  return label;
}

int Session::Menu(int display, const MFDBUTTONMENU **menu) {
  Use(display);
  if (!menu) {
    Write("@", "menu", "null");
    Script("menu null");
    int count = 0;
    if (!Call("menu", [&] { count = module_->Calls().buttonMenu(displays_[display].mfd, nullptr); })) return 0;
    Write("=", count);
    return count;
  }
  Write("@", "menu");
  Script("menu");
  *menu = nullptr;
  int count = 0;
  JsonArray entries;
  if (!Call("menu", [&] {
        count = module_->Calls().buttonMenu(displays_[display].mfd, menu);
        // The table is the module's memory, read as a call into it.
        // A table is read only as far as it can sensibly reach.
        for (int i = 0; *menu && i < count && i < 256; ++i) {
          const MFDBUTTONMENU &entry = (*menu)[i];
          const char shortcut[2] = {entry.selchar, 0};
          entries.Add(JsonArray()
                          .Add(entry.line1)
                          .Add(entry.line2)
                          .Add(entry.selchar ? static_cast<const char *>(shortcut) : nullptr));
        }
      })) {
    *menu = nullptr;
    return 0;
  }
  WriteLine(JsonArray().Add("=").Add(count).Add(entries).Text());
  return count;
}

void Session::Close(int display) {
  Use(display);
  Write("@", "close");
  Script("close");
  Display &d = displays_[display];
  Call("close", [&] { module_->Calls().destroy(d.mfd); });
  d.mfd = nullptr;
  d.surface.reset();
  current_ = -1;
}

bool Session::Run(const Command &command, std::string &error) {
  const bool ran = RunCommand(command, error);
  if (Crashed()) error = crash_;
  return ran && !Crashed();
}

bool Session::RunCommand(const Command &command, std::string &error) {
  if (!module_) {
    error = "no module is loaded";
    return false;
  }
  const int display = current_;
  auto needDisplay = [&](const char *name) {
    if (display >= 0) return true;
    error = std::string(name) + ": no display is current";
    return false;
  };

  switch (command.op) {
    case Op::Open: {
      const auto opened =
          Open(static_cast<int>(command.a), static_cast<int>(command.b), static_cast<int>(command.c), error);
      return opened || error.empty();
    }

    case Op::Use:
      Write("@", "use", command.a);
      Script("use", command.a);
      if (!IsOpen(static_cast<int>(command.a))) {  // the reader keeps K within int
        error = "use: there is no open display " + std::to_string(command.a);
        return false;
      }
      current_ = static_cast<int>(command.a);
      return true;

    case Op::Cursor: SetCursor(POINT{static_cast<LONG>(command.a), static_cast<LONG>(command.b)}); return true;

    case Op::Repaint:
      if (!needDisplay("repaint")) return false;
      for (std::int64_t i = 0; i < command.a; ++i)
        if (!Repaint(display, error)) return false;
      return true;

    case Op::Key:
      if (!needDisplay("key")) return false;
      Key(display, static_cast<unsigned long>(command.a));
      return true;

    case Op::Button:
      if (!needDisplay("button")) return false;
      Button(display, static_cast<int>(command.a), static_cast<int>(command.b));
      return true;

    case Op::Label:
      if (!needDisplay("label")) return false;
      Label(display, static_cast<int>(command.a));
      return true;

    case Op::Menu: {
      if (!needDisplay("menu")) return false;
      const MFDBUTTONMENU *menu = nullptr;
      Menu(display, &menu);
      return true;
    }

    case Op::MenuNull:
      if (!needDisplay("menu")) return false;
      Menu(display, nullptr);
      return true;

    case Op::Version: {
      Write("@", "version");
      Script("version");
      typedef int (*Version)();
      const auto version = reinterpret_cast<Version>(module_->Export("GetModuleVersion"));
      if (!version) {  // a module need not say its version: the host then has none
        Write("=", nullptr);
        return true;
      }
      int value = 0;
      if (!Call("version", [&] { value = version(); })) return false;
      Write("=", value);
      return true;
    }

    case Op::Message: {
      Write("@", "message", command.a);
      Script("message", command.a);
      std::intptr_t ignored = 0;
      const UINT sizeWord = display >= 0 ? displays_[display].sizeWord : 0;
      bool sent = false;
      Call("message", [&] {
        sent = Message("message", 0, static_cast<UINT>(command.a), display >= 0 ? static_cast<UINT>(display) : 0,
                       sizeWord, ignored, error);
      });
      return sent;
    }

    case Op::Close:
      if (!needDisplay("close")) return false;
      Close(display);
      return true;
  }
  return true;
}

bool RunScript(Session &session, const std::string &pluginPath, const std::vector<Command> &commands,
               ScriptError &error) {
  error = ScriptError{};
  if (!session.Load(pluginPath, error.message)) return false;
  for (const Command &command : commands) {
    if (!session.Run(command, error.message)) {
      error.line = command.line;
      return false;
    }
  }
  session.Unload();
  return true;
}

}  // namespace standin
