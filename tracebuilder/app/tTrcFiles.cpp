#include "tTrcFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSignalBlocker>

namespace {

const QString kNoFiles = QStringLiteral("--Файлов измерений нет--");
const QString kFileGap = QStringLiteral("    ");
const QString kLineGap = QStringLiteral("      ");

// The locale's long time form without a time-zone name.
QString longTimeFormat(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
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
    connect(checkList_, &QListWidget::itemClicked, this, [this] { Guarded(&tTrcFiles::CheckListClick); });
    connect(checkList_, &QListWidget::itemDoubleClicked, this,
            [this] { Guarded(&tTrcFiles::CheckListDblClick); });
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
    const QFileInfoList entries = QDir(folder).entryInfoList(
        {QStringLiteral("*.ssm")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    if (entries.isEmpty()) {
        fileList_->addItem(kNoFiles);
        return;
    }
    const QLocale locale;
    const QString timeFormat = longTimeFormat(locale);
    QStringList lines;
    lines.reserve(entries.size());
    allFiles_.reserve(allFiles_.size() + entries.size());
    for (const QFileInfo& entry : entries) {
        auto id = std::make_unique<tTrc__File_identifier>(folder, entry.fileName());
        id->reader->Identify(*id);
        const QDateTime written = entry.lastModified();
        QString date = locale.toString(written.date(), QLocale::ShortFormat);
        if (written.time().hour() || written.time().minute() || written.time().second())
            date += QLatin1Char(' ') + locale.toString(written.time(), timeFormat);
        lines.append(FileLine(*id, date));
        allFiles_.push_back(std::move(id));
    }
    fileList_->addItems(lines);
}

QString tTrcFiles::FileLine(const tTrc__File_identifier& id, const QString& date) const {
    QString line = id.fileName + kFileGap + date + kFileGap;
    if (id.reader != &tTrcT::Unknown())
        line += QStringLiteral(" П:  ") + QString::number(id.siteNumber) + kFileGap +
                QStringLiteral(" С:  ") + QString::number(id.pileNumber) + kFileGap;
    return line + id.reader->DisplayName();
}

QString tTrcFiles::CheckLine(const tTrc__Data& channel) {
    const tTrc__File_identifier& id = *channel.source;
    return QStringLiteral(" Файл : ") + id.fileName + kLineGap + QStringLiteral(" Поле:  ") +
           QString::number(id.siteNumber) + kLineGap + QStringLiteral("Свая:  ") +
           QString::number(id.pileNumber) + kLineGap + QStringLiteral(" Канал: ") +
           QString::number(channel.channel + 1);
}

void tTrcFiles::FillCheckList() {
    const std::size_t first = appropriate_.size();
    for (const auto& id : allFiles_) {
        if (filter_ ? filter_->Accepts(*id) : id->reader != &tTrcT::Unknown())
            id->reader->ProduceChannels(filter_ ? filter_->flags() : tFilterFlags{}, *id, appropriate_);
    }
    if (appropriate_.size() == first)
        return;
    const QSignalBlocker quiet(checkList_);
    for (std::size_t i = first; i < appropriate_.size(); ++i) {
        auto* item = new QListWidgetItem(CheckLine(*appropriate_[i]));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        checkList_->addItem(item);
    }
    EnableButtons(true);
}

void tTrcFiles::ClearCheckList() {
    checkList_->clear();
    appropriate_.clear();
    EnableButtons(false);
}

void tTrcFiles::LoadPoints(tTrc__Data& channel) const {
    const tTrc__File_identifier* source = channel.source;
    if (!source || source->reader->LoadPoints(*source, channel) != tTrcT::Ok)
        throw tFileError(
            QStringLiteral("Не удалось прочитать файл измерения «%1»")
                .arg(source ? QString::fromStdU16String(source->path().u16string()) : QString()));
}

void tTrcFiles::CollectChecked() {
    checked_.clear();
    const int lines = std::min<int>(checkList_->count(), int(appropriate_.size()));
    for (int i = 0; i < lines; ++i) {
        if (checkList_->item(i)->checkState() != Qt::Checked)
            continue;
        checked_.push_back(std::make_unique<tTrc__Data>(*appropriate_[std::size_t(i)]));
        LoadPoints(*checked_.back());
    }
}

tTrc__Data* tTrcFiles::FindSelected() {
    const QList<QListWidgetItem*> selected = checkList_->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    const int row = checkList_->row(selected.first());
    if (row < 0 || std::size_t(row) >= appropriate_.size())
        return nullptr;
    tTrc__Data& channel = *appropriate_[std::size_t(row)];
    LoadPoints(channel);
    return &channel;
}

void tTrcFiles::ShowSelected() {
    tTrc__Data* channel = FindSelected();
    if (channel && singleView_)
        singleView_->Show(channel);
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

void tTrcFiles::Guarded(void (tTrcFiles::*handler)()) {
    try {
        (this->*handler)();
    } catch (const std::exception& e) {
        emit errorRaised(QString::fromUtf8(e.what()));
    }
}
