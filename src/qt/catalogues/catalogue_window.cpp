#include "qt/catalogues/catalogue_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QUndoGroup>
#include <QUndoStack>
#include <QVBoxLayout>
#include <functional>

#include "catalogue/catalogue.h"
#include "catalogue/data_error.h"
#include "check/catalogue_table.h"
#include "document/atomic_file.h"
#include "files/file_system.h"
#include "qt/catalogues/catalogue_model.h"
#include "qt/message_box.h"
#include "qt/name_keeping_file_dialog.h"
#include "qt/path_text.h"

namespace {

// The files of Data/ in the order the program reads them, by the names teachers give them.
const struct {
    const char* title;
    const char* file;
} kFiles[] = {
    {"Hélices", "Helice.txt"},     {"Moteurs", "Moteur.txt"},
    {"Berceaux", "Berceau.txt"},   {"Alimentations", "Energie.txt"},
    {"Piles", "Pile.txt"},         {"Interrupteurs", "Interrupteur.txt"},
    {"Roues", "Roue.txt"},         {"Montages", "Train.txt"},
    {"Matériaux", "Materiau.txt"}, {"Règlement", "Reglement.txt"},
};

const FileRule& ruleOf(const QString& file) {
    for (const FileRule& rule : fileRules())
        if (file == rule.file) return rule;
    throw std::logic_error("no rule for a catalogue");
}

// One change of a table: the states before and after it, put back in place by undo and redo.
class TableChange : public QUndoCommand {
  public:
    TableChange(CatalogueModel* model, CatalogueTable before, const QString& what)
        : QUndoCommand(what), model_(model), before_(std::move(before)), after_(model->table()) {}
    void undo() override { model_->setTable(before_); }
    void redo() override {
        if (first_) {
            first_ = false;  // done already, by the edit itself
            return;
        }
        model_->setTable(after_);
    }

  private:
    CatalogueModel* model_;
    CatalogueTable before_, after_;
    bool first_ = true;
};

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Whether this copy may write there: tried, as a share's rights or a read-only mount are what
// they are whoever runs it.
bool folderWritable(const QString& folder) {
    const std::string probe = temporaryBeside(pathBytes(QDir(folder).filePath("ecriture")));
    int error = 0;
    SystemFile file = createNewFile(probe, &error);
    if (!file.isOpen()) return false;
    file.close(&error);
    removeFileNamed(probe);
    return true;
}

}  // namespace

CatalogueWindow::CatalogueWindow(const QString& folder, QWidget* parent)
    : QMainWindow(parent), folder_(QDir(folder).absolutePath()) {
    setObjectName("catalogueWindow");
    undoGroup_ = new QUndoGroup(this);
    tabWidget_ = new QTabWidget;
    tabWidget_->setObjectName("catalogueTabs");
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    where_ = new QLabel;
    where_->setObjectName("catalogueFolder");
    where_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(where_);
    layout->addWidget(tabWidget_, 1);
    problems_ = new QLabel;
    problems_->setObjectName("catalogueProblems");
    problems_->setWordWrap(true);
    layout->addWidget(problems_);
    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name, const QString& text, auto run) {
        auto* b = new QPushButton(text);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, run);
        buttons->addWidget(b);
    };
    const auto rowChange = [this](const QString& what, std::function<int(CatalogueTable&, int)> f) {
        return [this, what, f] { changeRows(what, f); };
    };
    button("addRecord", "&Ajouter",
           rowChange("Ajouter un enregistrement", [](CatalogueTable& t, int r) {
               t.insertRow(r + 1);
               return r + 1;
           }));
    button("duplicateRecord", "D&upliquer",
           rowChange("Dupliquer l'enregistrement", [](CatalogueTable& t, int r) {
               if (r < 0) return -1;
               t.duplicateRow(r);
               return r + 1;
           }));
    button("removeRecord", "&Supprimer",
           rowChange("Supprimer l'enregistrement", [](CatalogueTable& t, int r) {
               if (r < 0) return -1;
               t.removeRow(r);
               return std::max(0, std::min(r, t.rowCount() - 1));
           }));
    button("moveRecordUp", "&Monter",
           rowChange("Monter l'enregistrement", [](CatalogueTable& t, int r) {
               if (r <= 0) return -1;
               t.moveRow(r, r - 1);
               return r - 1;
           }));
    button("moveRecordDown", "&Descendre",
           rowChange("Descendre l'enregistrement", [](CatalogueTable& t, int r) {
               if (r < 0 || r + 1 >= t.rowCount()) return -1;
               t.moveRow(r, r + 1);
               return r + 1;
           }));
    buttons->addStretch(1);
    layout->addLayout(buttons);
    setCentralWidget(central);

    QMenu* file = menuBar()->addMenu("&Fichier");
    QAction* saveAction = file->addAction("&Enregistrer", this, [this] { save(current()); });
    saveAction->setObjectName("actionSaveCatalogue");
    saveAction->setShortcut(QKeySequence::Save);
    QAction* saveEvery = file->addAction("Enregistrer &tout", this, [this] { saveAll(); });
    saveEvery->setObjectName("actionSaveAllCatalogues");
    saveEvery->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QAction* elsewhere =
        file->addAction("Enregistrer dans un autre d&ossier…", this, [this] { chooseElsewhere(); });
    elsewhere->setObjectName("actionSaveCataloguesElsewhere");
    file->addSeparator();
    QAction* close = file->addAction("&Fermer", this, [this] { this->close(); });
    close->setObjectName("actionCloseCatalogues");
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    QMenu* edit = menuBar()->addMenu("É&dition");
    QAction* undo = undoGroup_->createUndoAction(this, "Annuler");
    undo->setObjectName("actionUndoCatalogue");
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = undoGroup_->createRedoAction(this, "Rétablir");
    redo->setObjectName("actionRedoCatalogue");
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addAction(undo);
    edit->addAction(redo);

    readOnly_ = !folderWritable(folder_);
    showFolder();
    for (const auto& f : kFiles) addTab(f.title, f.file);
    connect(tabWidget_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab >= 0 && tab < tabCount()) undoGroup_->setActiveStack(tabs_[tab].undo);
        updateTitles();
    });
    if (!tabs_.empty()) undoGroup_->setActiveStack(tabs_[0].undo);
    updateTitles();
    resize(1100, 640);
}

CatalogueWindow::~CatalogueWindow() {
    // The histories go before the window's parts they would retitle.
    for (Tab& tab : tabs_) delete tab.undo;
}

void CatalogueWindow::addTab(const QString& title, const QString& file) {
    Tab tab;
    tab.title = title;
    tab.file = file;
    const std::string path = pathBytes(QDir(folder_).filePath(file));
    try {
        tab.onDisk = readFileBytes(path);
    } catch (const DataError& error) {
        tab.readable = false;  // opens empty, with why; written only when asked
        statusBar()->showMessage(qs(error.what()));
    }
    tab.model = new CatalogueModel(ruleOf(file), tab.onDisk, pathBytes(folder_), this);
    tab.view = new QTableView;
    tab.view->setObjectName(QString("catalogueTable-%1").arg(file));
    tab.view->setModel(tab.model);
    tab.view->setAccessibleName(title);
    tab.view->setTabKeyNavigation(false);  // Tab leaves the table, the arrows move inside it
    tab.view->setSelectionBehavior(QAbstractItemView::SelectItems);
    tab.view->setSelectionMode(QAbstractItemView::SingleSelection);
    tab.view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    tab.view->horizontalHeader()->setDefaultSectionSize(120);
    tab.view->setColumnWidth(0, 220);
    tab.undo = new QUndoStack(this);
    undoGroup_->addStack(tab.undo);
    CatalogueModel* model = tab.model;
    QUndoStack* stack = tab.undo;
    connect(model, &CatalogueModel::changed, this,
            [model, stack](const CatalogueTable& before, const QString& what) {
                stack->push(new TableChange(model, before, what));
            });
    connect(model, &CatalogueModel::refused, this,
            [this](const QString& why) { statusBar()->showMessage("Refusé : " + why, 10000); });
    connect(model, &CatalogueModel::checked, this, [this] { updateTitles(); });
    connect(stack, &QUndoStack::cleanChanged, this, [this] { updateTitles(); });
    tabWidget_->addTab(tab.view, title);
    tabs_.push_back(std::move(tab));
}

int CatalogueWindow::current() const {
    return std::max(0, tabWidget_->currentIndex());
}

void CatalogueWindow::changeRows(const QString& what,
                                 const std::function<int(CatalogueTable&, int)>& change) {
    Tab& tab = tabs_[current()];
    CatalogueTable table = tab.model->table();
    const int row =
        tab.view->currentIndex().isValid() ? tab.view->currentIndex().row() : table.rowCount() - 1;
    const int column = std::max(0, tab.view->currentIndex().column());
    const CatalogueTable before = table;
    const int next = change(table, row);
    if (next < 0) return;  // nothing to do there: no row, or the first one moved up
    tab.model->setTable(std::move(table));
    tab.undo->push(new TableChange(tab.model, before, what));
    if (next < tab.model->rowCount()) tab.view->setCurrentIndex(tab.model->index(next, column));
}

void CatalogueWindow::updateTitles() {
    int all = 0;
    for (int t = 0; t < tabCount(); ++t) {
        const Tab& tab = tabs_[t];
        const int n = tab.model->errors() + tab.model->warnings();
        all += n;
        tabWidget_->setTabText(t, tab.title + (tab.undo->isClean() ? "" : " *") +
                                      (n ? QString(" (%1)").arg(n) : QString()));
    }
    setWindowTitle(QString("Catalogues%1%2 — VENTAKAR")
                       .arg(readOnly_ ? " (lecture seule)" : "")
                       .arg(all ? QString(" — %1 problème(s)").arg(all) : QString()));
    if (tabs_.empty()) return;
    const Tab& tab = tabs_[current()];
    QStringList lines;
    for (const CheckProblem& p : tab.model->fileProblems())
        lines << (p.line > 0 ? QString("Ligne %1 : ").arg(p.line) : QString()) + qs(p.text);
    const int cells = tab.model->errors() + tab.model->warnings() - int(lines.size());
    if (cells > 0)
        lines << QString("%1 problème(s) sur les cellules en couleur : le détail dans leur bulle.")
                     .arg(cells);
    problems_->setText(lines.isEmpty() ? QString("Aucun problème dans « %1 ».").arg(tab.file)
                                       : lines.join('\n'));
}

bool CatalogueWindow::isModified() const {
    return std::any_of(tabs_.begin(), tabs_.end(), [](const Tab& t) { return !t.undo->isClean(); });
}

void CatalogueWindow::showFolder() {
    where_->setText("Dossier des catalogues : " + QDir::toNativeSeparators(folder_) +
                    (readOnly_ ? " — lecture seule : « Fichier → Enregistrer dans un autre "
                                 "dossier… » pour garder vos modifications"
                               : ""));
}

void CatalogueWindow::chooseElsewhere() {
    const QString folder = chooseFolder(this, "Enregistrer les catalogues dans un autre dossier",
                                        "Enregistrer", "Dossier :");
    if (!folder.isEmpty()) saveElsewhere(folder);
}

bool CatalogueWindow::saveElsewhere(const QString& target) {
    const QString to = QDir(target).absolutePath();
    if (QDir(to) == QDir(folder_)) return saveAll();
    try {
        if (!QDir().mkpath(to) || !folderWritable(to))
            throw DataError(pathBytes(to), "ce dossier ne peut pas être écrit.");
        // The pictures and every other file first, then the catalogues as they are here.
        for (const QFileInfo& entry : QDir(folder_).entryInfoList(QDir::Files)) {
            const QString copy = QDir(to).filePath(entry.fileName());
            if (!QFileInfo::exists(copy))
                writeFileAtomically(pathBytes(copy), readFileBytes(pathBytes(entry.filePath())));
        }
        for (Tab& tab : tabs_) {
            CatalogueTable table = tab.model->table();
            if (table.needsUtf8()) table.useUtf8();
            const std::string bytes = table.bytes();
            writeFileAtomically(pathBytes(QDir(to).filePath(tab.file)), bytes);
            tab.onDisk = bytes;
            tab.undo->setClean();
        }
    } catch (const DataError& error) {
        showOkBox(QMessageBox::Warning,
                  "Les catalogues n'ont pas été enregistrés dans « " + pathBytes(to) +
                      " » : " + error.what(),
                  this);
        return false;
    }
    folder_ = to;
    readOnly_ = false;
    showFolder();
    statusBar()->showMessage("Catalogues enregistrés dans : " + QDir::toNativeSeparators(to),
                             10000);
    updateTitles();
    return true;
}

// A question answered by doing it (the button says what) or « Annuler ».
static bool confirmed(QMessageBox::Icon icon, const QString& question, const QString& doIt,
                      QWidget* parent) {
    QMessageBox box(icon, "VENTAKAR", question, QMessageBox::Yes | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Yes)->setText(doIt);
    box.button(QMessageBox::Cancel)->setText("Annuler");
    return box.exec() == QMessageBox::Yes;
}

bool CatalogueWindow::save(int index) {
    if (readOnly_) {
        if (!confirmed(QMessageBox::Information,
                       "Le dossier « " + QDir::toNativeSeparators(folder_) +
                           " » ne peut pas être écrit ici. Enregistrer les catalogues dans un "
                           "autre dossier ?",
                       "Enregistrer dans un autre dossier…", this))
            return false;
        chooseElsewhere();
        return !readOnly_;
    }
    Tab& tab = tabs_[index];
    CatalogueModel* model = tab.model;
    const QString shown = "« " + tab.file + " »";
    if (model->errors() > 0 &&
        !confirmed(QMessageBox::Warning,
                   QString("%1 a encore %2 erreur(s) : VENTAKAR pourrait ne pas démarrer avec ce "
                           "catalogue. L'enregistrer quand même ?")
                       .arg(shown)
                       .arg(model->errors()),
                   "Enregistrer", this))
        return false;
    CatalogueTable table = model->table();
    if (table.needsUtf8()) {
        if (!confirmed(QMessageBox::Question,
                       shown + " est en Windows-1252, qui ne peut pas écrire un des caractères "
                               "ajoutés. L'enregistrer en UTF-8 ?",
                       "Enregistrer en UTF-8", this))
            return false;
        table.useUtf8();
    }
    const std::string path = pathBytes(QDir(folder_).filePath(tab.file));
    // Somebody else's save since it was read (a colleague, another copy) is never lost unasked.
    std::string now;
    try {
        now = readFileBytes(path);
    } catch (const DataError&) {
        now = tab.onDisk;  // gone or unreadable: nothing of another's to keep
    }
    if (now != tab.onDisk) {
        QMessageBox box(QMessageBox::Warning, "VENTAKAR",
                        shown + " a changé sur le disque depuis qu'il est ouvert ici.",
                        QMessageBox::NoButton, this);
        QPushButton* replace = box.addButton("&Remplacer", QMessageBox::DestructiveRole);
        QPushButton* reload = box.addButton("Re&charger", QMessageBox::ActionRole);
        box.addButton("Annuler", QMessageBox::RejectRole);
        box.exec();
        if (box.clickedButton() == reload) {
            tab.onDisk = now;
            model->setTable(CatalogueTable(model->table().rule(), now));
            tab.undo->clear();
            updateTitles();
            return false;
        }
        if (box.clickedButton() != replace) return false;
    }
    const std::string bytes = table.bytes();
    try {
        // The versions before: Helice.txt.1 the last, up to five.
        if (!now.empty() && now != bytes) {
            for (int v = kKeptVersions - 1; v >= 1; --v) {
                const std::string from = path + "." + std::to_string(v);
                if (fileStatus(from).kind != FileKind::Missing)
                    replaceFile(from, path + "." + std::to_string(v + 1));
            }
            writeFileAtomically(path + ".1", now);
        }
        writeFileAtomically(path, bytes);
    } catch (const DataError& error) {
        showOkBox(QMessageBox::Warning,
                  "Le catalogue n'a pas été enregistré : " + std::string(error.what()) +
                      " Le fichier est resté tel qu'il était.",
                  this);
        return false;
    }
    tab.onDisk = bytes;
    if (table.encoding() != model->table().encoding())
        model->setTable(CatalogueTable(table.rule(), bytes));
    tab.undo->setClean();
    statusBar()->showMessage("Enregistré : " + QDir::toNativeSeparators(pathText(path)), 10000);
    emit catalogueSaved(pathText(path));
    updateTitles();
    return true;
}

bool CatalogueWindow::saveAll() {
    for (int t = 0; t < tabCount(); ++t)
        if (!tabs_[t].undo->isClean() && !save(t)) return false;
    return true;
}

void CatalogueWindow::closeEvent(QCloseEvent* event) {
    if (isModified()) {
        const int answer = askToSaveChanges("Enregistrer les modifications des catalogues ?", this);
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !saveAll())) {
            event->ignore();
            return;
        }
    }
    event->accept();
}
