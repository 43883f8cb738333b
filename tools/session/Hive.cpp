#include "Hive.h"

#include <ostream>

#include "HiveError.h"
#include "SimulatorState.h"

std::unique_ptr<RegistryHive> OpenHive(const std::string& Path, THiveReport Report) {
  return std::make_unique<RegistryHive>(Path.empty() ? RegistryHive::DefaultPath() : Path,
                                        std::move(Report));
}

std::vector<std::string> TakeSaveFailures() {
  RegistryHive* Hive = RegistryHive::Current();
  return Hive != nullptr ? Hive->TakeSaveFailures() : std::vector<std::string>();
}

void RegistryCommand(TSimulatorState& Sim, const TArgs& A) {
  NoArguments(A);
  RegistryHive* Hive = RegistryHive::Current();
  if (Hive == nullptr)
    throw ECommandError("registry: there is no hive");
  Sim.Out().Verbatim(TUtf8(Hive->DisplayText()));
}

void ExportCommand(TSimulatorState& Sim, const TArgs& A) {
  const bool Unicode = !A.Words.empty() && !A.Words[0].Quoted && A.Words[0].Text == "--unicode";
  if (A.Words.size() != (Unicode ? 2u : 1u) || !A.Tail.empty() || A.Words.back().Text.empty())
    throw ECommandError("usage: export [--unicode] FILE");
  RegistryHive* Hive = RegistryHive::Current();
  if (Hive == nullptr)
    throw ECommandError("export: there is no hive");
  try {
    Hive->Export(A.Words.back().Text, Unicode ? HiveFormat::Regedit5 : HiveFormat::Regedit4);
  } catch (const EHiveNeedsUnicode& E) {
    // The message names the key and the value, which are host text.
    throw ECommandError("export: " + UserText(E.Message()).Str() +
                        "; export --unicode writes it in UTF-16");
  } catch (const ERegistryException& E) {
    throw ECommandError("export: " + E.Message());
  }
  // As snapshot does: the user sees what was written where.
  Sim.Out() << "export: the hive written to " << TUtf8(A.Words.back().Text)
            << TUtf8(Unicode ? " (regedit 5.00, UTF-16LE)\n" : " (REGEDIT4, Windows-1251)\n");
}
