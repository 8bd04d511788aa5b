#pragma once

#include <QDialog>

#include "classroom/choice_alternatives.h"

class QCheckBox;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

// « Comparer les choix… »: every item of a step's list in a table with the design it would give,
// sorted and filtered as the pupil asks; it only shows, never picks nor ranks on its own.
// « Choisir » (Return, double-click) ends it with the item to pick.
class ChoiceComparisonDialog : public QDialog {
    Q_OBJECT
  public:
    ChoiceComparisonDialog(const ChoiceAlternatives& alternatives, QWidget* parent = nullptr);

    // The item of the list to pick, once « Choisir » was used; -1 otherwise.
    int chosenItem() const { return chosen_; }
    QTableView* table() const { return table_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void choose();

    QStandardItemModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    QTableView* table_ = nullptr;
    QCheckBox* conformingOnly_ = nullptr;
    int chosen_ = -1;
};
