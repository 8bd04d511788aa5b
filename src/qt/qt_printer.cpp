#include "qt/qt_printer.h"

#include <QFontMetricsF>
#include <QImage>
#include <QMessageBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr int kDefaultDotsPerMetre = 3780;  // 96 pixels to the inch

QString qs(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

QtPrinter::QtPrinter(QWidget* dialogParent) : dialogParent_(dialogParent) {}

QtPrinter::~QtPrinter() {
    if (painter_.isActive()) painter_.end();
}

bool QtPrinter::choosePrinter() {
    if (painter_.isActive()) painter_.end();
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!outputFile_.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(outputFile_);
    }
    QPrintDialog dialog(printer_.get(), dialogParent_);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (!printer_->isValid()) throw PrintError("aucune imprimante n'est disponible.");
    return true;
}

void QtPrinter::setA4Millimetres() {
    if (!printer_->setPageSize(QPageSize(QPageSize::A4))) {
        throw PrintError("l'imprimante n'accepte pas le papier A4.");
    }
    if (!painter_.begin(printer_.get())) throw PrintError("l'imprimante ne peut pas commencer le document.");
}

double QtPrinter::pixelsPerMillimetre() const { return printer_->resolution() / kMillimetresPerInch; }

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

void QtPrinter::setX(double x) { x_ = x; }

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
    if (image.isNull()) throw PrintError("l'image « " + file + " » ne peut pas être imprimée.");
    // A file without a resolution of its own gets the toolkit's screen default: use 96 dpi.
    const QImage unspecified(1, 1, QImage::Format_RGB32);
    const bool own = image.dotsPerMeterX() > 0 && image.dotsPerMeterX() != unspecified.dotsPerMeterX();
    const double dotsPerMetreX = own ? image.dotsPerMeterX() : kDefaultDotsPerMetre;
    const double dotsPerMetreY = own && image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() : kDefaultDotsPerMetre;
    const double scale = pixelsPerMillimetre();
    const QRectF target(x * scale, y * scale, image.width() / dotsPerMetreX * 1000 * scale,
                        image.height() / dotsPerMetreY * 1000 * scale);
    painter_.drawImage(target, image);
}

void QtPrinter::newPage() {
    if (!printer_->newPage()) throw PrintError("l'imprimante refuse de commencer une nouvelle page.");
    x_ = 0;
    y_ = 0;
}

void QtPrinter::endDocument() {
    if (!painter_.end()) throw PrintError("l'imprimante n'a pas accepté le document.");
    if (printer_->printerState() == QPrinter::Error) throw PrintError("l'imprimante a signalé une erreur.");
}

void QtPrinter::abortDocument() {
    if (!printer_) return;
    if (painter_.isActive()) {
        printer_->abort();
        painter_.end();
    }
}

void QtPrinter::showMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, "VENTAKAR", qs(text), QMessageBox::Ok, dialogParent_);
    box.exec();
}

void QtPrinter::showWarning(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, "VENTAKAR", qs(text), QMessageBox::Ok, dialogParent_);
    box.exec();
}
