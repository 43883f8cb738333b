#include "BenchIde.h"

#include <stdexcept>

#if defined(__linux__)
#include <linux/perf_event.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include "Registry.h"
#include "StockPalette.h"
#include "uConstORVExpertMPage.h"

std::size_t TShape::Entries() const {
  std::size_t N = 0;
  for (const auto& G : Groups)
    N += G.size();
  return N;
}

TShape MakeShape(int Pages, int Groups) {
  TShape S;
  if (Pages == 0) {
    S.Pages = StockPalette(7);
    S.Groups.resize(6);
    for (std::size_t i = 0; i < S.Pages.size(); ++i)
      if (i % 7 < 6)
        S.Groups[i % 7].push_back(S.Pages[i]);
    return S;
  }
  for (int i = 0; i < Pages; ++i)
    S.Pages.push_back("Page" + std::to_string(i));
  S.Groups.resize(static_cast<std::size_t>(Groups));
  for (int g = 0; g < Groups; ++g)
    for (int k = 0; k < 20; ++k)
      S.Groups[static_cast<std::size_t>(g)].push_back(
          S.Pages[static_cast<std::size_t>((g * 20 + k) % Pages)]);
  return S;
}

std::string Stored(const std::vector<std::string>& Names) {
  std::string Text;
  for (const auto& N : Names)
    Text += N + "\x1F\x1F";
  return Text;
}

std::string GroupName(int Number) {
  std::string Name = "\xC3";
  do {
    Name += static_cast<char>(0xC0 + Number % 32);
    Number /= 32;
  } while (Number > 0);
  return Name;
}

namespace {

// The CPU's instruction counter for this thread, opened once; -1 where the
// machine has none for us.
class TInstructionCounter {
 public:
  TInstructionCounter() {
#if defined(__linux__)
    perf_event_attr Attr{};
    Attr.type = PERF_TYPE_HARDWARE;
    Attr.size = sizeof(Attr);
    Attr.config = PERF_COUNT_HW_INSTRUCTIONS;
    Attr.exclude_kernel = 1;
    Attr.exclude_hv = 1;
    FFd = static_cast<int>(syscall(SYS_perf_event_open, &Attr, 0, -1, -1, 0));
#endif
  }
  ~TInstructionCounter() {
    if (FFd >= 0)
      close(FFd);
  }
  TInstructionCounter(const TInstructionCounter&) = delete;
  TInstructionCounter& operator=(const TInstructionCounter&) = delete;
  bool Available() const {
    return FFd >= 0;
  }
  std::uint64_t Read() const {
    std::uint64_t Value = 0;
    if (FFd < 0 || read(FFd, &Value, sizeof(Value)) != static_cast<ssize_t>(sizeof(Value)))
      return 0;
    return Value;
  }

 private:
  int FFd = -1;
};

TInstructionCounter& Counter() {
  static TInstructionCounter C;
  return C;
}

std::uint64_t& TimedInstructions() {
  static std::uint64_t Sum = 0;
  return Sum;
}

}  // namespace

bool InstructionCounterAvailable() {
  return Counter().Available();
}

std::uint64_t InstructionsNow() {
  return Counter().Read();
}

void AddTimedInstructions(std::uint64_t Count) {
  TimedInstructions() += Count;
}

TBenchIde::TBenchIde(TShape AShape, bool Bare) : Shape(std::move(AShape)) {
  TimedInstructions() = 0;
  App = std::make_unique<TApplication>();
  Hive = std::make_unique<RegistryHive>(RegistryHive::Memory);
  WriteGroups();
  Ide = new TIdeMainForm(App.get(), TPaletteLayout::ControlBar, Shape.Pages);
  Ide->Show();
  Ide->SetActive(true);
  if (!Bare)
    Load();
}

TBenchIde::~TBenchIde() {
  Unload();
  App.reset();
  Hive.reset();
}

void TBenchIde::Load() {
  Expert = new TORVExpert();
  App->ProcessMessages();
}

void TBenchIde::Unload() {
  delete Expert;
  Expert = nullptr;
}

void TBenchIde::Label(benchmark::State& State) const {
  if (InstructionCounterAvailable())
    State.counters["instructions"] = benchmark::Counter(static_cast<double>(TimedInstructions()),
                                                        benchmark::Counter::kAvgIterations);
  State.SetLabel(std::to_string(Shape.Pages.size()) + " pages, " +
                 std::to_string(Shape.Groups.size()) + " groups, " +
                 std::to_string(Shape.Entries()) + " entries");
}

void TBenchIde::WriteGroups() {
  TRegIniFile Reg;
  if (!Reg.OpenKey(Const_sKeyNameDelphi + Const_sKeyNameORVExpert, true))
    throw std::runtime_error("cannot open the add-in's key in the memory hive");
  std::vector<std::string> Names;
  for (std::size_t g = 0; g < Shape.Groups.size(); ++g) {
    Names.push_back(GroupName(static_cast<int>(g)));
    Reg.WriteString("Pages", Names.back(), Stored(Shape.Groups[g]));
  }
  Reg.WriteString("Timer", "PagesSort", Stored(Names));
  Reg.CloseKey();
}

void TCounts::Report(benchmark::State& State, const TBenchIde& B) const {
  ReportCounts(State, B.Paints() - FPaints, B.Sizes() - FSizes);
}

void ReportCounts(benchmark::State& State, int Paints, int Sizes) {
  State.counters["paints"] = benchmark::Counter(Paints, benchmark::Counter::kAvgIterations);
  State.counters["wm_size"] = benchmark::Counter(Sizes, benchmark::Counter::kAvgIterations);
}
