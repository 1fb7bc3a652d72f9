#include "Unit2.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

#include "UserDialogs.h"

TForm2::TForm2(UserDialogs& dialogs, QWidget* owner)
    : QDialog(owner), BitBtn1(new QPushButton(this)), Edit__New_folder_name(new QLineEdit(BitBtn1)),
      DirectoryListBox__Folder_select(new FolderList(this)),
      BitBtn__Select_folder(new QPushButton(QStringLiteral("Выбрать папку"), this)), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Выбор папки"));
    if (owner)
        setFont(owner->font()); // a window of its own does not take its owner's font by itself
    BitBtn1->setObjectName("BitBtn1");
    Edit__New_folder_name->setObjectName("Edit__New_folder_name");
    DirectoryListBox__Folder_select->setObjectName("DirectoryListBox__Folder_select");
    BitBtn__Select_folder->setObjectName("BitBtn__Select_folder");
    for (QPushButton* button : {BitBtn1, BitBtn__Select_folder}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    // The edit lies on the button and leaves only its glyph free to press.
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    BitBtn1->setIconSize(QSize(20, 20));
    BitBtn1->setStyleSheet("text-align: left; padding-left: 6px;");
    BitBtn1->setMinimumHeight(34);
    auto* onButton = new QHBoxLayout(BitBtn1);
    onButton->setContentsMargins(34, 4, 4, 4);
    onButton->addWidget(Edit__New_folder_name);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BitBtn1);
    layout->addWidget(DirectoryListBox__Folder_select, 1);
    layout->addWidget(BitBtn__Select_folder);
    resize(420, 480);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
    connect(DirectoryListBox__Folder_select, &FolderList::folderChanged, this,
            &TForm2::DirectoryListBox__Folder_selectChange);
    connect(BitBtn__Select_folder, &QPushButton::clicked, this, &TForm2::BitBtn__Select_folderClick);
    // The name typed is the target, as the folder highlighted in the list is afterwards.
    connect(Edit__New_folder_name, &QLineEdit::textEdited, this, [this] {
        proposed_ = TypedFolder();
        NameTarget();
    });
    connect(DirectoryListBox__Folder_select, &QListWidget::currentItemChanged, this, [this] {
        proposed_.clear();
        NameTarget();
    });
}

QString TForm2::TypedFolder() const {
    const QString typed = Edit__New_folder_name->text().trimmed();
    // A bare name is made in the folder the list shows, not in the process's current folder.
    return typed.isEmpty()
               ? QString()
               : QDir::cleanPath(QDir(DirectoryListBox__Folder_select->Folder()).absoluteFilePath(typed));
}

bool TForm2::MakeFolder(const QString& path) {
    if (!path.isEmpty() && QDir().mkpath(path))
        return true;
    const QString named = path.isEmpty() ? Edit__New_folder_name->text() : QDir::toNativeSeparators(path);
    dialogs_.message(this, QGuiApplication::applicationDisplayName(),
                     QStringLiteral("Не удалось создать папку «%1».").arg(named), UserDialogs::Icon::Error);
    return false;
}

QString TForm2::Target() const {
    return proposed_.isEmpty() ? DirectoryListBox__Folder_select->Highlighted() : proposed_;
}

void TForm2::NameTarget() {
    BitBtn__Select_folder->setText(QStringLiteral("Выбрать папку:  ") + QDir::toNativeSeparators(Target()));
}

void TForm2::Prepare(const QString& catalogueFolder) {
    const QString proposed = QDir::cleanPath(catalogueFolder) + QStringLiteral("_extracted");
    FolderList* list = DirectoryListBox__Folder_select;
    list->SetFolder(QFileInfo(catalogueFolder).absolutePath());
    list->Highlight(proposed); // when made before
    if (list->Highlighted() != proposed)
        list->setCurrentRow(-1); // the folder shown is not the one the files go to
    Edit__New_folder_name->setText(QDir::toNativeSeparators(proposed));
    // The folder proposed is the one a click on the select button writes into, made then if need be.
    proposed_ = proposed;
    NameTarget();
    chosenFolder.clear();
}

void TForm2::BitBtn1Click() {
    const QString path = TypedFolder();
    if (!MakeFolder(path))
        return;
    FolderList* list = DirectoryListBox__Folder_select;
    const QString parent = QFileInfo(path).absolutePath();
    if (QDir::cleanPath(parent) == list->Folder())
        list->Rebuild();
    else
        list->SetFolder(parent);
    list->Highlight(path);
    NameTarget();
}

void TForm2::DirectoryListBox__Folder_selectChange() {
    DirectoryListBox__Folder_select->OpenCurrent();
    NameTarget();
}

void TForm2::BitBtn__Select_folderClick() {
    if (!proposed_.isEmpty()) {
        if (!MakeFolder(proposed_))
            return;
        chosenFolder = proposed_;
    } else {
        DirectoryListBox__Folder_select->OpenCurrent();
        chosenFolder = DirectoryListBox__Folder_select->Folder();
    }
    accept();
}
