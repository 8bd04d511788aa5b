// Reading a 10,000-record propeller catalogue: the reader against a bare separator scan, and
// MyVal on short texts. bench/run_catalogue_bench.sh adds Python's csv module on the same file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/my_val.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRecords = 10000;

std::string makePropellerCatalogue() {
    std::string text;
    for (int i = 0; i < kRecords; ++i) {
        text += "\"H\xE9lice " + std::to_string(i % 3 + 2) + ", pales n\xB0" + std::to_string(i) +
                "\"," + std::to_string(80 + i % 200) + "," + std::to_string(3 + i % 12) +
                ".5,\"Fournitures A\xE9ro, \xC9"
                "cole\",REF-" +
                std::to_string(100000 + i) + "," + std::to_string(1 + i % 9) + ".20," +
                std::to_string(10 + i % 40) + "," + std::to_string(2 + i % 2) + ",\"" +
                (i % 2 ? "n" : "o") + "\"\r\n";
    }
    return text;
}

// Writes Data/Helice.txt under the bench directory once and makes it the working directory.
const std::string& benchFile() {
    static const std::string bytes = [] {
        const char* dir = std::getenv("VENTAKAR_BENCH_DIR");
        fs::path root = dir ? fs::path(dir) : fs::temp_directory_path() / "ventakar-bench";
        fs::create_directories(root / "Data");
        std::string text = makePropellerCatalogue();
        std::ofstream(root / "Data" / "Helice.txt", std::ios::binary) << text;
        fs::current_path(root);
        return text;
    }();
    return bytes;
}

void BM_readRecordAt_last(benchmark::State& state) {
    const auto size = benchFile().size();
    for (auto _ : state) {
        auto record = readRecordAt(CatalogueKind::Helice, kRecords - 1, ",");
        benchmark::DoNotOptimize(record);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_readCatalogue(benchmark::State& state) {
    const auto size = benchFile().size();
    // Like the Python loop (rows = list(reader)): the previous result goes once the new one is
    // built.
    std::vector<CatalogueRecord> previous;
    for (auto _ : state) {
        auto records = readCatalogue(CatalogueKind::Helice, ",");
        benchmark::DoNotOptimize(records);
        previous.swap(records);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// The ceiling: read the file and find its separators, building nothing.
void BM_plainSeparatorScan(benchmark::State& state) {
    const auto size = benchFile().size();
    for (auto _ : state) {
        const std::string bytes = readFileBytes("Data/Helice.txt");
        std::size_t separators = 0;
        for (char c : bytes) separators += (c == ',') | (c == '"') | (c == '\r') | (c == '\n');
        benchmark::DoNotOptimize(separators);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_MyVal_shortTexts(benchmark::State& state) {
    const std::string texts[] = {"12,5", "120", "4 piles", "0,45", " 23", "XXXX", "1 234,5", "-7"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MyVal(texts[i++ & 7]));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

}  // namespace

BENCHMARK(BM_readRecordAt_last)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_readCatalogue)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_plainSeparatorScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MyVal_shortTexts);

BENCHMARK_MAIN();
