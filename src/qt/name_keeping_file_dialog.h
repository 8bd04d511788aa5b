#pragma once

#include <QFileDialog>

// A save dialog that keeps the name as typed: the toolkit's dialog reads a name holding double
// quotes as a list of names and saves under another one, and answers a name too long for the
// file system with nothing. Here the first is saved as typed and the second is told.
class NameKeepingFileDialog : public QFileDialog {
    Q_OBJECT
  public:
    using QFileDialog::QFileDialog;

    // The file chosen: the name as typed when this dialog took it itself.
    QString chosenFile() const;

    // The longest file name, in bytes, most file systems take.
    static constexpr int kMaxNameBytes = 255;

  public slots:
    void accept() override;

  private:
    QString typed_;
};

// A folder chosen in that dialog, from start (the dialog's own choice when empty); empty when
// cancelled.
QString chooseFolder(QWidget* parent, const QString& title, const QString& acceptText,
                     const QString& nameLabel, const QString& start = {});

// The toolkit's own dialog, not the desktop's, with its labels in French.
void frenchFileDialog(QFileDialog& dialog, const QString& acceptText,
                      const QString& nameLabel = "Nom du fichier :");
