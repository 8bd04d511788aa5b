#include "qt/print/printed_table.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cstdio>

#include "document/atomic_file.h"
#include "files/file_system.h"
#include "qt/export_file.h"
#include "qt/message_box.h"
#include "qt/path_text.h"
#include "qt/print/print_queue.h"

namespace {

constexpr double kMarginMm = 10;
constexpr double kPaddingMm = 0.5;

void layOut(QPrinter& printer, QPageLayout::Orientation orientation) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                      QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                      QPageLayout::Millimeter));
}

QString ended(const QString& text, const QFontMetricsF& metrics, double width) {
    QString cut = text;
    while (!cut.isEmpty() && metrics.horizontalAdvance(cut + "…") > width) cut.chop(1);
    return cut + "…";
}

// The pieces a line may break after: a space (dropped at a line's end), and in a path « / » or
// « - ».
QStringList pieces(const QString& text, bool path) {
    QStringList out;
    QString current;
    for (const QChar c : text) {
        current += c;
        if (c == ' ' || (path && (c == '/' || c == '-'))) {
            out << current;
            current.clear();
        }
    }
    if (!current.isEmpty()) out << current;
    return out;
}

// One piece too wide for the column, cut into lines that fit, each as long as it can be: a word
// is never shortened, only carried on to the next line.
QStringList broken(const QString& piece, const QFontMetricsF& metrics, double width) {
    QStringList lines;
    QString line;
    for (const QChar c : piece) {
        if (!line.isEmpty() && metrics.horizontalAdvance(line + c) > width) {
            lines << line;
            line.clear();
        }
        line += c;
    }
    if (!line.isEmpty()) lines << line;
    return lines;
}

struct Layout {
    double lineHeight = 0;
    double padding = 0;
    std::vector<double> widths;
    std::vector<std::vector<QStringList>> cells;  // by row then column
    std::vector<QStringList> header;
    double headerHeight = 0;
    std::vector<double> heights;
    std::vector<int> pageOf;
    int pages = 1;
};

}  // namespace

QStringList printedLines(const QString& text, const QFont& font, double width, bool path,
                         const QPaintDevice* device) {
    const QFontMetricsF metrics(font, const_cast<QPaintDevice*>(device));
    QStringList lines;
    QString line;
    for (const QString& piece : pieces(text.simplified(), path)) {
        const QString tried = line + piece;
        if (metrics.horizontalAdvance(tried.trimmed()) <= width) {
            line = tried;
            continue;
        }
        if (!line.trimmed().isEmpty()) lines << line.trimmed();
        line.clear();
        if (metrics.horizontalAdvance(piece.trimmed()) <= width) {
            line = piece;
            continue;
        }
        // Wider than the column on its own: carried over several lines, the last one open.
        QStringList parts = broken(piece.trimmed(), metrics, width);
        line = parts.takeLast() + (piece.endsWith(' ') ? " " : "");
        lines << parts;
    }
    if (!line.trimmed().isEmpty()) lines << line.trimmed();
    return lines;
}

namespace {

Layout layout(QPrinter& printer, const PrintedTable& table, const QFont& font, const QFont& bold,
              double pageHeight, double firstPageTop) {
    Layout l;
    const QFontMetricsF metrics(font, &printer);
    const double unitsPerMm = printer.resolution() / 25.4;
    l.lineHeight = metrics.lineSpacing();
    l.padding = kPaddingMm * unitsPerMm;
    const double width = printer.pageLayout().paintRectPixels(printer.resolution()).width();
    // Each column at least as wide as the longest word of its heading.
    const QFontMetricsF boldMetrics(bold, &printer);
    std::vector<double> least;
    double leastTotal = 0, shares = 0;
    for (const auto& c : table.columns) {
        double word = 0;
        for (const QString& w : c.caption.split(' '))
            word = std::max(word, boldMetrics.horizontalAdvance(w));
        least.push_back(word + 2 * l.padding + 1);
        leastTotal += least.back();
        shares += c.share;
    }
    // What each column would take on one line, its texts being what they are.
    std::vector<double> want = least;
    for (const PrintedTable::Row& row : table.rows) {
        for (std::size_t c = 0; c < table.columns.size() && c < std::size_t(row.cells.size()); ++c)
            want[c] = std::max(
                want[c], metrics.horizontalAdvance(row.cells[c].simplified()) + 2 * l.padding + 1);
    }
    // Each column its least, then the rest shared out by share among the columns that still
    // want more, none given more than it wants.
    l.widths = least;
    double rest = width - leastTotal;
    for (int round = 0; round < 20 && rest > 0.5; ++round) {
        double active = 0;
        for (std::size_t c = 0; c < l.widths.size(); ++c)
            if (l.widths[c] < want[c]) active += table.columns[c].share;
        if (active == 0) break;
        double given = 0;
        for (std::size_t c = 0; c < l.widths.size(); ++c) {
            if (l.widths[c] >= want[c]) continue;
            const double more =
                std::min(want[c] - l.widths[c], rest * table.columns[c].share / active);
            l.widths[c] += more;
            given += more;
        }
        rest -= given;
    }
    // Room left once every column has what it wants: shared out too.
    if (rest > 0.5) {
        for (std::size_t c = 0; c < l.widths.size(); ++c)
            l.widths[c] += rest * table.columns[c].share / shares;
    }
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        l.header.push_back(printedLines(table.columns[c].caption, bold, l.widths[c] - 2 * l.padding,
                                        false, &printer));
    int most = 1;
    for (const QStringList& h : l.header) most = std::max(most, int(h.size()));
    l.headerHeight = most * l.lineHeight + 2 * l.padding;
    const double foot = 2 * l.lineHeight;
    // What a page holds under its headings; a cell taller than that alone is the one ever cut.
    const double room = pageHeight - foot - l.headerHeight;
    const int mostLines = std::max(1, int((room - 2 * l.padding) / l.lineHeight));
    double y = firstPageTop + l.headerHeight;
    int page = 0;
    for (const PrintedTable::Row& row : table.rows) {
        std::vector<QStringList> cells;
        int lines = 1;
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const QFont& used = row.bold ? bold : font;
            QStringList cell =
                printedLines(c < std::size_t(row.cells.size()) ? row.cells[c] : "", used,
                             l.widths[c] - 2 * l.padding, table.columns[c].path, &printer);
            if (cell.size() > mostLines) {
                cell = cell.mid(0, mostLines);
                cell.last() = ended(cell.last() + " ", QFontMetricsF(used, &printer),
                                    l.widths[c] - 2 * l.padding);
            }
            cells.push_back(std::move(cell));
            lines = std::max(lines, int(cells.back().size()));
        }
        const double height = lines * l.lineHeight + 2 * l.padding;
        if (y + height > pageHeight - foot) {  // a row never split: the next page
            ++page;
            y = l.headerHeight;
        }
        l.cells.push_back(std::move(cells));
        l.heights.push_back(height);
        l.pageOf.push_back(page);
        y += height;
    }
    l.pages = page + 1;
    // The last page never holds a row or two alone: when it has less than half of the page
    // before, rows of that page come over until both hold about as many.
    if (l.pages >= 2) {
        const int last = l.pages - 1;
        const auto on = [&](int p) { return int(std::count(l.pageOf.begin(), l.pageOf.end(), p)); };
        int lastRows = on(last), before = on(last - 1);
        double lastHeight = 0;
        std::size_t first = l.pageOf.size();
        for (std::size_t r = 0; r < l.pageOf.size(); ++r) {
            if (l.pageOf[r] != last) continue;
            first = std::min(first, r);
            lastHeight += l.heights[r];
        }
        if (2 * lastRows < before) {
            while (lastRows + 1 < before && first > 0 && l.pageOf[first - 1] == last - 1 &&
                   lastHeight + l.heights[first - 1] <= room) {
                --first;
                l.pageOf[first] = last;
                lastHeight += l.heights[first];
                ++lastRows;
                --before;
            }
        }
    }
    return l;
}

void paintCells(QPainter& painter, const Layout& l, const std::vector<QStringList>& cells,
                const std::vector<PrintedTable::Column>& columns, double y, double height,
                const QColor& background, int shadedColumn, const QColor& shade) {
    double x = 0;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const QRectF box(x, y, l.widths[c], height);
        if (background.isValid()) painter.fillRect(box, background);
        if (int(c) == shadedColumn && shade.isValid()) painter.fillRect(box, shade);
        const QPen text = painter.pen();
        QPen grid(QColor(120, 120, 120));
        grid.setWidthF(0);
        painter.setPen(grid);
        painter.drawRect(box);
        painter.setPen(text);
        double lineY = y + l.padding;
        for (const QString& line : cells[c]) {
            const QRectF lineBox(x + l.padding, lineY, l.widths[c] - 2 * l.padding, l.lineHeight);
            painter.drawText(
                lineBox, (columns[c].number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop, line);
            lineY += l.lineHeight;
        }
        x += l.widths[c];
    }
}

}  // namespace

int paintTable(QPrinter& printer, const PrintedTable& table) {
    QPainter painter(&printer);
    if (!painter.isActive()) return 0;
    QFont font("Liberation Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(table.points);
    QFont bold = font;
    bold.setBold(true);
    QFont titleFont = font;
    titleFont.setPointSizeF(table.points + 3);
    titleFont.setBold(true);
    QFont headingFont = font;
    headingFont.setPointSizeF(table.points + 1);

    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double pageWidth = page.width();
    const double pageHeight = page.height();
    // The title and heading lines, wrapped to the page's width.
    std::vector<std::pair<QFont, QStringList>> top;
    top.push_back({titleFont, printedLines(table.title, titleFont, pageWidth, false, &printer)});
    for (const QString& line : table.heading)
        top.push_back({headingFont, printedLines(line, headingFont, pageWidth, false, &printer)});
    double topHeight = 0;
    for (const auto& [f, lines] : top)
        topHeight += lines.size() * QFontMetricsF(f, &printer).lineSpacing();
    topHeight += QFontMetricsF(font, &printer).lineSpacing();

    const Layout l = layout(printer, table, font, bold, pageHeight, topHeight);
    const QPen pen(Qt::black);
    painter.setPen(pen);
    std::size_t r = 0;
    for (int p = 0; p < l.pages; ++p) {
        if (p > 0 && !printer.newPage()) return p;
        double y = 0;
        if (p == 0) {
            painter.setPen(Qt::black);
            for (const auto& [f, lines] : top) {
                painter.setFont(f);
                const double spacing = QFontMetricsF(f, &printer).lineSpacing();
                for (const QString& line : lines) {
                    painter.drawText(QRectF(0, y, pageWidth, spacing), Qt::AlignLeft, line);
                    y += spacing;
                }
            }
            y = topHeight;
        }
        painter.setFont(bold);
        painter.setPen(pen);
        paintCells(painter, l, l.header, table.columns, y, l.headerHeight, QColor(224, 224, 224),
                   -1, {});
        y += l.headerHeight;
        for (; r < table.rows.size() && l.pageOf[r] == p; ++r) {
            const PrintedTable::Row& row = table.rows[r];
            painter.setFont(row.bold ? bold : font);
            paintCells(painter, l, l.cells[r], table.columns, y, l.heights[r], QColor(),
                       row.shadedColumn, row.shade);
            y += l.heights[r];
        }
        painter.setFont(font);
        const QRectF foot(0, pageHeight - l.lineHeight, pageWidth, l.lineHeight);
        painter.drawText(foot, Qt::AlignLeft, table.title);
        painter.drawText(foot, Qt::AlignRight, QString("page %1 sur %2").arg(p + 1).arg(l.pages));
    }
    return l.pages;
}

bool printTable(const PrintedTable& table, const QString& docName, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    layOut(printer, table.orientation);
    printer.setDocName(docName);
    if (systemPrintDialog() && QPrinterInfo::availablePrinterNames().isEmpty()) {
        const QString file = choosePdfWithoutPrinter(parent, docName + ".pdf");
        return !file.isEmpty() && writeTablePdf(table, file, "Le tableau", parent);
    }
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (paintTable(printer, table) <= 0) return false;
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        const std::string refused = printJobRefusal(printer.printerName().toStdString());
        if (!refused.empty()) {
            showOkBox(QMessageBox::Warning, "Impression impossible : " + refused + ".", parent);
            return false;
        }
    }
    return true;
}

bool writeTablePdf(const PrintedTable& table, const QString& file, const QString& what,
                   QWidget* parent) {
    const std::string target = pathBytes(QFileInfo(file).absoluteFilePath());
    std::string refusal = outputRefusal(target);
    if (refusal.empty()) {
        const QString partial = pathText(temporaryBeside(target));
        int pages = 0;
        {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(partial);
            layOut(printer, table.orientation);
            printer.setDocName(QFileInfo(file).completeBaseName());
            pages = paintTable(printer, table);
        }
        QFile written(partial);
        const bool whole =
            pages > 0 && written.open(QIODevice::ReadOnly) && written.read(5) == "%PDF-";
        written.close();
        if (whole && flushFileToDisk(pathBytes(partial)) == 0 &&
            replaceFile(pathBytes(partial), target) == 0) {
            sayExported(parent, file);
            return true;
        }
        QFile::remove(partial);
        refusal = "il ne peut pas être écrit.";
    }
    showOkBox(
        QMessageBox::Warning,
        (what + " n'a pas été exporté(e) en PDF : « " + file + " » : ").toStdString() + refusal,
        parent);
    return false;
}
