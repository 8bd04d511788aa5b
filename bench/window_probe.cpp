// Timings of the real window on the offscreen platform, driven by bench/run_window_bench.sh:
//   window_probe startup   builds and shows the design window, then exits (timed from outside);
//                          prints the time spent decoding the start-up pictures and reading the
//                          catalogues, each measured alone in the same process
//   window_probe shown     builds and shows the design window, then exits (for peak memory)
//   window_probe cycle N   picks the first N propellers of Combo1 in turn (for peak memory, timed
//                          and measured from outside)
//   window_probe pick N    N picks in Combo1 of the Data/Helice.txt in the working directory,
//                          each with the re-read, the handler, the estimation and the widget update
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImageReader>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "catalogue/catalogue.h"
#include "qt/design_window.h"

namespace {

void closeStartWindowWhenShown() {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            modal->close();
        }
    });
    timer->start(0);
}

double decodeStartPictures() {
    QElapsedTimer t;
    t.start();
    for (int i = 1; i <= 14; ++i) QImageReader(QString("Data/Choix%1.jpg").arg(i)).read();
    for (int i = 0; i < 6; ++i) QImageReader("Data/Apercu.jpg").read();
    return t.nsecsElapsed() / 1e6;
}

double readStartCatalogues() {
    QElapsedTimer t;
    t.start();
    for (CatalogueKind kind :
         {CatalogueKind::Helice, CatalogueKind::Moteur, CatalogueKind::Berceau,
          CatalogueKind::Energie, CatalogueKind::Pile, CatalogueKind::Interrupteur,
          CatalogueKind::Roue, CatalogueKind::Roue, CatalogueKind::Train, CatalogueKind::Train,
          CatalogueKind::Materiau, CatalogueKind::Materiau}) {
        readCatalogue(kind, ",");
    }
    readRecordFile(std::string(kRulesPath), kRulesFieldCount, ",");
    return t.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? argv[1] : "startup";
    closeStartWindowWhenShown();
    DesignWindow window;
    if (!window.isLoaded()) return 1;
    window.show();
    QApplication::processEvents();
    if (mode == "shown") return 0;
    if (mode == "startup") {
        std::printf("decode %.2f ms, catalogues %.2f ms\n", decodeStartPictures(),
                    readStartCatalogues());
        return 0;
    }
    const int picks = argc > 2 ? std::atoi(argv[2]) : 100;
    auto* combo = window.findChild<QComboBox*>("Combo1");
    if (mode == "cycle") {
        for (int i = 0; i < picks; ++i) {
            emit combo->activated(i);
            QApplication::processEvents();
        }
        std::printf("%s shown last\n", qPrintable(combo->currentText()));
        return 0;
    }
    const int items = combo->count();
    std::vector<double> times;
    for (int i = 0; i < picks; ++i) {
        const int index = items - 1 - (i % 3);  // the end of the file, where the re-read is longest
        QElapsedTimer t;
        t.start();
        emit combo->activated(index);
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::vector<double> bare;
    for (int i = 0; i < picks; ++i) {
        QElapsedTimer t;
        t.start();
        readCatalogue(CatalogueKind::Helice, ",");
        bare.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::sort(bare.begin(), bare.end());
    auto at = [](const std::vector<double>& v, double q) {
        return v[static_cast<std::size_t>(q * (v.size() - 1))];
    };
    std::printf(
        "%d items; pick median %.2f ms, p95 %.2f ms; bare readCatalogue median %.2f ms, p95 %.2f "
        "ms; "
        "ratio of medians %.2f\n",
        items, at(times, 0.5), at(times, 0.95), at(bare, 0.5), at(bare, 0.95),
        at(times, 0.5) / at(bare, 0.5));
    return 0;
}
