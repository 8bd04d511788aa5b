#include "qt/classroom/parts_list_dialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPageLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "catalogue/visible_text.h"
#include "classroom/class_csv.h"
#include "qt/export_file.h"
#include "qt/print/printed_table.h"
#include "qt/system_number_format.h"

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

PartsListDialog::PartsListDialog(PartsList list, const QString& title, const QString& subject,
                                 QWidget* parent)
    : QDialog(parent), list_(std::move(list)), subject_(subject) {
    setObjectName("partsList");
    setWindowTitle(title);
    const std::string separator = systemDecimalSeparator();
    const int columns = static_cast<int>(partsColumns().size());
    table_ = new QTableWidget(0, columns, this);
    table_->setObjectName("partsTable");
    QStringList headers;
    for (const std::string& c : partsColumns()) headers << qs(c);
    table_->setHorizontalHeaderLabels(headers);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto addRow = [&](const QStringList& cells, bool bold) {
        const int r = table_->rowCount();
        table_->insertRow(r);
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem(c < cells.size() ? cells[c] : QString());
            if (c >= 4 && c <= 7) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (bold) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            table_->setItem(r, c, item);
        }
    };
    for (const PartsRow& row : partsRows(list_, separator, false)) {
        QStringList cells;
        for (const std::string& cell : row.cells) cells << qs(visibleText(cell));
        addRow(cells, row.kind != PartsRow::Kind::Item);
    }
    table_->resizeColumnsToContents();

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton("&Imprimer…", QDialogButtonBox::ActionRole);
    QPushButton* pdf = buttons->addButton("Exporter en &PDF…", QDialogButtonBox::ActionRole);
    QPushButton* csv = buttons->addButton("Exporter en &CSV…", QDialogButtonBox::ActionRole);
    QPushButton* workbook =
        buttons->addButton("Exporter en c&lasseur…", QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton("Fermer", QDialogButtonBox::RejectRole);
    // Return in the table must not print: no button answers it.
    for (QPushButton* button : {print, pdf, csv, workbook, close}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    print->setObjectName("printParts");
    pdf->setObjectName("pdfParts");
    csv->setObjectName("csvParts");
    workbook->setObjectName("workbookParts");
    const QString base = QFileInfo(subject_).completeBaseName().isEmpty()
                             ? QString("Commande")
                             : "Commande " + QFileInfo(subject_).completeBaseName();
    connect(print, &QPushButton::clicked, this, &PartsListDialog::print);
    connect(pdf, &QPushButton::clicked, this, [this, base] {
        const QString file =
            chooseSaveFile(this, "Exporter en PDF", "Documents PDF (*.pdf)", "pdf", base + ".pdf");
        if (!file.isEmpty()) exportPdf(file);
    });
    connect(csv, &QPushButton::clicked, this, [this, base] {
        const QString file =
            chooseSaveFile(this, "Exporter en CSV", "Tableaux CSV (*.csv)", "csv", base + ".csv");
        if (!file.isEmpty()) exportCsv(file);
    });
    connect(workbook, &QPushButton::clicked, this, [this, base] {
        const QString file = chooseWorkbookFile(this, "Exporter en classeur", base);
        if (!file.isEmpty()) exportWorkbook(file);
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(subject_);
    heading->setObjectName("partsSubject");
    layout->addWidget(heading);
    if (!list_.notes.empty()) {
        QStringList notes;
        for (const std::string& note : list_.notes) notes << qs(visibleText(note));
        auto* covered = new QLabel(notes.join('\n'));
        covered->setObjectName("partsNotes");
        covered->setWordWrap(true);
        covered->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        layout->addWidget(covered);
    }
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(1000, 560);
}

bool PartsListDialog::exportCsv(const QString& file) {
    return writeExport(file, partsCsv(list_), "La liste n'a pas été exportée.", this);
}

bool PartsListDialog::exportWorkbook(const QString& file) {
    return writeWorkbookExport(file, partsTable(list_), "Commande",
                               "La liste n'a pas été exportée.", this);
}

PrintedTable PartsListDialog::printedTable() const {
    static const double kShares[] = {24, 18, 46, 8, 10, 14, 14, 12, 26};
    PrintedTable table;
    table.title = windowTitle();
    table.heading << subject_ + " — " +
                         QLocale(QLocale::French).toString(QDate::currentDate(), "d MMMM yyyy");
    for (const std::string& note : list_.notes) table.heading << qs(visibleText(note));
    table.orientation = QPageLayout::Portrait;
    table.points = 7.5;
    for (int c = 0; c < table_->columnCount(); ++c)
        table.columns.push_back({.caption = table_->horizontalHeaderItem(c)->text(),
                                 .share = c < int(std::size(kShares)) ? kShares[c] : 10,
                                 .number = c >= 4 && c <= 7});
    for (int r = 0; r < table_->rowCount(); ++r) {
        PrintedTable::Row row;
        row.bold = table_->item(r, 0)->font().bold();
        for (int c = 0; c < table_->columnCount(); ++c) row.cells << table_->item(r, c)->text();
        table.rows.push_back(std::move(row));
    }
    return table;
}

bool PartsListDialog::exportPdf(const QString& file) {
    return writeTablePdf(printedTable(), file, "La liste", this);
}

void PartsListDialog::print() {
    printTable(printedTable(),
               QFileInfo(subject_).completeBaseName().isEmpty()
                   ? QString("Commande")
                   : "Commande " + QFileInfo(subject_).completeBaseName(),
               this);
}
