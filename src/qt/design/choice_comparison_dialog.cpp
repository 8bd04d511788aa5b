#include "qt/design/choice_comparison_dialog.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogue/number_text.h"
#include "catalogue/record_source.h"
#include "qt/message_box.h"
#include "qt/system_number_format.h"

namespace {

constexpr int kSortRole = Qt::UserRole + 1;
constexpr int kItemRole = Qt::UserRole + 2;
constexpr int kConformingRole = Qt::UserRole + 3;
constexpr int kFailedRole = Qt::UserRole + 4;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// A cell: its text and its value to sort by (numbers as numbers, right-aligned).
struct Cell {
    QString text;
    QVariant sortValue;
};

Cell cell(const QString& text, const QVariant& sortValue = {}) {
    return {text, sortValue.isValid() ? sortValue : QVariant(text)};
}

// A value with what the rule says of it: « 213 (moins de 173 g exigé) », « 173 (à la limite) ».
Cell value(const std::optional<double>& number, const std::string& separator, bool money,
           const std::string& mark) {
    if (!number) return cell("");
    QString text = qs(money ? formatMoney(*number, separator) : formatNumber(*number, separator));
    if (!mark.empty()) text += " (" + qs(mark) + ")";
    return cell(text, *number);
}

}  // namespace

// The rows of the comparison, added a batch at a time.
class AlternativesModel : public QAbstractTableModel {
  public:
    struct Row {
        std::vector<Cell> cells;
        int item = 0;
        bool conforming = false;  // conforming, and no part to check
        bool failed = false;      // picking it fails: its reason across the row
    };
    AlternativesModel(QStringList headers, QObject* parent)
        : QAbstractTableModel(parent), headers_(std::move(headers)) {}

    void append(std::vector<Row> rows) {
        if (rows.empty()) return;
        beginInsertRows({}, int(rows_.size()), int(rows_.size() + rows.size()) - 1);
        for (Row& row : rows) {
            if (row.failed) failedRows_.push_back(int(rows_.size()));
            rows_.push_back(std::move(row));
        }
        endInsertRows();
    }
    void clear() {
        beginResetModel();
        rows_.clear();
        failedRows_.clear();
        endResetModel();
    }
    // The rows whose item cannot be chosen.
    const std::vector<int>& failedRows() const { return failedRows_; }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(headers_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= int(rows_.size())) return {};
        const Row& row = rows_[index.row()];
        const Cell* c =
            index.column() < int(row.cells.size()) ? &row.cells[index.column()] : nullptr;
        switch (role) {
            case Qt::DisplayRole:
            case Qt::ToolTipRole:
            case Qt::AccessibleTextRole:
                return c ? c->text : QString();
            case Qt::TextAlignmentRole:
                return c && c->sortValue.typeId() == QMetaType::Double
                           ? int(Qt::AlignRight | Qt::AlignVCenter)
                           : int(Qt::AlignLeft | Qt::AlignVCenter);
            case kSortRole:
                return c ? c->sortValue : QVariant();
            case kItemRole:
                return row.item;
            case kConformingRole:
                return row.conforming;
            case kFailedRole:
                return row.failed;
            case Qt::BackgroundRole:
                if (index.column() == markedColumn) return QApplication::palette().alternateBase();
                return {};
            default:
                return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 || section >= headers_.size()) return {};
        if (role == Qt::FontRole && section == markedColumn) {
            QFont bold = QApplication::font();
            bold.setBold(true);
            bold.setUnderline(true);
            return bold;
        }
        if (role != Qt::DisplayRole) return {};
        return headers_[section];
    }
    // The column of the current cell, tinted and its heading bold: Ctrl+T sorts on it.
    void markColumn(int column) {
        if (column == markedColumn) return;
        const int before = markedColumn;
        markedColumn = column;
        for (int c : {before, column}) {
            if (c < 0 || rows_.empty()) continue;
            emit dataChanged(index(0, c), index(int(rows_.size()) - 1, c), {Qt::BackgroundRole});
            emit headerDataChanged(Qt::Horizontal, c, c);
        }
    }
    int markedColumn = -1;

  private:
    QStringList headers_;
    std::vector<Row> rows_;
    std::vector<int> failedRows_;
};

namespace {

// Sorts by each cell's sort value, empty cells last; keeps the conforming rows on demand.
class AlternativesProxy : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    bool conformingOnly = false;

  protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
        const QVariant a = left.data(kSortRole);
        const QVariant b = right.data(kSortRole);
        const bool aNumber = a.typeId() == QMetaType::Double;
        const bool bNumber = b.typeId() == QMetaType::Double;
        int order = 0;
        if (aNumber && bNumber) {
            order = a.toDouble() < b.toDouble() ? -1 : b.toDouble() < a.toDouble() ? 1 : 0;
        } else if (aNumber != bNumber) {
            order = aNumber ? -1 : 1;  // numbers before empty cells
        } else {
            order = QString::localeAwareCompare(a.toString(), b.toString());
        }
        if (order != 0) return order < 0;
        // Equal values keep the list's order, whichever way the column is sorted.
        return sortOrder() == Qt::AscendingOrder ? left.row() < right.row()
                                                 : left.row() > right.row();
    }
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        return !conformingOnly ||
               sourceModel()->index(row, 0, parent).data(kConformingRole).toBool();
    }
};

}  // namespace

ChoiceComparisonDialog::ChoiceComparisonDialog(const DesignRecord& record, const std::string& list,
                                               QWidget* parent)
    : QDialog(parent),
      record_(record),
      list_(list),
      separator_(systemDecimalSeparator()),
      snapshot_(std::make_shared<CatalogueSnapshot>()) {
    setObjectName("choiceComparison");
    // The first rows at once; the others a batch at a time, the window answering meanwhile.
    const ChoiceAlternatives first =
        alternativesOf(record_, list_, separator_, 0, kFirstRows, snapshot_);
    setWindowTitle("Comparer les choix — " + qs(first.step));
    for (const ChoiceAlternative& row : first.rows)
        complete_ = complete_ || row.design.height.has_value();
    captions_ = int(first.fieldCaptions.size());

    // Who and the design it gives first, in view on a small screen; the step's values after.
    QStringList headers = {"Choix actuel", "Désignation", "Masse totale (g)", "Prix total HT (€)"};
    if (complete_)
        headers << "Hauteur (mm)"
                << "Axe de l'hélice (mm)"
                << "Verdict"
                << "À vérifier";
    for (const std::string& caption : first.fieldCaptions) headers << qs(caption);
    model_ = new AlternativesModel(headers, this);

    auto* proxy = new AlternativesProxy(this);
    proxy_ = proxy;
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(kSortRole);
    table_ = new QTableView;
    table_->setObjectName("choiceTable");
    table_->setModel(proxy_);
    table_->setSortingEnabled(true);
    table_->horizontalHeader()->setSortIndicatorShown(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);  // Tab leaves the table, the arrows move inside it
    table_->verticalHeader()->hide();
    table_->setAccessibleName("Choix de l'étape et la conception que chacun donnerait");
    table_->installEventFilter(this);
    table_->resizeColumnsToContents();
    for (int c = 0; c < model_->columnCount(); ++c)
        table_->setColumnWidth(c, std::min(table_->columnWidth(c), c == 1 ? 320 : 220));
    table_->sortByColumn(-1, Qt::AscendingOrder);  // the list's order until the pupil sorts
    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) column_ = current.column();
                model_->markColumn(current.isValid() ? current.column() : -1);
                updateChoose();
            });
    // After a sort, a filter or new rows: the failed rows' reasons across their row, a current
    // row kept or the first one made current, in the column the pupil was in.
    connect(proxy_, &QSortFilterProxyModel::layoutChanged, this,
            &ChoiceComparisonDialog::afterRowsMoved);
    connect(proxy_, &QSortFilterProxyModel::modelReset, this,
            &ChoiceComparisonDialog::afterRowsMoved);
    connect(proxy_, &QSortFilterProxyModel::rowsInserted, this,
            &ChoiceComparisonDialog::afterRowsMoved);
    connect(proxy_, &QSortFilterProxyModel::rowsRemoved, this,
            &ChoiceComparisonDialog::afterRowsMoved);

    conformingOnly_ = new QCheckBox("&Seulement les choix qui gardent la conception conforme");
    conformingOnly_->setToolTip(
        "Sans les choix qui ne peuvent pas être faits ni ceux qui ont une remarque « À vérifier "
        "».");
    conformingOnly_->setObjectName("conformingOnly");
    conformingOnly_->setEnabled(complete_);
    connect(conformingOnly_, &QCheckBox::toggled, this, [this, proxy](bool on) {
        proxy->conformingOnly = on;
        proxy->invalidate();
    });
    auto* help = new QLabel(
        "Chaque ligne montre la conception entière avec ce choix à la place du choix actuel. "
        "Trier : cliquer un titre de colonne, ou Ctrl+T sur la colonne courante "
        "(Ctrl+Maj+T inverse).");
    help->setWordWrap(true);
    auto* buttons = new QDialogButtonBox;
    QPushButton* choose = buttons->addButton("&Choisir", QDialogButtonBox::AcceptRole);
    choose->setObjectName("chooseAlternative");
    choose->setDefault(true);
    choose_ = choose;
    buttons->addButton("&Fermer", QDialogButtonBox::RejectRole);
    connect(choose, &QPushButton::clicked, this, &ChoiceComparisonDialog::choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &QTableView::doubleClicked, this, &ChoiceComparisonDialog::choose);
    progress_ = new QLabel;
    progress_->setObjectName("choicesProgress");
    poll_ = new QTimer(this);
    poll_->setInterval(10);
    connect(poll_, &QTimer::timeout, this, &ChoiceComparisonDialog::addMore);

    // A catalogue saved while the pupil compares: said, and the table made again on demand.
    changed_ = new QWidget;
    changed_->setObjectName("catalogueChanged");
    auto* changedLayout = new QHBoxLayout(changed_);
    changedLayout->setContentsMargins(0, 0, 0, 0);
    auto* changedText = new QLabel("Le catalogue a changé :");
    auto* refreshButton = new QPushButton("&Actualiser");
    refreshButton->setObjectName("refreshAlternatives");
    refreshButton->setAccessibleName("Le catalogue a changé : Actualiser");
    changedLayout->addWidget(changedText);
    changedLayout->addWidget(refreshButton);
    changedLayout->addStretch();
    changed_->hide();
    connect(refreshButton, &QPushButton::clicked, this, &ChoiceComparisonDialog::refresh);
    watch_ = new QTimer(this);
    watch_->setInterval(500);
    connect(watch_, &QTimer::timeout, this, [this] {
        if (!changed_->isVisible() && snapshot_->changedOnDisk()) changed_->show();
    });
    watch_->start();
    startRows(first);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(help);
    layout->addWidget(changed_);
    layout->addWidget(progress_);
    layout->addWidget(conformingOnly_);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    // The row of today's choice is where the keyboard starts.
    for (int r = 0; r < proxy_->rowCount(); ++r) {
        if (!proxy_->index(r, 0).data().toString().isEmpty()) {
            table_->setCurrentIndex(proxy_->index(r, 1));
            break;
        }
    }
    if (!table_->currentIndex().isValid() && proxy_->rowCount() > 0)
        table_->setCurrentIndex(proxy_->index(0, 1));
    updateChoose();
    layOutRows();
    table_->setFocus();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(1366, 768);
    resize(std::min(1200, room.width() - 60), std::min(640, room.height() - 80));
}

void ChoiceComparisonDialog::addRows(const ChoiceAlternatives& alternatives) {
    std::vector<AlternativesModel::Row> rows;
    rows.reserve(alternatives.rows.size());
    for (const ChoiceAlternative& row : alternatives.rows) {
        std::vector<Cell> cells;
        cells.push_back(cell(row.current ? "choix actuel" : ""));
        cells.push_back(cell(qs(row.designation)));
        if (!row.failure.empty()) {
            // The reason across the design's columns and the step's values (see afterRowsMoved).
            cells.push_back(cell("Impossible de choisir : " + qs(row.failure)));
        } else {
            const DesignRow& d = row.design;
            cells.push_back(value(d.mass, separator_, false, row.massMark));
            cells.push_back(value(d.price, separator_, true, row.priceMark));
            if (complete_) {
                cells.push_back(value(d.height, separator_, false, row.heightMark));
                cells.push_back(value(d.axis, separator_, false, row.axisMark));
                cells.push_back(cell(qs(d.withAllBatteries)));
                cells.push_back(cell(qs(d.remarks)));
            }
            for (int f = 0; f < captions_; ++f) {
                const QString text = f < int(row.fields.size()) ? qs(row.fields[f]) : QString();
                const std::optional<double> number =
                    parseDecimalNumber(QString(text).replace(',', '.').toStdString());
                cells.push_back(cell(text, number ? QVariant(*number) : QVariant()));
            }
        }
        const bool conforming = row.failure.empty() && row.design.state == DesignState::Conforme &&
                                row.design.remarks.empty();
        rows.push_back({std::move(cells), row.item, conforming, !row.failure.empty()});
    }
    model_->append(std::move(rows));
}

void ChoiceComparisonDialog::afterRowsMoved() {
    if (!table_->currentIndex().isValid() && proxy_->rowCount() > 0)
        table_->setCurrentIndex(
            proxy_->index(0, std::clamp(column_, 0, model_->columnCount() - 1)));
    updateChoose();
    // The spans once for every change of one pass of the event loop: rows arriving into a
    // sorted table come as many small insertions.
    if (rowsMovedDue_) return;
    rowsMovedDue_ = true;
    QTimer::singleShot(0, this, [this] {
        rowsMovedDue_ = false;
        layOutRows();
    });
}

void ChoiceComparisonDialog::layOutRows() {
    table_->clearSpans();
    const int columns = model_->columnCount();
    for (const int row : model_->failedRows()) {
        const QModelIndex shown = proxy_->mapFromSource(model_->index(row, 0));
        if (shown.isValid()) table_->setSpan(shown.row(), 2, 1, columns - 2);
    }
    if (table_->currentIndex().isValid()) table_->scrollTo(table_->currentIndex());
}

void ChoiceComparisonDialog::updateChoose() {
    const QModelIndex current = table_->currentIndex();
    const bool failed = current.isValid() && current.data(kFailedRole).toBool();
    choose_->setEnabled(current.isValid() && !failed);
    choose_->setToolTip(failed ? "Ce choix ne peut pas être fait : la raison est dans sa ligne."
                               : QString());
}

ChoiceComparisonDialog::~ChoiceComparisonDialog() {
    stopWorkers();
}

void ChoiceComparisonDialog::stopWorkers() {
    stop_ = true;
    for (std::thread& worker : workers_) worker.join();
    workers_.clear();
    stop_ = false;
    poll_->stop();
    const std::lock_guard<std::mutex> lock(mutex_);
    ready_.clear();
}

void ChoiceComparisonDialog::startRows(const ChoiceAlternatives& first) {
    addRows(first);
    next_ = kFirstRows;
    total_ = int(record_[list_].items.size());
    progress_->setVisible(next_ < total_);
    if (next_ >= total_) return;
    // The others computed off the window's thread, a batch at a time, and shown in order.
    claimed_ = next_;
    const unsigned threads = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
    for (unsigned t = 0; t < threads; ++t) workers_.emplace_back([this] { compute(); });
    poll_->start();
}

void ChoiceComparisonDialog::refresh() {
    stopWorkers();
    const int item =
        table_->currentIndex().isValid() ? table_->currentIndex().data(kItemRole).toInt() : -1;
    snapshot_ = std::make_shared<CatalogueSnapshot>();
    changed_->hide();
    model_->clear();
    startRows(alternativesOf(record_, list_, separator_, 0, kFirstRows, snapshot_));
    // The pupil stays on the item they were on, when it is already there.
    for (int r = 0; r < proxy_->rowCount(); ++r) {
        if (proxy_->index(r, 0).data(kItemRole).toInt() == item) {
            table_->setCurrentIndex(proxy_->index(r, std::max(0, column_)));
            break;
        }
    }
    table_->setFocus();
}

void ChoiceComparisonDialog::compute() {
    while (!stop_) {
        const int start = claimed_.fetch_add(kBatchRows);
        if (start >= total_) return;
        ChoiceAlternatives batch =
            alternativesOf(record_, list_, separator_, start, kBatchRows, snapshot_);
        const std::lock_guard<std::mutex> lock(mutex_);
        ready_.emplace(start, std::move(batch));
    }
}

void ChoiceComparisonDialog::addMore() {
    std::vector<ChoiceAlternatives> batches;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        for (auto it = ready_.find(next_); it != ready_.end(); it = ready_.find(next_)) {
            batches.push_back(std::move(it->second));
            ready_.erase(it);
            next_ += kBatchRows;
        }
    }
    for (const ChoiceAlternatives& batch : batches) addRows(batch);
    progress_->setText(
        QString("Calcul des choix : %1 sur %2…").arg(std::min(next_, total_)).arg(total_));
    if (next_ < total_) return;
    progress_->hide();
    stopWorkers();
}

void ChoiceComparisonDialog::choose() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid() || current.data(kFailedRole).toBool()) return;
    // A row of a reading the files no longer hold would give another design than it shows.
    if (snapshot_->changedOnDisk()) {
        changed_->show();
        showOkBox(QMessageBox::Warning,
                  "Le catalogue a changé depuis le calcul de ce tableau : ce choix donnerait "
                  "une autre conception que celle de sa ligne. Actualisez le tableau avant de "
                  "choisir.",
                  this);
        return;
    }
    chosen_ = current.data(kItemRole).toInt();
    accept();
}

bool ChoiceComparisonDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose();
            return true;
        }
        // Ctrl+T sorts by the current column, Ctrl+Shift+T reverses the order.
        if (key == Qt::Key_T && (press->modifiers() & Qt::ControlModifier)) {
            const QHeaderView* h = table_->horizontalHeader();
            if (press->modifiers() & Qt::ShiftModifier) {
                table_->sortByColumn(std::max(0, h->sortIndicatorSection()),
                                     h->sortIndicatorOrder() == Qt::AscendingOrder
                                         ? Qt::DescendingOrder
                                         : Qt::AscendingOrder);
            } else {
                table_->sortByColumn(std::max(0, table_->currentIndex().column()),
                                     Qt::AscendingOrder);
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
