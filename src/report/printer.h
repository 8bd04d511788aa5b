#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// A printing step that failed; the reason is French, for the user.
class PrintError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The printer operations the report needs; coordinates in millimetres from the top-left corner
// of the printable area. Operations throw PrintError when the printer fails.
class Printer {
  public:
    virtual ~Printer() = default;
    // The size of the current font, as setFont chose it, for the estimate of textWidth.
    void notePoints(double points) { points_ = points; }

    // The system's printer-selection dialog; false when the user cancels it.
    virtual bool choosePrinter() = 0;
    virtual void setA4Millimetres() = 0;
    virtual void setFont(bool bold, double points) = 0;
    virtual void setPosition(double x, double y) = 0;
    virtual void setX(double x) = 0;
    // Texts end to end from the current position; then x returns to 0 and y moves down one line
    // height of the current font.
    virtual void printLine(const std::vector<std::string>& texts) = 0;
    // A picture at its own size, its top-left corner at (x, y).
    virtual void drawPicture(const std::string& file, double x, double y) = 0;
    // A picture stretched into the box (x, y, width, height).
    virtual void drawPictureIn(const std::string& file, double x, double y, double width,
                               double height) = 0;
    // A straight line, its pen width in millimetres.
    virtual void drawLine(double x1, double y1, double x2, double y2, double width) = 0;
    // One line of text centred in the box, in the default face.
    virtual void drawTextIn(const std::string& text, double x, double y, double width,
                            double height, bool bold, double points) = 0;
    // The width in millimetres of a text in the current font, and of the printable area; these
    // defaults only estimate them.
    virtual double textWidth(const std::string& text) const {
        return 0.5 * points_ * 25.4 / 72 * static_cast<double>(text.size());
    }
    virtual double pageWidth() const { return 190; }
    virtual void newPage() = 0;
    virtual void endDocument() = 0;
    // Throws the document away after a failure, so that no partial pages go out.
    virtual void abortDocument() = 0;
    // The file the finished document was exported to, when the user chose it as an export; empty
    // for a printer.
    virtual std::string exportedFileName() const { return {}; }
    virtual void showMessage(const std::string& text) = 0;
    virtual void showWarning(const std::string& text) = 0;

  private:
    double points_ = 12;
};
