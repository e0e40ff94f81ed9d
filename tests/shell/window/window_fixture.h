// What every window test needs: a shown, active window whose message boxes
// are recorded instead of shown, controls found by name, and small input files.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "shell/main_window.h"

struct ShownMessage {
  std::string Text;
  std::string Title;
};

class WindowFixture {
 public:
  WindowFixture() : Form1(std::make_unique<TForm1>()) {
    Form1->MessageFunction = [this](const std::string& text, const std::string& title) {
      Messages.push_back({text, title});
    };
    Form1->ErrorReportFunction = [this](const std::string& text) { ErrorReports.push_back(text); };
    Form1->show();
    // Focus moves only inside the active window.
    QApplication::setActiveWindow(Form1.get());
  }

  template <typename Control>
  Control* Find(const char* name) const {
    return Form1->findChild<Control*>(QString::fromLatin1(name));
  }

  std::unique_ptr<TForm1> Form1;
  std::vector<ShownMessage> Messages;
  std::vector<std::string> ErrorReports;
};

// Writes text to path; true when all of it was written.
inline bool WriteFile(const QString& path, const QByteArray& text) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

inline std::string Bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A classic-layout MOPAC output for H2 with two orbitals: the keyword echo
// holds the first "EIGENVECTORS", the section title the second.
inline QByteArray HydrogenOutput() {
  return " *  VECTORS  - FINAL EIGENVECTORS TO BE PRINTED\n"
         "          NO. OF FILLED LEVELS    =          1\n"
         "                EIGENVECTORS\n"
         "    ROOT NO.    1           2\n"
         "           -14.50000     4.10000\n"
         "  S  H   1   0.70711     0.70711\n"
         "  S  H   2   0.70711    -0.70711\n"
         "              NET ATOMIC CHARGES AND DIPOLE CONTRIBUTIONS\n"
         "          CARTESIAN COORDINATES\n"
         "    NO.       ATOM               X         Y         Z\n"
         "     1         H                  0.0000    0.0000    0.0000\n"
         "     2         H                  0.7400    0.0000    0.0000\n";
}

inline QByteArray ParameterText() {
  return "4\nH 0.967807 1\nC 1.565085 1.842345 2\nN 2.028094 2.313728 2\nO 3.796544 2.389402 2\n";
}
