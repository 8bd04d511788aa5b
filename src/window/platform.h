#pragma once

#include <string>
#include <vector>

#include "catalogue/record_source.h"

// Pixel size of a picture that the platform has loaded.
struct PictureSize {
    int width = 0;
    int height = 0;
};

// All the logic needs from the toolkit: pictures, the number format, the start window and the
// message boxes. The Qt window implements it; tests answer it themselves.
class Platform {
  public:
    virtual ~Platform() = default;

    // Loads a JPEG or GIF from Data/; throws DataError when it is missing or cannot be decoded.
    virtual PictureSize loadPicture(const std::string& path) = 0;
    // The decimal separator of the user's number format.
    virtual std::string decimalSeparator() = 0;
    // Shows the start window modally; returns once the user has closed it.
    virtual void showStartWindow() = 0;
    // A Yes/No question with the question icon, Yes the default; true for Yes. A detail that is
    // not empty is shown under the question.
    virtual bool askYesNo(const std::string& question, const std::string& title,
                          const std::string& detail) = 0;
    // A question with these buttons, in this order; the index of the one chosen. Escape or
    // closing the box chooses cancelButton.
    virtual int askChoice(const std::string& question, const std::string& title,
                          const std::string& detail, const std::vector<std::string>& buttons,
                          int defaultButton, int cancelButton) = 0;
    // A warning with the application's title and an OK button.
    virtual void showWarning(const std::string& text) = 0;
    // Ends the program at once.
    virtual void endProgram() = 0;
    // Where catalogue records are read: the files at every read, unless a snapshot is handed in.
    virtual const RecordSource& records() { return fileRecords(); }
};
