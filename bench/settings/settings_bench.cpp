// The main window's settings round trip on a real INI file: the keys one full save writes (with the
// values unchanged, as after most moves, and changed), and the reads of one restore.
#include "layout/layout_manager_ini_storage.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string TempFile()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qn_bench_XXXXXX").string();
    return std::string(mkdtemp(pattern.data())) + "/q.ini";
}

// The keys of Twnd_qn_Main, its Tree, TMW and acPersistent, and four watched interfaces.
void SaveMainWindow(qn::TLayoutManagerINIStorage& AStorage, int AShift)
{
    const std::string size = std::to_string(475 + AShift) + ",429";
    const std::string pos = std::to_string(100 + AShift) + ",50";
    AStorage.Open(false);
    AStorage.WriteString("Twnd_qn_Main", "Size", size);
    AStorage.WriteString("Twnd_qn_Main", "Size(1920x1080)", size);
    AStorage.WriteString("Twnd_qn_Main", "Pos", pos);
    AStorage.WriteString("Twnd_qn_Main", "Pos(1920x1080)", pos);
    AStorage.WriteInteger("Twnd_qn_Main", "Align", 0);
    AStorage.WriteInteger("Twnd_qn_Main", "State", 0);
    AStorage.WriteBoolean("Twnd_qn_Main", "LayoutReadOnly", false);
    AStorage.Close();
    AStorage.WriteInteger("Twnd_qn_Main\\Tree", "Tag", 0);
    AStorage.WriteInteger("Twnd_qn_Main\\Tree", "Visible", 1);
    AStorage.Close();
    AStorage.WriteInteger("Twnd_qn_Main\\TMW", "AlwaysOnTop", 0);
    AStorage.WriteInteger("Twnd_qn_Main\\TMW", "Tag", 0);
    AStorage.Close();
    AStorage.WriteInteger("Twnd_qn_Main\\acPersistent", "Checked", 1);
    AStorage.Close();
    for (const char* name : {"lo", "eth0", "wlan0", "docker0"}) {
        AStorage.WriteBoolean("Settings", name, true);
        AStorage.Close();
    }
}

void BM_SaveUnchanged(benchmark::State& AState)
{
    const std::string file = TempFile();
    qn::TLayoutManagerINIStorage storage(file);
    SaveMainWindow(storage, 0);
    for (auto _ : AState)
        SaveMainWindow(storage, 0);
    std::filesystem::remove_all(std::filesystem::path(file).parent_path());
}
BENCHMARK(BM_SaveUnchanged)->Unit(benchmark::kMicrosecond);

// Every save after a real move: the four geometry keys change, each a crash-safe replacement.
void BM_SaveAfterMove(benchmark::State& AState)
{
    const std::string file = TempFile();
    qn::TLayoutManagerINIStorage storage(file);
    int shift = 0;
    for (auto _ : AState)
        SaveMainWindow(storage, ++shift % 2);
    std::filesystem::remove_all(std::filesystem::path(file).parent_path());
}
BENCHMARK(BM_SaveAfterMove)->Unit(benchmark::kMillisecond);

void BM_Restore(benchmark::State& AState)
{
    const std::string file = TempFile();
    qn::TLayoutManagerINIStorage storage(file);
    SaveMainWindow(storage, 0);
    for (auto _ : AState) {
        benchmark::DoNotOptimize(storage.ReadString("Twnd_qn_Main", "Size(1920x1080)", ""));
        benchmark::DoNotOptimize(storage.ReadString("Twnd_qn_Main", "Pos(1920x1080)", ""));
        benchmark::DoNotOptimize(storage.ReadInteger("Twnd_qn_Main", "Align", 0));
        benchmark::DoNotOptimize(storage.ValueExists("Twnd_qn_Main", "State"));
        benchmark::DoNotOptimize(storage.ReadInteger("Twnd_qn_Main", "State", 0));
        benchmark::DoNotOptimize(storage.ReadBoolean("Twnd_qn_Main", "LayoutReadOnly", false));
        benchmark::DoNotOptimize(storage.ReadInteger("Twnd_qn_Main\\Tree", "Tag", 0));
        benchmark::DoNotOptimize(storage.ReadInteger("Twnd_qn_Main\\Tree", "Visible", 1));
        benchmark::DoNotOptimize(storage.ReadInteger("Twnd_qn_Main\\TMW", "AlwaysOnTop", 0));
        benchmark::DoNotOptimize(storage.ReadInteger("Twnd_qn_Main\\TMW", "Tag", 0));
        benchmark::DoNotOptimize(storage.ReadInteger("Twnd_qn_Main\\acPersistent", "Checked", 0));
        for (const char* name : {"lo", "eth0", "wlan0", "docker0"})
            benchmark::DoNotOptimize(storage.ReadBoolean("Settings", name, false));
        storage.Close();
    }
    std::filesystem::remove_all(std::filesystem::path(file).parent_path());
}
BENCHMARK(BM_Restore)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
