#include "PileVerdictPanel.h"

#include "BlowTable.h"
#include "Named.h"
#include "NumberEdit.h"
#include "NumberFormat.h"
#include "PileLimits.h"
#include "PileTexts.h"
#include "RemarkEdit.h"
#include "TBlowSet.h"
#include "TFirstPassProject.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

TPileVerdictPanel::TPileVerdictPanel(THandlerRunner run, QWidget* parent)
    : QWidget(parent), run_(std::move(run)) {
    auto* r = new QVBoxLayout(this);
    r->setContentsMargins(0, 0, 0, 0);
    r->addWidget(makeSpeed());
    r->addWidget(makePile());
    RefusalLabel = Named(new QLabel(this), QStringLiteral("RefusalLabel"));
    RefusalLabel->setWordWrap(true);
    RefusalLabel->setStyleSheet(QStringLiteral("color: #b00000"));
    RefusalLabel->hide();
    r->addWidget(RefusalLabel);
    r->addWidget(makeBlows(), 1);
    r->addWidget(makeProposal());
    r->addWidget(makeVerdict());
    setEnabled(false);
}

QSize TPileVerdictPanel::minimumSizeHint() const {
    return QWidget::minimumSizeHint().expandedTo(QSize(250, 0));
}

void TPileVerdictPanel::change(const Change& change) {
    if (shown_ && OnChange)
        OnChange(change);
}

// A number the pile cannot have is refused with its reason, and the value in force shown again;
// Enter on the text the panel wrote changes nothing (a site's speed stays the site's).
void TPileVerdictPanel::applyNumber(TNumberEdit* edit,
                                    const std::function<void(TPileVerdict&, std::optional<double>)>& set,
                                    const Refusal& refusal) {
    connect(edit, &TNumberEdit::entered, this, [this, edit, set, refusal] {
        run_([&] {
            const QString text = edit->text().trimmed();
            if (!shown_ || text == shownTexts_.value(edit))
                return;
            bool ok = false;
            const double value = QLocale().toDouble(text, &ok);
            const std::optional<QString> refused =
                text.isEmpty() ? std::nullopt
                : ok           ? refusal(value)
                               : std::optional(QStringLiteral("Не число: %1").arg(text));
            if (!refused) {
                change(
                    [&](TPileVerdict& v) { set(v, text.isEmpty() ? std::nullopt : std::optional(value)); });
                return;
            }
            Show(shown_, scheme_); // the value in force again
            RefusalLabel->setText(*refused);
            RefusalLabel->show();
        });
    });
}

QWidget* TPileVerdictPanel::makeSpeed() {
    auto* speed = new QGroupBox(QStringLiteral("Скорость волны"), this);
    SpeedEdit = new TNumberEdit(QStringLiteral("SpeedEdit"), speed);
    SpeedSourceCombo = Named(new QComboBox(speed), QStringLiteral("SpeedSourceCombo"));
    for (TSpeedSource source :
         {TSpeedSource::Length, TSpeedSource::Site, TSpeedSource::Record, TSpeedSource::Pile})
        SpeedSourceCombo->addItem(piletexts::SpeedSource(source), int(source));
    SpeedSourceCombo->setToolTip(QStringLiteral(
        "Откуда скорость сваи: по длине (проектная длина и подошва), участка (средняя по сваям участка), "
        "из записи или своя (введённая)"));
    SpeedSourceLabel = Named(new QLabel(speed), QStringLiteral("SpeedSourceLabel"));
    SpeedSourceLabel->setWordWrap(true);
    AutoSpeedButton =
        Named(new QPushButton(QStringLiteral("Авто"), speed), QStringLiteral("AutoSpeedButton"));
    AutoSpeedButton->setToolTip(QStringLiteral("Скорость, которую выбирает обработка"));
    auto* s = new QGridLayout(speed);
    // The source under the speed: the panel stays narrow enough for the list beside it.
    s->addWidget(new QLabel(QStringLiteral("c, м/с:"), speed), 0, 0);
    s->addWidget(SpeedEdit, 0, 1);
    s->addWidget(AutoSpeedButton, 0, 2);
    s->addWidget(new QLabel(QStringLiteral("Источник:"), speed), 1, 0);
    s->addWidget(SpeedSourceCombo, 1, 1, 1, 2);
    s->addWidget(SpeedSourceLabel, 2, 0, 1, 3);
    s->setColumnStretch(1, 1);
    applyNumber(
        SpeedEdit,
        [](TPileVerdict& v, std::optional<double> c) {
            v.speed = c;
            v.speedChoice.reset(); // the speed typed, or the analysis's choice again
        },
        pilelimits::Speed);
    connect(AutoSpeedButton, &QPushButton::clicked, this, [this] {
        run_([this] {
            change([](TPileVerdict& v) {
                v.speed.reset();
                v.speedChoice.reset();
            });
        });
    });
    connect(SpeedSourceCombo, &QComboBox::activated, this, [this] {
        run_([this] { chooseSpeedSource(TSpeedSource(SpeedSourceCombo->currentData().toInt())); });
    });
    return speed;
}

// "по длине" is the analysis's own first choice: the pile's choice goes. "своя" keeps the speed the
// pile is read at now as its own.
void TPileVerdictPanel::chooseSpeedSource(TSpeedSource source) {
    if (!shown_)
        return;
    const double now = shown_->waveSpeed;
    change([&](TPileVerdict& v) {
        v.speed.reset();
        v.speedChoice.reset();
        if (source == TSpeedSource::Pile && now > 0)
            v.speed = now;
        else if (source == TSpeedSource::Site)
            v.speedChoice = TSpeedChoice::Site;
        else if (source == TSpeedSource::Record)
            v.speedChoice = TSpeedChoice::Record;
    });
    Show(shown_, scheme_); // the source in force, where the choice changed nothing
}

QWidget* TPileVerdictPanel::makePile() {
    auto* pile = new QGroupBox(QStringLiteral("Свая и обработка"), this);
    LengthEdit = new TNumberEdit(QStringLiteral("LengthEdit"), pile);
    DiameterEdit = new TNumberEdit(QStringLiteral("DiameterEdit"), pile);
    LowPassEdit = new TNumberEdit(QStringLiteral("LowPassEdit"), pile);
    AmplifyEdit = new TNumberEdit(QStringLiteral("AmplifyEdit"), pile);
    ToeLabel = Named(new QLabel(pile), QStringLiteral("ToeLabel"));
    ToeLabel->setWordWrap(true);
    auto* f = new QFormLayout(pile);
    f->addRow(QStringLiteral("Длина по проекту, м:"), LengthEdit);
    f->addRow(QStringLiteral("Диаметр, м:"), DiameterEdit);
    f->addRow(QStringLiteral("Фильтр НЧ, Гц:"), LowPassEdit);
    f->addRow(QStringLiteral("Усиление G:"), AmplifyEdit);
    f->addRow(ToeLabel);
    applyNumber(
        LengthEdit, [](TPileVerdict& v, std::optional<double> l) { v.length = l; }, pilelimits::Length);
    applyNumber(
        DiameterEdit, [](TPileVerdict& v, std::optional<double> d) { v.diameter = d; }, pilelimits::Diameter);
    applyNumber(
        LowPassEdit, [](TPileVerdict& v, std::optional<double> f) { v.processing.lowpass = f.value_or(0); },
        [this](double hz) {
            return pilelimits::Lowpass(hz, shown_ && shown_->blowSet ? shown_->blowSet->SampleFreq() : 0);
        });
    applyNumber(
        AmplifyEdit, [](TPileVerdict& v, std::optional<double> g) { v.processing.amplify = g.value_or(1); },
        pilelimits::Amplify);
    return pile;
}

QWidget* TPileVerdictPanel::makeBlows() {
    auto* blows = new QGroupBox(QStringLiteral("Удары"), this);
    auto* table = new TBlowTable(blows);
    BlowList = table;
    auto* b = new QVBoxLayout(blows);
    b->addWidget(BlowList);
    connect(table, &TBlowTable::toggled, this,
            [this](int row, bool used) { run_([&] { blowToggled(row, used); }); });
    return blows;
}

QWidget* TPileVerdictPanel::makeProposal() {
    auto* proposal = new QGroupBox(QStringLiteral("Первый проход"), this);
    ProposalLabel = Named(new QLabel(proposal), QStringLiteral("ProposalLabel"));
    ProposalLabel->setWordWrap(true);
    ProposalLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    AcceptButton =
        Named(new QPushButton(QStringLiteral("Принять"), proposal), QStringLiteral("AcceptButton"));
    AcceptButton->setToolTip(QStringLiteral("Взять предложенный класс и находки в заключение (Ctrl+Enter)"));
    // A long reading scrolls within the box rather than being cut at its foot.
    auto* scroll = new QScrollArea(proposal);
    scroll->setWidget(ProposalLabel);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumHeight(ProposalLabel->fontMetrics().lineSpacing() * 3);
    auto* p = new QVBoxLayout(proposal);
    p->addWidget(scroll, 1);
    p->addWidget(AcceptButton, 0, Qt::AlignRight);
    connect(AcceptButton, &QPushButton::clicked, this, [this] { run_([this] { AcceptProposal(); }); });
    ShowProposal(nullptr);
    return proposal;
}

void TPileVerdictPanel::ShowProposal(const TFirstPassResult* proposal) {
    proposal_.reset();
    if (proposal)
        proposal_ = *proposal;
    ProposalLabel->setText(proposal ? piletexts::Proposal(*proposal, shown_ ? shown_->waveSpeed : 0)
                                    : QStringLiteral("Ещё не прочитана"));
    ProposalLabel->setToolTip(proposal ? proposal->reasons.join('\n') : QString());
    AcceptButton->setEnabled(proposal && HasProposal(*proposal));
}

void TPileVerdictPanel::AcceptProposal() {
    if (proposal_ && HasProposal(*proposal_))
        change([r = *proposal_](TPileVerdict& v) { TakeProposal(r, v); });
}

QWidget* TPileVerdictPanel::makeVerdict() {
    auto* verdict = new QGroupBox(QStringLiteral("Заключение"), this);
    ClassCombo = Named(new QComboBox(verdict), QStringLiteral("ClassCombo"));
    // The classes' meanings are long and come with the scheme: as wide as they are, in any style.
    ClassCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    RemarkEdit = Named(new TRemarkEdit(verdict), QStringLiteral("RemarkEdit"));
    RemarkPhrasesButton = Named(new QToolButton(verdict), QStringLiteral("RemarkPhrasesButton"));
    RemarkPhrasesButton->setText(QStringLiteral("…"));
    RemarkPhrasesButton->setToolTip(QStringLiteral("Примечания, уже записанные в проекте"));
    RemarkPhrasesButton->setPopupMode(QToolButton::InstantPopup);
    RemarkPhrasesButton->setMenu(new QMenu(RemarkPhrasesButton));
    RemarkPhrasesButton->menu()->setToolTipsVisible(true); // a long remark whole
    auto* remark = new QHBoxLayout;
    remark->addWidget(RemarkEdit, 1);
    remark->addWidget(RemarkPhrasesButton, 0, Qt::AlignTop);
    // Each under its caption: the class box as wide as its class, the panel no wider for it.
    auto* v = new QFormLayout(verdict);
    v->addRow(new QLabel(QStringLiteral("Класс:"), verdict));
    v->addRow(ClassCombo);
    v->addRow(new QLabel(QStringLiteral("Примечание:"), verdict));
    v->addRow(remark);
    connect(RemarkPhrasesButton->menu(), &QMenu::aboutToShow, this,
            [this] { run_([this] { fillPhrases(); }); });
    connect(ClassCombo, &QComboBox::activated, this, [this] {
        run_([this] {
            change([cls = ClassCombo->currentData().toString()](TPileVerdict& v) {
                v.cls = cls;
                v.classFirstPass = false; // the engineer's own
            });
        });
    });
    connect(RemarkEdit, &TRemarkEdit::editingFinished, this, [this] {
        if (!filling_ && shown_ && RemarkEdit->text() != shown_->verdict.remark)
            run_([this] { change([text = RemarkEdit->text()](TPileVerdict& v) { v.remark = text; }); });
    });
    return verdict;
}

void TPileVerdictPanel::fillPhrases() {
    QMenu* menu = RemarkPhrasesButton->menu();
    menu->clear();
    const QStringList remarks = Remarks ? Remarks() : QStringList();
    for (const QString& text : remarks) {
        const QString shown =
            menu->fontMetrics().elidedText(text, Qt::ElideRight, 40 * menu->fontMetrics().averageCharWidth());
        QAction* phrase = menu->addAction(QString(shown).replace('&', QStringLiteral("&&"))); // no mnemonics
        phrase->setData(text);
        if (shown != text)
            phrase->setToolTip(text);
        connect(phrase, &QAction::triggered, this, [this, text] {
            run_([&] {
                RemarkEdit->setText(text);
                change([&](TPileVerdict& v) { v.remark = text; });
            });
        });
    }
    if (remarks.isEmpty())
        menu->addAction(QStringLiteral("В проекте ещё нет примечаний"))->setEnabled(false);
}

void TPileVerdictPanel::Show(std::shared_ptr<const TPileAnalysis> shown, const QString& scheme) {
    shown_ = std::move(shown);
    setEnabled(shown_ != nullptr);
    if (!shown_)
        return;
    const TPileAnalysis& a = *shown_;
    filling_ = true;
    RefusalLabel->hide();
    SpeedEdit->setText(piletexts::Number("0", a.waveSpeed > 0 ? std::optional(a.waveSpeed) : std::nullopt));
    // The source chosen, or the one the analysis chose; and why the pile is read at another.
    const TSpeedSource chosen = a.verdict.speed                                 ? TSpeedSource::Pile
                                : a.verdict.speedChoice == TSpeedChoice::Site   ? TSpeedSource::Site
                                : a.verdict.speedChoice == TSpeedChoice::Record ? TSpeedSource::Record
                                                                                : a.waveSpeedSource;
    SpeedSourceCombo->setCurrentIndex(SpeedSourceCombo->findData(int(chosen)));
    const QString fallback = piletexts::SpeedFallback(a);
    SpeedSourceLabel->setText(!(a.waveSpeed > 0)   ? QStringLiteral("Скорость неизвестна")
                              : fallback.isEmpty() ? QString()
                                                   : QStringLiteral("%1%2: скорость %3")
                                                         .arg(fallback.left(1).toUpper(), fallback.mid(1),
                                                              piletexts::SpeedSource(a.waveSpeedSource)));
    SpeedSourceLabel->setVisible(!SpeedSourceLabel->text().isEmpty());
    AutoSpeedButton->setEnabled(a.verdict.speed || a.verdict.speedChoice);
    LengthEdit->setText(piletexts::Number("0.00", a.verdict.length));
    DiameterEdit->setText(piletexts::Number("0.000", a.verdict.diameter));
    LowPassEdit->setText(piletexts::Number("0", a.verdict.processing.lowpass));
    AmplifyEdit->setText(piletexts::Number("0.0", a.verdict.processing.amplify));
    for (const TNumberEdit* edit : {SpeedEdit, LengthEdit, DiameterEdit, LowPassEdit, AmplifyEdit})
        shownTexts_[edit] = edit->text();
    if (!a.toeTime)
        ToeLabel->setText(QStringLiteral("Подошва не отмечена"));
    else
        ToeLabel->setText(QStringLiteral("Подошва: %1 м (%2 мс), %3")
                              .arg(piletexts::Number("0.00", a.toeDepth),
                                   piletexts::Number("0.00", a.toeTime),
                                   a.toeAuto ? QStringLiteral("найдена автоматически")
                                             : QStringLiteral("отмечена инженером")));
    static_cast<TBlowTable*>(BlowList)->Show(a);
    if (scheme_ != scheme) {
        ClassCombo->clear();
        ClassCombo->addItem(QStringLiteral("не оценена"), QString());
        for (const QString& cls : classscheme::Classes(scheme))
            ClassCombo->addItem(piletexts::ClassWithMeaning(scheme, cls), cls);
        scheme_ = scheme;
    }
    // The open list reads whole even where the panel keeps the box narrower.
    QAbstractItemView* list = ClassCombo->view();
    int longest = 0;
    for (int i = 0; i < ClassCombo->count(); ++i)
        longest = std::max(longest, list->fontMetrics().horizontalAdvance(ClassCombo->itemText(i)));
    list->setMinimumWidth(longest + 4 * list->fontMetrics().averageCharWidth() + 2 * list->frameWidth() +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    ClassCombo->setCurrentIndex(std::max(0, ClassCombo->findData(a.verdict.cls)));
    if (!RemarkEdit->hasFocus())
        RemarkEdit->setText(a.verdict.remark);
    filling_ = false;
}

void TPileVerdictPanel::blowToggled(int row, bool used) {
    if (!shown_ || row < 0 || std::size_t(row) >= shown_->blows.size())
        return;
    const TBlowReport blow = shown_->blows[std::size_t(row)];
    change([&](TPileVerdict& v) { SetBlowUsed(v, blow, used); });
    Show(shown_, scheme_); // the box as the blow stands, where the word changed nothing
}
