#include "qt/app/class_command.h"

#include <QFile>
#include <cstdio>
#include <functional>
#include <new>
#include <optional>

#include "catalogue/data_error.h"
#include "catalogue/visible_text.h"
#include "classroom/class_csv.h"
#include "classroom/class_order.h"
#include "classroom/class_scan.h"
#include "classroom/parts_list.h"
#include "document/atomic_file.h"
#include "qt/path_text.h"
#include "qt/spreadsheet_file.h"

namespace {

int fail(const std::string& text) {
    std::fputs(("VENTAKAR : " + visibleText(text) + "\n").c_str(), stderr);
    return 1;
}

// The table of a scan, or nothing and a message when there is nothing to write.
using Table = std::function<std::optional<TeacherTable>(const ClassScan&, std::string* nothing)>;

std::string pathOf(const QString& file) {
    return file == "-" ? "-" : pathBytes(file);
}

int writeTableOf(const QString& folder, const QString& csvFile, const QString& workbookFile,
                 const char* sheet, const Table& table) {
    const std::string where = pathBytes(folder);
    std::vector<std::string> targets;
    for (const QString& file : {csvFile, workbookFile})
        if (!file.isEmpty()) targets.push_back(pathOf(file));
    try {
        const std::string problem = classFolderProblem(where);
        if (!problem.empty()) return fail(problem);
        // The targets are looked at before the folder is read: a design is never replaced.
        for (const std::string& target : targets) {
            if (target == "-") continue;
            const std::string refusal = outputRefusal(target);
            if (!refusal.empty()) return fail("« " + target + " » : " + refusal);
        }
        const ClassScan scan = scanClass(where, ",");
        if (!scan.interrupted.empty())
            return fail(scan.interrupted + " Aucun fichier n'a été écrit ; relancez la commande.");
        for (const std::string& line : skippedLines(scan.skipped, scan.otherFiles))
            std::fputs(("VENTAKAR : " + line + "\n").c_str(), stderr);
        if (scan.rows.empty())
            return fail("aucune conception (fichier .ventakar) dans le dossier « " + where + " ».");
        std::string nothing;
        const std::optional<TeacherTable> written = table(scan, &nothing);
        if (!written) return fail(nothing);
        if (!csvFile.isEmpty()) writeOutputFile(pathOf(csvFile), tableCsv(*written));
        SpreadsheetKind kind{};
        if (!workbookFile.isEmpty() && spreadsheetKindOf(pathOf(workbookFile), &kind))
            writeOutputFile(pathOf(workbookFile), spreadsheetBytes(*written, sheet, kind));
        return 0;
    } catch (const DataError& error) {
        return fail("le tableau n'a pas été écrit. " + std::string(error.what()));
    } catch (const std::bad_alloc&) {
        return fail("la mémoire de l'ordinateur ne suffit pas pour cette classe.");
    }
}

}  // namespace

int writeClassCsv(const QString& folder, const QString& csvFile, const QString& workbookFile) {
    return writeTableOf(folder, csvFile, workbookFile, "Classe",
                        [](const ClassScan& scan, std::string*) {
                            std::vector<const DesignRow*> rows;
                            for (const DesignRow& row : scan.rows) rows.push_back(&row);
                            return std::optional<TeacherTable>(
                                classTable(rows, skippedLines(scan.skipped, scan.otherFiles)));
                        });
}

int writeOrderCsv(const QString& folder, const QString& csvFile, const QString& workbookFile) {
    return writeTableOf(
        folder, csvFile, workbookFile, "Commande",
        [](const ClassScan& scan, std::string* nothing) -> std::optional<TeacherTable> {
            std::vector<const DesignRow*> rows;
            for (const DesignRow& row : scan.rows) rows.push_back(&row);
            const ClassOrder order = classOrder(rows, OrderScope::Conforming);
            if (order.designs.empty()) {
                *nothing = "rien à commander : " +
                           (scan.rows.size() == 1
                                ? std::string("la conception du dossier n'est pas « Conforme ».")
                                : "aucune des " + std::to_string(scan.rows.size()) +
                                      " conceptions du dossier n'est « Conforme ».") +
                           " Aucun fichier n'a été écrit.";
                return std::nullopt;
            }
            return partsTable(order.parts);
        });
}
