#include "qt/app/recovery_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <algorithm>
#include <cerrno>
#include <limits>

#include "document/atomic_file.h"
#include "files/file_system.h"
#include "qt/path_text.h"

namespace {

QString lockOf(const QString& file) {
    return file + ".lock";
}

// Null when not claimed; heldElsewhere then says whether a running copy holds it (rather than the
// lock file not being writable at all).
std::unique_ptr<QLockFile> claim(const QString& file, bool* heldElsewhere = nullptr) {
    auto lock = std::make_unique<QLockFile>(lockOf(file));
    // Held for a copy's whole life: only a copy that is no longer running lets it go stale.
    lock->setStaleLockTime(0);
    const bool taken = lock->tryLock(0);
    if (heldElsewhere) {
        *heldElsewhere = !taken && lock->error() == QLockFile::LockFailedError;
        // A stale lock is only removed when its removal can itself be locked: not on a full
        // disk. Its copy ended all the same when its process is gone from this machine.
        qint64 pid = 0;
        QString host, application;
        if (*heldElsewhere && lock->getLockInfo(&pid, &host, &application) && pid > 0 &&
            pid <= std::numeric_limits<int>::max() && host == QSysInfo::machineHostName() &&
            !processRunning(int(pid)))
            *heldElsewhere = false;
    }
    if (!taken) return nullptr;
    return lock;
}

// Why nothing can be kept in folder, found by trying: the system's own reason, in French.
QString whyNotWritable(const QString& folder) {
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return "« " + folder + " » est un fichier et non un dossier.";
    if (!info.exists()) {
        // A folder that could not be made: why, from the nearest folder that exists.
        QString missing = QFileInfo(folder).absoluteFilePath();
        while (!QFileInfo(QFileInfo(missing).absolutePath()).exists() &&
               QFileInfo(missing).absolutePath() != missing)
            missing = QFileInfo(missing).absolutePath();
        const std::string made = pathBytes(missing);
        int error = makeFolder(made);
        if (error == 0) removeFolder(made);
        if (error == 0) error = ENOENT;
        return QString::fromStdString(fileErrorReason(error)) + " (dossier « " + folder + " »).";
    }
    const std::string probe = pathBytes(
        QDir(folder).filePath(".essai-" + QString::number(QCoreApplication::applicationPid())));
    int error = 0;
    SystemFile file = createNewFile(probe, &error);
    if (file.isOpen()) {
        if (!file.writeAll("x", &error) || !file.flushToDisk(&error))
            error = error ? error : ENOSPC;
        file.close(&error);
        removeFileNamed(probe);
    }
    const std::string reason = fileErrorReason(error ? error : EIO);
    return QString::fromStdString(reason) + " (dossier « " + folder + " »).";
}

}  // namespace

QString RecoveryFiles::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

RecoveryFiles::RecoveryFiles(const QString& folder) : folder_(folder) {
    QDir dir(folder_);
    dir.mkpath(".");
    // Orphans first, so that this copy's own file is never among them.
    const QFileInfoList found = dir.entryInfoList(
        {"recuperation*.ventakar"}, QDir::Files | QDir::System | QDir::Hidden, QDir::Time);
    for (const QFileInfo& info : found) {
        if (info.fileName().startsWith('.')) continue;
        if (!info.isFile() || info.isSymLink()) {
            // A pipe, a device or a link under a recovery file's name: never opened, set aside.
            QFile::rename(info.absoluteFilePath(), info.absoluteFilePath() + ".mis-de-cote");
            continue;
        }
        // Held by a running copy: not ours to offer. A lock that cannot even be written (a full
        // disk) says nothing of a copy: the file is offered all the same.
        bool heldElsewhere = false;
        auto lock = claim(info.absoluteFilePath(), &heldElsewhere);
        if (heldElsewhere) continue;
        orphans_.push_back({info.absoluteFilePath(), info.lastModified(), std::move(lock)});
    }
    // The lock of a copy killed before it had anything to keep: nothing to offer, only to remove.
    for (const QFileInfo& info : dir.entryInfoList({"recuperation*.ventakar.lock"}, QDir::Files)) {
        const QString file = info.absoluteFilePath().chopped(5);
        if (!QFileInfo::exists(file)) claim(file);  // taken if stale, and let go at once
    }
    std::stable_sort(orphans_.begin(), orphans_.end(),
                     [](const Orphan& a, const Orphan& b) { return a.modified > b.modified; });
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
    for (int n = 0; n < 100; ++n) {
        const QString name = QString("recuperation-%1-%2%3.ventakar")
                                 .arg(stamp)
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(n ? "-" + QString::number(n) : QString());
        const QString file = dir.absoluteFilePath(name);
        if (QFileInfo::exists(file)) continue;
        ownLock_ = claim(file);
        if (!ownLock_) continue;
        ownFile_ = file;
        break;
    }
    if (ownFile_.isEmpty()) problem_ = whyNotWritable(folder_);
}

RecoveryFiles::~RecoveryFiles() {
    for (Orphan& orphan : orphans_) release(orphan, false);
}

void RecoveryFiles::release(Orphan& orphan, bool removeFile) {
    if (orphan.file.isEmpty()) return;
    if (removeFile) QFile::remove(orphan.file);
    orphan.lock.reset();  // unlocks, removing the lock file
    orphan.file.clear();
}
