// Reading one complete design file as a class scan reads each of its designs: the JSON alone,
// then the whole design (format, pupil, every choice).
#include <benchmark/benchmark.h>

#include <string>

#include "document/design_file.h"
#include "document/json_value.h"

namespace {

const std::string kDesign = R"({
    "format": "ventakar-conception",
    "version": 1,
    "pupil": {"name": "Zoé Élève", "class": "5e B"},
    "choices": {
        "propeller": {"text": "Hélice bipale 100 mm", "index": 0},
        "motor": {"text": "Moteur RE-140", "index": 0},
        "cradle": {"text": "Berceau 20 mm", "index": 0},
        "power": {"text": "Coupleur 2 piles AA", "index": 0},
        "batteryKind": "pile",
        "includeBatteryCost": true,
        "includeBatteryMass": true,
        "switch": {"text": "Interrupteur à glissière", "index": 1},
        "frontWheel": {"text": "Roue 40 mm", "index": 1},
        "rearWheel": {"text": "Roue 40 mm", "index": 1},
        "frontWheelPosition": "above",
        "rearWheelPosition": "above",
        "propellerPosition": "front",
        "frontMounting": {"text": "Support en U", "index": 0},
        "rearMounting": {"text": "Support en U", "index": 0},
        "chassisMaterial": {"text": "Balsa 3 mm", "index": 0},
        "wheelSupportMaterial": {"text": "Balsa 3 mm", "index": 0},
        "clearance": 5
    }
})";

void BM_parseJson(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(parseJson(kDesign));
    state.SetBytesProcessed(state.iterations() * std::int64_t(kDesign.size()));
}

void BM_readDesignDocument(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(readDesignDocument(kDesign, "a.ventakar"));
}

}  // namespace

BENCHMARK(BM_parseJson);
BENCHMARK(BM_readDesignDocument);

BENCHMARK_MAIN();
