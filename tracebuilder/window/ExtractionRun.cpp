#include "ExtractionRun.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "BusyCursor.h"
#include "TextExtraction.h"
#include "Unit2.h"
#include "UserDialogs.h"

ExtractionProgress::ExtractionProgress(tTextExtraction& run, QWidget* owner)
    : QDialog(owner), ProgressBar__Extraction(new QProgressBar(this)),
      Button__Cancel_extraction(new QPushButton(QStringLiteral("Отмена"), this)), run_(run),
      timer_(new QTimer(this)) {
    setWindowTitle(QStringLiteral("Извлечение в папку"));
    if (owner)
        setFont(owner->font());
    ProgressBar__Extraction->setObjectName("ProgressBar__Extraction");
    Button__Cancel_extraction->setObjectName("Button__Cancel_extraction");
    ProgressBar__Extraction->setRange(0, run.Total());
    ProgressBar__Extraction->setFormat(QStringLiteral("%v из %m"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QDir::toNativeSeparators(run.folder), this));
    layout->addWidget(ProgressBar__Extraction);
    layout->addWidget(Button__Cancel_extraction, 0, Qt::AlignHCenter);
    resize(420, sizeHint().height());
    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, &ExtractionProgress::Tick);
    connect(Button__Cancel_extraction, &QPushButton::clicked, this, [this] {
        run_.Stop();
        timer_->stop();
        reject();
    });
}

void ExtractionProgress::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    timer_->start();
}

void ExtractionProgress::Tick() {
    run_.Step();
    ProgressBar__Extraction->setValue(run_.Done());
    if (run_.Finished()) {
        timer_->stop();
        accept();
    }
}

void RunExtraction(UserDialogs& dialogs, QWidget* owner, const tTrcFiles& catalogue) {
    TForm2 folders(dialogs, owner);
    folders.Prepare(catalogue.scannedFolder());
    dialogs.exec(folders);
    if (folders.chosenFolder.isEmpty())
        return;
    const QString caption = QGuiApplication::applicationDisplayName();
    tTextExtraction run = catalogue.PrepareExtraction(folders.chosenFolder);
    if (run.Total() == 0) {
        dialogs.message(owner, caption,
                        QStringLiteral("Ни один файл не записан: не отмечено ни одного канала."),
                        UserDialogs::Icon::Warning);
        return;
    }
    if (run.Total() >= kExtractionProgressFrom) {
        ExtractionProgress progress(run, owner);
        if (dialogs.exec(progress) != QDialog::Accepted)
            run.Stop(); // closed before the end
    } else {
        BusyCursor busy;
        while (!run.Finished())
            run.Step();
    }
    const UserDialogs::Icon icon = !run.failure.isEmpty() ? UserDialogs::Icon::Error
                                   : run.Complete()       ? UserDialogs::Icon::Information
                                                          : UserDialogs::Icon::Warning;
    dialogs.message(owner, caption, run.Summary(), icon);
}
