// « Comparer les choix… » on the 10,000-record propeller catalogue: every row, and the first 30
// (what the dialog shows first). bench/run_choices_bench.sh prepares the Data folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "classroom/choice_alternatives.h"
#include "classroom/class_scan.h"
#include "window/design_record.h"

namespace {

// A complete design of the supplied catalogues, replayed on the Data of the working directory.
const DesignRecord& design() {
    static const DesignRecord record = [] {
        const char* dir = std::getenv("VENTAKAR_BENCH_DIR");
        std::filesystem::current_path(dir ? dir : ".");
        std::ofstream("bench.ventakar") << R"({"format": "ventakar-conception", "version": 1,
          "choices": {"propeller": {"text": "H\u00e9lice bipale 100 mm", "index": 0},
          "motor": {"text": "Moteur RE-140", "index": 0},
          "cradle": {"text": "Berceau 20 mm", "index": 0},
          "power": {"text": "Coupleur 2 piles AA", "index": 0},
          "switch": {"text": "Interrupteur \u00e0 glissi\u00e8re", "index": 1},
          "frontWheel": {"text": "Roue 40 mm", "index": 1},
          "rearWheel": {"text": "Roue 40 mm", "index": 1},
          "frontWheelPosition": "above", "rearWheelPosition": "above", "propellerPosition": "front",
          "frontMounting": {"text": "Support en U", "index": 0},
          "rearMounting": {"text": "Support en U", "index": 0},
          "chassisMaterial": {"text": "Balsa 3 mm", "index": 0},
          "wheelSupportMaterial": {"text": "Balsa 3 mm", "index": 0}}})";
        DesignRecord replayed;
        DesignScanner(",").scan("bench.ventakar", "bench.ventakar", &replayed);
        return replayed;
    }();
    return record;
}

void BM_everyPropeller(benchmark::State& state) {
    const DesignRecord& record = design();
    std::size_t rows = 0;
    for (auto _ : state) rows = alternativesOf(record, "Combo1", ",").rows.size();
    state.counters["rows"] = double(rows);
}

void BM_firstPropellers(benchmark::State& state) {
    const DesignRecord& record = design();
    std::size_t rows = 0;
    for (auto _ : state) rows = alternativesOf(record, "Combo1", ",", 0, 30).rows.size();
    state.counters["rows"] = double(rows);
}

}  // namespace

BENCHMARK(BM_everyPropeller)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_firstPropellers)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_MAIN();
