#include "SiteSpeedPanel.h"

#include "Named.h"
#include "NumberFormat.h"
#include "PileTexts.h"
#include "TPileAnalyser.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPoint>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kKeyRole = Qt::UserRole + 1;  // of a pile's item: its site and pile
constexpr int kSiteRole = Qt::UserRole + 2; // of a site's item: its number

QString deviationText(double share) {
    return (share < 0 ? QStringLiteral("−") : QStringLiteral("+")) +
           FormatFloat(QStringLiteral("0.0"), 100 * std::abs(share)) + QStringLiteral(" %");
}

} // namespace

TSiteSpeedPanel::TSiteSpeedPanel(TPileAnalyser& analyser,
                                 std::function<void(TPileKey, const TPileVerdict&)> store, QWidget* parent)
    : QDialog(parent), analyser_(analyser), store_(std::move(store)) {
    setObjectName(QStringLiteral("SiteSpeedPanel"));
    setWindowTitle(QStringLiteral("Скорость волны по участку"));
    SiteTree = Named(new QTreeWidget(this), QStringLiteral("SiteTree"));
    SiteTree->setHeaderLabels({QStringLiteral("Участок / свая"), QStringLiteral("c, м/с"),
                               QStringLiteral("Отклонение"), QStringLiteral("В скорости участка")});
    SiteTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    SiteTree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    OwnSpeedButton =
        Named(new QPushButton(QStringLiteral("Своя скорость"), this), QStringLiteral("OwnSpeedButton"));
    OwnSpeedButton->setToolTip(
        QStringLiteral("Свая читается со своей скоростью и не входит в скорость участка"));
    AutoButton = Named(new QPushButton(QStringLiteral("Авто"), this), QStringLiteral("SiteAutoButton"));
    AutoButton->setToolTip(QStringLiteral("Скорость сваи выбирает обработка"));
    SiteSpeedButton = Named(new QPushButton(QStringLiteral("Скорость участка — всем выделенным"), this),
                            QStringLiteral("SiteSpeedButton"));
    SiteSpeedButton->setToolTip(
        QStringLiteral("Выделенные сваи читаются со скоростью участка, даже если их длина даёт свою"));
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(OwnSpeedButton);
    buttons->addWidget(AutoButton);
    buttons->addWidget(SiteSpeedButton);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SiteTree, 1);
    layout->addLayout(buttons);
    resize(780, 480);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(OwnSpeedButton, &QPushButton::clicked, this, &TSiteSpeedPanel::SetOwnSpeed);
    connect(AutoButton, &QPushButton::clicked, this, &TSiteSpeedPanel::SetAuto);
    connect(SiteSpeedButton, &QPushButton::clicked, this, &TSiteSpeedPanel::SetSiteSpeed);
    Fill();
}

void TSiteSpeedPanel::Fill() {
    TPileKey current;
    const bool hadCurrent = selected(current);
    std::vector<QPoint> chosen; // the rows selected, selected again
    for (const QTreeWidgetItem* item : SiteTree->selectedItems())
        chosen.push_back(item->data(0, kKeyRole).isValid() ? item->data(0, kKeyRole).toPoint()
                                                           : QPoint(item->data(0, kSiteRole).toInt(), -1));
    SiteTree->clear();
    for (int site : analyser_.Sites()) {
        const TSiteSpeed s = analyser_.SiteSpeed(site);
        auto* top = new QTreeWidgetItem(SiteTree);
        top->setText(0, QStringLiteral("Участок %1").arg(site));
        top->setData(0, kSiteRole, site);
        top->setSelected(std::find(chosen.begin(), chosen.end(), QPoint(site, -1)) != chosen.end());
        if (s.speed) {
            top->setText(1, piletexts::PanelSpeed(*s.speed));
            top->setText(2, QStringLiteral("%1 … %2").arg(piletexts::PanelSpeed(*s.min),
                                                          piletexts::PanelSpeed(*s.max)));
        } else {
            top->setText(1, QStringLiteral("нет"));
            top->setText(2, QStringLiteral("нужно не менее трёх свай с длиной"));
        }
        top->setText(3, QStringLiteral("%1 из %2").arg(s.used.size()).arg(s.used.size() + s.excluded.size()));
        for (const TPileRows& p : analyser_.Piles()) {
            if (p.key.site != site)
                continue;
            const std::shared_ptr<const TPileAnalysis> analysis = analyser_.Analyse(p.key);
            const TPileAnalysis& a = *analysis;
            auto* item = new QTreeWidgetItem(top);
            item->setData(0, kKeyRole, QPoint(site, p.key.pile));
            item->setText(0, QStringLiteral("Свая %1").arg(p.key.pile));
            if (a.waveSpeed > 0)
                item->setText(1, piletexts::SpeedWithSource(a, piletexts::TSpeedFormat::Panel));
            const bool used = std::find(s.used.begin(), s.used.end(), p.key.pile) != s.used.end();
            const bool left = std::find(s.excluded.begin(), s.excluded.end(), p.key.pile) != s.excluded.end();
            // The deviation of what the pile gives the site's speed, whatever speed it is read at.
            if ((used || left) && s.speed && a.lengthSpeed)
                item->setText(2, deviationText(*a.lengthSpeed / *s.speed - 1));
            item->setText(3, used   ? QStringLiteral("да")
                             : left ? QStringLiteral("нет: отклонение больше 5 %")
                             : a.verdict.speed ? QStringLiteral("нет: своя скорость")
                                               : QStringLiteral("нет: длина или подошва не заданы"));
            if (hadCurrent && current.site == site && current.pile == p.key.pile)
                SiteTree->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
            item->setSelected(std::find(chosen.begin(), chosen.end(), QPoint(site, p.key.pile)) !=
                              chosen.end());
        }
    }
    SiteTree->expandAll();
}

void TSiteSpeedPanel::Select(TPileKey key) {
    for (int site = 0; site < SiteTree->topLevelItemCount(); ++site)
        for (int i = 0; i < SiteTree->topLevelItem(site)->childCount(); ++i) {
            QTreeWidgetItem* item = SiteTree->topLevelItem(site)->child(i);
            if (item->data(0, kKeyRole).toPoint() == QPoint(key.site, key.pile))
                SiteTree->setCurrentItem(item);
        }
}

bool TSiteSpeedPanel::selected(TPileKey& key) const {
    const QTreeWidgetItem* item = SiteTree->currentItem();
    if (!item || !item->data(0, kKeyRole).isValid())
        return false;
    const QPoint p = item->data(0, kKeyRole).toPoint();
    key = {p.x(), p.y()};
    return true;
}

void TSiteSpeedPanel::SetOwnSpeed() {
    TPileKey key;
    if (!selected(key))
        return;
    const std::shared_ptr<const TPileAnalysis> a = analyser_.Analyse(key);
    if (!(a->waveSpeed > 0))
        return;
    TPileVerdict v = a->verdict;
    v.speed = a->waveSpeed;
    v.speedChoice.reset();
    store_(key, v);
    Fill();
}

void TSiteSpeedPanel::SetAuto() {
    TPileKey key;
    if (!selected(key))
        return;
    TPileVerdict v = analyser_.VerdictOf(key);
    v.speed.reset();
    v.speedChoice.reset();
    store_(key, v);
    Fill();
}

std::vector<TPileKey> TSiteSpeedPanel::selectedPiles() const {
    std::vector<TPileKey> piles;
    const auto add = [&](const QTreeWidgetItem* item) {
        const QPoint p = item->data(0, kKeyRole).toPoint();
        const TPileKey key{p.x(), p.y()};
        if (std::find(piles.begin(), piles.end(), key) == piles.end())
            piles.push_back(key);
    };
    for (const QTreeWidgetItem* item : SiteTree->selectedItems()) {
        if (item->data(0, kKeyRole).isValid())
            add(item);
        else
            for (int i = 0; i < item->childCount(); ++i)
                add(item->child(i));
    }
    return piles;
}

void TSiteSpeedPanel::SetSiteSpeed() {
    for (const TPileKey key : selectedPiles()) {
        TPileVerdict v = analyser_.VerdictOf(key);
        v.speed.reset();
        v.speedChoice = TSpeedChoice::Site;
        if (v != analyser_.VerdictOf(key)) // a pile read at the site's speed already is not changed again
            store_(key, v);
    }
    Fill();
}
