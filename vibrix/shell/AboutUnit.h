#pragma once
// The about box "О программе": the program's name, version and year of the build, and the
// company's contacts where the program carries them. A value that is missing leaves its label
// with the text it was created with.

#include <QDialog>
#include <QHash>

class QLabel;
class UserDialogs;

using TVersionInfo = QHash<QString, QString>; // key ("ProductName", "FileVersion", ...) -> value

// What this build knows about itself: ProductName, FileVersion and Year.
TVersionInfo ProgramVersionInfo();

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    TAboutForm(UserDialogs& dialogs, QWidget* parent = nullptr);

    QLabel* ProductNameLabel;
    QLabel* CommentsLabel;
    QLabel* FileVersionLabel;
    QLabel* YearLabel;
    QLabel* CompanyNameLabel;
    QLabel* CompanyPhoneLabel;
    QLabel* CompanyEMailLabel;
    QLabel* CompanyWebLabel;

    void Fill(const TVersionInfo& info);

    QString ProductName, EMail, Web;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    UserDialogs& dialogs_;
};
