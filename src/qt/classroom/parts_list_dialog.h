#pragma once

#include <QDialog>
#include <QString>

#include "classroom/parts_list.h"

class QTableWidget;

// The parts to order, for one design or a class: one line an item, a subtotal per supplier, the
// grand total; printed, exported as PDF or as CSV.
class PartsListDialog : public QDialog {
    Q_OBJECT
  public:
    // subject: the design's file or the class folder, named on the page.
    PartsListDialog(PartsList list, const QString& title, const QString& subject,
                    QWidget* parent = nullptr);

    const PartsList& list() const { return list_; }
    bool exportCsv(const QString& file);
    bool exportWorkbook(const QString& file);
    bool exportPdf(const QString& file);

  private:
    struct PrintedTable printedTable() const;
    void print();

    PartsList list_;
    QString subject_;
    QTableWidget* table_ = nullptr;
};
