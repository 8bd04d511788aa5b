#pragma once

class DesignRecord;
class Printer;

// The reaction to "Imprimer": the design as the window shows it, on two A4 pages.
void printReport(const DesignRecord& record, Printer& printer);
