// The main window: controls at fixed pixel positions, one handler per control
// event, and the catch point for errors that no handler handles.
#include "shell/main_window.h"

#include <filesystem>
#include <new>
#include <system_error>

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include "shell/edit_text.h"
#include "shell/homo_lumo.h"
#include "shell/messages.h"
#include "shell/up_down.h"

namespace {

// Packaged as fonts-dejavu-core, present on every Debian desktop. Sizes are
// in pixels because the controls are: the captions fit whatever the DPI.
constexpr const char* WindowFontFamily = "DejaVu Sans";
constexpr int WindowFontPixels = 10;
constexpr const char* SpeedButtonFontFamily = "DejaVu Serif";
constexpr int SpeedButtonFontPixels = 8;

QString Text(const std::string& text) { return QString::fromStdString(text); }

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

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
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

  MessageFunction = [this](const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, Text(title), Text(text), QMessageBox::Ok, this);
    box.exec();
  };
  ErrorReportFunction = [this](const std::string& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(ApplicationTitle), Text(text), QMessageBox::Ok, this);
    box.exec();
  };

  CreateControls();
  CreateDialogs();
  ConnectHandlers();
  Guarded([this] { FormCreate(); });
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

void TForm1::ConnectHandlers() {
  const auto guard = [this](void (TForm1::*handler)()) { return [this, handler] { Guarded([&] { (this->*handler)(); }); }; };
  connect(ParametersButton, &QPushButton::clicked, this, guard(&TForm1::ParametersButtonClick));
  connect(InButton, &QPushButton::clicked, this, guard(&TForm1::InButtonClick));
  connect(OutButton, &QPushButton::clicked, this, guard(&TForm1::OutButtonClick));
  connect(CalcButton, &QPushButton::clicked, this, guard(&TForm1::CalcButtonClick));
  for (QToolButton* button : {HOMOButton, LUMOButton}) {
    connect(button, &QToolButton::clicked, this, [this, button] { Guarded([&] { HOMOButtonClick(button); }); });
  }
  connect(MoUpDown, &UpDown::Click, this, guard(&TForm1::MoUpDownClick));
  connect(ScaleUpDown, &UpDown::Click, this, guard(&TForm1::ScaleUpDownClick));
  connect(LevelUpDown, &UpDown::Click, this, guard(&TForm1::LevelUpDownClick));
  connect(MoEdit, &QLineEdit::textChanged, this, guard(&TForm1::MoEditChange));
  connect(ThreshEdit, &QLineEdit::textChanged, this, guard(&TForm1::ThreshEditChange));
  connect(CutoffEdit, &QLineEdit::textChanged, this, guard(&TForm1::CutoffEditChange));
  connect(BondEdit, &QLineEdit::textChanged, this, guard(&TForm1::BondEditChange));
  for (QLineEdit* edit : {MoEdit, ThreshEdit, CutoffEdit, BondEdit}) edit->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    // Switching to another window or opening the edit's context menu does not
    // leave the edit: the text being typed stays as it is.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      if (watched == MoEdit) Guarded([this] { MoEditExit(); });
      if (watched == ThreshEdit) Guarded([this] { ThreshEditExit(); });
      if (watched == CutoffEdit) Guarded([this] { CutoffEditExit(); });
      if (watched == BondEdit) Guarded([this] { BondEditExit(); });
    }
  }
  return QWidget::eventFilter(watched, event);
}

template <typename Handler>
void TForm1::Guarded(Handler&& handler) noexcept {
  try {
    handler();
  } catch (const std::bad_alloc&) {
    ReportError(OutOfMemoryMessage);
  } catch (const std::exception& error) {
    ReportError(error.what());
  } catch (...) {
    ReportError(UnknownErrorMessage);
  }
}

void TForm1::ReportError(const std::string& text) noexcept {
  try {
    // Whatever the handler left half done, the window is idle again.
    SetProgress(0);
    SetCalculateEnabled(true);
    ErrorReportFunction(text);
  } catch (...) {
    // The report itself failed (no memory for a box): the window stays usable.
  }
}

void TForm1::ShowMessage(const std::string& text, const std::string& title) { MessageFunction(text, title); }

void TForm1::SetCalculateEnabled(bool enabled) {
  CalcButton->setEnabled(enabled);
  // The run holds the thread: paint now, without taking input.
  CalcButton->repaint();
}

void TForm1::SetProgress(int position) {
  ProgressBar->setValue(position);
  ProgressBar->repaint();
}

bool TForm1::ShowStructure() const { return StructureCheckBox->isChecked(); }

void TForm1::FormCreate() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  // The separator is added even after "/", which still names the file.
  ParametersDialog.FileName = error ? std::string("pm3r.txt") : folder.native() + "/pm3r.txt";
}

void TForm1::ExecuteDialog(FileDialog& dialog) {
  if (!dialog.FileName.empty()) {
    const QFileInfo current(QFile::decodeName(dialog.FileName.c_str()));
    dialog.Dialog->setDirectory(current.absolutePath());
    dialog.Dialog->selectFile(current.fileName());
  }
  if (dialog.Dialog->exec() != QDialog::Accepted) return;
  const QStringList chosen = dialog.Dialog->selectedFiles();
  if (!chosen.isEmpty()) dialog.FileName = QFile::encodeName(chosen.first()).toStdString();
}

void TForm1::ParametersButtonClick() { ExecuteDialog(ParametersDialog); }
void TForm1::InButtonClick() { ExecuteDialog(InputDialog); }
void TForm1::OutButtonClick() { ExecuteDialog(OutputDialog); }

void TForm1::CalcButtonClick() {
  RunCalculation(*this, RunPaths{ParametersDialog.FileName, InputDialog.FileName, OutputDialog.FileName}, Settings);
}

void TForm1::HOMOButtonClick(QObject* sender) {
  const bool lumo = sender == LUMOButton;
  int number = Settings.MoNumber;
  switch (SelectHomoLumo(InputDialog.FileName, lumo, number)) {
    case HomoLumoOutcome::NoInputFile:
      return ShowMessage(NoInputMessage, ErrorTitle);
    case HomoLumoOutcome::NotFound:
      return ShowMessage(NoHomoLumoMessage, ErrorTitle);
    case HomoLumoOutcome::Found:
      Settings.MoNumber = number;
      MoEdit->setText(Text(SettingText(Settings.MoNumber)));
      return;
  }
}

void TForm1::MoUpDownClick() {
  Settings.MoNumber = MoUpDown->Position();
  MoEdit->setText(Text(SettingText(Settings.MoNumber)));
}

void TForm1::ScaleUpDownClick() {
  Settings.Scale = ScaleUpDown->Position();
  ScaleLabel->setText(Text(SettingText(Settings.Scale)));
  ScaleLabel->adjustSize();
}

void TForm1::LevelUpDownClick() {
  Settings.Level = LevelUpDown->Position();
  LevelLabel->setText(Text(SettingText(Settings.Level)));
  LevelLabel->adjustSize();
}

void TForm1::MoEditChange() {
  int number = 0;
  if (!ParseOrbitalNumber(MoEdit->text().toStdString(), number)) return;
  Settings.MoNumber = number;
  MoUpDown->SetPosition(number);
}

void TForm1::ThreshEditChange() {
  float value = 0.0f;
  if (ParseReal(ThreshEdit->text().toStdString(), value)) Settings.Threshold = value;
}

void TForm1::CutoffEditChange() {
  float value = 0.0f;
  if (ParseReal(CutoffEdit->text().toStdString(), value)) Settings.Cutoff = value;
}

void TForm1::BondEditChange() {
  float value = 0.0f;
  if (ParseReal(BondEdit->text().toStdString(), value)) Settings.BondLength = value;
}

void TForm1::MoEditExit() { MoEdit->setText(Text(SettingText(Settings.MoNumber))); }
void TForm1::ThreshEditExit() { ThreshEdit->setText(Text(SettingText(Settings.Threshold))); }
void TForm1::CutoffEditExit() { CutoffEdit->setText(Text(SettingText(Settings.Cutoff))); }
void TForm1::BondEditExit() { BondEdit->setText(Text(SettingText(Settings.BondLength))); }
