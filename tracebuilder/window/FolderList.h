#pragma once
// A folder list as the folder dialog shows it: the folders from the root down to the folder
// shown, then that folder's subfolders. Activating an entry (double click, Enter) opens it.

#include <QListWidget>

class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    // Shows `folder` (a full path); folderChanged when it differs from the folder shown.
    void SetFolder(const QString& folder);
    const QString& Folder() const { return folder_; }
    // Reads the subfolders again; the folder shown stays.
    void Rebuild();
    // The highlighted entry becomes the folder shown.
    void OpenCurrent();
    // Highlights the entry of `path`, when the list shows it.
    void Highlight(const QString& path);
    // The folder of the highlighted entry, the folder shown when none is.
    QString Highlighted() const;

signals:
    void folderChanged();

private:
    void AddEntry(const QString& path, const QString& name, int level, bool open);

    QString folder_;
};
