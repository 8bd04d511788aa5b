// The catalogue editor's model on a 1,000,000-record Helice.txt (about 59 MB): reading it as a
// table (what opening the tab costs), writing it back, one edit with its undo step (a copy that
// shares the rows, the cell, the rows it changed) and the check of what would be saved, which
// runs off the window's thread for a file that large.
#include <benchmark/benchmark.h>

#include <string>

#include "check/catalogue_check.h"
#include "check/catalogue_table.h"

namespace {

const std::string& millionRecords() {
    static const std::string text = [] {
        std::string out;
        for (int i = 0; i < 1000000; ++i)
            out += "\"Helice " + std::to_string(i) + "\"," + std::to_string(100 + i % 50) + "," +
                   std::to_string(4 + i % 5) + ",\"Fournisseur\",\"R" + std::to_string(i) +
                   "\",1." + std::to_string(i % 10) + ",12,2,\"o\"\r\n";
        return out;
    }();
    return text;
}

const FileRule& propellers() {
    return fileRules().front();
}

void BM_ReadAsTable(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(CatalogueTable(propellers(), millionRecords()));
}
BENCHMARK(BM_ReadAsTable)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WriteBack(benchmark::State& state) {
    const CatalogueTable table(propellers(), millionRecords());
    for (auto _ : state) benchmark::DoNotOptimize(table.bytes());
}
BENCHMARK(BM_WriteBack)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_EditWithItsUndoStep(benchmark::State& state) {
    CatalogueTable table(propellers(), millionRecords());
    int n = 0;
    for (auto _ : state) {
        CatalogueTable edited = table;
        std::string price = std::to_string(n++ % 10);
        price.insert(0, "1,");
        edited.setCell(500000, 5, price);
        benchmark::DoNotOptimize(CatalogueTable::difference(table, edited));
        table = std::move(edited);
    }
}
BENCHMARK(BM_EditWithItsUndoStep)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_CheckWhatWouldBeSaved(benchmark::State& state) {
    const std::string bytes = CatalogueTable(propellers(), millionRecords()).bytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(checkFileBytes("/nonexistent", propellers(), bytes,
                                                [](const std::string&) { return std::string(); }));
}
BENCHMARK(BM_CheckWhatWouldBeSaved)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
