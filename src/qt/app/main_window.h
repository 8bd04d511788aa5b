#pragma once

#include <QDateTime>
#include <QFileDialog>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

class CatalogueWindow;
class ClassWindow;
class DesignWindow;
class RecoveryFiles;
class QLabel;
class QShortcut;
class QAction;
class QMenu;

// The program's window: the menus above the design window, the file dialogs, the recent files
// and the settings kept between runs. What each command does to the design is the session's.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // The pupil's start window first, unless the program was started for a class.
    explicit MainWindow(bool startWindow = true, QWidget* parent = nullptr);
    ~MainWindow() override;

    DesignWindow* designWindow() const { return design_; }
    // False when start-up failed on a data file: the window must not be used.
    bool isLoaded() const;
    // Opens a design file as the command line does; true when a design was opened (perhaps only
    // in part). Unsaved changes are not asked about.
    bool openDesign(const QString& file);
    // The same for a path given as its own bytes (a name that is not UTF-8).
    bool openDesignPath(const std::string& path);
    // Once the window is shown: the recovery question if the last run ended abruptly, then the
    // design files named on the command line.
    void resumeAfterStart(const QStringList& files = {});

    // Opens the class view over a folder of designs; a design opened from it comes here, as a
    // document of that class: closing it comes back to the table. Alone (started with --classe),
    // closing the class view ends the program.
    ClassWindow* openClass(const QString& folder, bool alone = false);
    // The catalogue editor over a Data folder (the program's by default), or the one open.
    CatalogueWindow* openCatalogues(const QString& folder = {});
    // The class view the design shown was opened from; none for the pupil's own design.
    ClassWindow* designClass() const;
    // Closes the design opened from a class (asking only when it was changed) and comes back to
    // the class view; false when the user kept it open.
    bool closeClassDesign();
    // Asks whose the design is (« Élève(s) et classe… »); false when the pupil cancelled.
    bool askPupil();

    // Where this copy keeps the choices for a restart after a crash.
    // Why this copy has no recovery file, in French; empty when it has one.
    QString recoveryProblem() const;
    QString recoveryFilePath() const;
    static constexpr int kMaxRecentFiles = 8;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    QAction* addAction(QMenu* menu, const char* objectName, const QString& text,
                       const QList<QKeySequence>& shortcuts, const std::function<void()>& run);
    void buildMenus();
    // The scale at which the whole surface fits the available screen, at most 1.
    double fitScale() const;
    void chooseView(bool fit);
    void applyView(bool fit);
    void updateState();
    void rebuildRecentMenu();

    void newDesign();
    void openWithDialog();
    void openRecent(const QString& file);
    bool save();
    bool saveAs();
    void exportPdf();
    void print();
    // « Rendre au professeur… »: the design into the hand-in folder, the receipt beside the menus.
    void handIn();
    void undo();
    void redo();
    void about();
    void clearRecent();
    void openClassWithDialog();
    void showPartsList();
    // The file name a first save proposes: « Léa Martin - 5e B.ventakar ».
    QString proposedDesignName() const;

    // True when the current design may be dropped: nothing unsaved, saved now, or given up.
    bool maybeSave();
    void offerRecovery();
    // Offers one recovery file left by a copy that ended abruptly; true when it was opened.
    bool offerRecoveryOf(const QString& file, const QDateTime& modified);
    // Temporary files left by copies killed while writing, in the folders this copy writes to.
    void sweepTemporaries();
    QString chooseFile(QFileDialog::AcceptMode mode, const QString& title, const QString& filter,
                       const QString& suffix, const QString& proposed);
    QString lastFolder() const;
    void rememberFolder(const QString& file);
    QStringList recentFiles() const;
    void addRecent(const QString& file);
    void removeRecent(const QString& file);

    DesignWindow* design_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QAction* actionSave_ = nullptr;
    QLabel* handInReceipt_ = nullptr;
    // The menus' own height, one row: the corner's button and receipt never make it taller.
    int menuBarHeight_ = 0;
    // Room a window manager takes around the window (borders and the title bar): assumed at
    // first, then as it is once shown.
    QSize frame_{8, 36};
    QAction* actionExportPdf_ = nullptr;
    QShortcut* whyNoPrint_ = nullptr;  // Ctrl+P while printing is disabled
    QAction* actionPrint_ = nullptr;
    QAction* actionUndo_ = nullptr;
    QAction* actionRedo_ = nullptr;
    QAction* actionRealSize_ = nullptr;
    QAction* actionFitScreen_ = nullptr;
    QAction* actionCloseDesign_ = nullptr;
    QPointer<ClassWindow> fromClass_;
    bool savedInVisit_ = false;  // the design from the class was saved: the table reads again
    bool quitting_ = false;      // « Quitter »: the close ends the program, even from a class
    std::unique_ptr<RecoveryFiles> recovery_;
    int pupilAskedFor_ = -1;  // the design state whose first save asked for the names
    bool ending_ = false;
};
