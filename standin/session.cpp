#include "standin/session.h"

#include "standin/host.h"
#include "standin/json.h"

namespace standin {

Session::Session(TraceSink *trace) : trace_(trace) {
  if (trace_) recorder_ = std::make_unique<Recorder>(*trace_);
}

Session::~Session() { Unload(); }

void Session::Write(const std::string &line) {
  if (trace_) trace_->Write(line);
}

bool Session::Load(const std::string &pluginPath, std::string &error) {
  Host &host = Host::Instance();
  host.Reset();
  host.SetLog(trace_);
  Write(Json("@", "load"));
  plugin_ = Plugin::Load(pluginPath, error);
  return plugin_ != nullptr;
}

void Session::Unload() {
  if (!plugin_) return;
  Write(Json("@", "unload"));
  for (Display &d : displays_) {
    delete d.mfd;
    d.mfd = nullptr;
  }
  displays_.clear();
  current_ = -1;
  plugin_.reset();
  Host::Instance().SetLog(nullptr);
}

bool Session::Message(const char *name, UINT message, UINT sizeWord, std::intptr_t &result, std::string &error) {
  const auto &modes = Host::Instance().Modes();
  if (modes.empty() || !modes.front().handler) {
    error = std::string(name) + ": the module has registered no display mode";
    return false;
  }
  result = modes.front().handler(message, 0, sizeWord, reinterpret_cast<std::intptr_t>(Host::Instance().Vessel()));
  return true;
}

bool Session::Open(const Command &command, std::string &error) {
  const UINT sizeWord = static_cast<UINT>(command.a | command.b << 16);
  std::intptr_t result = 0;
  if (!Message("open", 1, sizeWord, result, error)) return false;
  if (result == 0) {
    Write(Json("=", nullptr));
    return true;
  }
  Display display;
  display.mfd = reinterpret_cast<MFD *>(result);
  display.surface = std::make_unique<Surface>();
  display.sizeWord = sizeWord;
  if (recorder_) display.surface->Attach(*recorder_);
  const int number = static_cast<int>(displays_.size());
  for (const DisplayHook &hook : onOpened_) {
    error = hook(number, static_cast<int>(command.a), static_cast<int>(command.b), *display.surface);
    if (!error.empty()) {
      // The host could not show it after all: the display goes back, deleted.
      delete display.mfd;
      return false;
    }
  }
  displays_.push_back(std::move(display));
  current_ = number;
  Write(Json("=", number));
  return true;
}

bool Session::Run(const Command &command, std::string &error) {
  if (!plugin_) {
    error = "no module is loaded";
    return false;
  }
  Display *display = current_ >= 0 ? &displays_[current_] : nullptr;
  auto needDisplay = [&](const char *name) {
    if (display) return true;
    error = std::string(name) + ": no display is current";
    return false;
  };

  switch (command.op) {
    case Op::Open: Write(Json("@", "open", command.a, command.b)); return Open(command, error);

    case Op::Use:
      Write(Json("@", "use", command.a));
      if (command.a >= static_cast<std::int64_t>(displays_.size()) || !displays_[command.a].mfd) {
        error = "use: there is no open display " + std::to_string(command.a);
        return false;
      }
      current_ = static_cast<int>(command.a);
      return true;

    case Op::Cursor:
      Write(Json("@", "cursor", command.a, command.b));
      Host::Instance().SetCursor(POINT{static_cast<LONG>(command.a), static_cast<LONG>(command.b)});
      return true;

    case Op::Repaint:
      if (!needDisplay("repaint")) return false;
      for (std::int64_t i = 0; i < command.a; ++i) {
        Write(Json("@", "repaint"));
        display->surface->BeginFrame();
        display->mfd->Repaint(display->surface->Handle());
        display->surface->EndFrame();
        for (const RepaintHook &hook : onRepainted_) {
          error = hook(current_);
          if (!error.empty()) return false;
        }
      }
      return true;

    case Op::Key: {
      if (!needDisplay("key")) return false;
      Write(Json("@", "key", command.a));
      const bool used = display->mfd->ConsumeKeyBuffered(static_cast<unsigned long>(command.a));
      Write(Json("=", used));
      return true;
    }

    case Op::Button: {
      if (!needDisplay("button")) return false;
      Write(Json("@", "button", command.a, command.b));
      const bool used = display->mfd->ConsumeButton(static_cast<int>(command.a), static_cast<int>(command.b));
      Write(Json("=", used));
      return true;
    }

    case Op::Label: {
      if (!needDisplay("label")) return false;
      Write(Json("@", "label", command.a));
      const char *label = display->mfd->ButtonLabel(static_cast<int>(command.a));
      Write(Json("=", label));
      return true;
    }

    case Op::Menu: {
      if (!needDisplay("menu")) return false;
      Write(Json("@", "menu"));
      const MFDBUTTONMENU *menu = nullptr;
      const int count = display->mfd->ButtonMenu(&menu);
      JsonArray entries;
      // A table is read only as far as it can sensibly reach.
      for (int i = 0; menu && i < count && i < 256; ++i) {
        const char shortcut[2] = {menu[i].selchar, 0};
        entries.Add(JsonArray()
                        .Add(menu[i].line1)
                        .Add(menu[i].line2)
                        .Add(menu[i].selchar ? static_cast<const char *>(shortcut) : nullptr));
      }
      Write(JsonArray().Add("=").Add(count).Add(entries).Text());
      return true;
    }

    case Op::MenuNull: {
      if (!needDisplay("menu")) return false;
      Write(Json("@", "menu", "null"));
      Write(Json("=", display->mfd->ButtonMenu(nullptr)));
      return true;
    }

    case Op::Version: {
      Write(Json("@", "version"));
      typedef int (*Version)();
      const auto version = reinterpret_cast<Version>(plugin_->Symbol("GetModuleVersion"));
      if (!version) {
        error = "version: the module does not export GetModuleVersion";
        return false;
      }
      Write(Json("=", version()));
      return true;
    }

    case Op::Message: {
      Write(Json("@", "message", command.a));
      std::intptr_t ignored = 0;
      return Message("message", static_cast<UINT>(command.a), display ? display->sizeWord : 0, ignored, error);
    }

    case Op::Close:
      if (!needDisplay("close")) return false;
      Write(Json("@", "close"));
      delete display->mfd;
      display->mfd = nullptr;
      display->surface.reset();
      current_ = -1;
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
