// The main window: the settings, the three file dialogs and the commands. It
// is also the calculation run's window.
#pragma once

#include <functional>
#include <string>

#include <QWidget>

#include "shell/calculation_run.h"
#include "shell/settings.h"

class QCheckBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;
class UpDown;

// A file dialog and the file name it keeps from one use to the next.
struct FileDialog {
  QFileDialog* Dialog = nullptr;
  std::string FileName;  // in the file system's encoding
};

class TForm1 : public QWidget, public CalculationWindow {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);

  // CalculationWindow
  void ShowMessage(const std::string& text, const std::string& title) override;
  void SetCalculateEnabled(bool enabled) override;
  void SetProgress(int position) override;
  bool ShowStructure() const override;

  void FormCreate();
  void ParametersButtonClick();
  void InButtonClick();
  void OutButtonClick();
  void CalcButtonClick();
  void HOMOButtonClick(QObject* sender);
  void MoUpDownClick();
  void ScaleUpDownClick();
  void LevelUpDownClick();
  void MoEditChange();
  void ThreshEditChange();
  void CutoffEditChange();
  void BondEditChange();
  void MoEditExit();
  void ThreshEditExit();
  void CutoffEditExit();
  void BondEditExit();

  ::Settings Settings;
  FileDialog ParametersDialog;
  FileDialog InputDialog;
  FileDialog OutputDialog;

  // Show a modal box; replaced by tests so that nothing waits for a user.
  std::function<void(const std::string& text, const std::string& title)> MessageFunction;
  // The report of an error that no handler handled.
  std::function<void(const std::string& text)> ErrorReportFunction;

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label6;
  QLabel* ScaleLabel;
  QLabel* LevelLabel;
  QLineEdit* MoEdit;
  QLineEdit* ThreshEdit;
  QLineEdit* CutoffEdit;
  QLineEdit* BondEdit;
  UpDown* MoUpDown;
  UpDown* ScaleUpDown;
  UpDown* LevelUpDown;
  QToolButton* HOMOButton;
  QToolButton* LUMOButton;
  QPushButton* ParametersButton;
  QPushButton* InButton;
  QPushButton* OutButton;
  QPushButton* CalcButton;
  QCheckBox* StructureCheckBox;
  QProgressBar* ProgressBar;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetUpWindow();
  void CreateControls();
  void CreateDialogs();
  void ConnectHandlers();
  void ExecuteDialog(FileDialog& dialog);
  // The one place where an error that a handler does not handle ends up.
  template <typename Handler>
  void Guarded(Handler&& handler) noexcept;
  void ReportError(const std::string& text) noexcept;
};
