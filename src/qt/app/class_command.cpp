#include "qt/app/class_command.h"

#include <QDateTime>
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
#include "classroom/design_fixes.h"
#include "classroom/hand_in.h"
#include "classroom/parts_list.h"
#include "document/atomic_file.h"
#include "document/design_file.h"
#include "qt/path_text.h"
#include "qt/spreadsheet_file.h"
#include "window/design_record.h"

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
                 const char* sheet, const Table& table, const Collection* collection = nullptr,
                 bool withFixes = false) {
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
        ClassScan scan = scanClass(where, ",");
        if (collection) collectHandIns(scan.rows, *collection);
        if (!scan.interrupted.empty())
            return fail(scan.interrupted + " Aucun fichier n'a été écrit ; relancez la commande.");
        if (withFixes) findCheapestFixes(scan.rows, ",");
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

int writeClassCsv(const QString& folder, const QString& csvFile, const QString& workbookFile,
                  const Collection& collection, bool withFixes) {
    return writeTableOf(
        folder, csvFile, workbookFile, "Classe",
        [withFixes](const ClassScan& scan, std::string*) {
            std::vector<const DesignRow*> rows;
            for (const DesignRow& row : scan.rows) rows.push_back(&row);
            return std::optional<TeacherTable>(
                classTable(rows, skippedLines(scan.skipped, scan.otherFiles), withFixes));
        },
        &collection, withFixes);
}

bool readCollection(const QString& listFile, const QString& dueDate, Collection* collection) {
    if (!dueDate.trimmed().isEmpty()) {
        collection->due = dueStamp(dueDate.toStdString());
        if (collection->due.empty()) {
            fail("--date-limite : « " + dueDate.toStdString() +
                 " » n'est pas une date et une heure (2026-12-09 17:00).");
            return false;
        }
    }
    if (listFile.isEmpty()) return true;
    try {
        collection->list = readClassListFile(pathBytes(listFile));
        return true;
    } catch (const DataError& error) {
        fail("la liste d'élèves n'a pas été lue. " + std::string(error.what()));
        return false;
    }
}

int handInFromCommandLine(const QString& file, const QString& folder) {
    if (folder.isEmpty())
        return fail(
            "aucun dossier de remise : donnez-le avec --dossier-de-remise DOSSIER, ou réglez "
            "handInFolder dans les réglages de l'ordinateur.");
    DesignDocument document;
    try {
        document = readDesignDocument(readDesignBytes(pathBytes(file)), pathBytes(file));
    } catch (const DataError& error) {
        return fail("la conception n'a pas été rendue. " + std::string(error.what()));
    }
    if (pupilField(document.pupil.name).empty())
        return fail("« " + pathBytes(file) +
                    " » ne dit pas à qui est la conception : ouvrez-la, donnez le nom de l'élève "
                    "(Fichier → Élève(s) et classe…) et enregistrez-la avant de la rendre.");
    try {
        const HandIn done = handInDesign(pathBytes(folder), document.choices, document.pupil,
                                         QDateTime::currentSecsSinceEpoch());
        std::fputs((visibleText(handInReceipt(done)) + "\n").c_str(), stdout);
        return 0;
    } catch (const DataError& error) {
        return fail(handInFailure(pathBytes(folder), error.reason()));
    }
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

int writeFixesCsv(const QString& file, const QString& csvFile) {
    try {
        const DesignDocument document =
            readDesignDocument(readDesignBytes(pathBytes(file)), pathBytes(file));
        const std::string target = csvFile.isEmpty() ? "-" : pathOf(csvFile);
        if (target != "-") {
            const std::string refusal = outputRefusal(target);
            if (!refusal.empty()) return fail("« " + target + " » : " + refusal);
        }
        DesignScanner scanner(",");
        DesignRecord record;
        scanner.scanChoices(document.choices, &record);
        const FixSearch search = whatToChange(record, scanner, ",");
        if (search.conformsAlready) {
            std::fputs("VENTAKAR : la conception est déjà conforme : rien à changer.\n", stderr);
            return 0;
        }
        writeOutputFile(target, tableCsv(fixesTable(search)));
        return 0;
    } catch (const DataError& error) {
        return fail(error.what());
    } catch (const std::bad_alloc&) {
        return fail("la mémoire de l'ordinateur ne suffit pas pour cette recherche.");
    }
}
