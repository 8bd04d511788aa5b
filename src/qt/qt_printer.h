#pragma once

#include <QFont>
#include <QPainter>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "report/printer.h"

class QPrinter;

// The report's Printer on a high-resolution QPrinter chosen in QPrintDialog; millimetres from the
// printable area's top-left corner are converted to device pixels.
class QtPrinter : public Printer {
  public:
    explicit QtPrinter(QWidget* dialogParent = nullptr);
    ~QtPrinter() override;

    // Makes the dialog start on a PDF file (the dialog may still change it).
    void setOutputFile(const QString& file) { outputFile_ = file; }
    // The next report goes to this PDF without the print dialog (the file was chosen already);
    // an empty name returns to the dialog.
    void exportNextTo(const QString& file) { exportFile_ = file; }

    bool choosePrinter() override;
    void setA4Millimetres() override;
    void setFont(bool bold, double points) override;
    void setPosition(double x, double y) override;
    void setX(double x) override;
    void printLine(const std::vector<std::string>& texts) override;
    void drawPicture(const std::string& file, double x, double y) override;
    void newPage() override;
    void endDocument() override;
    void abortDocument() override;
    void showMessage(const std::string& text) override;
    void showWarning(const std::string& text) override;

    // The file name the print dialog proposes for PDF output.
    static QString proposedPdfFile();

  private:
    double pixelsPerMillimetre() const;
    // PDF output goes to a temporary file beside the chosen one, moved into place once complete.
    void divertPdfOutput();
    void checkAndMovePdf();
    void discardPartialPdf();

    QPointer<QWidget> dialogParent_;
    QString outputFile_;
    QString exportFile_;
    QString pdfTarget_;   // the file the user chose
    QString pdfPartial_;  // what the printer writes meanwhile
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QFont font_;
    double x_ = 0;
    double y_ = 0;
};
