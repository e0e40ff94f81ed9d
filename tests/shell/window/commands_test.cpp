// The HOMO and LUMO buttons, Calculate end to end, and the report of an error
// that no handler handles.
#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <fstream>
#include <sstream>

#include "shell/calculation_run.h"
#include "shell/messages.h"
#include "tests/shell/window/window_fixture.h"

namespace {

std::string Contents(const QString& path) {
  std::ifstream in(Bytes(path), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The run's window without a window: what the scene must look like when the
// run gets the same paths and settings directly.
class QuietWindow : public CalculationWindow {
 public:
  explicit QuietWindow(bool structure) : Structure(structure) {}
  void ShowMessage(const std::string& text, const std::string&) override { Messages.push_back(text); }
  void SetCalculateEnabled(bool) override {}
  void SetProgress(int) override {}
  bool ShowStructure() const override { return Structure; }
  std::vector<std::string> Messages;
  bool Structure;
};

}  // namespace

class CommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void HomoAndLumoButtons_data();
  void HomoAndLumoButtons();
  void CalculateWritesTheScene_data();
  void CalculateWritesTheScene();
  void CalculateRefusals_data();
  void CalculateRefusals();
  void MissingParameterFileIsReportedAndWindowStaysIdle();

 private:
  std::unique_ptr<QTemporaryDir> Folder;
  QString Path(const char* name) const { return Folder->filePath(QString::fromLatin1(name)); }
};

void CommandsTest::init() {
  Folder = std::make_unique<QTemporaryDir>();
  QVERIFY(Folder->isValid());
}

void CommandsTest::HomoAndLumoButtons_data() {
  QTest::addColumn<QByteArray>("file");  // empty: no input file chosen; "-": a file that is not there
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("moNumber");
  QTest::addColumn<QString>("message");
  const QByteArray classic = " SCF FIELD WAS ACHIEVED\n  NO. OF FILLED LEVELS    =         13\n EIGENVECTORS\n";
  const QString notFound = QString::fromLatin1(NoHomoLumoMessage);
  QTest::newRow("HOMO of a classic output") << classic << "HOMOButton" << 13 << "";
  QTest::newRow("LUMO of a classic output") << classic << "LUMOButton" << 14 << "";
  QTest::newRow("LEVELS in a keyword description is passed over")
      << QByteArray(" C.I.=2 - 1 DOUBLY FILLED LEVELS USED IN A\n NO. OF FILLED LEVELS    =          8\n")
      << "HOMOButton" << 8 << "";
  QTest::newRow("three-digit count written as one token")
      << QByteArray(" NO. OF FILLED LEVELS    =103\n") << "LUMOButton" << 104 << "";
  QTest::newRow("no input file chosen") << QByteArray() << "HOMOButton" << 5 << QString::fromLatin1(NoInputMessage);
  QTest::newRow("input file no longer there") << QByteArray("-") << "LUMOButton" << 5 << notFound;
  QTest::newRow("no LEVELS in the file") << QByteArray(" FILLED Levels = 4\n LEVELS: 4\n") << "HOMOButton" << 5
                                         << notFound;
  QTest::newRow("LEVELS is the last token") << QByteArray(" NO. OF FILLED LEVELS") << "HOMOButton" << 5 << notFound;
  QTest::newRow("no number after LEVELS =") << QByteArray(" FILLED LEVELS = many\n") << "LUMOButton" << 5 << notFound;
}

void CommandsTest::HomoAndLumoButtons() {
  QFETCH(QByteArray, file);
  QFETCH(QString, button);
  QFETCH(int, moNumber);
  QFETCH(QString, message);
  WindowFixture window;
  auto* edit = window.Find<QLineEdit>("MoEdit");
  edit->setText(QStringLiteral("5"));
  if (file == "-") {
    window.Form1->InputDialog.FileName = Bytes(Path("gone.mno"));
  } else if (!file.isEmpty()) {
    QVERIFY(WriteFile(Path("levels.mno"), file));
    window.Form1->InputDialog.FileName = Bytes(Path("levels.mno"));
  }
  QTest::mouseClick(window.Form1->findChild<QToolButton*>(button), Qt::LeftButton);
  QCOMPARE(window.Form1->Settings.MoNumber, moNumber);
  QCOMPARE(edit->text(), QString::number(moNumber));
  if (message.isEmpty()) {
    QVERIFY(window.Messages.empty());
  } else {
    QCOMPARE(window.Messages.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(window.Messages[0].Text), message);
    QCOMPARE(window.Messages[0].Title, std::string("Dezoduvo error"));
  }
}

void CommandsTest::CalculateWritesTheScene_data() {
  QTest::addColumn<bool>("structure");
  QTest::newRow("with the structure") << true;
  QTest::newRow("without the structure") << false;
}

void CommandsTest::CalculateWritesTheScene() {
  QFETCH(bool, structure);
  QVERIFY(WriteFile(Path("pm3r.txt"), ParameterText()));
  QVERIFY(WriteFile(Path("h2.mno"), HydrogenOutput()));
  QVERIFY(WriteFile(Path("scene.pov"), "old contents\n"));
  WindowFixture window;
  TForm1& form = *window.Form1;
  form.ParametersDialog.FileName = Bytes(Path("pm3r.txt"));
  form.InputDialog.FileName = Bytes(Path("h2.mno"));
  form.OutputDialog.FileName = Bytes(Path("scene.pov"));
  if (!structure) QTest::mouseClick(window.Find<QCheckBox>("StructureCheckBox"), Qt::LeftButton);
  // Settings other than the defaults, so a setting that does not reach the run shows.
  window.Find<QLineEdit>("MoEdit")->setText(QStringLiteral("2"));
  window.Find<QLineEdit>("ThreshEdit")->setText(QStringLiteral("0.08"));
  window.Find<QLineEdit>("CutoffEdit")->setText(QStringLiteral("3"));
  window.Find<QLineEdit>("BondEdit")->setText(QStringLiteral("0.5"));
  QTest::mouseClick(window.Find<QWidget>("ScaleUpDown"), Qt::LeftButton, Qt::NoModifier, QPoint(8, 14));
  QTest::mouseClick(window.Find<QWidget>("LevelUpDown"), Qt::LeftButton, Qt::NoModifier, QPoint(8, 2));

  auto* bar = window.Find<QProgressBar>("ProgressBar");
  auto* calculate = window.Find<QPushButton>("CalcButton");
  QList<int> positions;
  bool enabledWhileRunning = false;
  connect(bar, &QProgressBar::valueChanged, bar, [&](int value) {
    positions << value;
    if (value != 0 && calculate->isEnabled()) enabledWhileRunning = true;
  });
  QTest::mouseClick(calculate, Qt::LeftButton);

  QVERIFY(window.Messages.empty());
  QVERIFY(window.ErrorReports.empty());
  QVERIFY(!enabledWhileRunning);
  QVERIFY(calculate->isEnabled());
  QCOMPARE(bar->value(), 0);
  QVERIFY(positions.size() > 2);
  QCOMPARE(positions.last(), 0);
  QCOMPARE(positions[positions.size() - 2], 100);
  QVERIFY(std::is_sorted(positions.begin(), positions.end() - 1));

  QuietWindow direct(structure);
  RunPaths paths{form.ParametersDialog.FileName, form.InputDialog.FileName, Bytes(Path("direct.pov"))};
  Settings expected;
  expected.MoNumber = 2;
  expected.Threshold = 0.08f;
  expected.Cutoff = 3.0f;
  expected.BondLength = 0.5f;
  expected.Scale = 3;
  expected.Level = 4;
  RunCalculation(direct, paths, expected);
  QVERIFY(direct.Messages.empty());
  const std::string scene = Contents(Path("scene.pov"));
  QCOMPARE(scene, Contents(Path("direct.pov")));
  QCOMPARE(scene.find("#declare Mol = union {") != std::string::npos, structure);
  QVERIFY(scene.find("smooth_triangle") != std::string::npos);
}

void CommandsTest::CalculateRefusals_data() {
  QTest::addColumn<QString>("input");  // empty: none chosen
  QTest::addColumn<QString>("message");
  QTest::newRow("no input file chosen") << QString() << QString::fromLatin1(NoInputMessage);
  QTest::newRow("input file not there") << QStringLiteral("gone.mno") << QString::fromLatin1(InputErrorMessage);
  QTest::newRow("input without eigenvectors") << QStringLiteral("levels-only.mno")
                                              << QString::fromLatin1(InputErrorMessage);
}

void CommandsTest::CalculateRefusals() {
  QFETCH(QString, input);
  QFETCH(QString, message);
  QVERIFY(WriteFile(Path("pm3r.txt"), ParameterText()));
  QVERIFY(WriteFile(Path("levels-only.mno"), " NO. OF FILLED LEVELS = 1\n"));
  QVERIFY(WriteFile(Path("scene.pov"), "old contents\n"));
  WindowFixture window;
  TForm1& form = *window.Form1;
  form.ParametersDialog.FileName = Bytes(Path("pm3r.txt"));
  if (!input.isEmpty()) form.InputDialog.FileName = Bytes(Folder->filePath(input));
  form.OutputDialog.FileName = Bytes(Path("scene.pov"));
  auto* bar = window.Find<QProgressBar>("ProgressBar");
  auto* calculate = window.Find<QPushButton>("CalcButton");
  bool moved = false;
  connect(bar, &QProgressBar::valueChanged, bar, [&] { moved = true; });
  QTest::mouseClick(calculate, Qt::LeftButton);
  QCOMPARE(window.Messages.size(), std::size_t(1));
  QCOMPARE(QString::fromStdString(window.Messages[0].Text), message);
  QCOMPARE(window.Messages[0].Title, std::string("Dezoduvo error"));
  QVERIFY(!moved);
  QVERIFY(calculate->isEnabled());
  QCOMPARE(Contents(Path("scene.pov")), std::string("old contents\n"));
}

void CommandsTest::MissingParameterFileIsReportedAndWindowStaysIdle() {
  QVERIFY(WriteFile(Path("h2.mno"), HydrogenOutput()));
  WindowFixture window;
  TForm1& form = *window.Form1;
  form.ParametersDialog.FileName = Bytes(Path("missing.txt"));
  form.InputDialog.FileName = Bytes(Path("h2.mno"));
  form.OutputDialog.FileName = Bytes(Path("scene.pov"));
  auto* calculate = window.Find<QPushButton>("CalcButton");
  QTest::mouseClick(calculate, Qt::LeftButton);
  QVERIFY(window.Messages.empty());
  QCOMPARE(window.ErrorReports.size(), std::size_t(1));
  QVERIFY2(window.ErrorReports[0].find(Bytes(Path("missing.txt"))) != std::string::npos,
           window.ErrorReports[0].c_str());
  QVERIFY(!QFile::exists(Path("scene.pov")));
  QVERIFY(calculate->isEnabled());
  QCOMPARE(window.Find<QProgressBar>("ProgressBar")->value(), 0);

  // Still running: with the file in place the next click calculates.
  QVERIFY(WriteFile(Path("missing.txt"), ParameterText()));
  QTest::mouseClick(calculate, Qt::LeftButton);
  QCOMPARE(window.ErrorReports.size(), std::size_t(1));
  QVERIFY(QFile::exists(Path("scene.pov")));
}

#include "commands_test.moc"

int RunCommandsTest(int argc, char** argv) {
  CommandsTest test;
  return QTest::qExec(&test, argc, argv);
}
