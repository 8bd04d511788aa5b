#include "qt/catalogues/catalogue_window.h"

#include <QAction>
#include <QBuffer>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
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

// One change of a table: the rows it took out and put in, put back in place by undo and redo.
class TableChange : public QUndoCommand {
  public:
    TableChange(CatalogueModel* model, const CatalogueTable& before, const QString& what)
        : QUndoCommand(what),
          model_(model),
          splice_(CatalogueTable::difference(before, model->table())) {}
    void undo() override { step(false); }
    void redo() override {
        if (first_) {
            first_ = false;  // done already, by the edit itself
            return;
        }
        step(true);
    }

  private:
    void step(bool forward) {
        CatalogueTable table = model_->table();
        table.apply(splice_, forward);
        model_->setTable(std::move(table));
    }

    CatalogueModel* model_;
    CatalogueTable::Splice splice_;
    bool first_ = true;
};

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Every picture the record at row names, field by field.
std::vector<NamedPicture> picturesOf(const CatalogueTable& table, int row) {
    std::vector<NamedPicture> pictures;
    if (row < 0 || row >= table.rowCount()) return pictures;
    for (int c = 0; c < table.columnCount(); ++c) {
        for (NamedPicture& p :
             picturesNamedBy(table.rule(), table.rule().fields[c], table.cell(row, c)))
            pictures.push_back(std::move(p));
    }
    return pictures;
}

bool namedBy(const CatalogueTable& table, const QString& file) {
    for (int r = 0; r < table.rowCount(); ++r) {
        for (const NamedPicture& p : picturesOf(table, r))
            if (qs(p.file) == file) return true;
    }
    return false;
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
    if (!tabs_.empty()) {
        undoGroup_->setActiveStack(tabs_[0].undo);
        tabs_[0].view->setFocus();  // the keyboard in the first table
    }
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
    // A picture renamed with its designation counts as there before the save that renames it.
    tab.model = new CatalogueModel(
        ruleOf(file), tab.onDisk, pathBytes(folder_), this,
        [folder = folder_, renames = tab.renames](const std::string& path) {
            const QString name = QFileInfo(pathText(path)).fileName();
            return probeFileExists(pathBytes(picturePath(folder, *renames, name)));
        });
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
    // The table, and beside it the pictures of its current record.
    auto* page = new QSplitter;
    page->setObjectName(QString("cataloguePage-%1").arg(file));
    page->addWidget(tab.view);
    tab.panel = new QWidget;
    tab.panel->setObjectName(QString("cataloguePictures-%1").arg(file));
    tab.panel->setMinimumWidth(220);
    new QVBoxLayout(tab.panel);
    // Scrolled when taller than the window: the pictures never make it grow.
    auto* scroll = new QScrollArea;
    scroll->setWidget(tab.panel);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(tab.panel->minimumWidth() + 24);
    page->addWidget(scroll);
    page->setSizes({800, 280});
    page->setStretchFactor(0, 1);
    const FileRule& rule = ruleOf(file);
    scroll->setVisible(std::any_of(rule.fields.begin(), rule.fields.end(), [&](const auto& f) {
        return !picturesNamedBy(rule, f, "x").empty();
    }));
    tabWidget_->addTab(page, title);
    const int index = tabCount();
    tabs_.push_back(std::move(tab));
    connect(tabs_[index].view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, index] { showPictures(index); });
    connect(model, &CatalogueModel::checked, this, [this, index] { showPictures(index); });
    // The keyboard starts on the first record, its pictures beside it.
    if (model->rowCount() > 0)
        tabs_[index].view->selectionModel()->setCurrentIndex(model->index(0, 0),
                                                             QItemSelectionModel::NoUpdate);
    connect(model, &CatalogueModel::cellEdited, this,
            [this, index](int, int column, const QString& before, const QString& after) {
                offerRename(index, column, before, after);
            });
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
    const int cells = tab.model->cellProblemCount();
    if (cells > 0)
        lines << QString("%1 problème(s) sur les cellules en couleur : le détail dans leur bulle.")
                     .arg(cells);
    if (tab.model->checking())
        lines.prepend(QString("Vérification de « %1 » en cours…").arg(tab.file));
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
        // The renamed pictures under their new names there too.
        for (Tab& tab : tabs_) {
            const std::lock_guard<std::mutex> lock(tab.renames->mutex);
            for (const auto& [from, to2] : tab.renames->list) {
                const QString copy = QDir(to).filePath(to2);
                if (!QFileInfo::exists(copy) && QFileInfo::exists(QDir(folder_).filePath(from)))
                    writeFileAtomically(pathBytes(copy),
                                        readFileBytes(pathBytes(QDir(folder_).filePath(from))));
            }
            tab.renames->list.clear();
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
    model->finishCheck();  // the problems of what is saved, not of the table before
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
    applyRenames(tab);
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

QString CatalogueWindow::picturePath(const Tab& tab, const QString& file) const {
    return picturePath(folder_, *tab.renames, file);
}

QString CatalogueWindow::picturePath(const QString& folder, Tab::Renames& renames,
                                     const QString& file) {
    const QString path = QDir(folder).filePath(file);
    const std::lock_guard<std::mutex> lock(renames.mutex);
    if (renames.list.empty() || QFileInfo::exists(path)) return path;
    for (auto it = renames.list.rbegin(); it != renames.list.rend(); ++it)
        if (it->second == file) return QDir(folder).filePath(it->first);
    return path;
}

void CatalogueWindow::showPictures(int t) {
    Tab& tab = tabs_[t];
    QLayout* layout = tab.panel->layout();
    while (QLayoutItem* item = layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const int row = tab.view->currentIndex().row();
    const std::vector<NamedPicture> pictures = picturesOf(tab.model->table(), row);
    if (pictures.empty()) {
        auto* none = new QLabel(row < 0 ? "Choisissez un enregistrement pour voir ses images."
                                        : "Cet enregistrement ne nomme aucune image.");
        none->setWordWrap(true);
        layout->addWidget(none);
    }
    for (int k = 0; k < int(pictures.size()); ++k) {
        const QString file = qs(pictures[k].file);
        const QString what = pictures[k].what;
        const QString path = picturePath(tab, file);
        auto* caption = new QLabel(what + " : « " + file + " »");
        caption->setWordWrap(true);
        auto* image = new QLabel;
        image->setObjectName(QString("picture%1").arg(k));
        image->setMinimumSize(200, 150);
        image->setAlignment(Qt::AlignCenter);
        image->setFrameShape(QFrame::StyledPanel);
        QImageReader reader(path);
        reader.setAutoTransform(true);
        const QImage shown = reader.read();
        const QString state =
            shown.isNull() ? (QFileInfo::exists(path) ? "illisible" : "introuvable") : QString();
        if (shown.isNull()) {
            image->setText("Image " + state);
        } else {
            image->setPixmap(QPixmap::fromImage(
                shown.scaled(240, 180, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        }
        image->setAccessibleName(what + " : " + file + (state.isEmpty() ? "" : " (" + state + ")"));
        auto* choose = new QPushButton(k == 0 ? "C&hoisir l'image…" : "Choisir l'image…");
        choose->setObjectName(QString("choosePicture%1").arg(k));
        choose->setAccessibleName("Choisir l'image : " + what);
        choose->setEnabled(!readOnly_);
        choose->setToolTip(readOnly_
                               ? "Le dossier est en lecture seule."
                               : "Une image JPEG, GIF ou PNG, rangée sous le nom « " + file + " »");
        connect(choose, &QPushButton::clicked, this, [this, t, row, k] {
            const QString source = QFileDialog::getOpenFileName(
                this, "Choisir l'image", QString(), "Images (*.jpg *.jpeg *.gif *.png)");
            if (!source.isEmpty()) setPicture(t, row, k, source);
        });
        layout->addWidget(caption);
        layout->addWidget(image);
        layout->addWidget(choose);
    }
    static_cast<QVBoxLayout*>(layout)->addStretch(1);
}

bool CatalogueWindow::setPicture(int t, int row, int picture, const QString& source) {
    Tab& tab = tabs_[t];
    const std::vector<NamedPicture> pictures = picturesOf(tab.model->table(), row);
    if (picture < 0 || picture >= int(pictures.size())) return false;
    const QString file = qs(pictures[picture].file);
    const auto refuse = [this](const QString& why) {
        showOkBox(QMessageBox::Warning, ("L'image n'a pas été enregistrée : " + why).toStdString(),
                  this);
        return false;
    };
    if (readOnly_) return refuse("le dossier des catalogues est en lecture seule.");
    const QString shown = "« " + QDir::toNativeSeparators(source) + " »";
    // Read whole and closed before anything is written: the source may be the very picture it
    // replaces, which Windows does not let be replaced while it is open.
    QByteArray raw;
    {
        QFile in(source);
        if (!in.open(QIODevice::ReadOnly)) return refuse(shown + " ne peut pas être lu.");
        raw = in.readAll();
    }
    QBuffer rawBuffer(&raw);
    QImageReader reader(&rawBuffer);
    const QByteArray format = reader.format();
    if (format != "jpeg" && format != "gif" && format != "png")
        return refuse(shown + " n'est pas une image JPEG, GIF ou PNG.");
    const bool drawing = file.endsWith(".gif", Qt::CaseInsensitive);
    QByteArray bytes;
    if ((drawing && format == "gif") || (!drawing && format == "jpeg")) {
        bytes = raw;
    } else if (drawing) {
        return refuse("« " + file + " » est un dessin GIF, et " + shown +
                      " n'en est pas un ; VENTAKAR n'écrit pas ce format : enregistrez d'abord "
                      "l'image en GIF avec un logiciel de dessin.");
    } else {
        // A PNG or a GIF as the JPEG photo the window shows, on white where it was transparent.
        const QImage read = reader.read();
        if (read.isNull())
            return refuse(shown + " ne peut pas être décodée (" + reader.errorString() + ").");
        QImage flat(read.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, read);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!flat.save(&buffer, "JPEG", 90)) return refuse("la conversion en JPEG a échoué.");
    }
    const QString target = QDir(folder_).filePath(file);
    if (QFileInfo::exists(target) &&
        !confirmed(QMessageBox::Question, "Remplacer l'image « " + file + " » du dossier ?",
                   "Remplacer", this))
        return false;
    try {
        writeFileAtomically(pathBytes(target), bytes.toStdString());
    } catch (const DataError& error) {
        return refuse(qs(error.what()));
    }
    tab.model->recheck();
    statusBar()->showMessage("Image enregistrée : " + QDir::toNativeSeparators(target), 10000);
    return true;
}

void CatalogueWindow::offerRename(int t, int column, const QString& before, const QString& after) {
    Tab& tab = tabs_[t];
    if (readOnly_) return;
    const CatalogueTable& table = tab.model->table();
    const FieldRule& field = table.rule().fields[column];
    const std::vector<NamedPicture> was =
        picturesNamedBy(table.rule(), field, before.toStdString());
    const std::vector<NamedPicture> now = picturesNamedBy(table.rule(), field, after.toStdString());
    if (was.size() != now.size()) return;
    bool renamed = false;
    for (std::size_t i = 0; i < was.size(); ++i) {
        const QString from = qs(was[i].file), to = qs(now[i].file);
        // Only a picture that is there, that no other record still needs, to a free name.
        if (from == to || !QFileInfo::exists(picturePath(tab, from)) || namedBy(table, from) ||
            QFileInfo::exists(QDir(folder_).filePath(to)))
            continue;
        if (!confirmed(QMessageBox::Question,
                       "Renommer aussi l'image « " + from + " » en « " + to +
                           " » ? Elle le sera à l'enregistrement du catalogue.",
                       "Renommer", this))
            continue;
        QString source = from;
        if (!QFileInfo::exists(QDir(folder_).filePath(from)))
            source = QFileInfo(picturePath(tab, from)).fileName();
        {
            const std::lock_guard<std::mutex> lock(tab.renames->mutex);
            tab.renames->list.emplace_back(source, to);
        }
        renamed = true;
    }
    if (renamed) tab.model->recheck();
}

void CatalogueWindow::applyRenames(Tab& tab) {
    QStringList failed;
    const CatalogueTable& table = tab.model->table();
    tab.model->finishCheck();
    std::vector<std::pair<QString, QString>> renames;
    {
        const std::lock_guard<std::mutex> lock(tab.renames->mutex);
        renames.swap(tab.renames->list);
    }
    for (const auto& [from, to] : renames) {
        const QString fromPath = QDir(folder_).filePath(from), toPath = QDir(folder_).filePath(to);
        // Undone since, or done by somebody else: nothing to do.
        if (!namedBy(table, to) || namedBy(table, from) || QFileInfo::exists(toPath) ||
            !QFileInfo::exists(fromPath))
            continue;
        if (!QFile::rename(fromPath, toPath)) failed << "« " + from + " »";
    }
    tab.model->recheck();
    if (!failed.isEmpty())
        showOkBox(QMessageBox::Warning,
                  ("Le catalogue est enregistré, mais ces images n'ont pas pu être renommées : " +
                   failed.join(", ") + ".")
                      .toStdString(),
                  this);
}
