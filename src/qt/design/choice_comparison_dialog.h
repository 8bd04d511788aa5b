#pragma once

#include <QDialog>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "classroom/choice_alternatives.h"
#include "window/design_record.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class AlternativesModel;
class QTableView;
class QTimer;

// « Comparer les choix… »: every item of a step's list in a table with the design it would give,
// sorted and filtered as the pupil asks; it only shows, never picks nor ranks on its own.
// « Choisir » (Return, double-click) ends it with the item to pick.
class ChoiceComparisonDialog : public QDialog {
    Q_OBJECT
  public:
    // The items of list, each with the design it would give in place of record's choice.
    ChoiceComparisonDialog(const DesignRecord& record, const std::string& list,
                           QWidget* parent = nullptr);
    ~ChoiceComparisonDialog() override;
    // Every row computed (the first ones come at once, the others while the window answers).
    bool complete() const { return next_ >= total_; }

    // The item of the list to pick, once « Choisir » was used; -1 otherwise. It is to be picked
    // on the reading of the catalogues its row was computed on.
    int chosenItem() const { return chosen_; }
    std::shared_ptr<const CatalogueSnapshot> reading() const { return snapshot_; }
    QTableView* table() const { return table_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    static constexpr int kFirstRows = 40;
    static constexpr int kBatchRows = 250;
    void addRows(const ChoiceAlternatives& alternatives);
    // The rows from the first batch on, the others computed by workers, on snapshot_.
    void startRows(const ChoiceAlternatives& first);
    void stopWorkers();
    void refresh();  // « Actualiser »: every row again on today's catalogues
    void addMore();
    void compute();  // on a worker thread
    void choose();
    void afterRowsMoved();
    void layOutRows();
    void updateChoose();

    DesignRecord record_;
    std::string list_;
    std::string separator_;
    bool complete_ = false;
    int captions_ = 0;
    int next_ = 0;
    int total_ = 0;
    QLabel* progress_ = nullptr;
    QTimer* poll_ = nullptr;
    // Every row of the table from one reading of the catalogues; a change since is said.
    std::shared_ptr<const CatalogueSnapshot> snapshot_;
    QWidget* changed_ = nullptr;  // « Le catalogue a changé : Actualiser »
    QTimer* watch_ = nullptr;
    std::vector<std::thread> workers_;
    std::atomic<bool> stop_{false};
    std::atomic<int> claimed_{0};
    std::mutex mutex_;
    std::map<int, ChoiceAlternatives> ready_;  // batches computed, by their first item
    AlternativesModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    QTableView* table_ = nullptr;
    QCheckBox* conformingOnly_ = nullptr;
    int chosen_ = -1;
    int column_ = 1;  // the pupil's column, kept through sorts and filters
    bool rowsMovedDue_ = false;
    QPushButton* choose_ = nullptr;
};
