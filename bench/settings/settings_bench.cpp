// The main window's settings round trip on a real INI file: the keys one full save writes (with the
// values unchanged, as after most moves, and changed), and the reads of one restore, each in one
// update as the layout manager makes them. Argument: megabytes of other sections in the file (0 for
// the ordinary file, 50 for one that has grown out of hand).
#include "layout/layout_manager_ini_storage.h"

#include "support/temp_folder.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

// The keys of Twnd_qn_Main, its Tree, TMW and acPersistent, and four watched interfaces.
void SaveMainWindow(qn::TLayoutManagerINIStorage& AStorage, int AShift)
{
    const std::string size = std::to_string(475 + AShift) + ",429";
    const std::string pos = std::to_string(100 + AShift) + ",50";
    AStorage.BeginUpdate();
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
    AStorage.EndUpdate();
}

// A settings file with AMegabytes of other sections before the main window's.
std::string SettingsFile(const qn::test::TTempFolder& AFolder, int AMegabytes)
{
    const std::string file = AFolder.File("q.ini");
    std::ofstream out(file, std::ios::binary);
    const std::string value(48, 'v');
    std::size_t written = 0;
    for (int i = 0; written < static_cast<std::size_t>(AMegabytes) * 1000000; ++i) {
        std::string lines = "[Other" + std::to_string(i) + "]\n";
        for (int k = 0; k < 100; ++k)
            lines += "key" + std::to_string(k) + "=" + value + "\n";
        out << lines;
        written += lines.size();
    }
    return file;
}

void BM_SaveUnchanged(benchmark::State& AState)
{
    const qn::test::TTempFolder folder("qn-bench");
    const std::string file = SettingsFile(folder, static_cast<int>(AState.range(0)));
    qn::TLayoutManagerINIStorage storage(file);
    SaveMainWindow(storage, 0);
    for (auto _ : AState)
        SaveMainWindow(storage, 0);
}
BENCHMARK(BM_SaveUnchanged)->Arg(0)->Arg(50)->Unit(benchmark::kMillisecond);

// Every save after a real move: the four geometry keys change, one crash-safe replacement.
void BM_SaveAfterMove(benchmark::State& AState)
{
    const qn::test::TTempFolder folder("qn-bench");
    const std::string file = SettingsFile(folder, static_cast<int>(AState.range(0)));
    qn::TLayoutManagerINIStorage storage(file);
    int shift = 0;
    for (auto _ : AState)
        SaveMainWindow(storage, ++shift % 2);
}
BENCHMARK(BM_SaveAfterMove)->Arg(0)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_Restore(benchmark::State& AState)
{
    const qn::test::TTempFolder folder("qn-bench");
    const std::string file = SettingsFile(folder, static_cast<int>(AState.range(0)));
    qn::TLayoutManagerINIStorage storage(file);
    SaveMainWindow(storage, 0);
    for (auto _ : AState) {
        storage.BeginUpdate();
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
        storage.EndUpdate();
    }
}
BENCHMARK(BM_Restore)->Arg(0)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
