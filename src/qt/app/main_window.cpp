#include "qt/app/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogue/data_error.h"
#include "catalogue/safe_name.h"
#include "catalogue/visible_text.h"
#include "classroom/hand_in.h"
#include "document/atomic_file.h"
#include "document/design_file.h"
#include "files/file_names.h"
#include "qt/app/application_identity.h"
#include "qt/app/catalogue_check_run.h"
#include "qt/app/data_folder.h"
#include "qt/app/program_icon.h"
#include "qt/app/recovery_files.h"
#include "qt/catalogues/catalogue_window.h"
#include "qt/classroom/class_window.h"
#include "qt/classroom/parts_list_dialog.h"
#include "qt/design/design_window.h"
#include "qt/message_box.h"
#include "qt/name_keeping_file_dialog.h"
#include "qt/path_text.h"
#include "qt/recent_menu.h"
#include "qt/system_number_format.h"
#include "qt/user_folders.h"
#include "qt/visible_text_validator.h"
#include "window/twips.h"

namespace {

const char* const kRecentKey = "recentFiles";
const char* const kFolderKey = "lastFolder";
const char* const kFitKey = "view/fitToScreen";
const char* const kDesignFilter = "Conceptions VENTAKAR (*.ventakar)";

std::string local(const QString& path) {
    return pathBytes(path);
}

QString quoted(const QString& text) {
    return "« " + QString::fromStdString(safeName(text.toStdString())) + " »";
}

}  // namespace

MainWindow::MainWindow(bool startWindow, QWidget* parent) : QMainWindow(parent) {
    if (QCoreApplication::organizationName().isEmpty()) setApplicationIdentity();
    setWindowTitle("VENTAKAR");
    const QIcon icon = programIcon();
    QApplication::setWindowIcon(icon);
    setWindowIcon(icon);
    design_ = new DesignWindow(startWindow);
    setCentralWidget(design_);
    if (!design_->isLoaded()) return;

    design_->platform().setDialogParent(this);
    design_->platform().setEndProgramAction([this] {
        ending_ = true;
        design_->session().discardRecovery();
        close();
        // The class views end with the program, without their own question.
        for (ClassWindow* view : findChildren<ClassWindow*>(Qt::FindDirectChildrenOnly)) {
            view->setCloseCheck({});
            view->close();
        }
    });
    // This copy's own recovery file; those of copies that ended abruptly wait for the pupil's
    // answer, and those of running copies are never touched.
    recovery_ = std::make_unique<RecoveryFiles>();
    if (!recovery_->ownFile().isEmpty())
        design_->session().setRecoveryFile(local(recovery_->ownFile()));
    sweepTemporaries();

    buildMenus();
    connect(design_, &DesignWindow::mirrored, this, &MainWindow::updateState);
    updateState();
    // On a screen too small for the window the surface is scaled to fit, unless the pupil chose
    // real size; on a screen large enough both are real size.
    applyView(QSettings().value(kFitKey, true).toBool());
}

double MainWindow::fitScale() const {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown) return 1.0;
    const QSize room =
        shown->availableGeometry().size() - QSize(frame_.width(), frame_.height() + menuBarHeight_);
    const double scale = std::min({1.0, room.width() / double(toPixels(DesignRecord::kClientWidth)),
                                   room.height() / double(toPixels(DesignRecord::kClientHeight))});
    return std::max(scale, 0.3);
}

void MainWindow::chooseView(bool fit) {
    QSettings().setValue(kFitKey, fit);
    applyView(fit);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Once shown, the frame the window manager really gives (a title bar of its own size, the
    // borders of this system and its scale) and the menus as this system's style draws them
    // replace what was assumed: fitted again when they take more room.
    QTimer::singleShot(0, this, [this] {
        if (!design_->isLoaded() || !actionFitScreen_ || !actionFitScreen_->isChecked()) return;
        const QSize real = frameGeometry().size() - geometry().size();
        const int bar = menuBar()->height();
        if (real.width() <= frame_.width() && real.height() <= frame_.height() &&
            bar <= menuBarHeight_)
            return;
        frame_ = frame_.expandedTo(real);
        menuBarHeight_ = std::max(menuBarHeight_, bar);
        applyView(true);
    });
}

void MainWindow::applyView(bool fit) {
    actionFitScreen_->setChecked(fit);
    actionRealSize_->setChecked(!fit);
    design_->setScale(fit ? fitScale() : 1.0);
    // The menu bar comes above the design window's client area, which keeps its size.
    resize(design_->size() + QSize(0, menuBarHeight_));
}

MainWindow::~MainWindow() = default;

bool MainWindow::isLoaded() const {
    return design_->isLoaded();
}

QString MainWindow::recoveryProblem() const {
    return recovery_ ? recovery_->problem() : QString();
}

QString MainWindow::recoveryFilePath() const {
    return recovery_ ? recovery_->ownFile() : QString();
}

void MainWindow::sweepTemporaries() {
    QStringList folders{recovery_->folder(), lastFolder()};
    for (const QString& file : recentFiles()) folders << QFileInfo(file).absolutePath();
    folders.removeDuplicates();
    for (const QString& folder : folders) removeOrphanTemporaries(local(folder));
}

QAction* MainWindow::addAction(QMenu* menu, const char* objectName, const QString& text,
                               const QList<QKeySequence>& shortcuts,
                               const std::function<void()>& run) {
    auto* action = menu->addAction(text);
    action->setObjectName(objectName);
    action->setShortcuts(shortcuts);
    connect(action, &QAction::triggered, this, run);
    return action;
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&Fichier");
    file->setObjectName("menuFile");
    addAction(file, "actionNew", "&Nouvelle conception", {QKeySequence::New},
              [this] { newDesign(); });
    addAction(file, "actionOpen", "&Ouvrir…", {QKeySequence::Open}, [this] { openWithDialog(); });
    recentMenu_ = file->addMenu("Ouvrir un fichier &récent");
    recentMenu_->setObjectName("menuRecent");
    addAction(file, "actionOpenClass", "Ouvrir une c&lasse…", {},
              [this] { openClassWithDialog(); });
    file->addSeparator();
    addAction(file, "actionPupil", "Élè&ve(s) et classe…", {}, [this] { askPupil(); });
    addAction(file, "actionCatalogues", "Ca&talogues…", {}, [this] { openCatalogues(); });
    addAction(file, "actionPartsList", "Liste des &pièces…", {}, [this] { showPartsList(); });
    file->addSeparator();
    actionSave_ =
        addAction(file, "actionSave", "&Enregistrer", {QKeySequence::Save}, [this] { save(); });
    addAction(file, "actionSaveAs", "Enregistrer &sous…",
              {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, [this] { saveAs(); });
    file->addSeparator();
    actionExportPdf_ = addAction(file, "actionExportPdf", "E&xporter le rapport en PDF…", {},
                                 [this] { exportPdf(); });
    actionPrint_ = addAction(file, "actionPrint", "&Imprimer…",
                             {QKeySequence(Qt::CTRL | Qt::Key_P)}, [this] { print(); });
    addAction(file, "actionHandIn", "Ren&dre au professeur…", {QKeySequence(Qt::CTRL | Qt::Key_R)},
              [this] { handIn(); });
    // Beside the menus, always in sight and in no step's place: the button, and the receipt of
    // the last hand-in; no taller than the menus, so that the design keeps its size.
    const int barHeight = menuBar()->sizeHint().height();
    menuBarHeight_ = barHeight;
    auto* corner = new QWidget;
    corner->setFixedHeight(barHeight);
    auto* cornerLayout = new QHBoxLayout(corner);
    cornerLayout->setContentsMargins(0, 0, 4, 0);
    handInReceipt_ = new QLabel;
    handInReceipt_->setObjectName("handInReceipt");
    handInReceipt_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* handInButton = new QToolButton;
    handInButton->setText("Rendre au professeur…");
    handInButton->setAutoRaise(false);
    handInButton->setFixedHeight(barHeight);
    handInButton->setObjectName("handInButton");
    handInButton->setToolTip(
        "Rendre la conception dans le dossier de remise de la classe (Ctrl+R)");
    connect(handInButton, &QToolButton::clicked, this, [this] { handIn(); });
    cornerLayout->addWidget(handInReceipt_);
    cornerLayout->addWidget(handInButton);
    menuBar()->setCornerWidget(corner, Qt::TopRightCorner);
    whyNoPrint_ = new QShortcut(this);
    connect(whyNoPrint_, &QShortcut::activated, this, [this] {
        design_->forward([this] { design_->session().printClicked(design_->printer()); });
    });
    file->addSeparator();
    // Only for a design opened from a class: back to its table.
    actionCloseDesign_ =
        addAction(file, "actionCloseDesign", "&Fermer", {QKeySequence(Qt::CTRL | Qt::Key_W)},
                  [this] { closeClassDesign(); });
    actionCloseDesign_->setVisible(false);
    addAction(file, "actionQuit", "&Quitter", {QKeySequence(Qt::CTRL | Qt::Key_Q)}, [this] {
        quitting_ = true;
        close();
        quitting_ = false;
    });
    rebuildRecentMenu();

    QMenu* edit = menuBar()->addMenu("É&dition");
    edit->setObjectName("menuEdit");
    actionUndo_ = addAction(edit, "actionUndo", "Annuler", {QKeySequence(Qt::CTRL | Qt::Key_Z)},
                            [this] { undo(); });
    actionRedo_ = addAction(
        edit, "actionRedo", "Rétablir",
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        [this] { redo(); });
    edit->addSeparator();
    edit->addAction(design_->compareAction());

    QMenu* design = menuBar()->addMenu("&Conception");
    design->setObjectName("menuDesign");
    addAction(design, "actionWhatToChange", "&Que changer ?", {QKeySequence(Qt::Key_F9)},
              [this] { design_->showFixes(); });

    QMenu* view = menuBar()->addMenu("&Affichage");
    view->setObjectName("menuView");
    auto* sizes = new QActionGroup(this);
    actionRealSize_ =
        addAction(view, "actionRealSize", "&Taille réelle", {}, [this] { chooseView(false); });
    actionFitScreen_ =
        addAction(view, "actionFitScreen", "&Ajuster à l'écran", {}, [this] { chooseView(true); });
    for (QAction* a : {actionRealSize_, actionFitScreen_}) {
        a->setCheckable(true);
        sizes->addAction(a);
    }

    QMenu* help = menuBar()->addMenu("A&ide");
    help->setObjectName("menuHelp");
    addAction(help, "actionCheckCatalogues", "&Vérifier les catalogues…", {},
              [this] { showCatalogueCheck("Data", this); });
    help->addSeparator();
    addAction(help, "actionAbout", "À &propos de VENTAKAR", {QKeySequence(Qt::Key_F1)},
              [this] { about(); });
}

void MainWindow::updateState() {
    DesignSession& session = design_->session();
    const QString path = QString::fromStdString(session.documentPath());
    const QString base = path.isEmpty() ? QString() : QFileInfo(path).fileName();
    // Unmodified, the title is exactly what is shown; the marker is only there when needed.
    const bool modified = session.isModified();
    const QString marker = modified ? "[*]" : "";
    const QString pupil = QString::fromStdString(session.pupil().name);
    // The pupil once: a file named after them (« Chloé - 5e B.ventakar ») already says who.
    const bool named = !pupil.isEmpty() && !QFileInfo(path).completeBaseName().contains(pupil);
    QString title = base.isEmpty() ? (pupil.isEmpty() ? "VENTAKAR" : pupil) + marker
                                   : base + marker + (named ? " — " + pupil : QString());
    if (!base.isEmpty() || !pupil.isEmpty()) title += " — VENTAKAR";
    setWindowTitle(title);
    setWindowModified(modified);
    if (actionCloseDesign_) actionCloseDesign_->setVisible(bool(fromClass_));

    design_->printer().setDesignFile(path);
    QStringList job;
    for (const QString& part : {pupil, QString::fromStdString(session.pupil().className),
                                path.isEmpty() ? QString() : QFileInfo(path).completeBaseName()})
        if (!part.trimmed().isEmpty()) job << part.trimmed();
    design_->printer().setJobTitle(job.join(" — "));
    const bool printable = session.record()["Command1"].enabled;
    actionPrint_->setEnabled(printable);
    // While the menu entry is disabled its keys still answer, with the reason.
    if (whyNoPrint_)
        whyNoPrint_->setKey(printable ? QKeySequence() : QKeySequence(Qt::CTRL | Qt::Key_P));
    actionExportPdf_->setEnabled(printable);
    actionUndo_->setEnabled(session.canUndo());
    actionUndo_->setText(QString::fromStdString(session.undoText()));
    actionRedo_->setEnabled(session.canRedo());
    actionRedo_->setText(QString::fromStdString(session.redoText()));
}

void MainWindow::rebuildRecentMenu() {
    const QStringList files = recentFiles();
    fillRecentMenu(recentMenu_, files, [this](const QString& file) { openRecent(file); });
    if (files.isEmpty()) recentMenu_->addAction("(aucun fichier)")->setEnabled(false);
    recentMenu_->addSeparator();
    QAction* clear = recentMenu_->addAction("&Effacer la liste");
    clear->setObjectName("actionClearRecent");
    clear->setEnabled(!files.isEmpty());
    connect(clear, &QAction::triggered, this, [this] { clearRecent(); });
}

void MainWindow::newDesign() {
    if (!maybeSave()) return;
    fromClass_ = nullptr;  // the pupil's own design from now on
    design_->forward([this] { design_->session().newDesign(); });
}

void MainWindow::openWithDialog() {
    if (!maybeSave()) return;
    const QString file =
        chooseFile(QFileDialog::AcceptOpen, "Ouvrir une conception", kDesignFilter, QString(), {});
    if (!file.isEmpty() && openDesign(file)) {
        fromClass_ = nullptr;
        updateState();
    }
}

void MainWindow::openRecent(const QString& file) {
    if (!maybeSave()) return;
    if (openDesign(file)) {
        fromClass_ = nullptr;
        updateState();
    } else if (!QFileInfo::exists(file)) {
        removeRecent(file);
    }
}

bool MainWindow::openDesign(const QString& file) {
    return openDesignPath(local(QFileInfo(file).absoluteFilePath()));
}

bool MainWindow::openDesignPath(const std::string& path) {
    OpenResult result = OpenResult::Refused;
    design_->forward([&] { result = design_->session().openDesignFile(path); });
    if (result == OpenResult::Opened) addRecent(pathText(path));
    return result == OpenResult::Opened || result == OpenResult::OpenedPartly;
}

bool MainWindow::save() {
    const std::string path = design_->session().documentPath();
    if (path.empty()) return saveAs();
    SaveOutcome outcome = SaveOutcome::Failed;
    design_->forward([&] { outcome = design_->session().saveOver(path); });
    if (outcome == SaveOutcome::SaveElsewhere) return saveAs();
    savedInVisit_ = savedInVisit_ || outcome == SaveOutcome::Saved;
    return outcome == SaveOutcome::Saved;
}

bool MainWindow::saveAs() {
    DesignSession& session = design_->session();
    // The first save of a design nobody has named asks once whose it is.
    if (session.documentPath().empty() && session.pupil().empty() &&
        pupilAskedFor_ != session.state()) {
        pupilAskedFor_ = session.state();
        if (!askPupil()) return false;
    }
    QString proposed = QString::fromStdString(design_->session().documentPath());
    if (proposed.isEmpty()) proposed = QDir(lastFolder()).filePath(proposedDesignName());
    const QString file = chooseFile(QFileDialog::AcceptSave, "Enregistrer la conception",
                                    kDesignFilter, "ventakar", proposed);
    if (file.isEmpty()) return false;
    SaveOutcome outcome = SaveOutcome::Failed;
    design_->forward([&] { outcome = design_->session().saveOver(local(file)); });
    if (outcome == SaveOutcome::SaveElsewhere) return saveAs();
    if (outcome == SaveOutcome::Saved) addRecent(file);
    savedInVisit_ = savedInVisit_ || outcome == SaveOutcome::Saved;
    return outcome == SaveOutcome::Saved;
}

void MainWindow::exportPdf() {
    if (!design_->session().record()["Command1"].enabled) return;
    const QString proposed =
        QDir(lastFolder())
            .filePath(pdfNameFor(QString::fromStdString(design_->session().documentPath())));
    const QString file = chooseFile(QFileDialog::AcceptSave, "Exporter le rapport en PDF",
                                    "Documents PDF (*.pdf)", "pdf", proposed);
    if (file.isEmpty()) return;
    design_->printer().exportNextTo(file);
    print();
    design_->printer().exportNextTo(QString());
}

void MainWindow::print() {
    design_->forward([this] { design_->session().printClicked(design_->printer()); });
}

void MainWindow::handIn() {
    const QString folder = handInFolder();
    if (folder.isEmpty()) {
        showOkBox(QMessageBox::Information,
                  "Aucun dossier de remise n'est réglé pour cet ordinateur : le professeur le "
                  "choisit dans la fenêtre de la classe (Classe → Dossier de remise…), ou "
                  "l'administrateur dans les réglages de l'ordinateur (handInFolder).",
                  this);
        return;
    }
    DesignSession& session = design_->session();
    if (session.pupil().name.empty() || session.pupil().className.empty()) {
        if (!askPupil()) return;
        if (session.pupil().name.empty()) {
            showOkBox(QMessageBox::Information,
                      "La conception n'a pas été rendue : le professeur doit savoir à qui elle "
                      "est ; donnez le nom de l'élève (ou des deux élèves d'un binôme).",
                      this);
            return;
        }
    }
    const std::string question = handInQuestion(session.record());
    if (!question.empty() && !confirmed(QMessageBox::Question, QString::fromStdString(question),
                                        "Rendre quand même", this))
        return;
    try {
        const HandIn done = handInDesign(pathBytes(folder), choicesOf(session.record()),
                                         session.pupil(), QDateTime::currentSecsSinceEpoch());
        const QString receipt = QString::fromStdString(visibleText(handInReceipt(done)));
        // Beside the menus the day and time; the file with them in the tooltip and for a reader.
        handInReceipt_->setText(receipt.section(" : ", 0, 0));
        handInReceipt_->setToolTip(receipt);
        handInReceipt_->setAccessibleName(receipt);
        // The menus make room for the longer corner.
        QWidget* corner = menuBar()->cornerWidget(Qt::TopRightCorner);
        corner->adjustSize();
        menuBar()->setCornerWidget(corner, Qt::TopRightCorner);
        showOkBox(QMessageBox::Information, receipt.toStdString(), this);
    } catch (const DataError& error) {
        showOkBox(QMessageBox::Warning,
                  visibleText(handInFailure(pathBytes(folder), error.reason())) +
                      " Votre conception reste telle qu'elle est ; « Rendre au professeur » "
                      "permet de réessayer.",
                  this);
    }
}

void MainWindow::undo() {
    design_->forward([this] { design_->session().undo(); });
}

void MainWindow::redo() {
    design_->forward([this] { design_->session().redo(); });
}

void MainWindow::about() {
    design_->forward([this] { design_->session().aboutClicked(); });
}

QString MainWindow::proposedDesignName() const {
    const PupilInfo& pupil = design_->session().pupil();
    QStringList parts;
    for (const std::string& part : {pupil.name, pupil.className})
        if (!part.empty()) parts << QString::fromStdString(part);
    const QString name = parts.isEmpty() ? QString("Conception") : parts.join(" - ");
    // A name every system takes: no « / » nor « : », no CON, no dot at the end.
    return QString::fromStdString(portableFileName(name.toStdString())) + ".ventakar";
}

bool MainWindow::askPupil() {
    DesignSession& session = design_->session();
    QDialog dialog(this);
    dialog.setObjectName("pupilDialog");
    dialog.setWindowTitle("Élève(s) et classe");
    auto* name = new QLineEdit(QString::fromStdString(session.pupil().name));
    name->setObjectName("pupilName");
    auto* group = new QLineEdit(QString::fromStdString(session.pupil().className));
    group->setObjectName("pupilClass");
    for (QLineEdit* field : {name, group}) {
        field->setMaxLength(int(kMaxPupilChars));
        field->setValidator(new VisibleTextValidator(field));
    }
    name->setPlaceholderText("un nom, ou deux pour un binôme");
    group->setPlaceholderText("5e B");
    auto* form = new QFormLayout;
    form->addRow("É&lève(s) :", name);
    form->addRow("&Classe :", group);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    buttons->button(QDialogButtonBox::Cancel)->setText("Annuler");
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel("À qui est cette conception ? (les deux peuvent rester vides)"));
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return false;
    session.setPupil({name->text().toStdString(), group->text().toStdString()});
    updateState();
    return true;
}

void MainWindow::showPartsList() {
    DesignSession& session = design_->session();
    const QString file = QString::fromStdString(session.documentPath());
    PartsListDialog dialog(mergeParts({partsOfDesign(session.record(), systemDecimalSeparator())}),
                           "Liste des pièces",
                           file.isEmpty() ? QString("Conception non enregistrée") : file, this);
    dialog.exec();
}

void MainWindow::openClassWithDialog() {
    const QString folder =
        chooseFolder(this, "Ouvrir une classe", "Ouvrir", "Dossier de la classe :", lastFolder());
    if (!folder.isEmpty()) openClass(folder);
}

ClassWindow* MainWindow::openClass(const QString& folder, bool alone) {
    auto* view = new ClassWindow(folder, this);
    view->setWindowFlag(Qt::Window);
    view->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<ClassWindow> guarded = view;
    view->setCloseCheck([this, alone, guarded] {
        // A design of this class still open is saved or given up first.
        if (fromClass_ == guarded && !closeClassDesign()) return false;
        if (alone) {
            // The class view is what the program was started for: closing it ends the program.
            if (!maybeSave()) return false;
            ending_ = true;
            design_->session().discardRecovery();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            return true;
        }
        // Opened from the pupil's window: that window again, if the class had hidden it.
        if (!isVisible()) QTimer::singleShot(0, this, [this] { show(); });
        return true;
    });
    connect(view, &ClassWindow::openDesignRequested, this, [this, guarded](const QByteArray& path) {
        show();
        raise();
        activateWindow();
        if (!maybeSave()) return;
        if (openDesignPath(path.toStdString())) {
            fromClass_ = guarded;
            savedInVisit_ = false;
        }
        updateState();
    });
    view->show();
    return view;
}

CatalogueWindow* MainWindow::openCatalogues(const QString& folder) {
    // One editor at a time: two would each save over the other's work.
    if (auto* open = findChild<CatalogueWindow*>(QString(), Qt::FindDirectChildrenOnly)) {
        open->raise();
        open->activateWindow();
        return open;
    }
    auto* editor =
        new CatalogueWindow(folder.isEmpty() ? QDir("Data").absolutePath() : folder, this);
    editor->setWindowFlag(Qt::Window);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    // A save of the catalogues this window reads: the design is replayed on them, once for
    // every file saved together.
    auto* reload = new QTimer(editor);
    reload->setSingleShot(true);
    reload->setInterval(0);
    connect(reload, &QTimer::timeout, this,
            [this] { design_->forward([this] { design_->session().reloadCatalogues(); }); });
    connect(editor, &CatalogueWindow::catalogueSaved, this, [reload](const QString& file) {
        if (QFileInfo(file).absoluteDir().canonicalPath() == QDir("Data").canonicalPath())
            reload->start();
    });
    editor->show();
    return editor;
}

ClassWindow* MainWindow::designClass() const {
    return fromClass_;
}

bool MainWindow::closeClassDesign() {
    if (!fromClass_) return false;
    if (!maybeSave()) return false;
    ClassWindow* view = fromClass_;
    fromClass_ = nullptr;
    // The next design opened starts from nothing: this one is saved or given up.
    design_->forward([this] { design_->session().newDesign(); });
    updateState();
    hide();
    view->raise();
    view->activateWindow();
    if (savedInVisit_) view->refresh();  // the pupil's row as now saved
    savedInVisit_ = false;
    return true;
}

void MainWindow::clearRecent() {
    QSettings().remove(kRecentKey);
    rebuildRecentMenu();
}

bool MainWindow::maybeSave() {
    if (!design_->session().isModified()) return true;
    switch (askToSaveChanges("Enregistrer les modifications de votre conception ?", this)) {
        case QMessageBox::Save:
            return save();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

void MainWindow::resumeAfterStart(const QStringList& files) {
    if (!isLoaded()) return;
    // Without a safety net the pupil is told once, and can still save and quit.
    if (!recovery_->problem().isEmpty()) {
        design_->platform().showWarning(
            ("Votre conception n'aura pas de copie de secours : " + recovery_->problem() +
             "\nSi VENTAKAR s'arrête brusquement, ce qui n'est pas enregistré sera perdu : "
             "enregistrez souvent avec Fichier → Enregistrer (Ctrl+S).")
                .toStdString());
    }
    offerRecovery();
    if (!files.isEmpty() && maybeSave()) openDesign(files.first());
}

void MainWindow::offerRecovery() {
    // Newest first; once one is taken back the others wait for the next start.
    for (RecoveryFiles::Orphan& orphan : recovery_->orphans()) {
        if (orphan.file.isEmpty()) continue;
        const bool opened = offerRecoveryOf(orphan.file, orphan.modified);
        recovery_->release(orphan, true);
        if (opened) break;
    }
    for (RecoveryFiles::Orphan& orphan : recovery_->orphans()) recovery_->release(orphan, false);
}

bool MainWindow::offerRecoveryOf(const QString& path, const QDateTime& modified) {
    DesignSession& session = design_->session();
    DesignDocument left;
    try {
        left = readDesignDocument(readDesignBytes(local(path)), local(path));
    } catch (const DataError& error) {
        // Set aside, not deleted: the teacher may still want to look at it.
        const QString aside =
            path + ".endommage-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
        const bool moved = QFile::rename(path, aside);
        const QString text =
            "La conception retrouvée après l'arrêt de VENTAKAR ne peut pas être reprise : " +
            QString::fromStdString(error.reason()) +
            (moved ? "\n\nLe fichier a été mis de côté sous le nom " + quoted(aside) + "."
                   : QString()) +
            "\n\nVENTAKAR continue avec une nouvelle conception.";
        showOkBox(QMessageBox::Warning, text.toStdString(), this);
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    const QString document = QString::fromStdString(left.recovery.document);
    const QString when = QLocale(QLocale::French).toString(modified, "dd/MM/yyyy 'à' HH:mm");
    const QString detail =
        (document.isEmpty() ? QString("Conception jamais enregistrée")
                            : "Conception " + quoted(QFileInfo(document).fileName())) +
        ", modifiée le " + when + ".";
    QMessageBox question(QMessageBox::Question, "VENTAKAR",
                         "VENTAKAR s'est arrêté sans que votre dernière conception soit "
                         "enregistrée. Voulez-vous la retrouver ?",
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setInformativeText(detail);
    question.button(QMessageBox::Yes)->setText("Oui");
    question.button(QMessageBox::No)->setText("Non");
    question.setDefaultButton(QMessageBox::Yes);
    if (question.exec() != QMessageBox::Yes) return false;
    OpenResult result = OpenResult::Refused;
    design_->forward([&] { result = session.openDesignFile(local(path), true); });
    return result == OpenResult::Opened || result == OpenResult::OpenedPartly;
}

QString MainWindow::chooseFile(QFileDialog::AcceptMode mode, const QString& title,
                               const QString& filter, const QString& suffix,
                               const QString& proposed) {
    NameKeepingFileDialog dialog(this, title);
    frenchFileDialog(dialog, mode == QFileDialog::AcceptOpen ? "Ouvrir" : "Enregistrer");
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters({filter, "Tous les fichiers (*)"});
    dialog.setDefaultSuffix(suffix);
    // The folder shown is one that exists, and the name field holds a name only.
    QString folder = lastFolder();
    if (!proposed.isEmpty() && QFileInfo(QFileInfo(proposed).absolutePath()).isDir())
        folder = QFileInfo(proposed).absolutePath();
    dialog.setDirectory(folder);
    if (!proposed.isEmpty()) dialog.selectFile(QFileInfo(proposed).fileName());
    if (dialog.exec() != QDialog::Accepted) return {};
    const QString file = dialog.chosenFile();
    if (file.isEmpty()) return {};
    rememberFolder(file);
    return file;
}

QString MainWindow::lastFolder() const {
    const QString folder = QSettings().value(kFolderKey).toString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) return QFileInfo(folder).absoluteFilePath();
    return proposedFolder();
}

void MainWindow::rememberFolder(const QString& file) {
    QSettings().setValue(kFolderKey, QFileInfo(file).absolutePath());
}

QStringList MainWindow::recentFiles() const {
    QStringList files = QSettings().value(kRecentKey).toStringList();
    files.removeAll(QString());
    return files.mid(0, kMaxRecentFiles);
}

void MainWindow::addRecent(const QString& file) {
    const QString absolute = QFileInfo(file).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    QSettings().setValue(kRecentKey, files.mid(0, kMaxRecentFiles));
    rebuildRecentMenu();
}

void MainWindow::removeRecent(const QString& file) {
    QStringList files = recentFiles();
    files.removeAll(file);
    QSettings().setValue(kRecentKey, files);
    rebuildRecentMenu();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (ending_ || !isLoaded()) {
        event->accept();
        return;
    }
    // A design of a class: its window's close button comes back to the table.
    if (fromClass_ && !quitting_) {
        event->ignore();
        closeClassDesign();
        return;
    }
    design_->forward([this] { design_->session().quitClicked([this] { return save(); }); });
    // On Yes the window closes with this very event: a close asked from inside it is refused.
    event->setAccepted(ending_);
}
