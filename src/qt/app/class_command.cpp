#include "qt/app/class_command.h"

#include <QFile>
#include <cstdio>
#include <functional>
#include <new>

#include "catalogue/data_error.h"
#include "catalogue/visible_text.h"
#include "classroom/class_csv.h"
#include "classroom/class_scan.h"
#include "classroom/parts_list.h"
#include "document/atomic_file.h"

namespace {

int fail(const std::string& text) {
    std::fputs(("VENTAKAR : " + visibleText(text) + "\n").c_str(), stderr);
    return 1;
}

// The table of a scan, or an empty text and a message when there is nothing to write.
using Table = std::function<std::string(const ClassScan&, std::string* nothing)>;

int writeCsvOf(const QString& folder, const QString& csvFile, const Table& table) {
    const std::string where = QFile::encodeName(folder).toStdString();
    const std::string target = csvFile == "-" ? "-" : QFile::encodeName(csvFile).toStdString();
    try {
        const std::string problem = classFolderProblem(where);
        if (!problem.empty()) return fail(problem);
        // The target is looked at before the folder is read: a design is never replaced.
        if (target != "-") {
            const std::string refusal = outputRefusal(target);
            if (!refusal.empty()) return fail("« " + target + " » : " + refusal);
        }
        const ClassScan scan = scanClass(where, ",");
        for (const std::string& line : skippedLines(scan.skipped, scan.otherFiles))
            std::fputs(("VENTAKAR : " + line + "\n").c_str(), stderr);
        if (scan.rows.empty())
            return fail("aucune conception (fichier .ventakar) dans le dossier « " + where + " ».");
        std::string nothing;
        const std::string csv = table(scan, &nothing);
        if (!nothing.empty()) return fail(nothing);
        writeOutputFile(target, csv);
        return 0;
    } catch (const DataError& error) {
        return fail("le tableau n'a pas été écrit. " + std::string(error.what()));
    } catch (const std::bad_alloc&) {
        return fail("la mémoire de l'ordinateur ne suffit pas pour cette classe.");
    }
}

}  // namespace

int writeClassCsv(const QString& folder, const QString& csvFile) {
    return writeCsvOf(folder, csvFile, [](const ClassScan& scan, std::string*) {
        return classCsv(scan.rows, skippedLines(scan.skipped, scan.otherFiles));
    });
}

int writeOrderCsv(const QString& folder, const QString& csvFile) {
    return writeCsvOf(folder, csvFile, [](const ClassScan& scan, std::string* nothing) {
        std::vector<std::vector<PartLine>> designs;
        for (const DesignRow& row : scan.rows)
            if (row.state == DesignState::Conforme) designs.push_back(row.parts);
        if (designs.empty()) {
            *nothing = "rien à commander : " +
                       (scan.rows.size() == 1
                            ? std::string("la conception du dossier n'est pas « Conforme ».")
                            : "aucune des " + std::to_string(scan.rows.size()) +
                                  " conceptions du dossier n'est « Conforme ».") +
                       " Aucun fichier n'a été écrit.";
            return std::string();
        }
        return partsCsv(mergeParts(designs));
    });
}
