#include "TForm1.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include <optional>

#include "BuildNotes.h"
#include "BusyCursor.h"
#include "ExtractionRun.h"
#include "FilesTab.h"
#include "FolderNavigator.h"
#include "HelpFile.h"
#include "ParameterChecks.h"
#include "PictureFormat.h"
#include "TracePage.h"
#include "TraceSource.h"
#include "UserDialogs.h"
#include "VelocityFields.h"
#include "VelocityText.h"
#include "tCatalogueSet.h"
#include "tDDCES.h"
#include "tSMVW.h"
#include "tTraceSet.h"

namespace {

const QString kTitle = QStringLiteral("ТРАССЫ---Vibrix4");

const TracePage::Names kSeismoNames{"TabSheet2",
                                    "BitBtn__Save_seysmo_trace",
                                    "BitBtn__Print_seysmo",
                                    "ScrollBar__Seysmo_trace",
                                    "TrackBar__Seysmo_trace",
                                    "Image__Seysmo_trace",
                                    "Edit__Base_on_Tab2",
                                    "Edit__Velocity_on_Tab2",
                                    "Edit__Ku_on_Tab2",
                                    "Label__Seysmo_source",
                                    "Label__Seysmo_readout",
                                    "CheckBox__Seysmo_title"};
const TracePage::Names kSpectroNames{"TabSheet3",
                                     "BitBtn__Save_spectr_trace",
                                     "BitBtn__Print_spectr",
                                     "ScrollBar__Spectr_trace",
                                     "TrackBar__Spectr_trace",
                                     "Image__Spectr_trace",
                                     "Edit__Base_on_Tab3",
                                     "Edit__Velocity_on_Tab3",
                                     nullptr,
                                     "Label__Spectr_source",
                                     "Label__Spectr_readout",
                                     "CheckBox__Spectr_title"};

} // namespace

TForm1::TForm1(tDDCES& engine, UserDialogs& dialogs, const Places& places, QWidget* parent)
    : QWidget(parent), engine_(engine), dialogs_(dialogs), programFolder_(places.programFolder) {
    BuildControls();
    FormCreate(places);
    ConnectEvents();
    ChooseStartFile();
    Timer1->start();
}

void TForm1::ChooseStartFile() {
    if (!startFile_.isEmpty()) {
        QListWidget* channels = TabSheet1->catalogue.appropriate;
        for (int row = 0; row < channels->count(); ++row)
            if (channels->item(row)
                    ->text()
                    .split(QLatin1Char(' '), Qt::SkipEmptyParts)
                    .contains(startFile_)) {
                channels->setCurrentRow(row);
                CheckListBox__Appropriate_filesClick(); // shown as a click shows it
                break;
            }
    }
}

TForm1::~TForm1() {
    Timer1->stop();
    ready_ = false;
}

void TForm1::BuildControls() {
    setWindowTitle(kTitle);
    setFont(QFont(QStringLiteral("Times New Roman"), 10));
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    TabSheet1 = new FilesTab;
    PageControl1->addTab(TabSheet1, QStringLiteral("Файлы, папки, поиск"));
    seismoPage_ =
        std::make_unique<TracePage>(*PageControl1, QStringLiteral("СЕЙСМО Трасса"), 1, 1, 1, kSeismoNames);
    spectroPage_ = std::make_unique<TracePage>(*PageControl1, QStringLiteral("СПЕКТРО Трасса"), 0, 90, 10,
                                               kSpectroNames);

    Button__Help = new QPushButton(QStringLiteral("?"), this);
    Button__Help->setObjectName("Button__Help");
    Button__Help->setCursor(Qt::WhatsThisCursor);
    Button__Help->setStyleSheet(
        "QPushButton { font-weight: bold; background-color: lime; min-width: 28px; }");
    PageControl1->setCornerWidget(Button__Help, Qt::TopRightCorner);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(100);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(PageControl1);
    resize(sizeHint().expandedTo(QSize(1025, 764)));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TForm1::FormCreate(const Places& places) {
    app_ = std::make_unique<tAppInt>();
    FilesTab& tab = *TabSheet1;
    view_ =
        std::make_unique<tSMVW>(app_.get(), tab.RadioGroup__Single_file__Seysmo_dimension,
                                tab.RadioGroup__Single_file__Spectr_dimension, tab.Chart__Single_file__Seysmo,
                                tab.Chart__Single_file__Spectr, tab.Edit__Depth_for_single,
                                tab.Label__Single_file, tab.Label__Single_file_readout);
    catalogue_ = std::make_unique<tCatalogueSet>(tab.catalogue, view_.get());
    traces_ = std::make_unique<tTraceSet>(app_.get(), seismoPage_->tab, spectroPage_->tab);
    seismoPage_->Follow(traces_->seismoImage.conf);
    spectroPage_->Follow(traces_->spectroImage.conf);
    source_ = std::make_unique<TraceSource>(QList<QLabel*>{seismoPage_->source, spectroPage_->source});
    velocityFields_ = std::make_unique<VelocityFields>(
        *app_, tab.Edit__Velocity_on_Tab1, QList<QLineEdit*>{seismoPage_->velocity, spectroPage_->velocity});

    tSYN* seismogram = &view_->seismoValues.config->syn;
    tSYN* spectrum = &view_->spectrumValues.config->syn;
    tSYN* seismo = &traces_->seismoValues.config->syn;
    tSYN* spectro = &traces_->spectroValues.config->syn;
    Bind(&app_->velocity, {tab.Edit__Velocity_on_Tab1, seismoPage_->velocity, spectroPage_->velocity},
         {seismogram, spectrum, seismo, spectro}, VelocityFault);
    Bind(&app_->ku, {tab.Edit__Ku_on_Tab1, seismoPage_->gain}, {seismogram, seismo}, GainFault);
    Bind(&app_->base, {seismoPage_->base, spectroPage_->base}, {seismo, spectro}, BaseFault);
    // The depth edit sets how deep both charts of the single view reach in metres.
    Bind(&app_->depthLimit, {tab.Edit__Depth_for_single}, {seismogram, spectrum}, DepthFault);

    // A measurement opened from the file manager: its folder, its first channel on show.
    const QFileInfo start(places.startFolder);
    const bool startFile = start.isFile();
    startFile_ = startFile ? start.fileName() : QString();
    navigator_ = new FolderNavigator(tab.DriveComboBox, tab.CDirectoryOutline, places.drives,
                                     startFile ? start.absolutePath() : places.startFolder);
    catalogue_->List(navigator_->Folder());
    ready_ = true;
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
}

void TForm1::Bind(double* variable, std::initializer_list<QLineEdit*> edits,
                  std::initializer_list<tSYN*> markers, QString (*check)(double)) {
    engine_.AddVariable(variable);
    for (QLineEdit* edit : edits)
        engine_.AddEdit(variable, edit);
    for (tSYN* marker : markers)
        engine_.AddSyn(variable, marker);
    engine_.AddCheck<double>(variable, check);
}

void TForm1::ConnectEvents() {
    const FilesTab& tab = *TabSheet1;
    const tCatalogueControls& c = tab.catalogue;
    connect(tab.DriveComboBox, &QComboBox::activated, this, &TForm1::DriveComboBoxChange);
    connect(navigator_, &FolderNavigator::folderChanged, this, &TForm1::CDirectoryOutlineChange);
    connect(c.appropriate, &QListWidget::itemClicked, this, &TForm1::CheckListBox__Appropriate_filesClick);
    connect(c.appropriate, &QListWidget::itemDoubleClicked, this,
            &TForm1::CheckListBox__Appropriate_filesDblClick);
    connect(c.appropriate, &QListWidget::currentRowChanged, this,
            &TForm1::CheckListBox__Appropriate_filesChange);
    connect(tab.CheckBox__Velocity_from_files, &QCheckBox::clicked, this,
            &TForm1::CheckBox__Velocity_from_filesClick);
    connect(c.makeTrace, &QPushButton::clicked, this, &TForm1::Button__Make_traceClick);
    connect(c.extract, &QPushButton::clicked, this, &TForm1::Button__Open_folderClick);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(seismoPage_->save, &QPushButton::clicked, this, &TForm1::BitBtn__Save_seysmo_traceClick);
    connect(spectroPage_->save, &QPushButton::clicked, this, &TForm1::BitBtn__Save_spectr_traceClick);
    connect(seismoPage_->print, &QPushButton::clicked, this, &TForm1::BitBtn__Print_seysmoClick);
    connect(spectroPage_->print, &QPushButton::clicked, this, &TForm1::BitBtn__Print_spectrClick);
    connect(seismoPage_->title, &QCheckBox::toggled, this,
            [this](bool on) { traces_->seismoImage.titleOnBitmap = on; });
    connect(spectroPage_->title, &QCheckBox::toggled, this,
            [this](bool on) { traces_->spectroImage.titleOnBitmap = on; });
    connect(Button__Help, &QPushButton::clicked, this, &TForm1::Button__HelpClick);
    connect(&engine_, &tDDCES::errorRaised, this, &TForm1::ShowError);
    connect(&engine_, &tDDCES::valueRefused, this, &TForm1::ShowRefusal);
}

bool TForm1::Guarded(const std::function<void()>& handler) {
    ++busy_;
    const bool ok = RunGuarded(dialogs_, this, handler);
    --busy_;
    return ok;
}

bool TForm1::RunPass(FailedPass& state, QByteArray (TForm1::*inputs)() const,
                     const std::function<void()>& pass) {
    if (!state.Due((this->*inputs)()))
        return false;
    ++busy_;
    std::optional<QString> failure;
    try {
        pass();
        state.Reset();
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    } catch (...) {
        failure = QStringLiteral("Неизвестная ошибка");
    }
    if (failure) {
        state.Failed((this->*inputs)()); // after the pass, which may have moved the columns
        ShowError(*failure);
    }
    --busy_;
    return !failure;
}

namespace {

template <class T> void append(QByteArray& bytes, const T& value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

} // namespace

QByteArray TForm1::TraceInputs() const {
    QByteArray bytes;
    for (double v : {app_->velocity, app_->ku, app_->base})
        append(bytes, v);
    append(bytes, app_->velocityFromFiles);
    for (const tTrcColumnsCnf* c : {&traces_->seismoImage.conf, &traces_->spectroImage.conf}) {
        append(bytes, c->first);
        append(bytes, c->depthMax);
    }
    append(bytes, catalogue_->catalogue.checked().data());
    append(bytes, catalogue_->catalogue.checked().size());
    return bytes;
}

QByteArray TForm1::ViewInputs() const {
    QByteArray bytes;
    for (double v : {app_->velocity, app_->ku, app_->depthLimit})
        append(bytes, v);
    append(bytes, app_->velocityFromFiles);
    append(bytes, view_->shown.empty() ? nullptr : view_->shown.front().get());
    append(bytes, view_->seismoUnits->ItemIndex());
    append(bytes, view_->spectrumUnits->ItemIndex());
    return bytes;
}

void TForm1::ShowError(const QString& text) {
    ++busy_;
    dialogs_.message(this, QGuiApplication::applicationDisplayName(), text, UserDialogs::Icon::Error);
    --busy_;
}

void TForm1::Warn(const QString& text) {
    ++busy_;
    dialogs_.message(this, QGuiApplication::applicationDisplayName(), text, UserDialogs::Icon::Warning);
    --busy_;
}

void TForm1::ShowRefusal(const QString& reason) {
    ShowError(reason); // nothing was built: the value alone was not taken
}

void TForm1::DriveComboBoxChange(int index) {
    Guarded([&] { navigator_->SetDrive(index); });
}

void TForm1::CDirectoryOutlineChange() {
    Guarded([this] {
        catalogue_->List(navigator_->Folder());
        source_->FolderListed(catalogue_->catalogue.scannedFolder());
    });
}

void TForm1::CheckListBox__Appropriate_filesClick() {
    Guarded([this] { catalogue_->catalogue.CheckListClick(); });
}

void TForm1::CheckListBox__Appropriate_filesDblClick() {
    Guarded([this] { catalogue_->catalogue.CheckListDblClick(); });
}

void TForm1::CheckListBox__Appropriate_filesChange() {
    Guarded([this] { catalogue_->catalogue.ShowSelected(); });
}

void TForm1::CheckBox__Velocity_from_filesClick() {
    app_->velocityFromFiles = TabSheet1->CheckBox__Velocity_from_files->isChecked();
    // Every depth follows the velocity: the four kinds compute again, as after a typed velocity.
    for (tSYN* marker : {&view_->seismoValues.config->syn, &view_->spectrumValues.config->syn,
                         &traces_->seismoValues.config->syn, &traces_->spectroValues.config->syn})
        marker->SetChanged();
    ShowVelocities();
}

void TForm1::ShowVelocities() {
    const std::vector<float> built = traces_->seismoImage.conf.FileVelocities();
    velocityFields_->Show(view_->shown.empty() ? nullptr : view_->shown.front().get(), built);
    source_->Velocity(app_->velocityFromFiles ? VelocityText(*app_, built) : QString());
}

void TForm1::Button__Make_traceClick() {
    // The busy cursor goes with the work, before any error box opens.
    if (!Guarded([this] {
            BusyCursor busy;
            catalogue_->catalogue.CollectChecked();
        }))
        return;
    traceErrors_.Reset(); // a build is asked for, whatever failed before
    const tTrcFiles& catalogue = catalogue_->catalogue;
    if (!RunPass(traceErrors_, &TForm1::TraceInputs, [&] {
            BusyCursor busy;
            traces_->Build(catalogue.checked());
        }))
        return;
    source_->Built(catalogue.scannedFolder(), QDateTime::currentMSecsSinceEpoch());
    ShowVelocities();
    if (const QString notes = BuildNotes(catalogue.leftOut(), catalogue.checked(), *app_); !notes.isEmpty())
        Warn(notes);
}

void TForm1::Timer1Timer() {
    if (!ready_ || busy_ > 0)
        return;
    RunPass(traceErrors_, &TForm1::TraceInputs, [this] {
        std::optional<BusyCursor> busy;
        if (traces_->server.built &&
            (traces_->seismoValues.config->syn.IsChanged() || traces_->spectroValues.config->syn.IsChanged()))
            busy.emplace(); // all columns are computed again
        traces_->Poll(catalogue_->catalogue.checked());
    });
    RunPass(viewErrors_, &TForm1::ViewInputs, [this] { view_->Poll(); });
    ShowVelocities(); // the channel on show and the columns may have changed
}

void TForm1::Button__Open_folderClick() {
    Guarded([this] { RunExtraction(dialogs_, this, catalogue_->catalogue); });
}

void TForm1::SaveTrace(bool (tTraceSet::*save)(const QString&, const char*), const QString& filter) {
    Guarded([&] {
        UserDialogs::FileRequest request;
        request.title = QStringLiteral("Сохранить трассу в файл");
        request.folder = lastPicture_.isEmpty() ? navigator_->Folder() : QFileInfo(lastPicture_).path();
        request.fileName = lastPicture_;
        request.filter = kPictureFilters;
        request.selectedFilter = filter.isEmpty() ? lastPictureFilter_ : filter;
        if (!filter.isEmpty() && !lastPicture_.isEmpty()) {
            // The last picture's name, in the format asked for.
            const QFileInfo last(lastPicture_);
            request.fileName =
                pictureTarget(QDir(last.path()).filePath(last.completeBaseName()), filter).fileName;
        }
        const UserDialogs::FileChoice choice = dialogs_.saveFile(this, request);
        if (!choice.chosen())
            return;
        const PictureTarget target = pictureTarget(choice.fileName, choice.filter);
        // The dialog asked about the name typed; a name completed here is asked about now.
        if (target.fileName != choice.fileName && QFileInfo::exists(target.fileName) &&
            dialogs_.question(this, QGuiApplication::applicationDisplayName(),
                              QStringLiteral("Файл «%1» уже существует. Заменить его?")
                                  .arg(QDir::toNativeSeparators(target.fileName)),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
        lastPicture_ = target.fileName;
        lastPictureFilter_ = choice.filter;
        const bool saved = [&] {
            BusyCursor busy;
            return (traces_.get()->*save)(target.fileName, target.format);
        }();
        if (!saved)
            ShowError(QStringLiteral("Не удалось сохранить рисунок в файл «%1».")
                          .arg(QDir::toNativeSeparators(target.fileName)));
    });
}

void TForm1::BitBtn__Save_seysmo_traceClick() {
    SaveTrace(&tTraceSet::SaveSeismo);
}

void TForm1::BitBtn__Save_spectr_traceClick() {
    SaveTrace(&tTraceSet::SaveSpectro);
}

void TForm1::PrintTrace(bool (tTraceSet::*print)(QPrinter&),
                        bool (tTraceSet::*save)(const QString&, const char*)) {
    if (!dialogs_.printerInstalled()) {
        if (PdfInsteadOfPrinter(dialogs_, this))
            SaveTrace(save, kPdfSheetsFilter);
        return;
    }
    Guarded([&] {
        if (!dialogs_.choosePrinter(this, *printer_))
            return;
        const bool printed = [&] {
            BusyCursor busy;
            return (traces_.get()->*print)(*printer_);
        }();
        if (!printed)
            ShowError(QStringLiteral("Не удалось напечатать трассу: принтер недоступен."));
    });
}

void TForm1::BitBtn__Print_seysmoClick() {
    PrintTrace(&tTraceSet::PrintSeismo, &tTraceSet::SaveSeismo);
}

void TForm1::BitBtn__Print_spectrClick() {
    PrintTrace(&tTraceSet::PrintSpectro, &tTraceSet::SaveSpectro);
}

void TForm1::Button__HelpClick() {
    Guarded([this] {
        const QString help = findHelpFile(programFolder_);
        if (help.isEmpty())
            Warn(QStringLiteral("Файл справки «%1» не найден в папке программы %2.")
                     .arg(kHelpFileName, QDir::toNativeSeparators(programFolder_)));
        else if (!dialogs_.openUrl(QUrl::fromLocalFile(help)))
            Warn(QStringLiteral("Не удалось открыть справку «%1»: нет программы для просмотра файлов PDF.")
                     .arg(QDir::toNativeSeparators(help)));
    });
}
