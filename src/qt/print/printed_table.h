#pragma once

#include <QColor>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QFont;
class QPaintDevice;
class QPrinter;
class QWidget;

// A table for paper: its columns with their share of the page's width, its rows, and the lines
// above it. Printed on A4 pages, every row whole on one page under the column headings, each cell
// wrapped at spaces (in a path also after « / » and « - »), a word wider than its column carried
// on over the next lines: no text is cut but a cell taller than a whole page. The last page holds
// at least about as many rows as the one before it; « page N sur M » at the foot.
struct PrintedTable {
    struct Column {
        QString caption;
        double share = 1;     // of the page's width, against the other columns'
        bool number = false;  // right-aligned
        bool path = false;    // a file inside a folder
    };
    struct Row {
        QStringList cells;
        bool bold = false;
        int shadedColumn = -1;  // a cell in colour beside its words: the state
        QColor shade;
    };
    QString title;
    QStringList heading;  // under the title, on the first page
    std::vector<Column> columns;
    std::vector<Row> rows;
    QPageLayout::Orientation orientation = QPageLayout::Landscape;
    double points = 7;
};

// The cell's text as it stands on paper, one string a line.
QStringList printedLines(const QString& text, const QFont& font, double width, bool path,
                         const QPaintDevice* device);

// Lays the table out on the printer's pages and paints it; the number of pages.
int paintTable(QPrinter& printer, const PrintedTable& table);

// Through the print dialog; the document named (the PDF the dialog proposes) after docName.
bool printTable(const PrintedTable& table, const QString& docName, QWidget* parent);
// Into a PDF file, written beside it and moved into place only once whole; false, the user told
// (what: « Le tableau », « La liste »), when it cannot be written.
bool writeTablePdf(const PrintedTable& table, const QString& file, const QString& what,
                   QWidget* parent);
