// Prints the text of every tooltip window on the screen, one a line, in UTF-8: under Wine a tray icon's
// balloon is one, so the Windows desktop test reads what the balloon says from outside the program.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

BOOL CALLBACK PrintTooltip(HWND window, LPARAM) {
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  if (std::wstring(className) != L"tooltips_class32" || !::IsWindowVisible(window)) return TRUE;
  wchar_t text[512] = {};
  const LRESULT length = ::SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  char utf8[2048] = {};
  ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8, sizeof utf8 - 1, nullptr, nullptr);
  std::printf("%s\n", utf8);
  return TRUE;
}

}  // namespace

int main() {
  ::EnumWindows(&PrintTooltip, 0);
  return 0;
}
