#include "qt/design/fixes_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogue/data_error.h"
#include "classroom/class_csv.h"
#include "document/replay.h"
#include "qt/design/design_window.h"
#include "qt/system_number_format.h"
#include "window/design_record.h"

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

FixesDialog::FixesDialog(DesignWindow* design, double pairSeconds)
    : QDialog(design), design_(design) {
    setObjectName("fixesDialog");
    setWindowTitle("Que changer ? — VENTAKAR");
    table_ = new QTableWidget(0, 9);
    table_->setObjectName("fixesTable");
    const TeacherTable headings = fixesTable({});
    QStringList captions;
    for (const std::string& heading : headings.headings) captions << qs(heading);
    table_->setHorizontalHeaderLabels(captions);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table_->setAccessibleName("Changements qui rendent la conception conforme");
    said_ = new QLabel("Recherche des changements…");
    said_->setObjectName("fixesSaid");
    said_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox;
    applyButton_ = buttons->addButton("Appliquer", QDialogButtonBox::AcceptRole);
    applyButton_->setObjectName("applyFix");
    applyButton_->setDefault(true);
    applyButton_->setEnabled(false);
    buttons->addButton("Fermer", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { apply(table_->currentRow()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { apply(row); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(said_);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(1000, 420);

    // One reading of the catalogues, on a copy of the design: the window goes on meanwhile.
    const DesignRecord record = design->session().record();
    const std::string separator = systemDecimalSeparator();
    worker_ = std::thread([this, record, separator, pairSeconds] {
        auto search = std::make_unique<FixSearch>();
        try {
            DesignScanner scanner(separator);
            *search =
                whatToChange(record, scanner, separator, pairSeconds, [this](const DesignFix& fix) {
                    const std::lock_guard<std::mutex> lock(mutex_);
                    arrived_.push_back(fix);
                });
        } catch (const DataError& error) {
            search->beyondReach = error.what();
        }
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            result_ = std::move(search);
        }
        finished_ = true;
    });
    poll_ = new QTimer(this);
    poll_->setInterval(30);
    connect(poll_, &QTimer::timeout, this, &FixesDialog::poll);
    poll_->start();
    table_->setFocus();
}

FixesDialog::~FixesDialog() {
    if (worker_.joinable()) worker_.join();
}

void FixesDialog::addRow(const DesignFix& fix) {
    // In order as they come: the cheapest first, then the lightest.
    const auto at = std::upper_bound(fixes_.begin(), fixes_.end(), fix, cheaperFix);
    const int row = int(at - fixes_.begin());
    fixes_.insert(at, fix);
    table_->insertRow(row);
    FixSearch one;
    one.fixes = {fix};
    const TeacherTable cells = fixesTable(one);
    const std::string separator = systemDecimalSeparator();
    for (int c = 0; c < int(cells.rows[0].size()); ++c) {
        const CsvCell& cell = cells.rows[0][c];
        QString text = qs(cell.text);
        if (cell.isNumber() && separator == ".") text.replace(',', '.');
        auto* item = new QTableWidgetItem(text);
        if (cell.isNumber()) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (c == 1) {
            // Heard as a whole: the change and what it gives.
            item->setData(Qt::AccessibleTextRole, text + " : prix " + qs(cells.rows[0][3].text) +
                                                      " €, masse " + qs(cells.rows[0][2].text) +
                                                      " g, écart de prix " +
                                                      qs(cells.rows[0][6].text) + " €");
        }
        table_->setItem(row, c, item);
    }
    if (table_->currentRow() < 0) table_->setCurrentCell(0, 1);
    applyButton_->setEnabled(true);
}

void FixesDialog::poll() {
    std::vector<DesignFix> arrived;
    std::unique_ptr<FixSearch> result;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        arrived.swap(arrived_);
        if (finished_) result = std::move(result_);
    }
    for (const DesignFix& fix : arrived) addRow(fix);
    if (!result) return;
    poll_->stop();
    if (worker_.joinable()) worker_.join();
    shown_ = true;
    QStringList lines;
    if (result->conformsAlready) {
        lines << "La conception est déjà conforme : rien à changer.";
    } else if (!fixes_.empty()) {
        lines << QString(
                     "%1 changement(s) rendent la conception conforme, le moins cher d'abord ; "
                     "« Appliquer » (Entrée) fait celui de la ligne choisie.")
                     .arg(fixes_.size());
    }
    for (const std::string& note : fixNotes(*result)) lines << qs(note);
    said_->setText(lines.join('\n'));
    table_->resizeColumnsToContents();
}

void FixesDialog::apply(int row) {
    if (row < 0 || row >= int(fixes_.size())) return;
    const DesignFix fix = fixes_[row];
    accept();
    // Through the window's own handlers, a pair as one undo step; a list's item is looked for
    // again, since the first change of a pair may have filled its list anew.
    design_->forward([this, &fix] {
        DesignSession& session = design_->session();
        session.together([&] {
            for (const StepChange& change : fix.changes) {
                switch (change.kind) {
                    case ChoiceKind::List: {
                        const int item =
                            findListItem(session.record()[change.control], change.choice);
                        if (item >= 0) session.listChosen(change.control, item);
                        break;
                    }
                    case ChoiceKind::OptionPair:
                        session.optionSelected(change.control);
                        break;
                    case ChoiceKind::CheckBox:
                        session.checkClicked(change.control, change.value);
                        break;
                    case ChoiceKind::Clearance:
                        session.clearanceChanged(change.value);
                        break;
                }
            }
        });
    });
}
