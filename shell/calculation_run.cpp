// The calculation run: read, convert to grid units, write the scene.
#include "shell/calculation_run.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <locale>
#include <system_error>

#include "molecule/molecule.h"
#include "scene/scene_writer.h"
#include "shell/messages.h"
#include "shell/output_file.h"
#include "surface/fast_walk.h"
#include "surface/surface.h"

namespace {

// Returns the window to idle however the run ends once Calculate is disabled.
class IdleOnExit {
 public:
  explicit IdleOnExit(CalculationWindow& window) : Window(window) { Window.SetCalculateEnabled(false); }
  ~IdleOnExit() {
    Window.SetProgress(0);
    Window.SetCalculateEnabled(true);
  }

 private:
  CalculationWindow& Window;
};

RunResult Refuse(CalculationWindow& window, RunOutcome outcome, const char* message, std::string detail) {
  window.ShowMessage(message, ErrorTitle);
  return {outcome, std::move(detail), 0};
}

bool SameFile(const std::string& first, const std::string& second) {
  std::error_code error;
  return std::filesystem::equivalent(first, second, error) && !error;
}

}  // namespace

RunResult RunCalculation(CalculationWindow& window, const RunPaths& paths, const Settings& settings, int threads) {
  if (paths.Input.empty()) return Refuse(window, RunOutcome::NoInput, NoInputMessage, "no input file given");

  Molecule molecule(paths.Parameters);
  std::string why;
  // The reader counts orbitals in 16 bits; a larger number (a count of filled
  // levels from a damaged file) must not wrap round to another orbital.
  if (settings.MoNumber > std::numeric_limits<std::int16_t>::max()) {
    return Refuse(window, RunOutcome::InputError, InputErrorMessage,
                  paths.Input + ": no orbital " + std::to_string(settings.MoNumber) + " in the eigenvectors");
  }
  if (settings.MoNumber < std::numeric_limits<std::int16_t>::min()) {
    return Refuse(window, RunOutcome::InputError, InputErrorMessage,
                  paths.Input + ": orbital number " + std::to_string(settings.MoNumber) + " is below 1");
  }
  if (!molecule.ReadMopac(paths.Input, static_cast<std::int16_t>(settings.MoNumber), &why)) {
    return Refuse(window, RunOutcome::InputError, InputErrorMessage, paths.Input + ": " + why);
  }

  IdleOnExit idle(window);
  molecule.ApplyScale(static_cast<float>(settings.Scale));
  // After ApplyScale: the cutoff is converted with the scale stored there.
  molecule.SetCutoff(settings.Cutoff);
  GridBox box;
  if (!ComputeGridBox(molecule, settings.Scale, box, &why)) {
    return Refuse(window, RunOutcome::GridTooLarge, GridTooLargeMessage, why);
  }

  OutputFile output;
  if (paths.OutputToStandardOutput) {
    output.OpenStandardOutput();
  } else if (SameFile(paths.Input, paths.Output)) {
    // Replacing the MOPAC output with the scene would lose the user's data.
    return Refuse(window, RunOutcome::OutputError, OutputErrorMessage, paths.Output + " is the input file");
  } else if (!output.Open(paths.Output, why)) {
    return Refuse(window, RunOutcome::OutputError, OutputErrorMessage, why);
  }
  std::ostream& out = output.Stream();
  out.imbue(std::locale::classic());

  WriteHeader(out, molecule);
  MeshWriter mesh(out);
  WalkGridFast(molecule, box, settings.Threshold, settings.Level, threads,
               [&window](int position) { window.SetProgress(position); }, mesh);
  CloseMesh(mesh);
  window.SetProgress(100);
  // Read once: the structure block and its placement line agree.
  const bool showStructure = window.ShowStructure();
  if (showStructure) WriteStructure(out, molecule, settings.Scale, settings.BondLength);
  WriteTrailer(out, settings.Scale, showStructure);

  if (!output.Commit(why)) return Refuse(window, RunOutcome::OutputError, OutputErrorMessage, why);
  return {RunOutcome::Success, std::string(), mesh.Triangles};
}
