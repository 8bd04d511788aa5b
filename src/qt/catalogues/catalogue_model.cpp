#include "qt/catalogues/catalogue_model.h"

#include <QBrush>
#include <QColor>
#include <QStringList>
#include <algorithm>
#include <utility>

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The check's caption with its unit as the window writes it: « Prix HT (€) ».
QString headingOf(const std::string& caption) {
    return qs(caption).replace("(Euros)", "(€)");
}

}  // namespace

CatalogueModel::CatalogueModel(const FileRule& rule, std::string bytes, std::string folder,
                               QObject* parent, PictureProbe probe)
    : QAbstractTableModel(parent),
      table_(rule, bytes),
      folder_(std::move(folder)),
      probe_(std::move(probe)) {
    recheck();
}

int CatalogueModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.rowCount();
}

int CatalogueModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.columnCount();
}

QString CatalogueModel::problemsOf(int row, int column) const {
    const auto it = cellProblems_.find({row, column});
    if (it == cellProblems_.end()) return {};
    QStringList lines;
    for (const CheckProblem& p : it->second)
        lines << (p.severity == CheckProblem::Severity::Error ? "Erreur : " : "Avertissement : ") +
                     qs(p.text);
    return lines.join('\n');
}

QVariant CatalogueModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int r = index.row(), c = index.column();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return qs(table_.cell(r, c));
        case Qt::ToolTipRole: {
            const QString problems = problemsOf(r, c);
            return problems.isEmpty() ? QVariant() : QVariant(problems);
        }
        case Qt::AccessibleDescriptionRole: {
            // The screen reader says the field and its problems with the value.
            const QString problems = problemsOf(r, c);
            return headingOf(table_.heading(c)) + (problems.isEmpty() ? "" : " ; " + problems);
        }
        case Qt::BackgroundRole: {
            const auto it = cellProblems_.find({r, c});
            if (it == cellProblems_.end()) return {};
            const bool error = std::any_of(
                it->second.begin(), it->second.end(),
                [](const CheckProblem& p) { return p.severity == CheckProblem::Severity::Error; });
            return QBrush(error ? QColor(250, 196, 196) : QColor(250, 232, 170));
        }
        case Qt::ForegroundRole:
            return cellProblems_.count({r, c}) ? QBrush(Qt::black) : QVariant();
        default:
            return {};
    }
}

QVariant CatalogueModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;  // the file's line
    if (section < 0 || section >= columnCount()) return {};
    return headingOf(table_.heading(section));
}

Qt::ItemFlags CatalogueModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool CatalogueModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    if (value.toString().toStdString() == table_.cell(index.row(), index.column())) return false;
    CatalogueTable edited = table_;
    const CatalogueTable::Edit edit =
        edited.setCell(index.row(), index.column(), value.toString().toStdString());
    if (!edit.accepted) {
        emit refused(headingOf(table_.heading(index.column())) + " : " + qs(edit.refusal));
        return false;
    }
    CatalogueTable before = std::exchange(table_, std::move(edited));
    recheck();
    emit changed(before, "Modifier « " + headingOf(table_.heading(index.column())) + " »");
    emit cellEdited(index.row(), index.column(), qs(before.cell(index.row(), index.column())),
                    qs(table_.cell(index.row(), index.column())));
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

void CatalogueModel::setTable(CatalogueTable table) {
    beginResetModel();
    table_ = std::move(table);
    recheck();
    endResetModel();
}

CatalogueModel::~CatalogueModel() {
    if (worker_.joinable()) worker_.join();
}

void CatalogueModel::recheck() {
    if (table_.rowCount() <= kCheckedAtOnce) {
        if (worker_.joinable()) finishCheck();
        show(checkFileReport(folder_, table_.rule(), table_.bytes(), probe_));
        return;
    }
    if (worker_.joinable()) {
        again_ = true;
        return;
    }
    startCheck();
}

void CatalogueModel::startCheck() {
    again_ = false;
    // The table as it stands now: a copy shares its rows, and the edits after it copy theirs.
    worker_ = std::thread([this, table = table_, folder = folder_, probe = probe_] {
        CheckReport problems = checkFileReport(folder, table.rule(), table.bytes(), probe);
        {
            const std::lock_guard<std::mutex> lock(doneMutex_);
            done_ = std::move(problems);
        }
        QMetaObject::invokeMethod(
            this, [this] { collect(); }, Qt::QueuedConnection);
    });
}

void CatalogueModel::collect() {
    std::optional<CheckReport> problems;
    {
        const std::lock_guard<std::mutex> lock(doneMutex_);
        problems.swap(done_);
    }
    if (!problems) return;  // collected already
    if (worker_.joinable()) worker_.join();
    if (again_) {
        startCheck();  // the problems of a table that is no longer the one shown: not shown
        return;
    }
    show(*problems);
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void CatalogueModel::finishCheck() {
    while (worker_.joinable()) {
        worker_.join();
        collect();
    }
}

void CatalogueModel::show(const CheckReport& report) {
    cellProblems_.clear();
    fileProblems_.clear();
    errors_ = warnings_ = cellProblemCount_ = 0;
    for (const CheckProblem& p : report.problems) {
        ++(p.severity == CheckProblem::Severity::Error ? errors_ : warnings_);
        int column = -1;
        for (int c = 0; c < table_.columnCount(); ++c)
            if (table_.heading(c) == p.field) column = c;
        // The check numbers the file's lines; the table has a row a line.
        const int row = p.line - 1;
        if (row >= 0 && row < table_.rowCount() && column >= 0) {
            cellProblems_[{row, column}].push_back(p);
            ++cellProblemCount_;
        } else {
            fileProblems_.push_back(p);
        }
    }
    // Beyond those the check lists: counted, and said once the ones shown are mended.
    for (const CheckedFile& f : report.files) {
        errors_ += f.moreErrors;
        warnings_ += f.moreWarnings;
        const long long more = static_cast<long long>(f.moreErrors) + f.moreWarnings;
        if (more > 0)
            fileProblems_.push_back(
                {f.file, 0, 0, "",
                 f.moreErrors ? CheckProblem::Severity::Error : CheckProblem::Severity::Warning,
                 "… et " + std::to_string(more) +
                     " autres problèmes, sans couleur : corrigez ceux en couleur, la vérification "
                     "montre ensuite les suivants."});
    }
    emit checked();
}
