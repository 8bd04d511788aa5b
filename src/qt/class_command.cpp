#include "qt/class_command.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <functional>
#include <new>

#include "catalogue/data_error.h"
#include "classroom/class_csv.h"
#include "classroom/class_scan.h"
#include "classroom/parts_list.h"
#include "document/atomic_file.h"

namespace {

int fail(const std::string& text) {
    std::fputs(("VENTAKAR : " + text + "\n").c_str(), stderr);
    return 1;
}

}  // namespace

namespace {

int writeCsvOf(const QString& folder, const QString& csvFile,
               const std::function<std::string(const ClassScan&)>& table) {
    const std::string where = QFile::encodeName(folder).toStdString();
    if (!QFileInfo(folder).isDir())
        return fail("le dossier « " + folder.toStdString() + " » n'existe pas.");
    try {
        const ClassScan scan = scanClass(where, ",");
        if (scan.rows.empty())
            return fail("aucune conception (fichier .ventakar) dans le dossier « " +
                        folder.toStdString() + " ».");
        const std::string csv = table(scan);
        if (csvFile == "-") {
            if (std::fwrite(csv.data(), 1, csv.size(), stdout) != csv.size() ||
                std::fflush(stdout) != 0)
                return fail("la sortie standard n'accepte pas le tableau.");
            return 0;
        }
        writeFileAtomically(QFile::encodeName(csvFile).toStdString(), csv);
        return 0;
    } catch (const DataError& error) {
        return fail("le tableau n'a pas été écrit. " + std::string(error.what()));
    } catch (const std::bad_alloc&) {
        return fail("la mémoire de l'ordinateur ne suffit pas pour cette classe.");
    }
}

}  // namespace

int writeClassCsv(const QString& folder, const QString& csvFile) {
    return writeCsvOf(folder, csvFile, [](const ClassScan& scan) { return classCsv(scan.rows); });
}

int writeOrderCsv(const QString& folder, const QString& csvFile) {
    return writeCsvOf(folder, csvFile, [](const ClassScan& scan) {
        std::vector<std::vector<PartLine>> designs;
        for (const DesignRow& row : scan.rows)
            if (row.state == DesignState::Conforme) designs.push_back(row.parts);
        return partsCsv(mergeParts(designs));
    });
}
