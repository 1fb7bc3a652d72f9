#include "FolderNavigator.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <QTreeView>

// The file system seen from the parent of a drive's root, keeping of that parent's children only
// the root itself: the root becomes the tree's one top node.
class RootBranchModel : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetRoot(const QModelIndex& root) {
        root_ = root;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (parent != root_.parent())
            return true;
        return sourceModel()->index(row, 0, parent) == QModelIndex(root_);
    }

private:
    QPersistentModelIndex root_;
};

FolderNavigator::FolderNavigator(QComboBox* driveBox, QTreeView* tree, const QList<DriveEntry>& drives,
                                 const QString& startFolder)
    : QObject(tree), driveBox_(driveBox), tree_(tree), model_(new QFileSystemModel(this)),
      branch_(new RootBranchModel(this)), drives_(drives) {
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setReadOnly(true);
    branch_->setSourceModel(model_);
    tree_->setModel(branch_);
    tree_->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column)
        tree_->hideColumn(column);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FolderNavigator::TakeCurrent);
    connect(branch_, &QAbstractItemModel::layoutChanged, this, &FolderNavigator::KeepSelectionInView);
    connect(branch_, &QAbstractItemModel::rowsInserted, this, &FolderNavigator::KeepSelectionInView);
    tree_->installEventFilter(this);
    tree_->viewport()->installEventFilter(this);
    {
        const QSignalBlocker quiet(driveBox_);
        for (const DriveEntry& d : drives_)
            driveBox_->addItem(d.text);
    }
    folder_ = QDir::cleanPath(QDir(startFolder).absolutePath());
    const int drive = driveOf(drives_, folder_);
    {
        const QSignalBlocker quiet(driveBox_);
        driveBox_->setCurrentIndex(drive);
    }
    ShowRoot(drives_.value(drive).root);
    const QSignalBlocker quiet(this); // the window lists the start folder itself
    SelectFolder(folder_);
}

bool FolderNavigator::SetDrive(int index) {
    if (index < 0 || index >= drives_.size() || drives_[index].root == root_)
        return false;
    ShowRoot(drives_[index].root);
    SelectFolder(root_);
    return true;
}

void FolderNavigator::ShowRoot(const QString& root) {
    root_ = root;
    model_->setRootPath(root);
    const QModelIndex rootIndex = model_->index(root);
    branch_->SetRoot(rootIndex);
    tree_->setRootIndex(branch_->mapFromSource(rootIndex.parent()));
}

void FolderNavigator::SelectFolder(const QString& folder) {
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    const QModelIndex index = branch_->mapFromSource(model_->index(path));
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        tree_->expand(up);
    if (index.isValid() && index != tree_->currentIndex()) {
        scrollPending_ = true;
        tree_->setCurrentIndex(index); // TakeCurrent follows
        tree_->scrollTo(index);
        return;
    }
    if (!index.isValid()) {
        // A folder the tree does not show (a hidden one): it is listed all the same.
        const QSignalBlocker quiet(tree_->selectionModel());
        tree_->setCurrentIndex(QModelIndex());
    }
    if (path != folder_) {
        folder_ = path;
        emit folderChanged();
    }
}

void FolderNavigator::TakeCurrent() {
    const QModelIndex current = branch_->mapToSource(tree_->currentIndex());
    if (!current.isValid())
        return;
    const QString path = QDir::cleanPath(model_->filePath(current));
    if (path == folder_)
        return;
    folder_ = path;
    emit folderChanged();
}

bool FolderNavigator::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        scrollPending_ = false; // the user moves the tree now
        break;
    case QEvent::Show:
    case QEvent::Resize:
        KeepSelectionInView();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void FolderNavigator::KeepSelectionInView() {
    // The branches above the selected folder are read in the background and sorted as they
    // arrive, which pushes it down; it is brought back into view until the user moves the tree.
    if (scrollPending_)
        QTimer::singleShot(0, this, [this] { tree_->scrollTo(tree_->currentIndex()); });
}
