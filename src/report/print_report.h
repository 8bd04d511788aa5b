#pragma once

#include <ctime>
#include <string>

class DesignRecord;
class Printer;

// Whose report it is, printed at the foot of each page when a name or a class is set.
struct ReportFooter {
    std::string pupil;
    std::string className;
    std::string date;                    // « 8 décembre 2026 »
    std::string decimalSeparator = ",";  // the numbers the report reads from the record
    bool empty() const { return pupil.empty() && className.empty(); }
};

// A day as the report writes it: « 8 décembre 2026 ».
std::string frenchDate(const std::tm& day);

// The reaction to "Imprimer": the design as the window shows it, on two A4 pages; with a footer
// naming the pupil and the class when they are set.
void printReport(const DesignRecord& record, Printer& printer, const ReportFooter& footer = {});
