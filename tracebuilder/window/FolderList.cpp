#include "FolderList.h"

#include <QDir>
#include <QStyle>

namespace {

constexpr int kPathRole = Qt::UserRole;

} // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    setIconSize(QSize(16, 16));
    connect(this, &QListWidget::itemActivated, this, &FolderList::OpenCurrent);
}

void FolderList::SetFolder(const QString& folder) {
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    const bool changed = path != folder_;
    folder_ = path;
    Rebuild();
    if (changed)
        emit folderChanged();
}

void FolderList::AddEntry(const QString& path, const QString& name, int level, bool open) {
    auto* entry =
        new QListWidgetItem(style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirIcon),
                            QString(level * 3, QLatin1Char(' ')) + name, this);
    entry->setData(kPathRole, path);
    if (path == folder_)
        setCurrentItem(entry);
}

void FolderList::Rebuild() {
    clear();
    // The chain of folders above, each opened one level deeper.
    QStringList chain;
    for (QDir d(folder_);;) {
        chain.prepend(d.absolutePath());
        if (!d.cdUp())
            break;
    }
    int level = 0;
    for (const QString& path : chain)
        AddEntry(path, path == "/" ? path : QDir(path).dirName(), level++, true);
    const QDir shown(folder_);
    for (const QString& name :
         shown.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        AddEntry(shown.filePath(name), name, level, false);
}

void FolderList::OpenCurrent() {
    if (const QListWidgetItem* entry = currentItem())
        SetFolder(entry->data(kPathRole).toString());
}

void FolderList::Highlight(const QString& path) {
    const QString wanted = QDir::cleanPath(QDir(path).absolutePath());
    for (int i = 0; i < count(); ++i)
        if (item(i)->data(kPathRole).toString() == wanted)
            setCurrentRow(i);
}

QString FolderList::Highlighted() const {
    const QListWidgetItem* entry = currentItem();
    return entry ? entry->data(kPathRole).toString() : folder_;
}
