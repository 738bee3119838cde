// Saving the whole configuration (three groups of 16 rows) to Config.ini, as closing the main window does.
#include "Settings.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string TempIni() {
    std::string dir = (std::filesystem::temp_directory_path() / "overlay-bench-XXXXXX").string();
    if (!mkdtemp(dir.data())) std::abort();
    return dir + "/Config.ini";
}

OverlaySettings SixteenRows(const std::string& path) {
    TIniFile ini(path);
    OverlaySettings settings;
    for (int g = 0; g < GroupCount; ++g) LoadGroup(ini, g, MaxRows, settings);
    return settings;
}

void SaveAll(const std::string& path, const OverlaySettings& settings) {
    TIniFile ini(path);
    for (int g = 0; g < GroupCount; ++g) SaveGroup(ini, g, settings);
}

// Saving over a file that already holds every key: each write replaces a value.
void BM_SaveThreeGroupsOfSixteen(benchmark::State& state) {
    std::string path = TempIni();
    OverlaySettings settings = SixteenRows(path);
    SaveAll(path, settings);
    for (auto _ : state) SaveAll(path, settings);
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
}
BENCHMARK(BM_SaveThreeGroupsOfSixteen)->Unit(benchmark::kMillisecond);

// The first save: the file grows from nothing, key by key.
void BM_FirstSaveThreeGroupsOfSixteen(benchmark::State& state) {
    std::string path = TempIni();
    OverlaySettings settings = SixteenRows(path);
    for (auto _ : state) {
        std::filesystem::remove(path);
        SaveAll(path, settings);
    }
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
}
BENCHMARK(BM_FirstSaveThreeGroupsOfSixteen)->Unit(benchmark::kMillisecond);

}  // namespace
