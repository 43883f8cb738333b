#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "Bytes.h"
#include "Ide.h"
#include "Module.h"
#include "ModuleDependencies.h"
#include "StubExpert.h"

using ::testing::HasSubstr;

namespace {

// Hands the module's expert a counter that its destructor increments.
void Watch(const TLoadedPackage& Package, int* Counter) {
  auto Entry =
      reinterpret_cast<void (*)(int*)>(ModuleEntry(Package.Module, "TabulonTestPackageWatch"));
  ASSERT_NE(Entry, nullptr);
  Entry(Counter);
}

}  // namespace

TEST(PackageLoader, LoadsRegistersAndUnloadDestroysTheExpert) {
  TIde Ide;
  const TLoadedPackage& Package = Ide.Packages().Load(TEST_PACKAGE_GOOD_PATH);
  EXPECT_EQ(Package.Info.Description, "Tabulon loader test package");
  ASSERT_EQ(Ide.Packages().Count(), 1);
  ASSERT_EQ(Ide.Experts().Count(), 1);
  EXPECT_EQ(Ide.Experts().Experts(0)->GetName(), "Tabulon Test Expert");
  EXPECT_EQ(Ide.Packages().ExpertsOf(Package).size(), 1u);

  // The same module a second time is refused and the first stays.
  EXPECT_THROW(Ide.Packages().Load(TEST_PACKAGE_GOOD_PATH), EPackageError);
  EXPECT_EQ(Ide.Packages().Count(), 1);
  EXPECT_EQ(Ide.Experts().Count(), 1);

  int Destroyed = 0;
  Watch(Package, &Destroyed);
  Ide.Packages().Unload(Package);
  EXPECT_EQ(Destroyed, 1);
  EXPECT_EQ(Ide.Packages().Count(), 0);
  EXPECT_EQ(Ide.Experts().Count(), 0);

  // Loadable again after the unload; the IDE's end unloads it too.
  int DestroyedAtEnd = 0;
  Watch(Ide.Packages().Load(TEST_PACKAGE_GOOD_PATH), &DestroyedAtEnd);
  Ide.Packages().UnloadAll();
  EXPECT_EQ(DestroyedAtEnd, 1);
}

TEST(PackageLoader, RefusesWhatThisIdeCannotTakeAndStaysAsItWas) {
  struct TCase {
    const char* Path;
    const char* Message;
  };
  const TCase Cases[] = {
      {TEST_PACKAGE_OTHERHOST_PATH, "which this IDE does not provide"},
      {TEST_PACKAGE_RUNTIME_PATH, "not a design-time package"},
      {TEST_PACKAGE_NODESC_PATH, "no description"},
      {TEST_PACKAGE_THROWING_PATH, "its Register failed: Register gave up"},
      {"/nonexistent/package.bpl", "Cannot load package /nonexistent/package.bpl"},
  };
  TIde Ide;
  Ide.Packages().Load(TEST_PACKAGE_GOOD_PATH);
  for (const TCase& C : Cases) {
    try {
      Ide.Packages().Load(C.Path);
      ADD_FAILURE() << C.Path << " was accepted";
    } catch (const EPackageError& E) {
      EXPECT_THAT(E.Message(), HasSubstr(C.Message)) << E.Message();
    }
    EXPECT_EQ(Ide.Packages().Count(), 1) << C.Path;
    EXPECT_EQ(Ide.Experts().Count(), 1) << C.Path;
  }
  // The refused module is not left loaded.
  EXPECT_FALSE(ModuleLoaded(TEST_PACKAGE_RUNTIME_PATH));
}

TEST(PackageLoader, ChecksInformationAgainstTheVersionsPackages) {
  TPackageInfo Info;
  Info.Description = "x";
  Info.Flags = pfDesignOnly;
  Info.Requires = {"VCL70.bpl", "designide70.BPL"};
  EXPECT_TRUE(CheckPackageInfo(Info, 7).empty());
  const auto Problems = CheckPackageInfo(Info, 6);
  ASSERT_EQ(Problems.size(), 1u);
  EXPECT_EQ(Problems[0], "it requires VCL70.bpl, designide70.BPL, which this IDE does not provide");
  Info.Requires = {"vcl50"};
  Info.HostVersion = 6;
  EXPECT_EQ(CheckPackageInfo(Info, 5).size(), 1u);
  Info.Description.clear();
  Info.Flags = pfRunOnly;
  EXPECT_EQ(CheckPackageInfo(Info, 5).size(), 3u);
}

TEST(PackageLoader, RefusesAModuleOfAnotherHostBeforeOpeningIt) {
  const std::string Suffix = SharedLibrarySuffix();
  const std::string Own = "libtabulon_host" + std::to_string(HostVersion) + Suffix;
  const std::string Module = ReadBytes(TEST_PACKAGE_GOOD_PATH);
  const auto Needed = NeededLibraries(TEST_PACKAGE_GOOD_PATH);
  EXPECT_NE(std::find(Needed.begin(), Needed.end(), Own), Needed.end());

  // The good package, as if linked against the host of another version: the
  // name in its string table is rewritten, same length.
  const int Other = HostVersion == 5 ? 7 : 5;
  std::string Foreign = Module;
  for (auto At = Foreign.find(Own + '\0'); At != std::string::npos;
       At = Foreign.find(Own + '\0', At + 1))
    Foreign[At + Own.size() - Suffix.size() - 1] = static_cast<char>('0' + Other);
  const std::string Path = testing::TempDir() + "tabulon_foreign" + std::to_string(HostVersion);
  WriteBytes(Path, Foreign);
  TIde Ide;
  try {
    Ide.Packages().Load(Path);
    ADD_FAILURE() << "a module of another host was accepted";
  } catch (const EPackageError& E) {
    EXPECT_THAT(E.Message(),
                HasSubstr("it was built for Delphi " + std::to_string(Other) + ": it needs " +
                          "libtabulon_host" + std::to_string(Other) + Suffix))
        << E.Message();
  }
  EXPECT_EQ(Ide.Packages().Count(), 0);
  EXPECT_FALSE(ModuleLoaded(Path));

  // Damaged or foreign files give what can be read, never a read outside
  // the file (the sanitizer build would stop here).
  // The last is no module at all, and gives no names.
  const std::string Damaged[] = {Module.substr(0, 64), Module.substr(0, Module.size() / 2),
                                 Module.substr(0, Module.size() - 8), "",
                                 "plain text, not a module\n"};
  for (const std::string& Bytes : Damaged) {
    WriteBytes(Path, Bytes);
    for (const std::string& Name : NeededLibraries(Path))
      EXPECT_THAT(Module, HasSubstr(Name)) << Name;
  }
  EXPECT_TRUE(NeededLibraries(Path).empty());
  EXPECT_TRUE(NeededLibraries(Path + ".missing").empty());
  std::remove(Path.c_str());

  const std::pair<std::string, int> Names[] = {{"libtabulon_host5", 5}, {"libtabulon_host7", 7},
                                               {"libtabulon_host", 0},  {"libtabulon_host10", 0},
                                               {"libtabulon_host0", 0}, {"libtabulon_hostX", 0}};
  for (const auto& [Name, Version] : Names) {
    EXPECT_EQ(HostLibraryVersion(Name + Suffix), Version) << Name;
    EXPECT_EQ(HostLibraryVersion(Name + Suffix + ".1"), 0) << Name;
  }
  EXPECT_EQ(HostLibraryVersion("libc" + Suffix), 0);
  // Windows finds a DLL whatever the case of its name; POSIX systems do not.
  EXPECT_EQ(HostLibraryVersion("LIBTABULON_HOST5" + Suffix), Suffix == ".dll" ? 5 : 0);
}

TEST(PackageLoader, ExpertRegistryHoldsExpertsUntilItGoes) {
  int Destroyed = 0;
  auto* Stub = new TStubExpert("Stub", "Stub", &Destroyed);
  EXPECT_FALSE(RegisterLibraryExpert(Stub));  // no IDE running: refused
  {
    TExpertRegistry Registry;
    EXPECT_TRUE(RegisterLibraryExpert(Stub));
    EXPECT_FALSE(RegisterLibraryExpert(Stub));
    EXPECT_FALSE(RegisterLibraryExpert(nullptr));
    EXPECT_EQ(Registry.Count(), 1);
    EXPECT_EQ(Registry.ExpertsOf(nullptr), std::vector<TIExpert*>{Stub});
    Registry.DestroyExpertsOf(&Registry);  // another module's: none
    EXPECT_EQ(Destroyed, 0);
  }
  EXPECT_EQ(Destroyed, 1);
  EXPECT_FALSE(RegisterLibraryExpert(nullptr));
}
