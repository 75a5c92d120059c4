// The scan over a large device class database, and INF key lookups through the rebuilt
// private-profile reading.
#include <benchmark/benchmark.h>

#include "app/drivers/untSearchDriver.h"
#include "platform/FileSystemMemory.h"
#include "platform/ProfileIni.h"
#include "platform/RegistryMemory.h"

namespace {

// Counts rows, so that the scan's own work is what is measured.
class CountingSink : public TDriverRowSink {
 public:
  void Clear() override { rows_ = 0; }
  int Count() const override { return rows_; }
  void AppendRow(const std::string&, const std::string&, const std::string&,
                 const std::string&) override {
    ++rows_;
  }

 private:
  int rows_ = 0;
};

// 5,000 driver instances in 50 classes, every tenth one a Microsoft driver.
void AddDrivers(platform::MemoryRegistry& registry) {
  for (int c = 0; c < 50; ++c) {
    std::string cls =
        "SYSTEM\\CurrentControlSet\\Control\\Class\\{class-" + std::to_string(c) + "}";
    registry.SetString(cls, "", "Class " + std::to_string(c));
    registry.AddKey(cls + "\\Properties");
    for (int i = 0; i < 100; ++i) {
      char name[8];
      std::snprintf(name, sizeof name, "%04d", i);
      std::string key = cls + "\\" + name;
      registry.SetString(key, "DriverDesc", "Device " + std::to_string(c * 100 + i));
      registry.SetString(key, "ProviderName", i % 10 ? "Vendor" : "Microsoft");
    }
  }
}

// The scan of a machine changed since the last one: the registry is read.
void BM_SearchDriver5000(benchmark::State& state) {
  platform::MemoryRegistry registry;
  AddDrivers(registry);
  platform::ScopedInstall<platform::Registry> use(registry);
  CountingSink sink;
  for (auto _ : state) {
    TDriverInventory inventory;
    SearchDriver(sink, smAll, inventory);
    benchmark::DoNotOptimize(sink.Count());
  }
  state.SetItemsProcessed(state.iterations() * 5000);
}
BENCHMARK(BM_SearchDriver5000)->Unit(benchmark::kMillisecond);

// The scan of a machine unchanged since the last one: the rows from what was read then.
void BM_SearchDriver5000Unchanged(benchmark::State& state) {
  platform::MemoryRegistry registry;
  AddDrivers(registry);
  platform::ScopedInstall<platform::Registry> use(registry);
  CountingSink sink;
  TDriverInventory inventory;
  SearchDriver(sink, smAll, inventory);
  for (auto _ : state) {
    SearchDriver(sink, smAll, inventory);
    benchmark::DoNotOptimize(sink.Count());
  }
  state.SetItemsProcessed(state.iterations() * 5000);
}
BENCHMARK(BM_SearchDriver5000Unchanged)->Unit(benchmark::kMillisecond);

// 20,000 lookups of a value and of a key list in a 200-file INF.
void BM_InfLookups20000(benchmark::State& state) {
  platform::MemoryFileSystem files;
  std::string inf =
      "[Version]\r\nSignature=\"$Windows NT$\"\r\nCatalogFile=acme.cat\r\n"
      "[SourceDisksFiles]\r\n";
  for (int i = 0; i < 200; ++i) inf += "file" + std::to_string(i) + ".sys = 1,,\r\n";
  files.AddFile("C:\\Windows\\inf\\oem1.inf", inf);
  platform::IniProfile profile([&](const std::string& path) { return files.Content(path); });
  for (auto _ : state) {
    for (int i = 0; i < 10000; ++i) {
      benchmark::DoNotOptimize(
          profile.ReadString("C:\\Windows\\inf\\oem1.inf", "Version", "CatalogFile", "", 2048));
      benchmark::DoNotOptimize(
          profile.ReadKeyNames("C:\\Windows\\inf\\oem1.inf", "SourceDisksFiles", 16384));
    }
  }
  state.SetItemsProcessed(state.iterations() * 20000);
}
BENCHMARK(BM_InfLookups20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
