#pragma once
// The catalogue: every *.ssm file of the scanned folder in the file list, and one check-list
// line per sensor channel that passes the filter. Checked channels are collected, with their
// points, for the traces and the extraction to text files.

#include <memory>
#include <stdexcept>
#include <vector>

#include <QAbstractButton>
#include <QListWidget>
#include <QObject>
#include <QPointer>
#include <QString>

#include "tFLF.h"
#include "tSingleViewSink.h"
#include "tTrcT.h"

// A measurement or text file that cannot be read or written; what() is the message for the user.
class tFileError : public std::runtime_error {
public:
    explicit tFileError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

class tTrcFiles : public QObject {
    Q_OBJECT
public:
    tTrcFiles(QListWidget* fileList, QListWidget* checkList, tFLF* filter, QAbstractButton* makeTrace,
              QAbstractButton* extract, tSingleViewSink* singleView, QObject* parent = nullptr);
    ~tTrcFiles() override;

    void Clear();
    // Lists the *.ssm files of `folder` (a full path), also when it is the folder listed last.
    void Scan(const QString& folder);
    void FillCheckList();
    void ClearCheckList();
    // Copies the checked channels, with their points, into `checked`; all or nothing: when a file
    // cannot be read, `checked` keeps the channels of the collection before.
    void CollectChecked();
    // The channel of the selected check-list line with its points, or null when no line is selected.
    tTrc__Data* FindSelected();
    void ShowSelected();

    struct Extraction {
        QStringList written; // names of the files written, in the order of the check list
        int skipped = 0;     // checked channels of files without "_" in their names
    };
    // Writes every checked channel into a text file of its own in `folder`. The channels are
    // collected for this alone: `checked`, what the traces were built from, stays.
    Extraction Extract(const QString& folder);
    // The points of `channel` as "time amplitude" lines ended by CR LF.
    static void WriteTextFile(const QString& path, const tTrc__Data& channel);

    // Check-list events, called by the window's handlers: a click enables the buttons by the marks
    // and shows the selected channel (a file error is raised as tFileError); a double click
    // inverts every mark.
    void CheckListClick();
    void CheckListDblClick();

    const std::vector<std::unique_ptr<tTrc__File_identifier>>& allFiles() const { return allFiles_; }
    const tTrc__DataList& appropriate() const { return appropriate_; }
    const tTrc__DataList& checked() const { return checked_; }
    const QString& previousFolder() const { return previousFolder_; }
    const QString& scannedFolder() const { return scannedFolder_; }

private:
    QString FileLine(const tTrc__File_identifier& id, QStringView date) const;
    static QString CheckLine(const tTrc__Data& channel);
    void LoadPoints(tTrc__Data& channel) const;
    // Copies of the checked channels with their points.
    tTrc__DataList CheckedCopies() const;
    void EnableButtons(bool enabled);
    bool AnyChecked() const;

    std::vector<std::unique_ptr<tTrc__File_identifier>> allFiles_;
    tTrc__DataList appropriate_;
    tTrc__DataList checked_;
    tSingleViewSink* singleView_;
    QListWidget* fileList_;
    QListWidget* checkList_;
    QAbstractButton* makeTrace_;
    QAbstractButton* extract_;
    QPointer<tFLF> filter_; // may go before the catalogue at exit
    QString previousFolder_;
    QString scannedFolder_;
};
