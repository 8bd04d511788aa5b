// Timings of the real window on the offscreen platform, driven by bench/run_window_bench.sh:
//   window_probe program   what the program does up to its window shown: translations, the main
//                          window with its menus, then exits (timed from outside)
//   window_probe startup   builds and shows the design window, then exits (timed from outside);
//                          prints the time spent decoding the start-up pictures and reading the
//                          catalogues, each measured alone in the same process
//   window_probe shown     builds and shows the design window, then exits (for peak memory)
//   window_probe cycle N   picks the first N propellers of Combo1 in turn (for peak memory, timed
//                          and measured from outside)
//   window_probe pick N    N picks in Combo1 of the Data/Helice.txt in the working directory,
//                          each with the re-read, the handler, the estimation and the widget update
//   window_probe check N   the catalogue check of Data/ N times, pictures decoded as the window
//                          decodes them; median and 95th percentile
//   window_probe classe DIR  the class window on the folder DIR, from its construction to the
//                          last row in its table; the time and the rows
//   window_probe catalogues DIR  the catalogue editor on the folder DIR: from its construction to
//                          its window shown, its first tab usable (the check of a large file
//                          goes on behind), then to that check done
//   window_probe document N  a complete design saved, then opened N times in the main window
//                          (reading, start-up loading, replay, pictures, widget update) and N
//                          undo and redo steps; medians and 95th percentiles
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImageReader>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "catalogue/catalogue.h"
#include "qt/app/application_identity.h"
#include "qt/app/catalogue_check_run.h"
#include "qt/app/main_window.h"
#include "qt/app/translations.h"
#include "qt/catalogues/catalogue_model.h"
#include "qt/catalogues/catalogue_window.h"
#include "qt/classroom/class_window.h"
#include "qt/design/design_window.h"

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

struct Spread {
    double median;
    double p95;
};

Spread spread(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v[static_cast<std::size_t>(0.95 * (v.size() - 1))]};
}

template <typename F>
double millisecondsOf(F&& work) {
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e6;
}

int documentProbe(int runs) {
    MainWindow window;
    if (!window.isLoaded()) return 1;
    window.show();
    QApplication::processEvents();
    DesignWindow& design = *window.designWindow();
    DesignSession& session = design.session();
    const int last = static_cast<int>(session.record()["Combo1"].items.size()) - 1;
    auto pick = [&](const char* list, int index) {
        design.forward([&] { session.listChosen(list, index); });
    };
    pick("Combo1", last);  // the end of the catalogue: the longest re-read
    for (const char* list : {"Combo2", "Combo3", "Combo4"}) pick(list, 0);
    for (const char* list : {"Combo5", "Combo6", "Combo7"}) pick(list, 1);
    for (const char* option : {"Option1", "Option3", "Option5"})
        design.forward([&] { session.optionSelected(option); });
    for (const char* list : {"Combo8", "Combo9", "Combo10", "Combo11"}) pick(list, 0);
    const std::string file = "/tmp/ventakar-bench.ventakar";
    if (!session.saveDesign(file)) return 1;

    std::vector<double> open, replay, undo, redo;
    for (int i = 0; i < runs; ++i) {
        open.push_back(millisecondsOf([&] { window.openDesign(QString::fromStdString(file)); }));
        replay.push_back(millisecondsOf([&] { session.openDesignFile(file); }));
        design.mirrorRecord();
        pick("Combo1", last - 1 - i % 2);
        undo.push_back(millisecondsOf([&] { design.forward([&] { session.undo(); }); }));
        redo.push_back(millisecondsOf([&] { design.forward([&] { session.redo(); }); }));
    }
    const Spread o = spread(open), r = spread(replay), u = spread(undo), d = spread(redo);
    std::printf(
        "%d propellers; open median %.2f ms (p95 %.2f), of which session alone %.2f ms (p95 "
        "%.2f); undo median %.2f ms (p95 %.2f); redo median %.2f ms (p95 %.2f)\n",
        last + 1, o.median, o.p95, r.median, r.p95, u.median, u.p95, d.median, d.p95);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? argv[1] : "startup";
    // Before the start window's timer, which would keep the event loop busy meanwhile.
    if (mode == "classe" && argc > 2) {
        QElapsedTimer t;
        t.start();
        ClassWindow window(QString::fromLocal8Bit(argv[2]));
        window.show();
        // The window's own event loop, looked at every 5 ms, as the teacher's program runs it.
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (!window.scanning()) loop.quit();
        });
        poll.start(5);
        loop.exec();
        QApplication::processEvents();
        std::printf("class window: %zu rows in %.0f ms\n", window.rows().size(),
                    t.nsecsElapsed() / 1e6);
        return 0;
    }
    if (mode == "catalogues" && argc > 2) {
        QElapsedTimer t;
        t.start();
        CatalogueWindow window(QString::fromLocal8Bit(argv[2]));
        window.show();
        QApplication::processEvents();
        const double shown = t.nsecsElapsed() / 1e6;
        window.model(0)->finishCheck();
        std::printf("catalogue editor: %d records shown in %.0f ms, checked in %.0f ms\n",
                    window.model(0)->rowCount(), shown, t.nsecsElapsed() / 1e6);
        return 0;
    }
    closeStartWindowWhenShown();
    if (mode == "document") return documentProbe(argc > 2 ? std::atoi(argv[2]) : 20);
    if (mode == "program") {
        setApplicationIdentity();
        installToolkitTranslations();
        MainWindow window;
        if (!window.isLoaded()) return 1;
        window.show();
        QApplication::processEvents();
        return 0;
    }
    if (mode == "check") {
        std::vector<double> runs;
        QStringList lines;
        for (int i = 0; i < (argc > 2 ? std::atoi(argv[2]) : 20); ++i)
            runs.push_back(millisecondsOf([&] { lines = catalogueCheckLines("Data"); }));
        const Spread s = spread(runs);
        std::printf("check median %.2f ms (p95 %.2f); %s\n", s.median, s.p95,
                    qPrintable(lines.last()));
        return 0;
    }
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
