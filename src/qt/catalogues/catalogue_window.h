#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CatalogueModel;
class CatalogueTable;
class QLabel;
class QTabWidget;
class QTableView;
class QUndoGroup;
class QUndoStack;

// The teachers' catalogues, edited: a tab a file of the Data folder, a table a tab whose cells
// take only what the check allows, each problem shown on its cell; records added, copied, moved
// and removed, undone and redone; each file saved whole, its previous versions kept beside it.
class CatalogueWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit CatalogueWindow(const QString& folder, QWidget* parent = nullptr);
    ~CatalogueWindow() override;

    const QString& folder() const { return folder_; }
    int tabCount() const { return int(tabs_.size()); }
    CatalogueModel* model(int tab) const { return tabs_[tab].model; }
    QTableView* view(int tab) const { return tabs_[tab].view; }
    // Saves the file of this tab; false (the user told) when it was not written.
    bool save(int tab);
    bool saveAll();
    bool isModified() const;
    // A folder this copy may not write (installed under /usr/share, a read-only share): shown
    // read-only, saved only elsewhere.
    bool isReadOnly() const { return readOnly_; }
    // Every file of the folder into target (created if need be, files already there kept), the
    // catalogues as edited; the editor then works on target. False, the user told, on failure.
    bool saveElsewhere(const QString& target);
    static constexpr int kKeptVersions = 5;

    // The pictures of the current record, beside the table.
    QWidget* picturePanel(int tab) const { return tabs_[tab].panel; }
    // The picture'th picture the record at row names, from the image file source (JPEG, GIF or
    // PNG), stored in the folder under the name the record gives it: a photo as JPEG (converted
    // when need be), a drawing as the GIF it is. Asks before replacing a picture; false, the
    // user told, when nothing was stored.
    bool setPicture(int tab, int row, int picture, const QString& source);

  signals:
    // A file was saved: the design window reads its catalogues again.
    void catalogueSaved(const QString& file);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Tab {
        QString title;  // « Hélices »
        QString file;   // « Helice.txt »
        CatalogueModel* model = nullptr;
        QTableView* view = nullptr;
        QUndoStack* undo = nullptr;
        std::string onDisk;  // the bytes read or last saved
        bool readable = true;
        QWidget* panel = nullptr;
        // Pictures renamed with their designation, done when the file is saved: from, to. Read
        // by the check of a large file on its own thread too.
        struct Renames {
            std::mutex mutex;
            std::vector<std::pair<QString, QString>> list;
        };
        std::shared_ptr<Renames> renames = std::make_shared<Renames>();
    };
    void showPictures(int tab);
    // Where a picture of the folder is now: itself, or the picture it is renamed from.
    QString picturePath(const Tab& tab, const QString& file) const;
    static QString picturePath(const QString& folder, Tab::Renames& renames, const QString& file);
    void offerRename(int tab, int column, const QString& before, const QString& after);
    void applyRenames(Tab& tab);
    void addTab(const QString& title, const QString& file);
    void updateTitles();
    int current() const;
    void changeRows(const QString& what, const std::function<int(CatalogueTable&, int)>& change);

    QString folder_;
    QTabWidget* tabWidget_ = nullptr;
    QLabel* problems_ = nullptr;
    QLabel* where_ = nullptr;
    bool readOnly_ = false;
    void chooseElsewhere();
    void showFolder();
    QUndoGroup* undoGroup_ = nullptr;
    std::vector<Tab> tabs_;
};
