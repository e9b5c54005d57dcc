// One of the cockpit's displays, as the host runs it: powered or not, showing
// the mode-selection page, the mode's button menu, or the display mode itself
// (a display the host core opened in that mode), which draws on the display's
// pixel surface at every repaint. Its labels are asked for when the mode's
// object is made, its menu when the menu page comes up.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "apps/autopilot/autopilot.h"
#include "host/MFD.h"
#include "standin/core/host.h"
#include "standin/core/session.h"
#include "standin/raster/font.h"
#include "standin/raster/raster.h"

namespace play {

enum class Page { Off, Select, Menu, Mode };

// Button event words: bit 0 set for a press.
inline constexpr int kButtonPress = 0x01;
inline constexpr int kButtonRelease = 0x04;

struct MenuEntry {
  std::string line1;
  std::string line2;
  char shortcut = 0;
};

class Display {
 public:
  // A display with the selection page up, whose modes are run by `session`;
  // null with `error` when no surface can be made for it.
  static std::unique_ptr<Display> Create(int number, int width, int height, std::shared_ptr<standin::Font> font,
                                         standin::Session &session, std::string &error);
  ~Display();  // deletes the mode object, if any
  Display(const Display &) = delete;
  Display &operator=(const Display &) = delete;

  int Number() const { return number_; }
  Page Shown() const { return page_; }
  // The mode whose object lives on this display, or null.
  const standin::Mode *ActiveMode() const;

  // The host's buttons. Power off deletes the mode object; power on brings
  // back the mode last shown (a new object for it), or the selection page.
  void Power();
  // The selection page; pressed again, back to the mode that is live.
  void Select();
  // The live mode's button menu; pressed again, back to the mode.
  void Menu();

  // A side button pressed and let go. On the mode page both go to the mode;
  // on the selection page a press chooses mode `bt`; on the menu page a press
  // goes to the mode, which is shown again.
  void PressButton(int bt);
  void ReleaseButton(int bt);
  // A key (scan code) for this display: to the mode on its page or its menu
  // page (then back to the mode); on the selection page it chooses the mode
  // with that selection key.
  void Key(unsigned code);

  // Clears the surface and has the mode draw it, while the mode page shows.
  void Repaint();
  // Deletes the mode object; the display keeps its power and shows the selection page.
  void Close();
  // Forgets the mode object, which the session deleted as it unloaded the module.
  void Forget();
  // After the module was loaded again: the mode named `name` (as it was live
  // here before) opened anew and `page` shown, if the module still has it.
  void Reopen(const std::string &name, Page page);

  const standin::Image &Frame() const { return raster_->Frame(); }
  // Whether the mode's last repaint showed this game's Game Over or Level
  // Clear banner (what the autopilot reads the game by), for a hint on the bezel.
  bool GameEnded() const { return page_ == Page::Mode && (sight_.Seen().gameOver || sight_.Seen().levelClear); }
  // The live mode's label for button `bt`; empty when there is none.
  std::string Label(int bt) const;
  // The live mode's button menu, one entry per button at most.
  const std::vector<MenuEntry> &MenuEntries() const { return menu_; }

 private:
  Display(int number, int width, int height, std::unique_ptr<standin::Raster> raster, standin::Session &session);
  void Choose(const standin::Mode &mode);
  bool Live() const { return open_ >= 0; }

  int number_;
  int width_;
  int height_;
  std::unique_ptr<standin::Raster> raster_;
  standin::Sight sight_;
  standin::Session &session_;
  Page page_ = Page::Select;
  int open_ = -1;       // the session's number for the live mode's display
  int modeId_ = 0;      // of the live mode
  int lastModeId_ = 0;  // the mode shown before power went off
  int pressed_ = -1;    // a side button whose press the mode was given
  std::vector<std::string> labels_;
  std::vector<MenuEntry> menu_;
};

}  // namespace play
