#pragma once
// The folder dialog of the extraction ("Выбор папки"): a new folder can be made from the edit
// lying on its button, a folder is chosen in the list and taken with the select button, whose
// caption always names the folder the files will go to. No button is the dialog's default: Enter
// opens the highlighted folder of the list and presses nothing.

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "FolderList.h"

class UserDialogs;

class TForm2 : public QDialog {
public:
    TForm2(UserDialogs& dialogs, QWidget* owner);

    // Opens the list at the parent of `catalogueFolder` and proposes the sibling folder
    // `catalogueFolder` + "_extracted" as the folder the files go to, until another is highlighted.
    void Prepare(const QString& catalogueFolder);

    // Creates the folder named in the edit with every missing parent and highlights it in the
    // list, shown at its parent: the new folder is the one the files will go to.
    void BitBtn1Click();
    void DirectoryListBox__Folder_selectChange();
    void BitBtn__Select_folderClick();

    QPushButton* BitBtn1;
    QLineEdit* Edit__New_folder_name;
    FolderList* DirectoryListBox__Folder_select;
    QPushButton* BitBtn__Select_folder;
    // Empty unless the select button closed the dialog.
    QString chosenFolder;

private:
    // The folder named in the edit, as a full path; empty when none is.
    QString TypedFolder() const;
    // Makes `path` with every missing parent; false, after telling the user, when it cannot.
    bool MakeFolder(const QString& path);
    // The folder the select button takes: the one proposed or typed, else the one highlighted.
    QString Target() const;
    // "Выбрать папку:  " and that folder.
    void NameTarget();

    UserDialogs& dialogs_;
    QString proposed_; // made and taken by the select button; empty once a folder is highlighted
};
