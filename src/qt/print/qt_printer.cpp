#include "qt/print/qt_printer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSize>
#include <QPen>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "catalogue/safe_name.h"
#include "document/atomic_file.h"
#include "files/file_system.h"
#include "qt/export_file.h"
#include "qt/message_box.h"
#include "qt/path_text.h"
#include "qt/print/print_queue.h"
#include "qt/user_folders.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr int kDefaultDotsPerMetre = 3780;  // 96 pixels to the inch

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QtPrinter::QtPrinter(QWidget* dialogParent) : dialogParent_(dialogParent) {}

QtPrinter::~QtPrinter() {
    if (painter_.isActive()) painter_.end();
    discardPartialPdf();
}

QString QtPrinter::proposedPdfFile(const QString& designFile) {
    return QDir(proposedFolder()).filePath(pdfNameFor(designFile));
}

bool QtPrinter::choosePrinter() {
    if (painter_.isActive()) painter_.end();
    discardPartialPdf();
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Told apart in a shared queue: whose design, which class, which file.
    printer_->setDocName(jobTitle_.isEmpty() ? QString("Conception VENTAKAR") : jobTitle_);
    exported_.clear();
    if (!exportFile_.isEmpty()) {
        exported_ = QFileInfo(exportFile_).fileName().toStdString();
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(exportFile_);
        exportFile_.clear();
        divertPdfOutput();
        return true;
    }
    const bool printers = !QPrinterInfo::availablePrinterNames().isEmpty();
    if (!outputFile_.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(outputFile_);
    } else if (!printers) {
        // a PDF file is then the only way out
        printer_->setOutputFileName(proposedPdfFile(designFile_));
    }
    if (!printers && systemPrintDialog()) {
        // The system's print dialog offers no file when no printer is installed: the PDF is
        // chosen in a file dialog instead.
        const QString chosen = choosePdfWithoutPrinter(
            dialogParent_, outputFile_.isEmpty() ? proposedPdfFile(designFile_) : outputFile_);
        if (chosen.isEmpty()) return false;
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(chosen);
        exported_ = QFileInfo(chosen).fileName().toStdString();
        if (outputFile_.isEmpty()) exported_ += " (aucune imprimante n'est installée)";
        divertPdfOutput();
        return true;
    }
    QPrintDialog dialog(printer_.get(), dialogParent_);
    if (printers && outputFile_.isEmpty()) {
        // With real printers the dialog starts on the default one; its file field, should the user
        // choose PDF, gets our name rather than the toolkit's.
        if (auto* field = dialog.findChild<QLineEdit*>("filename"))
            field->setText(proposedPdfFile(designFile_));
    }
    if (dialog.exec() != QDialog::Accepted) return false;
    if (!printer_->isValid()) throw PrintError("aucune imprimante n'est disponible.");
    if (printer_->outputFormat() == QPrinter::PdfFormat) {
        // A file, not paper: said so, and why when no printer was there to choose.
        exported_ = QFileInfo(printer_->outputFileName()).fileName().toStdString();
        if (!printers && outputFile_.isEmpty())
            exported_ += " (aucune imprimante n'a répondu : le rapport est dans ce fichier PDF)";
        divertPdfOutput();
    }
    return true;
}

void QtPrinter::divertPdfOutput() {
    pdfTarget_ = printer_->outputFileName();
    if (pdfTarget_.isEmpty()) throw PrintError("aucun nom n'a été donné au fichier PDF.");
    const QFileInfo target(pdfTarget_);
    if (target.isDir())
        throw PrintError("« " + safeName(pdfTarget_.toStdString()) + " » est un dossier.");
    // Named as every temporary file of ours, so that one left by a killed copy is swept later.
    const std::string folder = pathBytes(target.absolutePath());
    SystemFile made;
    int error = 0;
    for (int attempt = 0; attempt < 100 && !made.isOpen(); ++attempt) {
        pdfPartial_ = pathText(temporaryBeside(pathBytes(target.absoluteFilePath())));
        made = createNewFile(pathBytes(pdfPartial_), &error);
        if (!made.isOpen() && error != EEXIST) break;
    }
    if (!made.isOpen()) {
        pdfPartial_.clear();
        throw PrintError("le fichier PDF ne peut pas être écrit dans le dossier « " +
                         safeName(folder) + " » : " + fileErrorReason(error) + ".");
    }
    made.close(&error);
    printer_->setOutputFileName(pdfPartial_);
}

// A complete PDF begins with its header and ends with its end-of-file marker; a disk that filled
// up on the way leaves a file cut short.
void QtPrinter::checkAndMovePdf() {
    QFile file(pdfPartial_);
    if (!file.open(QIODevice::ReadOnly))
        throw PrintError("le fichier PDF écrit ne peut pas être relu.");
    const QByteArray head = file.read(5);
    const qint64 size = file.size();
    file.seek(std::max<qint64>(0, size - 32));
    const QByteArray tail = file.readAll();
    file.close();
    const bool synced = flushFileToDisk(pathBytes(pdfPartial_)) == 0;
    if (head != "%PDF-" || !tail.contains("%%EOF")) throw PrintError(pdfCutShort());
    if (!synced) throw PrintError("le fichier PDF n'a pas pu être enregistré sur le disque.");
    // The permissions a new file gets, or those of the file it replaces.
    const FileStatus existing = fileStatus(pathBytes(pdfTarget_));
    setFilePermissions(pathBytes(pdfPartial_), existing.kind == FileKind::Regular
                                                   ? existing.permissions
                                                   : newFilePermissions());
    if (const int error = replaceFile(pathBytes(pdfPartial_), pathBytes(pdfTarget_))) {
        throw PrintError("le fichier « " + safeName(pdfTarget_.toStdString()) +
                         " » ne peut pas être remplacé : " + fileErrorReason(error) + ".");
    }
    pdfPartial_.clear();
}

void QtPrinter::discardPartialPdf() {
    if (!pdfPartial_.isEmpty()) QFile::remove(pdfPartial_);
    pdfPartial_.clear();
}

void QtPrinter::setA4Millimetres() {
    if (!printer_->setPageSize(QPageSize(QPageSize::A4))) {
        throw PrintError("l'imprimante n'accepte pas le papier A4.");
    }
    if (!painter_.begin(printer_.get()))
        throw PrintError("l'imprimante ne peut pas commencer le document.");
}

double QtPrinter::pixelsPerMillimetre() const {
    return printer_->resolution() / kMillimetresPerInch;
}

double QtPrinter::textWidth(const std::string& text) const {
    return QFontMetricsF(font_, printer_.get()).horizontalAdvance(qs(text)) / pixelsPerMillimetre();
}

double QtPrinter::pageWidth() const {
    return printer_->pageLayout().paintRectPixels(printer_->resolution()).width() /
           pixelsPerMillimetre();
}

void QtPrinter::setFont(bool bold, double points) {
    font_ = QFont();  // the toolkit's default face
    font_.setPointSizeF(points);
    font_.setBold(bold);
    painter_.setFont(font_);
}

void QtPrinter::setPosition(double x, double y) {
    x_ = x;
    y_ = y;
}

void QtPrinter::setX(double x) {
    x_ = x;
}

void QtPrinter::printLine(const std::vector<std::string>& texts) {
    const QFontMetricsF metrics(font_, printer_.get());
    const double scale = pixelsPerMillimetre();
    double x = x_ * scale;
    const double baseline = y_ * scale + metrics.ascent();
    for (const std::string& text : texts) {
        painter_.drawText(QPointF(x, baseline), qs(text));
        x += metrics.horizontalAdvance(qs(text));
    }
    x_ = 0;
    y_ += metrics.height() / scale;
}

void QtPrinter::drawPicture(const std::string& file, double x, double y) {
    const QImage image(qs(file));
    if (image.isNull())
        throw PrintError("l'image « " + safeName(file) + " » ne peut pas être imprimée.");
    // A file without a resolution of its own gets the toolkit's screen default: use 96 dpi.
    const QImage unspecified(1, 1, QImage::Format_RGB32);
    const bool own =
        image.dotsPerMeterX() > 0 && image.dotsPerMeterX() != unspecified.dotsPerMeterX();
    const double dotsPerMetreX = own ? image.dotsPerMeterX() : kDefaultDotsPerMetre;
    const double dotsPerMetreY =
        own && image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() : kDefaultDotsPerMetre;
    const double scale = pixelsPerMillimetre();
    const QRectF target(x * scale, y * scale, image.width() / dotsPerMetreX * 1000 * scale,
                        image.height() / dotsPerMetreY * 1000 * scale);
    painter_.drawImage(target, image);
}

void QtPrinter::drawPictureIn(const std::string& file, double x, double y, double width,
                              double height) {
    const QImage image(qs(file));
    if (image.isNull())
        throw PrintError("l'image « " + safeName(file) + " » ne peut pas être imprimée.");
    const double scale = pixelsPerMillimetre();
    // Drawn from the source at the printer's resolution: nothing is scaled twice.
    painter_.drawImage(QRectF(x * scale, y * scale, width * scale, height * scale), image);
}

void QtPrinter::drawLine(double x1, double y1, double x2, double y2, double width) {
    const double scale = pixelsPerMillimetre();
    painter_.save();
    painter_.setPen(QPen(Qt::black, std::max(width * scale, 1.0)));
    painter_.drawLine(QPointF(x1 * scale, y1 * scale), QPointF(x2 * scale, y2 * scale));
    painter_.restore();
}

void QtPrinter::drawTextIn(const std::string& text, double x, double y, double width, double height,
                           bool bold, double points) {
    const double scale = pixelsPerMillimetre();
    QFont font;
    font.setPointSizeF(points);
    font.setBold(bold);
    painter_.save();
    painter_.setFont(font);
    painter_.drawText(QRectF(x * scale, y * scale, width * scale, height * scale),
                      Qt::AlignCenter | Qt::TextDontClip, qs(text));
    painter_.restore();
}

std::string QtPrinter::pdfCutShort() const {
    std::string why = "le disque est plein ou le fichier dépasse la taille permise";
    const FileStatus written = fileStatus(pathBytes(pdfPartial_));
    const std::optional<std::uint64_t> limit = fileSizeLimit();
    const QStorageInfo disk(QFileInfo(pdfPartial_).absolutePath());
    if (written.kind == FileKind::Regular && limit && written.size + 64 * 1024 >= *limit) {
        why = "le fichier dépasse la taille de fichier permise (" + std::to_string(*limit / 1024) +
              " Kio au plus)";
    } else if (disk.isValid() && disk.bytesAvailable() < 1024 * 1024) {
        why = "le disque est plein";
    }
    return "le fichier PDF n'a pas pu être écrit en entier : " + why + ".";
}

void QtPrinter::newPage() {
    if (!printer_->newPage()) {
        if (!pdfPartial_.isEmpty()) throw PrintError(pdfCutShort());
        throw PrintError("l'imprimante refuse de commencer une nouvelle page.");
    }
    x_ = 0;
    y_ = 0;
}

void QtPrinter::endDocument() {
    if (!painter_.end()) {
        if (!pdfPartial_.isEmpty()) throw PrintError(pdfCutShort());
        throw PrintError("l'imprimante n'a pas accepté le document.");
    }
    if (printer_->printerState() == QPrinter::Error)
        throw PrintError("l'imprimante a signalé une erreur.");
    if (!pdfPartial_.isEmpty()) {
        checkAndMovePdf();
    } else if (printer_->outputFormat() == QPrinter::NativeFormat) {
        // The toolkit hands the job over without looking at the server's answer: ask it.
        const std::string refused = printJobRefusal(printer_->printerName().toStdString());
        if (!refused.empty()) throw PrintError(refused + ".");
    }
}

void QtPrinter::abortDocument() {
    if (!printer_) return;
    if (painter_.isActive()) {
        printer_->abort();
        painter_.end();
    }
    discardPartialPdf();
}

void QtPrinter::showMessage(const std::string& text) {
    showOkBox(QMessageBox::NoIcon, text, dialogParent_);
}

void QtPrinter::showWarning(const std::string& text) {
    showOkBox(QMessageBox::Warning, text, dialogParent_);
}
