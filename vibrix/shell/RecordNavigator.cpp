#include "RecordNavigator.h"

#include "Hints.h"
#include "Named.h"

#include <QHBoxLayout>
#include <QToolButton>

TRecordNavigator::TRecordNavigator(TMainDataModule& dm, THandlerRunner run, QWidget* parent)
    : QWidget(parent), dm_(dm), run_(std::move(run)) {
    setObjectName(QStringLiteral("DBNavigator"));
    using vxds::DataTable;
    nbFirst = button(QStringLiteral("nbFirst"), QStringLiteral("|◀"), QStringLiteral("Первая запись"),
                     [](DataTable& t) { t.first(); });
    nbPrior = button(QStringLiteral("nbPrior"), QStringLiteral("◀"), QStringLiteral("Предыдущая запись"),
                     [](DataTable& t) { t.prior(); });
    nbNext = button(QStringLiteral("nbNext"), QStringLiteral("▶"), QStringLiteral("Следующая запись"),
                    [](DataTable& t) { t.next(); });
    nbLast = button(QStringLiteral("nbLast"), QStringLiteral("▶|"), QStringLiteral("Последняя запись"),
                    [](DataTable& t) { t.last(); });
    nbDelete = button(QStringLiteral("nbDelete"), QStringLiteral("−"), QStringLiteral("Удалить запись"),
                      [this](DataTable& t) {
                          if (!ConfirmDelete || ConfirmDelete())
                              t.deleteRecord();
                      });
    nbPost = button(QStringLiteral("nbPost"), QStringLiteral("✓"),
                    QStringLiteral("Сохранить изменения записи"), [this](DataTable&) { dm_.PostChanges(); });
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (QToolButton* b : {nbFirst, nbPrior, nbNext, nbLast, nbDelete, nbPost})
        layout->addWidget(b, 1);
    UpdateButtons();
}

QToolButton* TRecordNavigator::button(const QString& name, const QString& text, const QString& hint,
                                      const std::function<void(vxds::DataTable&)>& act) {
    auto* b = Named(new QToolButton(this), name);
    b->setText(text);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    b->setFocusPolicy(Qt::NoFocus); // the grid keeps the focus, as its keys do the same
    ApplyHint(b, hint + QLatin1Char('|') + hint);
    connect(b, &QToolButton::clicked, this, [this, act] {
        run_([this, act] {
            if (dm_.IsProjectOpen())
                act(dm_.cdsVibrix);
        });
    });
    return b;
}

void TRecordNavigator::UpdateButtons() {
    const vxds::DataTable& t = dm_.cdsVibrix;
    const bool rows = dm_.IsProjectOpen() && !t.isEmpty();
    const bool editing =
        t.state() == vxds::DataTable::State::Edit || t.state() == vxds::DataTable::State::Insert;
    nbFirst->setEnabled(rows && t.recNo() > 1);
    nbPrior->setEnabled(rows && t.recNo() > 1);
    nbNext->setEnabled(rows && t.recNo() < t.recordCount());
    nbLast->setEnabled(rows && t.recNo() < t.recordCount());
    nbDelete->setEnabled(rows);
    nbPost->setEnabled(rows && editing);
}
