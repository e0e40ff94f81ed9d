// dezoduvo: the window program. It starts with the default settings every
// time and keeps nothing when it ends.
#include <clocale>
#include <exception>

#include <QApplication>
#include <QMessageBox>
#include <QStyleFactory>

#include "shell/main_window.h"
#include "shell/messages.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // Qt takes the user's locale on start-up; the scene file's numbers need
  // the C locale's decimal point.
  std::setlocale(LC_NUMERIC, "C");
  // The controls have fixed pixel sizes: a desktop style with wider margins
  // would clip their captions.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  try {
    TForm1 Form1;
    Form1.show();
    return application.exec();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, QString::fromLatin1(ApplicationTitle), QString::fromLocal8Bit(error.what()));
  }
  return 0;
}
