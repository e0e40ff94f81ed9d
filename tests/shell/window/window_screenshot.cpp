// Renders the started window offscreen into the PNG file named on the command
// line, for the README.
#include <clocale>
#include <cstdio>

#include <QApplication>
#include <QPixmap>
#include <QStyleFactory>

#include "shell/main_window.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_screenshot FILE.png\n");
    return 2;
  }
  QApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  TForm1 Form1;
  Form1.show();
  if (!Form1.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "window_screenshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
