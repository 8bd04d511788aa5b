#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <vector>

// The recovery files of this account: one per running copy of VENTAKAR, each held by a lock for
// its copy's whole life, so that no copy ever offers, opens or removes another running copy's
// file. Those left by copies that ended abruptly are claimed (locked) by the copy that offers them.
class RecoveryFiles {
  public:
    // A recovery file whose copy is gone, locked by this copy while it is offered.
    struct Orphan {
        QString file;
        QDateTime modified;
        std::unique_ptr<QLockFile> lock;
    };

    // Claims a new file for this copy in folder (made if missing) and every orphan found there.
    explicit RecoveryFiles(const QString& folder = defaultFolder());
    ~RecoveryFiles();

    static QString defaultFolder();
    const QString& folder() const { return folder_; }
    // Where this copy keeps its design after every change.
    const QString& ownFile() const { return ownFile_; }
    // The orphans not yet dealt with, newest first.
    std::vector<Orphan>& orphans() { return orphans_; }
    // Why this copy has no recovery file (the folder missing, a file, not writable, the disk
    // full), in French; empty when it has one.
    const QString& problem() const { return problem_; }
    // Done with an orphan: its file removed or kept for the next start, its lock let go.
    void release(Orphan& orphan, bool removeFile);

  private:
    QString folder_;
    QString ownFile_;
    QString problem_;
    std::unique_ptr<QLockFile> ownLock_;
    std::vector<Orphan> orphans_;
};
