#include "tTrcFiles.h"

#include <algorithm>
#include <initializer_list>

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>

#include "FailureText.h"
#include "FileDateText.h"
#include "FileHead.h"
#include "FolderListing.h"
#include "SubfolderFiles.h"

namespace {

const QString kNoFiles = QStringLiteral("--Файлов измерений нет--");
const QString kFileGap = QStringLiteral("    ");
const QString kLineGap = QStringLiteral("      ");

// A line built with one allocation: folders of thousands of files are listed on every change.
QString joined(std::initializer_list<QStringView> parts) {
    qsizetype size = 0;
    for (QStringView part : parts)
        size += part.size();
    QString line(size, Qt::Uninitialized);
    QChar* out = line.data();
    for (QStringView part : parts)
        out = std::copy(part.begin(), part.end(), out);
    return line;
}

// Decimal text of a number without an allocation of its own.
class Decimal {
public:
    explicit Decimal(unsigned value) {
        do {
            digits_[--first_] = char16_t(u'0' + value % 10);
            value /= 10;
        } while (value);
    }
    QStringView view() const { return QStringView(digits_ + first_, qsizetype(sizeof digits_ / 2) - first_); }

private:
    char16_t digits_[10];
    qsizetype first_ = 10;
};

std::int64_t lastWriteMsecs(const tTrc__File_identifier& id) {
    if (headRead(id))
        return id.lastWriteMsecs;
    // A file that could not be opened.
    return QFileInfo(id.folder + QLatin1Char('/') + id.fileName).lastModified().toMSecsSinceEpoch();
}

} // namespace

tTrcFiles::tTrcFiles(QListWidget* fileList, QListWidget* checkList, tFLF* filter, QAbstractButton* makeTrace,
                     QAbstractButton* extract, tSingleViewSink* singleView, QObject* parent)
    : QObject(parent), singleView_(singleView), fileList_(fileList), checkList_(checkList),
      makeTrace_(makeTrace), extract_(extract), filter_(filter) {
    EnableButtons(false);
    if (filter_)
        filter_->SetCatalogue(this);
    fileList_->addItem(kNoFiles);
    // Clicks are the window's events; its handlers call CheckListClick and CheckListDblClick.
    // Marks toggled from the keyboard count like clicked ones for the buttons.
    connect(checkList_, &QListWidget::itemChanged, this, [this] { EnableButtons(AnyChecked()); });
}

tTrcFiles::~tTrcFiles() {
    if (filter_)
        filter_->SetCatalogue(nullptr);
}

void tTrcFiles::Clear() {
    fileList_->clear();
    ClearCheckList();
    // Collected channels outlive the identifiers they came from; they must not point at them.
    for (const ptTrc__Data& channel : checked_)
        channel->source = nullptr;
    allFiles_.clear();
}

void tTrcFiles::Scan(const QString& folder) {
    previousFolder_ = scannedFolder_;
    scannedFolder_ = folder;
    const FolderListing listing(folder);
    const std::vector<FolderListing::Entry> entries = listing.measurementEntries();
    if (entries.empty()) {
        const int below = MeasurementFilesInSubfolders(folder);
        fileList_->addItem(below > 0 ? NoMeasurementFilesText(below) : kNoFiles);
        return;
    }
    FileDateText dateText;
    QStringList lines;
    lines.reserve(qsizetype(entries.size()));
    allFiles_.reserve(allFiles_.size() + entries.size());
    for (const FolderListing::Entry& entry : entries) {
        auto id = std::make_unique<tTrc__File_identifier>(folder, entry.name);
        if (entry.folder)
            readFolderHead(*id, listing.descriptor()); // listed, never opened
        else
            readFileHead(*id, listing.descriptor());
        id->reader->Identify(*id);
        lines.append(FileLine(*id, dateText(lastWriteMsecs(*id))));
        allFiles_.push_back(std::move(id));
    }
    fileList_->addItems(lines);
}

QString tTrcFiles::FileLine(const tTrc__File_identifier& id, QStringView date) const {
    const QString type = id.reader->DisplayName();
    if (id.reader == &tTrcT::Unknown())
        return joined({id.fileName, kFileGap, date, kFileGap, type});
    return joined({id.fileName, kFileGap, date, kFileGap, u" П:  ", Decimal(id.siteNumber).view(), kFileGap,
                   u" С:  ", Decimal(id.pileNumber).view(), kFileGap, type});
}

QString tTrcFiles::CheckLine(const tTrc__Data& channel) {
    const tTrc__File_identifier& id = *channel.source;
    return joined({u" Файл : ", id.fileName, kLineGap, u" Поле:  ", Decimal(id.siteNumber).view(), kLineGap,
                   u"Свая:  ", Decimal(id.pileNumber).view(), kLineGap, u" Канал: ",
                   Decimal(unsigned(channel.channel + 1)).view()});
}

void tTrcFiles::FillCheckList() {
    const std::size_t first = appropriate_.size();
    for (const auto& id : allFiles_) {
        if (filter_ ? filter_->Accepts(*id) : id->reader != &tTrcT::Unknown())
            id->reader->ProduceChannels(filter_ ? filter_->flags() : tFilterFlags{}, *id, appropriate_);
    }
    if (appropriate_.size() == first)
        return;
    QStringList lines;
    lines.reserve(qsizetype(appropriate_.size() - first));
    for (std::size_t i = first; i < appropriate_.size(); ++i)
        lines.append(CheckLine(*appropriate_[i]));
    // One insertion for all lines. The marks are set before the view lays the new rows out and
    // paints them, so it needs no change notice per line (thousands of lines on a big folder).
    const int row = checkList_->count();
    checkList_->addItems(lines);
    {
        const QSignalBlocker quiet(checkList_->model());
        for (int i = row; i < checkList_->count(); ++i)
            checkList_->item(i)->setCheckState(Qt::Checked);
    }
    checkList_->viewport()->update();
    EnableButtons(true);
}

void tTrcFiles::ClearCheckList() {
    checkList_->clear();
    appropriate_.clear();
    EnableButtons(false);
}

namespace {

QString ReadFailure(const tTrc__Data& channel, const FileFailure& why) {
    const QString path = channel.source ? QString::fromStdU16String(channel.source->path().u16string())
                                        : channel.origin.folder + QLatin1Char('/') + channel.origin.fileName;
    return QStringLiteral("Не удалось прочитать файл измерения «%1»: %2")
        .arg(QDir::toNativeSeparators(path), FailureText(why));
}

} // namespace

bool ReadChannelPoints(tTrc__Data& channel, FileFailure& why) {
    why = {FailureKind::NoSuchFile, 0};
    return channel.source && channel.source->reader->LoadPoints(*channel.source, channel, why) == tTrcT::Ok;
}

void LoadChannelPoints(tTrc__Data& channel) {
    FileFailure why;
    if (!ReadChannelPoints(channel, why))
        throw tFileError(ReadFailure(channel, why));
}

tTrc__DataList tTrcFiles::CheckedCopies() const {
    tTrc__DataList copies;
    const int lines = std::min<int>(checkList_->count(), int(appropriate_.size()));
    for (int i = 0; i < lines; ++i)
        if (checkList_->item(i)->checkState() == Qt::Checked) {
            // Points shown in the single view are not taken along: every channel is read from its
            // file as it is now, so that a file gone since is missed by all its channels alike.
            auto copy = std::make_unique<tTrc__Data>(*appropriate_[std::size_t(i)]);
            copy->points.SetCount(0);
            copies.push_back(std::move(copy));
        }
    return copies;
}

namespace {

bool LeftOut(const tLeftOutList& leftOut, const tTrc__Data& channel) {
    return std::any_of(leftOut.begin(), leftOut.end(),
                       [&channel](const tLeftOut& f) { return f.fileName == channel.origin.fileName; });
}

} // namespace

void tTrcFiles::CollectChecked() {
    tTrc__DataList copies = CheckedCopies();
    tLeftOutList leftOut;
    for (ptTrc__Data& copy : copies) {
        FileFailure why;
        if (!ReadChannelPoints(*copy, why) && !LeftOut(leftOut, *copy)) // a file once
            leftOut.push_back({copy->origin.fileName, FailureText(why)});
    }
    // The message names files: a file left out takes every channel of it out of the pictures.
    std::erase_if(copies, [&leftOut](const ptTrc__Data& c) { return LeftOut(leftOut, *c); });
    checked_ = std::move(copies);
    leftOut_ = std::move(leftOut);
}

tTrc__Data* tTrcFiles::FindSelected() {
    const QList<QListWidgetItem*> selected = checkList_->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    const int row = checkList_->row(selected.first());
    if (row < 0 || std::size_t(row) >= appropriate_.size())
        return nullptr;
    tTrc__Data& channel = *appropriate_[std::size_t(row)];
    channel.points.SetCount(0); // read as the file is now: it may have gone since the last click
    LoadChannelPoints(channel);
    return &channel;
}

void tTrcFiles::ShowSelected() {
    if (!singleView_)
        return;
    try {
        if (tTrc__Data* channel = FindSelected())
            singleView_->Show(channel);
    } catch (const tFileError& e) {
        // The view shows the highlighted line or nothing, never the channel it showed before.
        singleView_->Unreadable(QString::fromUtf8(e.what()));
    }
}

bool tTrcFiles::AnyChecked() const {
    for (int i = 0; i < checkList_->count(); ++i)
        if (checkList_->item(i)->checkState() == Qt::Checked)
            return true;
    return false;
}

void tTrcFiles::EnableButtons(bool enabled) {
    if (makeTrace_)
        makeTrace_->setEnabled(enabled);
    if (extract_)
        extract_->setEnabled(enabled);
}

void tTrcFiles::CheckListClick() {
    EnableButtons(AnyChecked());
    ShowSelected();
}

void tTrcFiles::Refilter() {
    ClearCheckList();
    FillCheckList();
    if (singleView_)
        singleView_->Withdraw(appropriate_);
}

void tTrcFiles::CheckListDblClick() {
    {
        const QSignalBlocker quiet(checkList_);
        for (int i = 0; i < checkList_->count(); ++i) {
            QListWidgetItem* item = checkList_->item(i);
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        }
    }
    checkList_->viewport()->update();
    EnableButtons(AnyChecked());
}
