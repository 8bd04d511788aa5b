#include "qt/classroom/class_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "catalogue/data_error.h"
#include "catalogue/visible_text.h"
#include "classroom/class_csv.h"
#include "classroom/design_comparison.h"
#include "classroom/design_fixes.h"
#include "qt/app/data_folder.h"
#include "qt/classroom/class_table_model.h"
#include "qt/classroom/parts_list_dialog.h"
#include "qt/export_file.h"
#include "qt/message_box.h"
#include "qt/name_keeping_file_dialog.h"
#include "qt/path_text.h"
#include "qt/print/printed_table.h"
#include "qt/recent_menu.h"
#include "qt/system_number_format.h"

namespace {

constexpr int kProgressAfterMs = 500;
constexpr const char* kSplitterKey = "classe/details";
constexpr const char* kRecentClassesKey = "classe/recentes";

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::string local(const QString& path) {
    return pathBytes(path);
}

const DesignState kStates[] = {DesignState::Conforme,        DesignState::NonConforme,
                               DesignState::SansVerdict,     DesignState::Incomplete,
                               DesignState::RepriseEnPartie, DesignState::Illisible,
                               DesignState::NonRendu};

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
    auto* stateLabel = new QLabel("É&tat :");
    stateFilter_ = new QComboBox;
    stateFilter_->setObjectName("stateFilter");
    stateFilter_->addItem("Tous les états", -1);
    for (DesignState state : kStates) stateFilter_->addItem(stateWords(state), int(state));
    stateLabel->setBuddy(stateFilter_);
    auto* searchLabel = new QLabel("&Rechercher :");
    search_ = new QLineEdit;
    search_->setObjectName("search");
    search_->setPlaceholderText("un élève, une classe ou un fichier");
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
    summary_->setWordWrap(true);
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
    table_->setWordWrap(false);
    table_->setTextElideMode(Qt::ElideRight);
    // Tab and Shift+Tab leave the table; the arrows move inside it.
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->setAccessibleName("Conceptions de la classe");
    table_->installEventFilter(this);
    // Who, what state and why first, so that they stand on a small screen without scrolling;
    // the other columns follow.
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionsMovable(false);
    for (int visual = 0; visual < int(classColumnOrder().size()); ++visual)
        header->moveSection(header->visualIndex(classColumnOrder()[visual]), visual);
    details_ = new QPlainTextEdit;
    details_->setObjectName("details");
    details_->setReadOnly(true);
    details_->setTabChangesFocus(true);
    details_->setAccessibleName("Détails de la conception choisie");
    details_->setMinimumHeight(fontMetrics().lineSpacing() * 2 + 12);
    // The table above, the details below, the line between them dragged to read more of either;
    // where it stood is kept for the next class.
    splitter_ = new QSplitter(Qt::Vertical);
    splitter_->setObjectName("detailsSplitter");
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(table_);
    splitter_->addWidget(details_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setSizes({600, fontMetrics().lineSpacing() * 5 + 12});
    splitter_->restoreState(QSettings().value(kSplitterKey).toByteArray());
    connect(splitter_, &QSplitter::splitterMoved, this,
            [this] { QSettings().setValue(kSplitterKey, splitter_->saveState()); });
    layout->addWidget(splitter_, 1);
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
    table_->setFocus();  // the keyboard starts in the table, as the teacher reads it

    QMenu* menu = menuBar()->addMenu("&Classe");
    auto add = [&](QMenu* in, const char* name, const QString& text, const QKeySequence& key,
                   auto run) {
        QAction* action = in->addAction(text);
        action->setObjectName(name);
        if (!key.isEmpty()) action->setShortcut(key);
        connect(action, &QAction::triggered, this, run);
        return action;
    };
    add(menu, "actionOpenClass", "Ouvrir une cla&sse…",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), [this] { chooseFolder(); });
    recentClasses_ = menu->addMenu("Classes &récentes");
    recentClasses_->setObjectName("menuRecentClasses");
    menu->addSeparator();
    add(menu, "actionHandInFolder", "Dossier de remis&e…", {}, [this] { chooseHandInFolder(); });
    add(menu, "actionClassList", "Liste d'élè&ves…", {}, [this] { chooseClassList(); });
    add(menu, "actionDueDate", "Da&te limite…", {}, [this] { chooseDueDate(); });
    menu->addSeparator();
    add(menu, "actionRefresh", "&Actualiser", QKeySequence(Qt::Key_F5), [this] { refresh(); });
    add(menu, "actionOpenRow", "&Ouvrir la conception", QKeySequence(Qt::CTRL | Qt::Key_O),
        [this] { openRow(table_->currentIndex()); });
    menu->addSeparator();
    add(menu, "actionExportCsv", "Exporter en &CSV…", QKeySequence(Qt::CTRL | Qt::Key_E),
        [this] { chooseCsv(); });
    add(menu, "actionExportWorkbook", "Exporter en c&lasseur…", {}, [this] {
        const QString file = chooseWorkbookFile(this, "Exporter la classe en classeur",
                                                QFileInfo(folder_).fileName());
        if (!file.isEmpty()) exportWorkbook(file);
    });
    add(menu, "actionPrintClass", "&Imprimer…", QKeySequence(Qt::CTRL | Qt::Key_P),
        [this] { print(); });
    add(menu, "actionExportClassPdf", "Exporter en &PDF…",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), [this] { choosePdf(); });
    menu->addSeparator();
    add(menu, "actionCompare", "Co&mparer", QKeySequence(Qt::CTRL | Qt::Key_D),
        [this] { compareSelected(); });
    add(menu, "actionOrder", "Comma&nde…", QKeySequence(Qt::CTRL | Qt::Key_K),
        [this] { showOrder(); });
    menu->addSeparator();
    add(menu, "actionCloseClass", "&Fermer", QKeySequence(Qt::CTRL | Qt::Key_W),
        [this] { close(); });

    QMenu* view = menuBar()->addMenu("&Affichage");
    add(view, "actionSortByCurrent", "&Trier par la colonne courante",
        QKeySequence(Qt::CTRL | Qt::Key_T), [this] { sortBy(table_->currentIndex().column()); });
    add(view, "actionReverseSort", "&Inverser le tri",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T), [this] {
            const QHeaderView* h = table_->horizontalHeader();
            table_->sortByColumn(h->sortIndicatorSection(),
                                 h->sortIndicatorOrder() == Qt::AscendingOrder
                                     ? Qt::DescendingOrder
                                     : Qt::AscendingOrder);
        });
    QMenu* sortMenu = view->addMenu("Trier &par");
    sortMenu->setObjectName("menuSortBy");
    QString taken;
    for (int c = 0; c < model_->columnCount(); ++c) {
        // Each column its own plain letter, the first of its name that is free.
        QString caption = QString::fromStdString(classColumns()[c]);
        int mark = -1;
        for (int i = 0; i < caption.size() && mark < 0; ++i) {
            const QChar letter = caption[i].toLower();
            if (letter.unicode() < 128 && letter.isLetter() && !taken.contains(letter)) mark = i;
        }
        if (mark >= 0) {
            taken += caption[mark].toLower();
            caption.insert(mark, '&');
        }
        QAction* action = sortMenu->addAction(caption);
        action->setObjectName(QString("actionSortBy%1").arg(c));
        connect(action, &QAction::triggered, this, [this, c] { sortBy(c); });
    }
    view->addSeparator();
    add(view, "actionSearch", "&Rechercher", QKeySequence(Qt::CTRL | Qt::Key_F), [this] {
        search_->setFocus(Qt::ShortcutFocusReason);
        search_->selectAll();
    });
    add(view, "actionFilter", "&Filtrer par état", QKeySequence(Qt::CTRL | Qt::Key_L),
        [this] { stateFilter_->setFocus(Qt::ShortcutFocusReason); });
    add(view, "actionTable", "Aller au t&ableau", QKeySequence(Qt::CTRL | Qt::Key_J),
        [this] { table_->setFocus(Qt::ShortcutFocusReason); });

    connect(stateFilter_, &QComboBox::currentIndexChanged, this, [this] {
        filter_->setState(stateFilter_->currentData().toInt());
        updateSummary();
    });
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        filter_->setSearch(text);
        updateSummary();
    });
    connect(table_, &QTableView::doubleClicked, this, &ClassWindow::openRow);
    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { showDetails(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { stop_ = true; });
    poll_ = new QTimer(this);
    poll_->setInterval(50);
    connect(poll_, &QTimer::timeout, this, &ClassWindow::pollScan);
    fixPoll_ = new QTimer(this);
    fixPoll_->setInterval(50);
    connect(fixPoll_, &QTimer::timeout, this, [this] {
        if (fixesDone_) finishFixes();
    });
    // As large as it is useful, never larger than the screen.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(1366, 768);
    resize(std::min(1400, room.width() - 40), std::min(800, room.height() - 60));
    rememberClass();
    startScan();
}

void ClassWindow::openFolder(const QString& folder) {
    stopScan();
    folder_ = QFileInfo(folder).absoluteFilePath();
    setWindowTitle("Classe « " + QFileInfo(folder_).fileName() + " » — VENTAKAR");
    skipped_.clear();
    otherFiles_ = 0;
    interrupted_.clear();
    keepSelected_.clear();
    model_->setRows({}, systemDecimalSeparator());
    rememberClass();
    startScan();
}

void ClassWindow::chooseHandInFolder() {
    const QString start = handInFolder().isEmpty() ? folder_ : handInFolder();
    const QString folder =
        ::chooseFolder(this, "Dossier de remise", "Choisir", "Dossier de remise :", start);
    if (folder.isEmpty()) return;
    // The school's own setting for the machine stands: the teacher's choice is for this account.
    setTeachersHandInFolder(folder);
    if (!machineHandInFolder().isEmpty() && machineHandInFolder() != folder)
        showOkBox(QMessageBox::Information,
                  ("Les élèves de cet ordinateur rendent leurs conceptions dans « " +
                   machineHandInFolder() + " », que les réglages de l'ordinateur nomment.")
                      .toStdString(),
                  this);
    openFolder(folder);
}

void ClassWindow::chooseClassList() {
    QFileDialog dialog(this, "Liste d'élèves de « " + QFileInfo(folder_).fileName() + " »");
    frenchFileDialog(dialog, "Choisir");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({"Listes d'élèves (*.csv *.txt)", "Tous les fichiers (*)"});
    const QString current = classListOf(folder_);
    dialog.setDirectory(current.isEmpty() ? folder_ : QFileInfo(current).absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    setClassListOf(folder_, dialog.selectedFiles().first());
    refresh();
}

void ClassWindow::chooseDueDate() {
    bool ok = false;
    const QString typed = QInputDialog::getText(
        this, "Date limite",
        "Date et heure limites de remise pour « " + QFileInfo(folder_).fileName() +
            " » (2026-12-09 17:00 ; vide : aucune) :",
        QLineEdit::Normal, qs(shownStamp(dueDateOf(folder_).toStdString())), &ok);
    if (!ok) return;
    const std::string stamp = dueStamp(typed.toStdString());
    if (!typed.trimmed().isEmpty() && stamp.empty()) {
        showOkBox(QMessageBox::Warning,
                  "« " + typed.toStdString() +
                      " » n'est pas une date et une heure : écrivez-la comme 2026-12-09 17:00.",
                  this);
        return;
    }
    setDueDateOf(folder_, qs(stamp));
    refresh();
}

Collection ClassWindow::collection() {
    Collection collection;
    collection.due = dueDateOf(folder_).toStdString();
    listProblem_.clear();
    if (const QString list = classListOf(folder_); !list.isEmpty()) {
        try {
            collection.list = readClassListFile(local(list));
        } catch (const DataError& error) {
            listProblem_ = "Liste d'élèves non lue : " + visibleText(error.what());
        }
    }
    return collection;
}

void ClassWindow::chooseFolder() {
    const QString folder =
        ::chooseFolder(this, "Ouvrir une classe", "Ouvrir",
                       "Dossier de la classe :", QFileInfo(folder_).absolutePath());
    if (!folder.isEmpty()) openFolder(folder);
}

QStringList ClassWindow::recentClasses() {
    return QSettings().value(kRecentClassesKey).toStringList();
}

void ClassWindow::rememberClass() {
    QStringList folders = recentClasses();
    folders.removeAll(folder_);
    folders.prepend(folder_);
    while (folders.size() > kMaxRecentClasses) folders.removeLast();
    QSettings().setValue(kRecentClassesKey, folders);
    rebuildRecentClasses();
}

void ClassWindow::rebuildRecentClasses() {
    const QStringList folders = recentClasses();
    fillRecentMenu(
        recentClasses_, folders, [this](const QString& folder) { openFolder(folder); },
        "actionRecentClass");
    recentClasses_->setEnabled(!folders.isEmpty());
}

ClassWindow::~ClassWindow() {
    stopFixes();
    stopScan();
}

const std::vector<DesignRow>& ClassWindow::rows() const {
    return model_->rows();
}

void ClassWindow::startScan() {
    if (scanning()) return;
    stopFixes();  // its rows are about to be read again
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
    interrupted_ = scan->interrupted;
    collectHandIns(scan->rows, collection());
    model_->setRows(std::move(scan->rows), systemDecimalSeparator());
    startFixes();
    setColumnWidths();
    // The files selected before, selected again, the first one current.
    QItemSelection selection;
    QModelIndex current;
    for (int r = 0; r < filter_->rowCount(); ++r) {
        const std::string path =
            filter_->index(r, 0).data(ClassTableModel::PathRole).toByteArray().toStdString();
        if (std::find(keepSelected_.begin(), keepSelected_.end(), path) != keepSelected_.end()) {
            selection.select(filter_->index(r, 0), filter_->index(r, filter_->columnCount() - 1));
            if (!current.isValid()) current = filter_->index(r, keepColumn_);
        }
    }
    if (!current.isValid() && filter_->rowCount() > 0 && !table_->currentIndex().isValid())
        current = filter_->index(0, 0);  // the keyboard starts on the first row
    if (current.isValid())
        table_->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    keepSelected_.clear();
    updateSummary();
    if (scan->cancelled) summary_->setText(summary_->text() + " (lecture interrompue)");
    emit scanned();
}

void ClassWindow::startFixes() {
    stopFixes();
    fixesDone_ = false;
    auto rows = std::make_unique<std::vector<DesignRow>>(model_->rows());
    const std::string separator = systemDecimalSeparator();
    fixWorker_ = std::thread([this, rows = std::move(rows), separator]() mutable {
        findCheapestFixes(*rows, separator, [this] { return !stopFixes_.load(); });
        fixed_ = std::move(rows);
        fixesDone_ = true;
    });
    fixPoll_->start();
}

void ClassWindow::finishFixes() {
    fixPoll_->stop();
    if (fixWorker_.joinable()) fixWorker_.join();
    if (fixed_) model_->setFixes(*fixed_);
    fixed_.reset();
    showDetails();
}

void ClassWindow::stopFixes() {
    stopFixes_ = true;
    if (fixWorker_.joinable()) fixWorker_.join();
    fixPoll_->stop();
    fixed_.reset();
    stopFixes_ = false;
}

void ClassWindow::waitForFixes() {
    if (fixWorker_.joinable()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        finishFixes();
        QApplication::restoreOverrideCursor();
    }
}

void ClassWindow::stopScan() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
    poll_->stop();
}

void ClassWindow::refresh() {
    if (scanning()) return;
    keepSelected_ = selectedPaths();
    keepColumn_ = std::max(0, table_->currentIndex().column());
    startScan();
}

void ClassWindow::updateSummary() {
    QStringList lines;
    const std::string problem = classFolderProblem(local(folder_));
    if (!problem.empty()) {
        QString text = qs(problem);
        text[0] = text[0].toUpper();
        lines << text;
    } else if (model_->rows().empty()) {
        lines << "Aucune conception (fichier .ventakar) dans ce dossier ni dans ses sous-dossiers.";
    } else {
        QString text = qs(classSummary(model_->rows()));
        if (filter_->rowCount() != model_->rowCount())
            text += QString(" — %1 affichée(s)").arg(filter_->rowCount());
        lines << text;
    }
    if (!interrupted_.empty()) lines << "Lecture incomplète : " + qs(interrupted_);
    if (!listProblem_.empty()) lines << qs(listProblem_);
    if (const QString due = dueDateOf(folder_); !due.isEmpty())
        lines << "Date limite : " + qs(shownStamp(due.toStdString()));
    for (const std::string& line : skippedLines(skipped_, otherFiles_)) lines << qs(line);
    summary_->setText(lines.join('\n'));
    showDetails();
}

void ClassWindow::setColumnWidths() {
    // In characters of the window's font, so that they follow the machine's fonts.
    // The numbers' columns no narrower than their heading.
    static const int kChars[] = {20, 8,  24, 16, 14, 6,  6,  7,  7, 7,
                                 48, 26, 30, 30, 26, 16, 10, 40, 60};
    const int unit = table_->fontMetrics().averageCharWidth();
    const QFontMetrics heading(table_->horizontalHeader()->font());
    const QFontMetrics cells = table_->fontMetrics();
    int widestDigit = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        widestDigit = std::max(widestDigit, cells.horizontalAdvance(QChar(digit)));
    for (int c = 0; c < model_->columnCount() && c < int(std::size(kChars)); ++c) {
        const int title = heading.horizontalAdvance(qs(classColumns()[c])) + 24;
        int least = c >= 5 && c <= 9 ? title : 0;
        // The date whole, in whatever digits this machine's font draws widest.
        if (c == 3 || c == kFirstHandInColumn)
            least = std::max(title, 12 * widestDigit + cells.horizontalAdvance("-- :") + 16);
        table_->setColumnWidth(c, std::max(kChars[c] * unit + 12, least));
    }
}

void ClassWindow::sortBy(int column) {
    if (column < 0) column = 0;
    const QHeaderView* h = table_->horizontalHeader();
    table_->sortByColumn(
        column, h->sortIndicatorSection() == column ? h->sortIndicatorOrder() : Qt::AscendingOrder);
}

void ClassWindow::showDetails() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid()) {
        details_->setPlainText("Choisissez une conception dans le tableau pour en voir le détail.");
        return;
    }
    const int row = current.data(ClassTableModel::RowRole).toInt();
    // What would make it conform: searched for the row shown when the background search has
    // not reached it yet.
    if (!model_->rows()[std::size_t(row)].fixSearched) {
        DesignRow searched = model_->rows()[std::size_t(row)];
        const std::string separator = systemDecimalSeparator();
        DesignScanner scanner(separator);
        findCheapestFix(searched, scanner, separator, false);
        model_->setFix(row, searched);
    }
    QStringList lines;
    for (const int c : classColumnOrder()) {
        const QString value = model_->index(row, c).data().toString();
        if (!value.isEmpty()) lines << qs(classColumns()[c]) + " : " + value;
    }
    details_->setPlainText(lines.join('\n'));
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
    for (const std::string& path : selectedPaths()) files << pathText(path);
    return files;
}

void ClassWindow::openRow(const QModelIndex& index) {
    if (!index.isValid()) return;
    const QByteArray path =
        filter_->index(index.row(), 0).data(ClassTableModel::PathRole).toByteArray();
    if (path.isEmpty()) return;  // a pupil with nothing handed in
    emit openDesignRequested(path);
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
    if (closeCheck_ && !closeCheck_()) {
        event->ignore();
        return;
    }
    QSettings().setValue(kSplitterKey, splitter_->saveState());
    stopScan();
    event->accept();
}

std::vector<const DesignRow*> ClassWindow::shownRows() const {
    std::vector<const DesignRow*> shown;
    for (int r = 0; r < filter_->rowCount(); ++r)
        shown.push_back(
            &model_->rows()[filter_->index(r, 0).data(ClassTableModel::RowRole).toInt()]);
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
    if (!interrupted_.empty()) lines.push_back("Lecture incomplète : " + interrupted_);
    for (const std::string& line : skippedLines(skipped_, otherFiles_)) lines.push_back(line);
    return lines;
}

bool ClassWindow::exportCsv(const QString& file) {
    waitForFixes();
    return writeExport(file, classCsv(shownRows(), noteLines()), "Le tableau n'a pas été exporté.",
                       this);
}

bool ClassWindow::exportWorkbook(const QString& file) {
    waitForFixes();
    return writeWorkbookExport(file, classTable(shownRows(), noteLines()), "Classe",
                               "Le tableau n'a pas été exporté.", this);
}

void ClassWindow::chooseCsv() {
    const QString file = chooseSaveFile(this, "Exporter la classe en CSV", "Tableaux CSV (*.csv)",
                                        "csv", QFileInfo(folder_).fileName() + ".csv");
    if (!file.isEmpty()) exportCsv(file);
}

PrintedTable ClassWindow::printedTable() const {
    // Shares of the page: the texts wide enough to stand in three lines, the numbers narrow.
    static const double kShares[] = {26, 11, 28, 15, 16, 9,  9,  10, 10,
                                     10, 34, 30, 24, 24, 20, 15, 12, 28};
    PrintedTable table;
    table.title = "Classe « " + QFileInfo(folder_).fileName() + " » — " +
                  QLocale(QLocale::French).toString(QDate::currentDate(), "d MMMM yyyy");
    const std::vector<const DesignRow*> shown = shownRows();
    table.heading << folder_ << qs(classSummary(shown));
    for (const std::string& line : noteLines()) table.heading << qs(line);
    // The hand-in's columns on paper only for a folder of hand-ins.
    const bool handedIn = std::any_of(shown.begin(), shown.end(), [](const DesignRow* row) {
        return !handInWords(*row).empty();
    });
    std::vector<int> columns;
    for (const int c : classColumnOrder())
        if (c != kFixColumn && (handedIn || c < kFirstHandInColumn)) columns.push_back(c);
    for (const int c : columns) {
        table.columns.push_back({.caption = qs(classColumns()[c]),
                                 .share = kShares[c],
                                 .number = c >= 5 && c <= 9,
                                 .path = c == 2});
    }
    const std::string separator = systemDecimalSeparator();
    for (const DesignRow* row : shown) {
        PrintedTable::Row printed;
        for (const int c : columns) printed.cells << qs(classCell(*row, c, separator));
        printed.shadedColumn = int(std::find(columns.begin(), columns.end(), 4) - columns.begin());
        printed.shade = stateColour(row->state);
        table.rows.push_back(std::move(printed));
    }
    return table;
}

bool ClassWindow::exportPdf(const QString& file) {
    return writeTablePdf(printedTable(), file, "Le tableau", this);
}

void ClassWindow::choosePdf() {
    const QString file = chooseSaveFile(this, "Exporter la classe en PDF", "Documents PDF (*.pdf)",
                                        "pdf", QFileInfo(folder_).fileName() + ".pdf");
    if (!file.isEmpty()) exportPdf(file);
}

void ClassWindow::print() {
    printTable(printedTable(), QFileInfo(folder_).fileName(), this);
}

ClassOrder ClassWindow::order(bool keepNonConforming) const {
    const std::vector<std::string> selected = selectedPaths();
    if (selected.size() < 2) return classOrder(shownRows(), OrderScope::Conforming);
    std::vector<const DesignRow*> rows;
    for (const DesignRow* row : shownRows())
        if (std::find(selected.begin(), selected.end(), row->path) != selected.end())
            rows.push_back(row);
    return classOrder(
        rows, keepNonConforming ? OrderScope::Selection : OrderScope::SelectionConformingOnly);
}

void ClassWindow::showOrder() {
    const bool chosen = selectedPaths().size() >= 2;
    ClassOrder ordered = order();
    if (!ordered.nonConforming.empty()) {
        QStringList named;
        for (const DesignRow* row : ordered.nonConforming)
            named << qs(designWho(*row) + " : " + stateWords(row->state));
        QMessageBox box(QMessageBox::Question, "VENTAKAR",
                        QString("%1 des %2 conceptions choisies ne sont pas « Conforme » :")
                            .arg(ordered.nonConforming.size())
                            .arg(selectedPaths().size()),
                        QMessageBox::NoButton, this);
        box.setInformativeText(named.join('\n') + "\n\nLes garder dans la commande ?");
        QPushButton* keep = box.addButton("&Garder", QMessageBox::AcceptRole);
        QPushButton* leave = box.addButton("&Les laisser de côté", QMessageBox::DestructiveRole);
        box.addButton("Annuler", QMessageBox::RejectRole);
        box.setDefaultButton(leave);
        box.exec();
        if (box.clickedButton() == leave) {
            ordered = order(false);
        } else if (box.clickedButton() != keep) {
            return;
        }
    }
    if (ordered.parts.lines.empty()) {
        showOkBox(QMessageBox::Information,
                  chosen ? "Rien à commander : les conceptions choisies n'ont encore aucune pièce."
                         : "Rien à commander : aucune conception affichée n'est « Conforme ». "
                           "Choisissez dans le tableau les conceptions à commander.",
                  this);
        return;
    }
    PartsListDialog dialog(ordered.parts,
                           QString("Commande pour %1 conception(s)%2")
                               .arg(ordered.designs.size())
                               .arg(chosen ? " choisie(s)" : " conforme(s)"),
                           folder_, this);
    dialog.exec();
}

void ClassWindow::compareSelected() {
    const std::vector<std::string> paths = selectedPaths();
    const QStringList files = selectedFiles();
    if (paths.size() != 2) {
        showOkBox(QMessageBox::Information,
                  "Sélectionnez exactement deux conceptions dans le tableau pour les comparer : "
                  "Ctrl + clic à la souris ; au clavier, Maj + flèches pour deux lignes "
                  "voisines, ou Ctrl + flèches jusqu'à la seconde, puis Ctrl + Espace.",
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
    table->setWordWrap(true);
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
    // Both designs side by side within the screen: long values wrap in their column.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(1366, 768);
    const int width = std::min(1100, room.width() - 60);
    table->resizeColumnToContents(0);
    table->setColumnWidth(0, std::min(table->columnWidth(0), width / 3));
    for (int c : {1, 2}) table->setColumnWidth(c, (width - table->columnWidth(0) - 40) / 2);
    table->resizeRowsToContents();
    table->setTabKeyNavigation(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    buttons->button(QDialogButtonBox::Close)->setText("Fermer");
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(table);
    layout->addWidget(buttons);
    dialog.resize(width, std::min(700, room.height() - 80));
    dialog.exec();
}
