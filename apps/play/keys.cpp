#include "apps/play/keys.h"

#include <utility>

namespace play {
namespace {

constexpr std::pair<unsigned, const char *> kNames[] = {
    {0x01, "Escape"},     {0x02, "1"},         {0x03, "2"},
    {0x04, "3"},          {0x05, "4"},         {0x06, "5"},
    {0x07, "6"},          {0x08, "7"},         {0x09, "8"},
    {0x0A, "9"},          {0x0B, "0"},         {0x0C, "-"},
    {0x0D, "="},          {0x0E, "Backspace"}, {0x0F, "Tab"},
    {0x10, "Q"},          {0x11, "W"},         {0x12, "E"},
    {0x13, "R"},          {0x14, "T"},         {0x15, "Y"},
    {0x16, "U"},          {0x17, "I"},         {0x18, "O"},
    {0x19, "P"},          {0x1A, "["},         {0x1B, "]"},
    {0x1C, "Return"},     {0x1D, "Left Ctrl"}, {0x1E, "A"},
    {0x1F, "S"},          {0x20, "D"},         {0x21, "F"},
    {0x22, "G"},          {0x23, "H"},         {0x24, "J"},
    {0x25, "K"},          {0x26, "L"},         {0x27, ";"},
    {0x28, "'"},          {0x29, "`"},         {0x2A, "Left Shift"},
    {0x2B, "\\"},         {0x2C, "Z"},         {0x2D, "X"},
    {0x2E, "C"},          {0x2F, "V"},         {0x30, "B"},
    {0x31, "N"},          {0x32, "M"},         {0x33, ","},
    {0x34, "."},          {0x35, "/"},         {0x36, "Right Shift"},
    {0x37, "Keypad *"},   {0x38, "Left Alt"},  {0x39, "Space"},
    {0x3A, "CapsLock"},   {0x3B, "F1"},        {0x3C, "F2"},
    {0x3D, "F3"},         {0x3E, "F4"},        {0x3F, "F5"},
    {0x40, "F6"},         {0x41, "F7"},        {0x42, "F8"},
    {0x43, "F9"},         {0x44, "F10"},       {0x45, "Numlock"},
    {0x46, "ScrollLock"}, {0x47, "Keypad 7"},  {0x48, "Keypad 8"},
    {0x49, "Keypad 9"},   {0x4A, "Keypad -"},  {0x4B, "Keypad 4"},
    {0x4C, "Keypad 5"},   {0x4D, "Keypad 6"},  {0x4E, "Keypad +"},
    {0x4F, "Keypad 1"},   {0x50, "Keypad 2"},  {0x51, "Keypad 3"},
    {0x52, "Keypad 0"},   {0x53, "Keypad ."},  {0x56, "NonUSBackslash"},
    {0x57, "F11"},        {0x58, "F12"},       {0x9C, "Keypad Enter"},
    {0x9D, "Right Ctrl"}, {0xB5, "Keypad /"},  {0xB8, "Right Alt"},
    {0xC7, "Home"},       {0xC8, "Up"},        {0xC9, "PageUp"},
    {0xCB, "Left"},       {0xCD, "Right"},     {0xCF, "End"},
    {0xD0, "Down"},       {0xD1, "PageDown"},  {0xD2, "Insert"},
    {0xD3, "Delete"},
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string KeyName(unsigned code) {
  for (const auto &[c, name] : kNames)
    if (c == code) return name;
  return {};
}

unsigned KeyCode(std::string_view name) {
  for (const auto &[code, n] : kNames)
    if (SameIgnoringCase(name, n)) return code;
  return 0;
}

KeyRoute RouteKey(unsigned code, bool leftShift, bool rightShift, int displays) {
  KeyRoute route;
  if (code == 0 || code == kLeftShift || code == kRightShift) return route;
  if (leftShift || rightShift) {
    route.code = code;
    route.kind = KeyRoute::Kind::Display;
    route.display = leftShift || displays < 2 ? 0 : 1;
    return route;
  }
  route.kind = KeyRoute::Kind::Cockpit;
  switch (code) {
    case 0x3B: route.action = CockpitKey::Help; break;
    case 0x58: route.action = CockpitKey::Screenshot; break;
    case 0x19: route.action = CockpitKey::Pause; break;
    case 0x34: route.action = CockpitKey::Step; break;
    case 0x57: route.action = CockpitKey::Fullscreen; break;
    case 0x3F: route.action = CockpitKey::Reload; break;
    case 0x01: route.action = CockpitKey::Quit; break;
    default: route.kind = KeyRoute::Kind::Ignore; break;
  }
  return route;
}

}  // namespace play
