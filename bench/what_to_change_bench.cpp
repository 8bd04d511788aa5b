// « Que changer ? » on a design at the price limit: every single change replayed on one reading
// of the catalogues. bench/run_what_to_change_bench.sh runs it on the supplied catalogues, then
// with the 10,000-record propeller catalogue of make_propeller_catalogue.py.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "classroom/class_scan.h"
#include "classroom/design_fixes.h"
#include "window/design_record.h"

namespace {

const char* const kAtThePriceLimit = R"({"format": "ventakar-conception", "version": 1,
 "choices": {"propeller": {"text": "H\u00e9lice tripale 150, pales courbes", "index": 3},
  "motor": {"text": "Moteur RF-500, haute vitesse", "index": 2},
  "cradle": {"text": "Berceau 32 mm, renforc\u00e9", "index": 2},
  "power": {"text": "Panneau solaire 6 V, grand format", "index": 3},
  "switch": {"text": "Interrupteur \u00e0 levier", "index": 0},
  "frontWheel": {"text": "Roue 50 mm", "index": 3}, "rearWheel": {"text": "Roue 50 mm", "index": 3},
  "frontWheelPosition": "above", "rearWheelPosition": "above", "propellerPosition": "front",
  "frontMounting": {"text": "Support en U", "index": 0},
  "rearMounting": {"text": "Support en U", "index": 0},
  "chassisMaterial": {"text": "Balsa 3 mm", "index": 0},
  "wheelSupportMaterial": {"text": "Balsa 3 mm", "index": 0}}})";

void BM_everySingleChange(benchmark::State& state) {
    const char* dir = std::getenv("VENTAKAR_BENCH_DIR");
    std::filesystem::current_path(dir ? dir : ".");
    std::ofstream("limite.ventakar") << kAtThePriceLimit;
    std::size_t fixes = 0, tried = 0;
    for (auto _ : state) {
        // As the dialog does: its own reading of the catalogues, then the search.
        DesignScanner scanner(",");
        DesignRecord record;
        scanner.scan("limite.ventakar", "limite.ventakar", &record);
        // The single changes only: the pairs' search, bounded in time, is not measured.
        const FixSearch search = whatToChange(record, scanner, ",", 0.0);
        fixes = search.fixes.size();
        tried = stepChanges(record).size();
    }
    state.counters["changes"] = double(tried);
    state.counters["fixes"] = double(fixes);
}

}  // namespace

BENCHMARK(BM_everySingleChange)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_MAIN();
