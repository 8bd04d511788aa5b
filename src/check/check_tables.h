#pragma once

#include <string>
#include <string_view>
#include <vector>

// What a field must hold, for the check.
enum class FieldType {
    Designation,  // the list text, not empty; may name the record's picture
    Text,
    Number,
    WholeNumber,
    Flag,         // « o » or « n »
    SketchCode,   // names the mounting's sketch pictures Md<code>.gif and Me<code>.gif
    PictureName,  // names the mounting's drawing <name>.gif and photo <name>.jpg
    Unused,
};

// Numbers that are masses, prices or counts are not negative; the rules' maxima are positive.
enum class Quantity { Any, NotNegative, Positive };

struct FieldRule {
    const char* caption;
    FieldType type = FieldType::Text;
    Quantity quantity = Quantity::Any;
};

// One file of Data/ and its fields, in order.
struct FileRule {
    const char* file;
    std::vector<FieldRule> fields;
    bool feedsList = true;           // its designations form a step list
    bool designationPicture = true;  // "<designation>.jpg" is the record's picture
};

// A picture a field names, in the Data folder: its file name and what it shows.
struct NamedPicture {
    std::string file;  // « Hélice bipale 100 mm.jpg », « MdU.gif »
    const char* what;  // « Photo », « Dessin », « Croquis (roue avant) »…
};

// The pictures a field of this kind names with this text (none for an empty one): the record's
// photo for a designation of a file whose designations name them, the sketch pictures for a
// sketch code, the drawing and the photo for a mounting's picture name.
std::vector<NamedPicture> picturesNamedBy(const FileRule& rule, const FieldRule& field,
                                          std::string_view text);

// The catalogues, Pile.txt and Reglement.txt, in the order the program reads them.
const std::vector<FileRule>& fileRules();

// The window's own pictures: step pictures, preview, verdict, chassis cases, sketch pictures.
const std::vector<const char*>& fixedPictures();
