#pragma once

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "classroom/class_order.h"
#include "classroom/class_scan.h"
#include "classroom/hand_in_collection.h"

class ClassFilterModel;
class ClassTableModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTableView;
class QTimer;

// The teacher's view of a class folder: one row per design, sorted, filtered and searched; a
// design opens in the design window; the table is read again, exported, printed and two designs
// compared. The folder is read off the window's thread and never written to.
class ClassWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit ClassWindow(const QString& folder, QWidget* parent = nullptr);
    ~ClassWindow() override;

    const QString& folder() const { return folder_; }
    // Reads the folder again, keeping the sort, the filter and the selected files.
    void refresh();
    // Shows another class folder in this window, keeping the sort and the filter.
    void openFolder(const QString& folder);
    // The class folders opened last, the last first.
    static QStringList recentClasses();
    static constexpr int kMaxRecentClasses = 8;
    bool scanning() const { return worker_.joinable(); }
    const std::vector<DesignRow>& rows() const;
    QTableView* table() const { return table_; }
    // The absolute paths of the selected rows, in the table's order.
    QStringList selectedFiles() const;
    // The same as the files' own bytes, for opening them whatever their names' encoding.
    std::vector<std::string> selectedPaths() const;

    // The class table as the CSV file; false (and told) when it cannot be written.
    bool exportCsv(const QString& file);
    // The shown rows as a spreadsheet (.ods or .xlsx), as the CSV has them.
    bool exportWorkbook(const QString& file);
    // The table on A4 landscape pages into a PDF file, written whole or not at all.
    bool exportPdf(const QString& file);
    // The comparison of the two selected designs, in a dialog.
    void compareSelected();
    // What « Commande » orders: every « Conforme » design shown, or with several rows selected
    // those, the ones that do not conform only when kept (each pupil's identical designs once).
    ClassOrder order(bool keepNonConforming = true) const;
    void showOrder();

    // Asked before the window closes; false keeps it open (the program's end, when the class
    // view is all the program shows).
    void setCloseCheck(std::function<bool()> check) { closeCheck_ = std::move(check); }

  signals:
    // The teacher asked to open this design in the design window.
    void openDesignRequested(const QByteArray& path);
    // A scan ended (or was stopped).
    void scanned();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void startScan();
    void chooseFolder();
    void chooseHandInFolder();
    void chooseClassList();
    void chooseDueDate();
    // The class list and due date the teacher set for this folder.
    Collection collection();
    void rememberClass();
    void rebuildRecentClasses();
    void pollScan();
    void finishScan();
    void stopScan();
    void updateSummary();
    void openRow(const QModelIndex& index);
    void chooseCsv();
    void choosePdf();
    void print();
    struct PrintedTable printedTable() const;
    void setColumnWidths();
    // Sorted by a column, keeping its order when it is the sorted one already.
    void sortBy(int column);
    void showDetails();
    // The rows shown, in the order shown.
    std::vector<const DesignRow*> shownRows() const;
    // The filter and search in words, or nothing when every design is shown.
    QString viewNote() const;
    // What an export says after its table: the filter, then what the scan left out.
    std::vector<std::string> noteLines() const;

    QString folder_;
    ClassTableModel* model_ = nullptr;
    ClassFilterModel* filter_ = nullptr;
    QTableView* table_ = nullptr;
    QPlainTextEdit* details_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QComboBox* stateFilter_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* summary_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* poll_ = nullptr;
    QMenu* recentClasses_ = nullptr;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::atomic<int> done_{0};
    std::atomic<int> total_{0};
    std::atomic<bool> finished_{false};
    std::unique_ptr<ClassScan> result_;
    qint64 scanStarted_ = 0;
    std::vector<std::string> keepSelected_;
    int keepColumn_ = 0;
    std::function<bool()> closeCheck_;
    std::vector<SkippedEntry> skipped_;
    int otherFiles_ = 0;
    std::string interrupted_;  // the last scan ended early: why
    std::string listProblem_;  // the class list could not be read: why
    // « Il suffirait de » searched for every row in the background once the table is shown.
    void startFixes();
    void finishFixes();
    void stopFixes();
    // The column filled before an export: what is left of the search is waited for.
    void waitForFixes();
    QTimer* fixPoll_ = nullptr;
    std::thread fixWorker_;
    std::atomic<bool> stopFixes_{false};
    std::atomic<bool> fixesDone_{false};
    std::unique_ptr<std::vector<DesignRow>> fixed_;
};
