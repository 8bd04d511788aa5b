#include "qt/parts_list_dialog.h"

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
#include "qt/html_document.h"
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
    QPushButton* close = buttons->addButton("Fermer", QDialogButtonBox::RejectRole);
    // Return in the table must not print: no button answers it.
    for (QPushButton* button : {print, pdf, csv, close}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    print->setObjectName("printParts");
    pdf->setObjectName("pdfParts");
    csv->setObjectName("csvParts");
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
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(subject_);
    heading->setObjectName("partsSubject");
    layout->addWidget(heading);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(1000, 560);
}

bool PartsListDialog::exportCsv(const QString& file) {
    return writeExport(file, partsCsv(list_), "La liste n'a pas été exportée.", this);
}

QString PartsListDialog::html() const {
    QString html = "<html><body style=\"font-family: 'Liberation Sans'; font-size: 8pt\">";
    html += "<p style=\"font-size: 11pt\"><b>" + windowTitle().toHtmlEscaped() + "</b></p><p>" +
            subject_.toHtmlEscaped() + " — " +
            QLocale(QLocale::French).toString(QDate::currentDate(), "d MMMM yyyy") + "</p>";
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\"><thead><tr>";
    for (const std::string& c : partsColumns())
        html += "<th bgcolor=\"#e0e0e0\">" + qs(c).toHtmlEscaped() + "</th>";
    html += "</tr></thead><tbody>";
    for (int r = 0; r < table_->rowCount(); ++r) {
        const bool bold = table_->item(r, 0)->font().bold();
        html += "<tr>";
        for (int c = 0; c < table_->columnCount(); ++c) {
            const QString text = table_->item(r, c)->text().toHtmlEscaped();
            html += (c >= 4 && c <= 7 ? "<td align=\"right\">" : "<td>") +
                    (bold ? "<b>" + text + "</b>" : text) + "</td>";
        }
        html += "</tr>";
    }
    return html + "</tbody></table></body></html>";
}

bool PartsListDialog::exportPdf(const QString& file) {
    return writeHtmlPdf(html(), QPageLayout::Portrait, file, "La liste", this);
}

void PartsListDialog::print() {
    printHtml(html(), QPageLayout::Portrait, this);
}
