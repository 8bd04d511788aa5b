#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "check/catalogue_check.h"
#include "check/catalogue_table.h"

// One file of Data/ for a QTableView: its records as rows, its fields as columns headed as the
// check names them, each cell with the check's problems for it (in its tooltip and its colour).
// Every change goes through the table's rules, then the check runs on what would be saved.
class CatalogueModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    CatalogueModel(const FileRule& rule, std::string bytes, std::string folder,
                   QObject* parent = nullptr, PictureProbe probe = probeFileExists);
    ~CatalogueModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    const CatalogueTable& table() const { return table_; }
    // Puts another state of the table in place (undo, redo, a reload); the check runs again.
    void setTable(CatalogueTable table);
    // The problems the check finds in what would be saved: errors, then warnings.
    int errors() const { return errors_; }
    int warnings() const { return warnings_; }
    // Problems of the file as a whole or of a line that is no record: not tied to a cell.
    const std::vector<CheckProblem>& fileProblems() const { return fileProblems_; }
    // The problems shown on cells.
    int cellProblemCount() const { return cellProblemCount_; }
    // The problems of one cell in the check's words, one a line.
    QString problemsOf(int row, int column) const;
    // The check again, as after an edit (a picture added to the folder, renamed…). A file of
    // more than kCheckedAtOnce lines is checked on another thread, the table usable meanwhile
    // (checking() true, the problems of the check before shown).
    void recheck();
    static constexpr int kCheckedAtOnce = 20000;
    bool checking() const { return worker_.joinable(); }
    // Waits for the check under way, if any, and shows its problems (before a save).
    void finishCheck();

  signals:
    // An edit was refused, and why.
    void refused(const QString& reason);
    // An edit changed the table: its state before, for the undo history.
    void changed(const CatalogueTable& before, const QString& what);
    // A cell edited by the user: its text before and after.
    void cellEdited(int row, int column, const QString& before, const QString& after);
    void checked();

  private:
    void show(const CheckReport& report);
    void collect();  // the problems of the check that ended, if it is the last one asked
    void startCheck();

    CatalogueTable table_;
    std::string folder_;
    PictureProbe probe_ = probeFileExists;
    std::map<std::pair<int, int>, std::vector<CheckProblem>> cellProblems_;
    std::vector<CheckProblem> fileProblems_;
    int errors_ = 0;
    int warnings_ = 0;
    int cellProblemCount_ = 0;
    std::thread worker_;
    std::mutex doneMutex_;
    std::optional<CheckReport> done_;  // under doneMutex_
    bool again_ = false;               // the table changed during the check: another one after it
};
