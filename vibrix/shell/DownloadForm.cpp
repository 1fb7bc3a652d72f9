#include "DownloadForm.h"

#include "Named.h"

#include <QFileInfo>

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

TDownloadForm::TDownloadForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("DownloadForm"));
    setWindowTitle(QStringLiteral("Добавление записей"));
    setModal(true);
    ReadLabel = Named(new QLabel(QStringLiteral("0"), this), QStringLiteral("ReadLabel"));
    AddLabel = Named(new QLabel(QStringLiteral("0"), this), QStringLiteral("AddLabel"));
    for (QLabel* l : {ReadLabel, AddLabel}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumWidth(60);
    }
    MainSpeedButton =
        Named(new QPushButton(TDownloadProgress::kAbort, this), QStringLiteral("MainSpeedButton"));
    connect(MainSpeedButton, &QPushButton::clicked, this, &QDialog::accept); // MainSpeedButtonClick
    FailuresMemo = Named(new QPlainTextEdit(this), QStringLiteral("FailuresMemo"));
    FailuresMemo->setReadOnly(true);
    FailuresMemo->hide();

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("прочитано файлов (*.ssm)"), this), 0, 0);
    layout->addWidget(ReadLabel, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("добавлено записей в проект"), this), 1, 0);
    layout->addWidget(AddLabel, 1, 1);
    layout->addWidget(FailuresMemo, 2, 0, 1, 2);
    layout->addWidget(MainSpeedButton, 3, 0, 1, 2, Qt::AlignHCenter);
    layout->setRowStretch(2, 1);
    // A long list is read best in a larger window: the window can be resized.
    FailuresMemo->setMinimumSize(420, 120);
    setSizeGripEnabled(true);

    progress_.OnChanged = [this] { showProgress(); };
}

TDownloadForm::~TDownloadForm() {
    progress_.FormClose();
}

void TDownloadForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (progress_.ReadThread)
        return; // shown again while walking
    progress_.Path = Path;
    progress_.OnAddFile = OnAddFile;
    progress_.FormShow();
}

void TDownloadForm::done(int result) {
    progress_.FormClose();
    QDialog::done(result);
}

QString TDownloadForm::FailuresText(std::vector<TDownloadProgress::Failure> notAdded) {
    if (notAdded.empty())
        return {};
    // The files that need the user's eye first, those already in the project after them; each
    // part by name, as a file manager lists them.
    std::sort(notAdded.begin(), notAdded.end(), [](const auto& a, const auto& b) {
        const bool aPresent = a.reason == TDownloadProgress::kPresent;
        const bool bPresent = b.reason == TDownloadProgress::kPresent;
        if (aPresent != bPresent)
            return bPresent;
        return QString::compare(a.fileName, b.fileName, Qt::CaseInsensitive) < 0;
    });
    QString text = QStringLiteral("Не добавлены в проект (%1):").arg(notAdded.size());
    for (const auto& f : notAdded)
        text += QLatin1Char('\n') + QFileInfo(f.fileName).fileName() + QStringLiteral(" — ") + f.reason;
    return text;
}

void TDownloadForm::showProgress() {
    ReadLabel->setText(QString::number(progress_.ReadCount));
    AddLabel->setText(QString::number(progress_.AddCount));
    MainSpeedButton->setText(progress_.ButtonCaption);
    if (progress_.Finished() && !progress_.NotAdded.empty()) {
        FailuresMemo->setPlainText(FailuresText(progress_.NotAdded));
        FailuresMemo->show();
        resize(size().expandedTo(sizeHint()));
    }
}
