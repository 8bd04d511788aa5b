#include "qt/class_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "classroom/class_csv.h"
#include "classroom/design_comparison.h"
#include "qt/class_table_model.h"
#include "qt/html_document.h"
#include "qt/message_box.h"
#include "qt/parts_list_dialog.h"
#include "qt/system_number_format.h"

namespace {

constexpr int kProgressAfterMs = 500;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::string local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

const DesignState kStates[] = {DesignState::Conforme,        DesignState::NonConforme,
                               DesignState::SansVerdict,     DesignState::Incomplete,
                               DesignState::RepriseEnPartie, DesignState::Illisible};

}  // namespace

ClassWindow::ClassWindow(const QString& folder, QWidget* parent)
    : QMainWindow(parent), folder_(QFileInfo(folder).absoluteFilePath()) {
    setObjectName("classWindow");
    setWindowTitle("Classe « " + QFileInfo(folder_).fileName() + " » — VENTAKAR");
    model_ = new ClassTableModel(this);
    filter_ = new ClassFilterModel(this);
    filter_->setSourceModel(model_);
    filter_->setSortRole(ClassTableModel::SortRole);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    auto* bar = new QHBoxLayout;
    auto* stateLabel = new QLabel("&État :");
    stateFilter_ = new QComboBox;
    stateFilter_->setObjectName("stateFilter");
    stateFilter_->addItem("Tous les états", -1);
    for (DesignState state : kStates) stateFilter_->addItem(stateWords(state), int(state));
    stateLabel->setBuddy(stateFilter_);
    auto* searchLabel = new QLabel("&Rechercher :");
    search_ = new QLineEdit;
    search_->setObjectName("search");
    search_->setPlaceholderText("un élève ou une classe");
    search_->setClearButtonEnabled(true);
    searchLabel->setBuddy(search_);
    bar->addWidget(stateLabel);
    bar->addWidget(stateFilter_);
    bar->addSpacing(12);
    bar->addWidget(searchLabel);
    bar->addWidget(search_, 1);
    layout->addLayout(bar);
    summary_ = new QLabel;
    summary_->setObjectName("summary");
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary_);
    table_ = new QTableView;
    table_->setObjectName("classTable");
    table_->setModel(filter_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(2, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->horizontalHeader()->setSectionsMovable(false);
    table_->verticalHeader()->hide();
    table_->setAccessibleName("Conceptions de la classe");
    table_->installEventFilter(this);
    layout->addWidget(table_, 1);
    auto* progressBar = new QHBoxLayout;
    progress_ = new QProgressBar;
    progress_->setObjectName("scanProgress");
    progress_->setFormat("Lecture des conceptions : %v sur %m");
    cancel_ = new QPushButton("Annuler");
    cancel_->setObjectName("cancelScan");
    progressBar->addWidget(progress_, 1);
    progressBar->addWidget(cancel_);
    layout->addLayout(progressBar);
    progress_->hide();
    cancel_->hide();
    setCentralWidget(central);

    QMenu* menu = menuBar()->addMenu("&Classe");
    auto add = [&](const char* name, const QString& text, const QKeySequence& key, auto run) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        if (!key.isEmpty()) action->setShortcut(key);
        connect(action, &QAction::triggered, this, run);
        return action;
    };
    add("actionRefresh", "&Actualiser", QKeySequence(Qt::Key_F5), [this] { refresh(); });
    menu->addSeparator();
    add("actionExportCsv", "Exporter en &CSV…", {}, [this] { chooseCsv(); });
    add("actionPrintClass", "&Imprimer…", QKeySequence(Qt::CTRL | Qt::Key_P), [this] { print(); });
    add("actionExportClassPdf", "Exporter en &PDF…", {}, [this] { choosePdf(); });
    menu->addSeparator();
    add("actionCompare", "C&omparer", QKeySequence(Qt::CTRL | Qt::Key_D),
        [this] { compareSelected(); });
    add("actionOrder", "Co&mmande…", {}, [this] { showOrder(); });
    menu->addSeparator();
    add("actionCloseClass", "&Fermer", QKeySequence(Qt::CTRL | Qt::Key_W), [this] { close(); });

    connect(stateFilter_, &QComboBox::currentIndexChanged, this, [this] {
        filter_->setState(stateFilter_->currentData().toInt());
        updateSummary();
    });
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        filter_->setSearch(text);
        updateSummary();
    });
    connect(table_, &QTableView::doubleClicked, this, &ClassWindow::openRow);
    connect(cancel_, &QPushButton::clicked, this, [this] { stop_ = true; });
    poll_ = new QTimer(this);
    poll_->setInterval(50);
    connect(poll_, &QTimer::timeout, this, &ClassWindow::pollScan);
    resize(1200, 600);
    startScan();
}

ClassWindow::~ClassWindow() {
    stopScan();
}

const std::vector<DesignRow>& ClassWindow::rows() const {
    return model_->rows();
}

void ClassWindow::startScan() {
    if (scanning()) return;
    stop_ = false;
    finished_ = false;
    done_ = 0;
    total_ = 0;
    scanStarted_ = QDateTime::currentMSecsSinceEpoch();
    summary_->setText("Lecture des conceptions du dossier…");
    const std::string folder = local(folder_);
    const std::string separator = systemDecimalSeparator();
    worker_ = std::thread([this, folder, separator] {
        auto scan =
            std::make_unique<ClassScan>(scanClass(folder, separator, [this](int done, int total) {
                done_ = done;
                total_ = total;
                return !stop_.load();
            }));
        result_ = std::move(scan);
        finished_ = true;
    });
    poll_->start();
}

void ClassWindow::pollScan() {
    if (finished_) {
        finishScan();
        return;
    }
    if (QDateTime::currentMSecsSinceEpoch() - scanStarted_ < kProgressAfterMs) return;
    progress_->setMaximum(std::max(1, total_.load()));
    progress_->setValue(done_);
    progress_->show();
    cancel_->show();
}

void ClassWindow::finishScan() {
    poll_->stop();
    if (worker_.joinable()) worker_.join();
    progress_->hide();
    cancel_->hide();
    std::unique_ptr<ClassScan> scan = std::move(result_);
    if (!scan) return;
    skipped_ = std::move(scan->skipped);
    otherFiles_ = scan->otherFiles;
    model_->setRows(std::move(scan->rows), systemDecimalSeparator());
    table_->resizeColumnsToContents();
    for (int c = 0; c < model_->columnCount(); ++c)
        table_->setColumnWidth(c, std::min(table_->columnWidth(c), 320));
    // The files selected before, selected again.
    QItemSelection selection;
    for (int r = 0; r < filter_->rowCount(); ++r) {
        const std::string path =
            filter_->index(r, 0).data(ClassTableModel::PathRole).toByteArray().toStdString();
        if (std::find(keepSelected_.begin(), keepSelected_.end(), path) != keepSelected_.end())
            selection.select(filter_->index(r, 0), filter_->index(r, filter_->columnCount() - 1));
    }
    table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    keepSelected_.clear();
    updateSummary();
    if (scan->cancelled) summary_->setText(summary_->text() + " (lecture interrompue)");
    emit scanned();
}

void ClassWindow::stopScan() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
    poll_->stop();
}

void ClassWindow::refresh() {
    if (scanning()) return;
    keepSelected_ = selectedPaths();
    startScan();
}

void ClassWindow::updateSummary() {
    if (model_->rows().empty()) {
        summary_->setText(
            "Aucune conception (fichier .ventakar) dans ce dossier ni dans ses "
            "sous-dossiers.");
        return;
    }
    QString text = qs(classSummary(model_->rows()));
    if (filter_->rowCount() != model_->rowCount())
        text += QString(" — %1 affichée(s)").arg(filter_->rowCount());
    summary_->setText(text);
}

std::vector<std::string> ClassWindow::selectedPaths() const {
    QList<int> order;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) order << index.row();
    std::sort(order.begin(), order.end());
    std::vector<std::string> paths;
    for (int row : order)
        paths.push_back(
            filter_->index(row, 0).data(ClassTableModel::PathRole).toByteArray().toStdString());
    return paths;
}

QStringList ClassWindow::selectedFiles() const {
    QStringList files;
    for (const std::string& path : selectedPaths())
        files << QFile::decodeName(QByteArray::fromStdString(path));
    return files;
}

void ClassWindow::openRow(const QModelIndex& index) {
    if (!index.isValid()) return;
    emit openDesignRequested(filter_->index(index.row(), 0).data(ClassTableModel::PathRole).toByteArray());
}

bool ClassWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openRow(table_->currentIndex());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void ClassWindow::closeEvent(QCloseEvent* event) {
    stopScan();
    event->accept();
}

std::vector<const DesignRow*> ClassWindow::shownRows() const {
    std::vector<const DesignRow*> shown;
    for (int r = 0; r < filter_->rowCount(); ++r)
        shown.push_back(&model_->rows()[filter_->index(r, 0).data(ClassTableModel::RowRole).toInt()]);
    return shown;
}

QString ClassWindow::viewNote() const {
    QStringList parts;
    if (stateFilter_->currentData().toInt() >= 0)
        parts << "état « " + stateFilter_->currentText() + " »";
    if (!search_->text().trimmed().isEmpty())
        parts << "recherche « " + search_->text().trimmed() + " »";
    if (parts.isEmpty()) return {};
    return "Conceptions affichées : " + parts.join(", ") +
           QString(" (%1 sur %2)").arg(filter_->rowCount()).arg(model_->rowCount());
}

std::vector<std::string> ClassWindow::noteLines() const {
    std::vector<std::string> lines;
    const QString note = viewNote();
    if (!note.isEmpty()) lines.push_back(note.toStdString());
    for (const std::string& line : skippedLines(skipped_, otherFiles_)) lines.push_back(line);
    return lines;
}

bool ClassWindow::exportCsv(const QString& file) {
    return writeExport(file, classCsv(shownRows(), noteLines()), "Le tableau n'a pas été exporté.",
                       this);
}

void ClassWindow::chooseCsv() {
    const QString file = chooseSaveFile(this, "Exporter la classe en CSV", "Tableaux CSV (*.csv)",
                                        "csv", QFileInfo(folder_).fileName() + ".csv");
    if (!file.isEmpty()) exportCsv(file);
}

QString ClassWindow::tableHtml() const {
    QString html = "<html><body style=\"font-family: 'Liberation Sans'; font-size: 7pt\">";
    html += "<p style=\"font-size: 10pt\"><b>Classe : " + folder_.toHtmlEscaped() + "</b> — " +
            QLocale(QLocale::French).toString(QDate::currentDate(), "d MMMM yyyy") + "</p>";
    html += "<p>" + qs(classSummary(model_->rows())).toHtmlEscaped() + "</p>";
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\"><thead><tr>";
    for (const std::string& column : classColumns())
        html += "<th bgcolor=\"#e0e0e0\">" + qs(column).toHtmlEscaped() + "</th>";
    html += "</tr></thead><tbody>";
    for (int r = 0; r < filter_->rowCount(); ++r) {
        html += "<tr>";
        for (int c = 0; c < filter_->columnCount(); ++c) {
            const QModelIndex index = filter_->index(r, c);
            const QVariant background = index.data(Qt::BackgroundRole);
            html += background.isValid()
                        ? "<td bgcolor=\"" + background.value<QBrush>().color().name() + "\">"
                        : QString("<td>");
            html += index.data().toString().toHtmlEscaped() + "</td>";
        }
        html += "</tr>";
    }
    return html + "</tbody></table></body></html>";
}

bool ClassWindow::exportPdf(const QString& file) {
    return writeHtmlPdf(tableHtml(), QPageLayout::Landscape, file, "Le tableau", this);
}

void ClassWindow::choosePdf() {
    const QString file = chooseSaveFile(this, "Exporter la classe en PDF", "Documents PDF (*.pdf)",
                                        "pdf", QFileInfo(folder_).fileName() + ".pdf");
    if (!file.isEmpty()) exportPdf(file);
}

void ClassWindow::print() {
    printHtml(tableHtml(), QPageLayout::Landscape, this);
}

PartsList ClassWindow::order() const {
    const std::vector<std::string> selected = selectedPaths();
    std::vector<std::vector<PartLine>> designs;
    for (const DesignRow& row : model_->rows()) {
        const bool wanted =
            selected.empty() ? row.state == DesignState::Conforme
                             : std::find(selected.begin(), selected.end(), row.path) != selected.end();
        if (wanted) designs.push_back(row.parts);
    }
    return mergeParts(designs);
}

void ClassWindow::showOrder() {
    const int count = selectedFiles().size();
    PartsListDialog dialog(order(),
                           count ? QString("Commande pour %1 conception(s) choisie(s)").arg(count)
                                 : QString("Commande pour les conceptions conformes"),
                           folder_, this);
    dialog.exec();
}

void ClassWindow::compareSelected() {
    const std::vector<std::string> paths = selectedPaths();
    const QStringList files = selectedFiles();
    if (paths.size() != 2) {
        showOkBox(QMessageBox::Information,
                  "Sélectionnez exactement deux conceptions dans le tableau pour les comparer "
                  "(Ctrl + clic).",
                  this);
        return;
    }
    const std::vector<ComparedLine> lines =
        compareDesigns(paths[0], paths[1], systemDecimalSeparator());
    QDialog dialog(this);
    dialog.setObjectName("comparison");
    dialog.setWindowTitle("Comparer deux conceptions");
    auto* table = new QTableWidget(int(lines.size()), 3, &dialog);
    table->setObjectName("comparisonTable");
    table->setHorizontalHeaderLabels(
        {"", QDir(folder_).relativeFilePath(files[0]), QDir(folder_).relativeFilePath(files[1])});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < int(lines.size()); ++r) {
        const ComparedLine& line = lines[r];
        const QString mark = line.differs() ? "≠ " : "";
        const QStringList cells = {mark + qs(line.label), qs(line.first), qs(line.second)};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (line.differs()) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    buttons->button(QDialogButtonBox::Close)->setText("Fermer");
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(table);
    layout->addWidget(buttons);
    dialog.resize(900, 640);
    dialog.exec();
}
