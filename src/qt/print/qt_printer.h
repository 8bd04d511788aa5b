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
    void drawPictureIn(const std::string& file, double x, double y, double width,
                       double height) override;
    void drawLine(double x1, double y1, double x2, double y2, double width) override;
    void drawTextIn(const std::string& text, double x, double y, double width, double height,
                    bool bold, double points) override;
    void newPage() override;
    void endDocument() override;
    void abortDocument() override;
    std::string exportedFileName() const override { return exported_; }
    void showMessage(const std::string& text) override;
    void showWarning(const std::string& text) override;

    // The file name the print dialog proposes for PDF output, named after the design's file.
    static QString proposedPdfFile(const QString& designFile = {});
    void setDesignFile(const QString& designFile) { designFile_ = designFile; }
    // The print job's title in the queue (« Tom Durand — 5e B — voiture »).
    void setJobTitle(const QString& title) { jobTitle_ = title; }

  private:
    double pixelsPerMillimetre() const;
    double textWidth(const std::string& text) const override;
    double pageWidth() const override;
    // PDF output goes to a temporary file beside the chosen one, moved into place once complete.
    void divertPdfOutput();
    void checkAndMovePdf();
    void discardPartialPdf();
    // Why the PDF being written was cut short: a full disk or a file-size limit.
    std::string pdfCutShort() const;

    QPointer<QWidget> dialogParent_;
    QString outputFile_;
    QString exportFile_;
    QString designFile_;
    QString jobTitle_;
    std::string exported_;  // the name of the file of an export under way
    QString pdfTarget_;     // the file the user chose
    QString pdfPartial_;    // what the printer writes meanwhile
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QFont font_;
    double x_ = 0;
    double y_ = 0;
};
