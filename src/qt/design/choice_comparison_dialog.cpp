#include "qt/design/choice_comparison_dialog.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "catalogue/number_text.h"
#include "qt/system_number_format.h"

namespace {

constexpr int kSortRole = Qt::UserRole + 1;
constexpr int kItemRole = Qt::UserRole + 2;
constexpr int kConformingRole = Qt::UserRole + 3;

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

// A value the window would show in red, said in words as the window's screen reader says it.
Cell value(const std::optional<double>& number, const std::string& separator, bool money,
           const char* beyond) {
    if (!number) return cell("");
    QString text = qs(money ? formatMoney(*number, separator) : formatNumber(*number, separator));
    if (beyond) text += QString(" (") + beyond + ")";
    return cell(text, *number);
}

}  // namespace

// The rows of the comparison, added a batch at a time.
class AlternativesModel : public QAbstractTableModel {
  public:
    struct Row {
        std::vector<Cell> cells;
        int item = 0;
        bool conforming = false;
    };
    AlternativesModel(QStringList headers, QObject* parent)
        : QAbstractTableModel(parent), headers_(std::move(headers)) {}

    void append(std::vector<Row> rows) {
        if (rows.empty()) return;
        beginInsertRows({}, int(rows_.size()), int(rows_.size() + rows.size()) - 1);
        for (Row& row : rows) rows_.push_back(std::move(row));
        endInsertRows();
    }
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
            default:
                return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= headers_.size())
            return {};
        return headers_[section];
    }

  private:
    QStringList headers_;
    std::vector<Row> rows_;
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
        if (aNumber && bNumber) return a.toDouble() < b.toDouble();
        if (aNumber != bNumber) return aNumber;  // numbers before empty cells
        return QString::localeAwareCompare(a.toString(), b.toString()) < 0;
    }
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        return !conformingOnly ||
               sourceModel()->index(row, 0, parent).data(kConformingRole).toBool();
    }
};

}  // namespace

ChoiceComparisonDialog::ChoiceComparisonDialog(const DesignRecord& record, const std::string& list,
                                               QWidget* parent)
    : QDialog(parent), record_(record), list_(list), separator_(systemDecimalSeparator()) {
    setObjectName("choiceComparison");
    // The first rows at once; the others a batch at a time, the window answering meanwhile.
    const ChoiceAlternatives first = alternativesOf(record_, list_, separator_, 0, kFirstRows);
    setWindowTitle("Comparer les choix — " + qs(first.step));
    for (const ChoiceAlternative& row : first.rows)
        complete_ = complete_ || row.design.height.has_value();
    captions_ = int(first.fieldCaptions.size());

    QStringList headers = {"Choix actuel", "Désignation"};
    for (const std::string& caption : first.fieldCaptions) headers << qs(caption);
    headers << "Masse totale (g)"
            << "Prix total HT (€)";
    if (complete_)
        headers << "Hauteur (mm)"
                << "Axe de l'hélice (mm)"
                << "Verdict"
                << "À vérifier";
    model_ = new AlternativesModel(headers, this);
    addRows(first);
    next_ = kFirstRows;
    total_ = int(record_[list_].items.size());

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
        table_->setColumnWidth(c, std::min(table_->columnWidth(c), 320));
    table_->sortByColumn(-1, Qt::AscendingOrder);  // the list's order until the pupil sorts

    conformingOnly_ = new QCheckBox("&Seulement les choix qui gardent la conception conforme");
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
    buttons->addButton("&Fermer", QDialogButtonBox::RejectRole);
    connect(choose, &QPushButton::clicked, this, &ChoiceComparisonDialog::choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &QTableView::doubleClicked, this, &ChoiceComparisonDialog::choose);
    progress_ = new QLabel;
    progress_->setObjectName("choicesProgress");
    progress_->setVisible(next_ < total_);
    if (next_ < total_) {
        // The others computed off the window's thread, a batch at a time, and shown in order.
        claimed_ = next_;
        const unsigned threads = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
        for (unsigned t = 0; t < threads; ++t) workers_.emplace_back([this] { compute(); });
        poll_ = new QTimer(this);
        poll_->setInterval(10);
        connect(poll_, &QTimer::timeout, this, &ChoiceComparisonDialog::addMore);
        poll_->start();
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(help);
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
        for (int f = 0; f < captions_; ++f) {
            const QString text = f < int(row.fields.size()) ? qs(row.fields[f]) : QString();
            const std::optional<double> number =
                parseDecimalNumber(QString(text).replace(',', '.').toStdString());
            cells.push_back(cell(text, number ? QVariant(*number) : QVariant()));
        }
        if (!row.failure.empty()) {
            // The reason instead of values, in the last column.
            while (int(cells.size()) < model_->columnCount() - 1) cells.push_back(cell(""));
            cells.push_back(cell("Impossible : " + qs(row.failure)));
        } else {
            const DesignRow& d = row.design;
            cells.push_back(
                value(d.mass, separator_, false, row.massOver ? "dépasse le maximum" : nullptr));
            cells.push_back(
                value(d.price, separator_, true, row.priceOver ? "dépasse le maximum" : nullptr));
            if (complete_) {
                cells.push_back(value(d.height, separator_, false,
                                      row.heightOver ? "dépasse le maximum" : nullptr));
                cells.push_back(
                    value(d.axis, separator_, false,
                          row.axisUnder ? "ne dépasse pas le rayon de l'hélice" : nullptr));
                cells.push_back(cell(qs(d.withAllBatteries)));
                cells.push_back(cell(qs(d.remarks)));
            }
        }
        rows.push_back({std::move(cells), row.item,
                        row.failure.empty() && row.design.state == DesignState::Conforme});
    }
    model_->append(std::move(rows));
}

ChoiceComparisonDialog::~ChoiceComparisonDialog() {
    stop_ = true;
    for (std::thread& worker : workers_) worker.join();
}

void ChoiceComparisonDialog::compute() {
    while (!stop_) {
        const int start = claimed_.fetch_add(kBatchRows);
        if (start >= total_) return;
        ChoiceAlternatives batch = alternativesOf(record_, list_, separator_, start, kBatchRows);
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
    poll_->stop();
    progress_->hide();
    for (std::thread& worker : workers_) worker.join();
    workers_.clear();
}

void ChoiceComparisonDialog::choose() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid()) return;
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
