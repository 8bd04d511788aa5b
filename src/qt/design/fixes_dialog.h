#pragma once

#include <QDialog>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "classroom/design_fixes.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;
class DesignWindow;

// « Que changer ? »: every change of one step (or two) that makes the design conform, cheapest
// first, computed in the background on one reading of the catalogues; « Appliquer » (Return or a
// double-click) makes the change of the current row through the window's own handlers.
class FixesDialog : public QDialog {
    Q_OBJECT
  public:
    // The pairs are searched for at most pairSeconds when no single change is enough.
    explicit FixesDialog(DesignWindow* design, double pairSeconds = 2.0);
    ~FixesDialog() override;

    QTableWidget* table() const { return table_; }
    bool complete() const { return shown_ && finished_; }
    const std::vector<DesignFix>& fixes() const { return fixes_; }
    // The row's change made in the design window; the dialog closes.
    void apply(int row);

  private:
    void poll();
    void addRow(const DesignFix& fix);

    DesignWindow* design_;
    QTableWidget* table_;
    QLabel* said_;
    QPushButton* applyButton_;
    QTimer* poll_;
    std::thread worker_;
    std::mutex mutex_;
    std::vector<DesignFix> arrived_;  // found by the worker, not yet shown
    std::unique_ptr<FixSearch> result_;
    std::atomic<bool> finished_{false};
    bool shown_ = false;            // the result is in the table
    std::vector<DesignFix> fixes_;  // in the table's order
};
