// Runs the window's test classes in one offscreen application. A class name
// as the first argument runs that class alone, with the remaining arguments.
#include <clocale>
#include <cstring>

#include <QApplication>
#include <QStyleFactory>

int RunStartUpTest(int argc, char** argv);
int RunEditingTest(int argc, char** argv);
int RunCommandsTest(int argc, char** argv);

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // As the program does.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  struct Suite {
    const char* Name;
    int (*Run)(int, char**);
  };
  const Suite suites[] = {{"StartUpTest", RunStartUpTest}, {"EditingTest", RunEditingTest},
                          {"CommandsTest", RunCommandsTest}};
  if (argc > 1) {
    for (const Suite& suite : suites) {
      if (std::strcmp(argv[1], suite.Name) == 0) {
        argv[1] = argv[0];
        return suite.Run(argc - 1, argv + 1);
      }
    }
  }
  int failures = 0;
  for (const Suite& suite : suites) failures += suite.Run(argc, argv);
  return failures;
}
