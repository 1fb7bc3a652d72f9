#pragma once
// The drive box and the folder tree of the first tab. The tree shows folders only, with the
// chosen drive's root as its top node; the selected folder is what the catalogue lists. The
// process's current folder is never changed.

#include <QList>
#include <QObject>
#include <QString>

#include "DriveList.h"

class QComboBox;
class QFileSystemModel;
class QTreeView;
class RootBranchModel;

class FolderNavigator : public QObject {
    Q_OBJECT
public:
    // Fills the drive box, shows the drive that holds `startFolder` and selects that folder.
    FolderNavigator(QComboBox* driveBox, QTreeView* tree, const QList<DriveEntry>& drives,
                    const QString& startFolder);

    // The selected folder, a full path.
    const QString& Folder() const { return folder_; }
    // Moves the tree to drive `index` and selects its root; false when the tree shows it already.
    bool SetDrive(int index);
    // Selects `folder` in the tree, opening the branches above it.
    void SelectFolder(const QString& folder);

signals:
    // The selected folder changed.
    void folderChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowRoot(const QString& root);
    void TakeCurrent();
    void KeepSelectionInView();

    QComboBox* const driveBox_;
    QTreeView* const tree_;
    QFileSystemModel* model_;
    RootBranchModel* branch_;
    QList<DriveEntry> drives_;
    QString root_;
    QString folder_;
    bool scrollPending_ = false;
};
