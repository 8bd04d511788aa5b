#include "qt/qt_printer.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "catalogue/safe_name.h"
#include "qt/message_box.h"

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

QString QtPrinter::proposedPdfFile() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    return QDir(folder).filePath("Conception VENTAKAR.pdf");
}

bool QtPrinter::choosePrinter() {
    if (painter_.isActive()) painter_.end();
    discardPartialPdf();
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setDocName("Conception VENTAKAR");
    if (!exportFile_.isEmpty()) {
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
        printer_->setOutputFileName(proposedPdfFile());  // a PDF file is then the only way out
    }
    QPrintDialog dialog(printer_.get(), dialogParent_);
    if (printers && outputFile_.isEmpty()) {
        // With real printers the dialog starts on the default one; its file field, should the user
        // choose PDF, gets our name rather than the toolkit's.
        if (auto* field = dialog.findChild<QLineEdit*>("filename"))
            field->setText(proposedPdfFile());
    }
    if (dialog.exec() != QDialog::Accepted) return false;
    if (!printer_->isValid()) throw PrintError("aucune imprimante n'est disponible.");
    if (printer_->outputFormat() == QPrinter::PdfFormat) divertPdfOutput();
    return true;
}

void QtPrinter::divertPdfOutput() {
    pdfTarget_ = printer_->outputFileName();
    if (pdfTarget_.isEmpty()) throw PrintError("aucun nom n'a été donné au fichier PDF.");
    const QFileInfo target(pdfTarget_);
    if (target.isDir())
        throw PrintError("« " + safeName(pdfTarget_.toStdString()) + " » est un dossier.");
    QTemporaryFile partial(target.absoluteDir().filePath("." + target.fileName() + ".XXXXXX"));
    partial.setAutoRemove(false);
    if (!partial.open()) {
        const int error = errno;  // the toolkit's reason is English: say it in ours
        throw PrintError("le fichier PDF ne peut pas être écrit dans le dossier « " +
                         target.absolutePath().toStdString() + " » (" +
                         (error == EACCES || error == EPERM ? std::string("droits d'accès")
                          : error == ENOENT                 ? std::string("dossier introuvable")
                          : error == ENOSPC                 ? std::string("disque plein")
                          : error == EROFS                  ? std::string("disque en lecture seule")
                                           : "erreur système " + std::to_string(error)) +
                         ").");
    }
    pdfPartial_ = partial.fileName();
    partial.close();
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
    const bool synced = ::fsync(file.handle()) == 0;
    file.close();
    if (head != "%PDF-" || !tail.contains("%%EOF")) {
        throw PrintError(
            "le fichier PDF n'a pas pu être écrit en entier (disque plein ou taille de fichier "
            "limitée ?).");
    }
    if (!synced) throw PrintError("le fichier PDF n'a pas pu être enregistré sur le disque.");
    if (std::rename(QFile::encodeName(pdfPartial_).constData(),
                    QFile::encodeName(pdfTarget_).constData()) != 0) {
        throw PrintError("le fichier « " + safeName(pdfTarget_.toStdString()) +
                         " » ne peut pas être remplacé (" + std::strerror(errno) + ").");
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

void QtPrinter::newPage() {
    if (!printer_->newPage())
        throw PrintError("l'imprimante refuse de commencer une nouvelle page.");
    x_ = 0;
    y_ = 0;
}

void QtPrinter::endDocument() {
    if (!painter_.end()) throw PrintError("l'imprimante n'a pas accepté le document.");
    if (printer_->printerState() == QPrinter::Error)
        throw PrintError("l'imprimante a signalé une erreur.");
    if (!pdfPartial_.isEmpty()) checkAndMovePdf();
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
