// Typing into the edit boxes, leaving them, and stepping with the arrows.
#include <QLabel>
#include <QPushButton>

#include "shell/up_down.h"
#include "tests/shell/window/window_fixture.h"

Q_DECLARE_METATYPE(UpDown::Arrow)

namespace {

// The setting an edit changes, read as a float so one table holds all four.
float SettingOf(const TForm1& form, const QString& edit) {
  if (edit == QStringLiteral("MoEdit")) return static_cast<float>(form.Settings.MoNumber);
  if (edit == QStringLiteral("ThreshEdit")) return form.Settings.Threshold;
  if (edit == QStringLiteral("CutoffEdit")) return form.Settings.Cutoff;
  return form.Settings.BondLength;
}

void ClickArrow(UpDown* upDown, UpDown::Arrow arrow) {
  const int y = arrow == UpDown::Arrow::Up ? 2 : upDown->height() - 3;
  QTest::mouseClick(upDown, Qt::LeftButton, Qt::NoModifier, QPoint(upDown->width() / 2, y));
}

}  // namespace

class EditingTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryKeystrokeIsReadAndLeavingShowsTheValue_data();
  void EveryKeystrokeIsReadAndLeavingShowsTheValue();
  void LeavingByMouseRewritesToo();
  void ArrowsStepWithinTheirRange_data();
  void ArrowsStepWithinTheirRange();
  void TypedNumberMovesTheArrows();
};

void EditingTest::EveryKeystrokeIsReadAndLeavingShowsTheValue_data() {
  QTest::addColumn<QString>("edit");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QList<float>>("settingAfterEachKey");
  QTest::addColumn<QString>("textAfterLeaving");
  const auto row = [](const char* name, const char* edit, const char* typed, QList<float> settings,
                      const char* shown) {
    QTest::newRow(name) << QString::fromLatin1(edit) << QString::fromLatin1(typed) << settings
                        << QString::fromLatin1(shown);
  };
  row("orbital 15 passes through 1", "MoEdit", "15", {1, 15}, "15");
  row("orbital with letters after it", "MoEdit", "12abc", {1, 12, 12, 12, 12}, "12");
  row("orbital 70000 keeps its low 16 bits", "MoEdit", "70000", {7, 70, 700, 7000, 4464}, "4464");
  row("orbital 65536 has low bits 0 and is ignored", "MoEdit", "65536", {6, 65, 655, 6553, 6553}, "6553");
  row("orbital -3 is taken", "MoEdit", "-3", {1, -3}, "-3");
  row("orbital above the arrows' range", "MoEdit", "300", {3, 30, 300}, "300");
  row("orbital letters only", "MoEdit", "x", {1}, "1");
  row("orbital beyond a 32-bit long saturates", "MoEdit", "99999999999", {9, 99, 999, 9999, -31073, 16959, -27009,
      -7937, -13825, -1, -1}, "-1");
  row("threshold 0.1 passes through 0 and 0.", "ThreshEdit", "0.1", {0.05f, 0.05f, 0.1f}, "0.1");
  row("threshold 0 is ignored", "ThreshEdit", "0", {0.05f}, "0.05");
  row("threshold letters are ignored", "ThreshEdit", "ab", {0.05f, 0.05f}, "0.05");
  row("threshold 0.050 is shown as 0.05", "ThreshEdit", "0.050", {0.05f, 0.05f, 0.05f, 0.05f, 0.05f}, "0.05");
  row("threshold may be negative", "ThreshEdit", "-0.05", {0.05f, 0.05f, 0.05f, 0.05f, -0.05f}, "-0.05");
  row("threshold beyond the float range is ignored", "ThreshEdit", "1e39", {1, 1, 1e3f, 1e3f}, "1000");
  row("threshold below the float range is ignored", "ThreshEdit", "1e-50", {1, 1, 1, 1e-5f, 1e-5f}, "1e-05");
  row("threshold read as a decimal, not hexadecimal", "ThreshEdit", "0x10", {0.05f, 0.05f, 0.05f, 0.05f}, "0.05");
  row("threshold infinity is not a number", "ThreshEdit", "inf", {0.05f, 0.05f, 0.05f}, "0.05");
  row("threshold rounded to float", "ThreshEdit", "0.1234567", {0.05f, 0.05f, 0.1f, 0.12f, 0.123f, 0.1234f,
      0.12345f, 0.123456f, 0.1234567f}, "0.123457");
  row("cutoff with an exponent", "CutoffEdit", "2.5e1", {2, 2, 2.5f, 2.5f, 25}, "25");
  row("cutoff with a leading blank", "CutoffEdit", " 4", {3.5f, 4}, "4");
  row("bond length with a comma stops at the comma", "BondEdit", "1,9", {1, 1, 1}, "1");
  row("bond length with a leading point", "BondEdit", ".7", {1.6f, 0.7f}, "0.7");
}

void EditingTest::EveryKeystrokeIsReadAndLeavingShowsTheValue() {
  QFETCH(QString, edit);
  QFETCH(QString, typed);
  QFETCH(QList<float>, settingAfterEachKey);
  QFETCH(QString, textAfterLeaving);
  WindowFixture window;
  auto* box = window.Find<QLineEdit>(qPrintable(edit));
  QVERIFY(box);
  box->setFocus(Qt::MouseFocusReason);
  QCOMPARE(QApplication::focusWidget(), box);
  const float before = SettingOf(*window.Form1, edit);
  box->clear();
  // An empty text changes nothing.
  QCOMPARE(SettingOf(*window.Form1, edit), before);

  QList<float> seen;
  for (const QChar key : typed) {
    QTest::keyClick(box, key.toLatin1());
    seen << SettingOf(*window.Form1, edit);
  }
  QCOMPARE(box->text(), typed);
  QCOMPARE(seen, settingAfterEachKey);

  QTest::keyClick(box, Qt::Key_Tab);
  QVERIFY(QApplication::focusWidget() != box);
  QCOMPARE(box->text(), textAfterLeaving);
  // Rewriting the text reads it again: the value in effect does not move.
  QCOMPARE(SettingOf(*window.Form1, edit), settingAfterEachKey.last());
}

void EditingTest::LeavingByMouseRewritesToo() {
  WindowFixture window;
  auto* edit = window.Find<QLineEdit>("CutoffEdit");
  edit->setFocus(Qt::MouseFocusReason);
  edit->selectAll();
  QTest::keyClicks(edit, "abc");
  // Leaving with an unchanged, rejected text rewrites it again every time.
  for (int leaving = 0; leaving < 2; ++leaving) {
    QTest::mouseClick(window.Find<QWidget>("StructureCheckBox"), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("3.5"));
    edit->setFocus(Qt::MouseFocusReason);
    edit->setText(QStringLiteral("abc"));
  }
  // A click on the HOMO button leaves the focus in the edit, like a speed button.
  QTest::mouseClick(window.Find<QWidget>("HOMOButton"), Qt::LeftButton);
  QCOMPARE(QApplication::focusWidget(), edit);
  QCOMPARE(edit->text(), QStringLiteral("abc"));
}

void EditingTest::ArrowsStepWithinTheirRange_data() {
  QTest::addColumn<QString>("upDown");
  QTest::addColumn<UpDown::Arrow>("arrow");
  QTest::addColumn<int>("clicks");
  QTest::addColumn<int>("setting");
  QTest::addColumn<QString>("companion");
  QTest::addColumn<QString>("shown");
  const auto up = UpDown::Arrow::Up;
  const auto down = UpDown::Arrow::Down;
  QTest::newRow("orbital up") << "MoUpDown" << up << 1 << 2 << "MoEdit" << "2";
  QTest::newRow("orbital down stops at 1") << "MoUpDown" << down << 3 << 1 << "MoEdit" << "1";
  QTest::newRow("orbital up stops at 200") << "MoUpDown" << up << 205 << 200 << "MoEdit" << "200";
  QTest::newRow("scale up") << "ScaleUpDown" << up << 1 << 5 << "ScaleLabel" << "5";
  QTest::newRow("scale down stops at 1") << "ScaleUpDown" << down << 5 << 1 << "ScaleLabel" << "1";
  QTest::newRow("scale up stops at 100") << "ScaleUpDown" << up << 99 << 100 << "ScaleLabel" << "100";
  QTest::newRow("accuracy down") << "LevelUpDown" << down << 1 << 2 << "LevelLabel" << "2";
  QTest::newRow("accuracy down stops at 1") << "LevelUpDown" << down << 4 << 1 << "LevelLabel" << "1";
  QTest::newRow("accuracy up stops at 100") << "LevelUpDown" << up << 100 << 100 << "LevelLabel" << "100";
}

void EditingTest::ArrowsStepWithinTheirRange() {
  QFETCH(QString, upDown);
  QFETCH(UpDown::Arrow, arrow);
  QFETCH(int, clicks);
  QFETCH(int, setting);
  QFETCH(QString, companion);
  QFETCH(QString, shown);
  WindowFixture window;
  auto* arrows = window.Form1->findChild<UpDown*>(upDown);
  QVERIFY(arrows);
  for (int click = 0; click < clicks; ++click) ClickArrow(arrows, arrow);
  const Settings& settings = window.Form1->Settings;
  const int value = upDown == "MoUpDown" ? settings.MoNumber : upDown == "ScaleUpDown" ? settings.Scale : settings.Level;
  QCOMPARE(value, setting);
  auto* shownIn = window.Form1->findChild<QWidget*>(companion);
  const QString text = qobject_cast<QLabel*>(shownIn) ? qobject_cast<QLabel*>(shownIn)->text()
                                                        : qobject_cast<QLineEdit*>(shownIn)->text();
  QCOMPARE(text, shown);
}

void EditingTest::TypedNumberMovesTheArrows() {
  WindowFixture window;
  auto* edit = window.Find<QLineEdit>("MoEdit");
  auto* arrows = window.Find<UpDown>("MoUpDown");
  edit->setFocus(Qt::MouseFocusReason);
  edit->selectAll();
  QTest::keyClicks(edit, "12");
  ClickArrow(arrows, UpDown::Arrow::Up);
  QCOMPARE(window.Form1->Settings.MoNumber, 13);
  QCOMPARE(edit->text(), QStringLiteral("13"));
  // The arrows cannot reach a typed number above their range; they step from
  // their maximum.
  edit->selectAll();
  QTest::keyClicks(edit, "300");
  QCOMPARE(window.Form1->Settings.MoNumber, 300);
  ClickArrow(arrows, UpDown::Arrow::Down);
  QCOMPARE(window.Form1->Settings.MoNumber, 199);
  QCOMPARE(edit->text(), QStringLiteral("199"));
}

#include "editing_test.moc"

int RunEditingTest(int argc, char** argv) {
  EditingTest test;
  return QTest::qExec(&test, argc, argv);
}
