// Progress is drawn only on a terminal; messages are kept for main to print
// with their reason.
#include "cli/terminal_window.h"

#include <cstdio>

void TerminalWindow::ShowMessage(const std::string& text, const std::string&) { LastMessage = text; }

void TerminalWindow::SetProgress(int position) {
  if (!Progress || position == Shown) return;
  // The run resets the bar to 0 when it ends: clear the line instead of drawing it.
  if (position == 0 && Shown > 0) {
    std::fprintf(stderr, "\r%60s\r", "");
    Shown = -1;
    return;
  }
  Shown = position;
  constexpr int Width = 40;
  const int filled = position * Width / 100;
  std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled, "########################################", Width - filled, "",
               position);
  std::fflush(stderr);
}
