// The design of the main window: its controls, where they stand, what they
// say, and the three file dialogs.
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include "shell/main_window.h"
#include "shell/messages.h"
#include "shell/up_down.h"

namespace {

// Packaged as fonts-dejavu-core, present on every Debian desktop. Sizes are
// in pixels because the controls are: the captions fit whatever the DPI.
constexpr const char* WindowFontFamily = "DejaVu Sans";
constexpr int WindowFontPixels = 10;
constexpr const char* SpeedButtonFontFamily = "DejaVu Serif";
constexpr int SpeedButtonFontPixels = 8;

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, int left, int top) {
  auto* label = new QLabel(QString::fromLatin1(caption), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->move(left, top);
  label->adjustSize();
  return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const char* text, QRect geometry) {
  auto* edit = new QLineEdit(QString::fromLatin1(text), parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setGeometry(geometry);
  return edit;
}

UpDown* MakeUpDown(QWidget* parent, const char* name, std::int16_t maximum, std::int16_t position,
                   QRect geometry) {
  auto* upDown = new UpDown(1, maximum, position, parent);
  upDown->setObjectName(QString::fromLatin1(name));
  upDown->setGeometry(geometry);
  return upDown;
}

template <typename Button>
Button* MakeButton(QWidget* parent, const char* name, const char* caption, const char* hint, QRect geometry) {
  auto* button = new Button(parent);
  button->setText(QString::fromLatin1(caption));
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(QString::fromLatin1(hint));
  button->setGeometry(geometry);
  return button;
}

QFileDialog* MakeDialog(QWidget* parent, const char* name, const char* title, QStringList filters,
                        QFileDialog::FileMode mode, QFileDialog::AcceptMode accept) {
  auto* dialog = new QFileDialog(parent, QString::fromLatin1(title));
  dialog->setObjectName(QString::fromLatin1(name));
  // The same dialog on every desktop, and one that tests can drive.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  // A scene file is meant to be replaced run after run.
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  dialog->setNameFilters(filters);
  dialog->setFileMode(mode);
  dialog->setAcceptMode(accept);
  return dialog;
}

}  // namespace

void TForm1::SetUpWindow() {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromLatin1(ApplicationTitle));
  QFont font(QString::fromLatin1(WindowFontFamily));
  font.setPixelSize(WindowFontPixels);
  setFont(font);
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);
  move(35, 108);
  setFixedSize(252, 235);
}

void TForm1::CreateControls() {
  Label5 = MakeLabel(this, "Label5", "MO number:", 8, 8);
  MoEdit = MakeEdit(this, "MoEdit", "1", {72, 8, 33, 21});
  MoUpDown = MakeUpDown(this, "MoUpDown", 200, 1, {120, 8, 16, 17});
  HOMOButton = MakeButton<QToolButton>(this, "HOMOButton", "HOMO", "Select the HOMO", {152, 8, 33, 25});
  LUMOButton = MakeButton<QToolButton>(this, "LUMOButton", "LUMO", "Select the LUMO", {192, 8, 33, 25});
  Label1 = MakeLabel(this, "Label1", "Scale:", 8, 32);
  ScaleLabel = MakeLabel(this, "ScaleLabel", "4", 72, 32);
  ScaleUpDown = MakeUpDown(this, "ScaleUpDown", 100, 4, {120, 32, 17, 17});
  ParametersButton =
      MakeButton<QPushButton>(this, "ParametersButton", "Parameters...", "Choose MNDO parameters", {152, 40, 75, 25});
  Label2 = MakeLabel(this, "Label2", "Threshold:", 8, 56);
  ThreshEdit = MakeEdit(this, "ThreshEdit", "0.05", {72, 56, 33, 21});
  InButton = MakeButton<QPushButton>(this, "InButton", "In file...", "Choose MOPAC input file", {152, 72, 75, 25});
  Label3 = MakeLabel(this, "Label3", "Accuracy:", 8, 80);
  LevelLabel = MakeLabel(this, "LevelLabel", "3", 72, 80);
  LevelUpDown = MakeUpDown(this, "LevelUpDown", 100, 3, {120, 80, 16, 17});
  Label4 = MakeLabel(this, "Label4", "Cutoff:", 8, 104);
  CutoffEdit = MakeEdit(this, "CutoffEdit", "3.5", {72, 104, 33, 21});
  CutoffEdit->setToolTip(QStringLiteral("AO cutoff radius"));
  OutButton = MakeButton<QPushButton>(this, "OutButton", "Out file...", "Choose POV output file", {152, 104, 75, 25});
  Label6 = MakeLabel(this, "Label6", "Bond length:", 8, 136);
  BondEdit = MakeEdit(this, "BondEdit", "1.6", {72, 136, 33, 21});
  CalcButton = MakeButton<QPushButton>(this, "CalcButton", "Calculate", "Calculate orbital", {152, 136, 75, 25});
  StructureCheckBox =
      MakeButton<QCheckBox>(this, "StructureCheckBox", "Show structure", "Display cylinder model", {8, 160, 97, 17});
  StructureCheckBox->setChecked(true);
  ProgressBar = new QProgressBar(this);
  ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  ProgressBar->setGeometry(8, 184, 225, 17);
  ProgressBar->setRange(0, 100);
  ProgressBar->setValue(0);
  ProgressBar->setTextVisible(false);

  QFont speedButtonFont(QString::fromLatin1(SpeedButtonFontFamily));
  speedButtonFont.setPixelSize(SpeedButtonFontPixels);
  for (QToolButton* button : {HOMOButton, LUMOButton}) {
    button->setFont(speedButtonFont);
    // Like a speed button: clicking it leaves the focus, and so the edit
    // being typed into, where it was.
    button->setFocusPolicy(Qt::NoFocus);
  }

  const QWidget* tabOrder[] = {StructureCheckBox, InButton, OutButton, ScaleUpDown, LevelUpDown,
                               ParametersButton,  CalcButton, ProgressBar, MoEdit, MoUpDown,
                               ThreshEdit,        CutoffEdit, BondEdit};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
    setTabOrder(const_cast<QWidget*>(tabOrder[i - 1]), const_cast<QWidget*>(tabOrder[i]));
  }
}

void TForm1::CreateDialogs() {
  InputDialog.Dialog = MakeDialog(this, "InputDialog", "Open MOPAC file...",
                                  {QStringLiteral("MOPAC output(*.mno)"), QStringLiteral("All files (*)")},
                                  QFileDialog::ExistingFile, QFileDialog::AcceptOpen);
  OutputDialog.Dialog = MakeDialog(this, "OutputDialog", "Save output as...", {QStringLiteral("POVRAY (*.pov)")},
                                   QFileDialog::AnyFile, QFileDialog::AcceptSave);
  OutputDialog.FileName = "out.pov";
  ParametersDialog.Dialog = MakeDialog(this, "ParametersDialog", "Open parameter file...",
                                       {QStringLiteral("Text (*.txt)")}, QFileDialog::ExistingFile,
                                       QFileDialog::AcceptOpen);
  ParametersDialog.FileName = "pm3r.txt";
}
