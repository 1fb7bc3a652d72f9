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

// A measurement file a collection went on without, and why.
struct tLeftOut {
    QString fileName;
    QString reason;
};
using tLeftOutList = std::vector<tLeftOut>;

// Reads the channel's points from its file unless they are there; false with the reason when the
// file cannot be read.
bool ReadChannelPoints(tTrc__Data& channel, FileFailure& why);
// The same, raising tFileError when the file cannot be read.
void LoadChannelPoints(tTrc__Data& channel);

class tTextExtraction;

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
    // Copies the checked channels, with their points, into `checked`. A file that cannot be read
    // is left out, and named in `leftOut` with the reason; the others are collected all the same.
    void CollectChecked();
    // The channel of the selected check-list line with its points read afresh, or null when no line
    // is selected; raises tFileError when its file cannot be read.
    tTrc__Data* FindSelected();
    // The single view shows the selected line's channel, or why its file cannot be read.
    void ShowSelected();

    // The extraction of every checked channel into a text file of its own in `folder`, to be run
    // step by step. Its channels are copied for it alone: `checked`, what the traces were built
    // from, stays.
    tTextExtraction PrepareExtraction(const QString& folder) const;
    struct Extraction {
        QStringList written; // names of the files written, in the order of the check list
        int skipped = 0;     // checked channels of files without "_" in their names
        tLeftOutList unread; // files that could not be read
    };
    // The whole extraction at once; a file that cannot be written raises tFileError.
    Extraction Extract(const QString& folder) const;
    // The points of `channel` as "time amplitude" lines ended by CR LF.
    static void WriteTextFile(const QString& path, const tTrc__Data& channel);

    // Check-list events, called by the window's handlers: a click enables the buttons by the marks
    // and shows the selected channel; a double click inverts every mark.
    void CheckListClick();
    void CheckListDblClick();
    // The filter changed: the check list is filled again, and a channel on show in the single
    // view that the list offers no more is taken off it.
    void Refilter();

    const std::vector<std::unique_ptr<tTrc__File_identifier>>& allFiles() const { return allFiles_; }
    const tTrc__DataList& appropriate() const { return appropriate_; }
    const tTrc__DataList& checked() const { return checked_; }
    const tLeftOutList& leftOut() const { return leftOut_; }
    const QString& previousFolder() const { return previousFolder_; }
    const QString& scannedFolder() const { return scannedFolder_; }

private:
    QString FileLine(const tTrc__File_identifier& id, QStringView date) const;
    static QString CheckLine(const tTrc__Data& channel);
    // Copies of the checked channels, without their points.
    tTrc__DataList CheckedCopies() const;
    void EnableButtons(bool enabled);
    bool AnyChecked() const;

    std::vector<std::unique_ptr<tTrc__File_identifier>> allFiles_;
    tTrc__DataList appropriate_;
    tTrc__DataList checked_;
    tLeftOutList leftOut_;
    tSingleViewSink* singleView_;
    QListWidget* fileList_;
    QListWidget* checkList_;
    QAbstractButton* makeTrace_;
    QAbstractButton* extract_;
    QPointer<tFLF> filter_; // may go before the catalogue at exit
    QString previousFolder_;
    QString scannedFolder_;
};
