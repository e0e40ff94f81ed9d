// The main window's behaviour: one handler per control event, the run's window
// operations, and the catch point for errors that no handler handles.
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

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
  MessageFunction = [this](const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, Text(title), Text(text), QMessageBox::Ok, this);
    box.exec();
  };
  ErrorReportFunction = [this](const std::string& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(ApplicationTitle), Text(text), QMessageBox::Ok, this);
    box.exec();
  };

  SetUpWindow();
  CreateControls();
  CreateDialogs();
  ConnectHandlers();
  Guarded([this] { FormCreate(); });
}

void TForm1::ConnectHandlers() {
  const auto guard = [this](void (TForm1::*handler)()) {
    return [this, handler] { Guarded([&] { (this->*handler)(); }); };
  };
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
