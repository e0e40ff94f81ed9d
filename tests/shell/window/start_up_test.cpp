// The window as it starts: controls, captions that fit, tab order, dialogs,
// and the parameter path taken from the working directory.
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include "shell/messages.h"
#include "shell/up_down.h"
#include "tests/shell/window/window_fixture.h"

namespace {

QString Caption(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  return QString();
}

// The width a control leaves for its caption, as its style draws it.
int CaptionRoom(QWidget* control) {
  if (auto* box = qobject_cast<QCheckBox*>(control)) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width();
  }
  if (auto* button = qobject_cast<QPushButton*>(control)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
  }
  if (qobject_cast<QToolButton*>(control)) {
    const int frame = control->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, control);
    return control->width() - 2 * frame;
  }
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QMargins margins = edit->textMargins();
    return edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).width() - margins.left() -
           margins.right() - 4;  // the line edit's own horizontal margin, 2 on each side
  }
  return control->width();
}

}  // namespace

class StartUpTest : public QObject {
  Q_OBJECT

 private slots:
  void ControlsStartAsDesigned_data();
  void ControlsStartAsDesigned();
  void SettingsAndStateStartAtDefaults();
  void CaptionsFitTheirControls_data();
  void CaptionsFitTheirControls();
  void TabKeyFollowsDesignedOrder();
  void UpDownRangesAreDesigned_data();
  void UpDownRangesAreDesigned();
  void DialogsAreSetUp_data();
  void DialogsAreSetUp();
  void DialogKeepsNameWhenCancelled();
  void ParameterPathFollowsWorkingDirectory_data();
  void ParameterPathFollowsWorkingDirectory();
};

void StartUpTest::ControlsStartAsDesigned_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("hint");
  QTest::addColumn<QRect>("geometry");  // labels size themselves: width and height 0 are not compared
  const auto row = [](const char* name, const char* caption, const char* hint, QRect geometry) {
    QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption) << QString::fromLatin1(hint)
                        << geometry;
  };
  row("Label5", "MO number:", "", {8, 8, 0, 0});
  row("MoEdit", "1", "", {72, 8, 33, 21});
  row("MoUpDown", "", "", {120, 8, 16, 17});
  row("HOMOButton", "HOMO", "Select the HOMO", {152, 8, 33, 25});
  row("LUMOButton", "LUMO", "Select the LUMO", {192, 8, 33, 25});
  row("Label1", "Scale:", "", {8, 32, 0, 0});
  row("ScaleLabel", "4", "", {72, 32, 0, 0});
  row("ScaleUpDown", "", "", {120, 32, 17, 17});
  row("ParametersButton", "Parameters...", "Choose MNDO parameters", {152, 40, 75, 25});
  row("Label2", "Threshold:", "", {8, 56, 0, 0});
  row("ThreshEdit", "0.05", "", {72, 56, 33, 21});
  row("InButton", "In file...", "Choose MOPAC input file", {152, 72, 75, 25});
  row("Label3", "Accuracy:", "", {8, 80, 0, 0});
  row("LevelLabel", "3", "", {72, 80, 0, 0});
  row("LevelUpDown", "", "", {120, 80, 16, 17});
  row("Label4", "Cutoff:", "", {8, 104, 0, 0});
  row("CutoffEdit", "3.5", "AO cutoff radius", {72, 104, 33, 21});
  row("OutButton", "Out file...", "Choose POV output file", {152, 104, 75, 25});
  row("Label6", "Bond length:", "", {8, 136, 0, 0});
  row("BondEdit", "1.6", "", {72, 136, 33, 21});
  row("CalcButton", "Calculate", "Calculate orbital", {152, 136, 75, 25});
  row("StructureCheckBox", "Show structure", "Display cylinder model", {8, 160, 97, 17});
  row("ProgressBar", "", "", {8, 184, 225, 17});
}

void StartUpTest::ControlsStartAsDesigned() {
  QFETCH(QString, name);
  QFETCH(QString, caption);
  QFETCH(QString, hint);
  QFETCH(QRect, geometry);
  WindowFixture window;
  auto* control = window.Form1->findChild<QWidget*>(name);
  QVERIFY2(control, qPrintable(name));
  QCOMPARE(control->parentWidget(), window.Form1.get());
  QCOMPARE(Caption(control), caption);
  QCOMPARE(control->toolTip(), hint);
  QCOMPARE(control->pos(), geometry.topLeft());
  if (!geometry.size().isNull()) QCOMPARE(control->size(), geometry.size());
}

void StartUpTest::SettingsAndStateStartAtDefaults() {
  WindowFixture window;
  TForm1& form = *window.Form1;
  QCOMPARE(form.windowTitle(), QStringLiteral("Dezoduvo"));
  QCOMPARE(form.size(), QSize(252, 235));
  QCOMPARE(form.minimumSize(), form.maximumSize());
  QCOMPARE(form.Settings.Threshold, 0.05f);
  QCOMPARE(form.Settings.Cutoff, 3.5f);
  QCOMPARE(form.Settings.BondLength, 1.6f);
  QCOMPARE(form.Settings.Scale, 4);
  QCOMPARE(form.Settings.Level, 3);
  QCOMPARE(form.Settings.MoNumber, 1);
  QVERIFY(window.Find<QCheckBox>("StructureCheckBox")->isChecked());
  auto* bar = window.Find<QProgressBar>("ProgressBar");
  QCOMPARE(bar->value(), 0);
  QCOMPARE(bar->minimum(), 0);
  QCOMPARE(bar->maximum(), 100);
  QVERIFY(window.Find<QPushButton>("CalcButton")->isEnabled());
  QCOMPARE(form.InputDialog.FileName, std::string());
  QCOMPARE(form.OutputDialog.FileName, std::string("out.pov"));
  QVERIFY(window.Messages.empty());
  QVERIFY(window.ErrorReports.empty());
}

void StartUpTest::CaptionsFitTheirControls_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("rightLimit");  // labels may reach up to the control beside them
  for (const char* label : {"Label5", "Label1", "Label2", "Label3", "Label4", "Label6"}) {
    QTest::newRow(label) << QString::fromLatin1(label) << 72;
  }
  QTest::newRow("ScaleLabel at its widest") << QStringLiteral("ScaleLabel") << 120;
  for (const char* name : {"MoEdit", "ThreshEdit", "CutoffEdit", "BondEdit", "HOMOButton", "LUMOButton",
                           "ParametersButton", "InButton", "OutButton", "CalcButton", "StructureCheckBox"}) {
    QTest::newRow(name) << QString::fromLatin1(name) << 0;
  }
}

void StartUpTest::CaptionsFitTheirControls() {
  QFETCH(QString, name);
  QFETCH(int, rightLimit);
  WindowFixture window;
  auto* control = window.Form1->findChild<QWidget*>(name);
  QVERIFY(control);
  if (auto* label = qobject_cast<QLabel*>(control); label && name == QStringLiteral("ScaleLabel")) {
    label->setText(QStringLiteral("100"));
    label->adjustSize();
  }
  const QFontMetrics metrics(control->font());
  // The font must be the one chosen, not a fallback with other widths.
  QVERIFY2(QFontInfo(control->font()).family().startsWith(QStringLiteral("DejaVu")),
           qPrintable(QFontInfo(control->font()).family()));
  const QString caption = Caption(control);
  QVERIFY(metrics.height() <= control->height());
  if (rightLimit > 0) {
    QVERIFY2(control->x() + metrics.horizontalAdvance(caption) <= rightLimit, qPrintable(caption));
    QVERIFY2(control->geometry().right() < rightLimit, qPrintable(caption));
  } else {
    QVERIFY2(metrics.horizontalAdvance(caption) <= CaptionRoom(control), qPrintable(caption));
  }
}

void StartUpTest::TabKeyFollowsDesignedOrder() {
  WindowFixture window;
  const QStringList expected = {"StructureCheckBox", "InButton",    "OutButton", "ScaleUpDown", "LevelUpDown",
                                "ParametersButton",  "CalcButton",  "ProgressBar", "MoEdit",    "MoUpDown",
                                "ThreshEdit",        "CutoffEdit",  "BondEdit"};
  QStringList chain;
  QWidget* widget = window.Find<QWidget>("StructureCheckBox");
  for (int step = 0; step < 100 && chain.size() < expected.size(); ++step, widget = widget->nextInFocusChain()) {
    if (expected.contains(widget->objectName())) chain << widget->objectName();
  }
  QCOMPARE(chain, expected);
  // The progress bar is in the order but takes no focus: Tab goes on to MoEdit.
  window.Find<QPushButton>("CalcButton")->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), window.Find<QWidget>("MoEdit"));
}

void StartUpTest::UpDownRangesAreDesigned_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("minimum");
  QTest::addColumn<int>("maximum");
  QTest::addColumn<int>("position");
  QTest::newRow("MoUpDown") << QStringLiteral("MoUpDown") << 1 << 200 << 1;
  QTest::newRow("ScaleUpDown") << QStringLiteral("ScaleUpDown") << 1 << 100 << 4;
  QTest::newRow("LevelUpDown") << QStringLiteral("LevelUpDown") << 1 << 100 << 3;
}

void StartUpTest::UpDownRangesAreDesigned() {
  QFETCH(QString, name);
  QFETCH(int, minimum);
  QFETCH(int, maximum);
  QFETCH(int, position);
  WindowFixture window;
  auto* upDown = window.Form1->findChild<UpDown*>(name);
  QVERIFY(upDown);
  QCOMPARE(int(upDown->Minimum()), minimum);
  QCOMPARE(int(upDown->Maximum()), maximum);
  QCOMPARE(int(upDown->Position()), position);
}

void StartUpTest::DialogsAreSetUp_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QStringList>("filters");
  QTest::addColumn<bool>("mustExist");
  QTest::addColumn<bool>("save");
  QTest::newRow("InputDialog") << QStringLiteral("InputDialog") << QStringLiteral("Open MOPAC file...")
                               << QStringList{"MOPAC output(*.mno)", "All files (*)"} << true << false;
  QTest::newRow("OutputDialog") << QStringLiteral("OutputDialog") << QStringLiteral("Save output as...")
                                << QStringList{"POVRAY (*.pov)"} << false << true;
  QTest::newRow("ParametersDialog") << QStringLiteral("ParametersDialog") << QStringLiteral("Open parameter file...")
                                    << QStringList{"Text (*.txt)"} << true << false;
}

void StartUpTest::DialogsAreSetUp() {
  QFETCH(QString, name);
  QFETCH(QString, title);
  QFETCH(QStringList, filters);
  QFETCH(bool, mustExist);
  QFETCH(bool, save);
  WindowFixture window;
  auto* dialog = window.Form1->findChild<QFileDialog*>(name);
  QVERIFY(dialog);
  QCOMPARE(dialog->windowTitle(), title);
  QCOMPARE(dialog->nameFilters(), filters);
  QCOMPARE(dialog->fileMode() == QFileDialog::ExistingFile, mustExist);
  QCOMPARE(dialog->acceptMode() == QFileDialog::AcceptSave, save);
  QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
}

void StartUpTest::DialogKeepsNameWhenCancelled() {
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  const QString chosen = folder.filePath(QStringLiteral("chosen.mno"));
  QVERIFY(WriteFile(chosen, HydrogenOutput()));
  WindowFixture window;
  window.Form1->InputDialog.FileName = Bytes(chosen);
  auto* dialog = window.Form1->InputDialog.Dialog;

  // The dialog opens at the kept file; cancelling it keeps that file.
  QString offered;
  QTimer::singleShot(0, dialog, [dialog, &offered] {
    offered = dialog->selectedFiles().value(0);
    dialog->reject();
  });
  QTest::mouseClick(window.Find<QPushButton>("InButton"), Qt::LeftButton);
  QCOMPARE(offered, chosen);
  QCOMPARE(window.Form1->InputDialog.FileName, Bytes(chosen));
  QVERIFY(window.Messages.empty());
}

void StartUpTest::ParameterPathFollowsWorkingDirectory_data() {
  QTest::addColumn<QString>("subfolder");
  QTest::newRow("short folder") << QStringLiteral("a");
  QTest::newRow("folder path longer than 200 characters")
      << QString(60, QLatin1Char('b')) + "/" + QString(60, QLatin1Char('c')) + "/" + QString(60, QLatin1Char('d'));
  QTest::newRow("root folder") << QString();
}

void StartUpTest::ParameterPathFollowsWorkingDirectory() {
  QFETCH(QString, subfolder);
  QTemporaryDir base;
  QVERIFY(base.isValid());
  const QString folder = subfolder.isEmpty() ? QStringLiteral("/") : base.filePath(subfolder);
  QVERIFY(QDir().mkpath(folder));
  const QString previous = QDir::currentPath();
  QVERIFY(QDir::setCurrent(folder));
  std::string parameterPath;
  {
    WindowFixture window;
    parameterPath = window.Form1->ParametersDialog.FileName;
  }
  QVERIFY(QDir::setCurrent(previous));
  // After "/" too the separator is added: "//pm3r.txt" still names the file.
  QCOMPARE(parameterPath, Bytes(QDir(folder).canonicalPath()) + "/pm3r.txt");
}

#include "start_up_test.moc"

int RunStartUpTest(int argc, char** argv) {
  StartUpTest test;
  return QTest::qExec(&test, argc, argv);
}
