#include "SiteReport.h"

#include "FailureText.h"
#include "MainDataModuleUnit.h"
#include "NumberFormat.h"
#include "PileReport.h"
#include "PileTexts.h"
#include "PlatformFiles.h"
#include "ReportPainter.h"
#include "SiteReportTable.h"
#include "TFirstPassProject.h"

#include <QSaveFile>
#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>

namespace {

constexpr QSize kClassChartSize(356, 150);

QString numbers(const std::vector<int>& list) {
    QStringList out;
    for (int n : list)
        out << QString::number(n);
    return out.join(QStringLiteral(", "));
}

void fillClassChart(QCustomPlot& plot, const QStringList& classNames,
                    const std::vector<double>& classCounts) {
    plot.clearPlottables();
    auto* bars = new QCPBars(plot.xAxis, plot.yAxis);
    bars->setBrush(QColor(120, 150, 200));
    bars->setPen(QPen(Qt::black, 0.8));
    bars->setWidth(0.6);
    QVector<double> keys, values;
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    for (qsizetype i = 0; i < classNames.size(); ++i) {
        keys << double(i + 1);
        values << classCounts[std::size_t(i)];
        ticker->addTick(double(i + 1), classNames[i]);
    }
    bars->setData(keys, values, true);
    plot.xAxis->setTicker(ticker);
    plot.xAxis->setRange(0.4, double(classNames.size()) + 0.6);
    plot.xAxis->setLabel(QStringLiteral("класс"));
    plot.yAxis->setLabel(QStringLiteral("свай"));
    auto integers = QSharedPointer<QCPAxisTickerFixed>::create();
    integers->setTickStep(1);
    integers->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    plot.yAxis->setTicker(integers);
    plot.yAxis->setNumberFormat(QStringLiteral("f"));
    plot.yAxis->setNumberPrecision(0);
    const double top = classCounts.empty() ? 1 : *std::max_element(classCounts.begin(), classCounts.end());
    plot.yAxis->setRange(0, std::max(1.0, top) * 1.15);
}

QString speedLine(int site, const TSiteSpeed& speed) {
    // Piles of a speed of their own are in neither list of the site's speed, but named all the same.
    const QString own =
        speed.own.empty() ? QString() : QStringLiteral("; своя скорость у свай %1").arg(numbers(speed.own));
    if (!speed.speed)
        return QStringLiteral("Участок %1: скорость волны участка не определена (нужны не менее трёх свай "
                              "известной длины со сходными скоростями)%2")
            .arg(site)
            .arg(own);
    const double spread = std::max(*speed.max - *speed.speed, *speed.speed - *speed.min) / *speed.speed * 100;
    QString line =
        QStringLiteral("Участок %1: скорость волны %2 м/с, от %3 до %4 м/с (разброс ±%5 %), по сваям %6")
            .arg(site)
            .arg(VelocityToStr(*speed.speed), VelocityToStr(*speed.min), VelocityToStr(*speed.max),
                 piletexts::Number("0.0", spread), numbers(speed.used));
    if (!speed.excluded.empty())
        line += QStringLiteral("; не вошли сваи %1").arg(numbers(speed.excluded));
    return line + own;
}

QString processingText(const std::vector<TPileKey>& otherwise) {
    const TProcessingParams d;
    QString text = QStringLiteral("Обработка по умолчанию: фильтр %1 Гц (порядок %2), усиление у подошвы %3, "
                                  "порог корреляции ударов %4, резонансы мобильности в полосе %5–%6 Гц.")
                       .arg(piletexts::Number("0", d.lowpass))
                       .arg(d.lowpassOrder)
                       .arg(piletexts::Number("0.0", d.amplify), piletexts::Number("0.00", d.threshold),
                            piletexts::Number("0", d.bandLow), piletexts::Number("0", d.bandHigh));
    if (!otherwise.empty()) {
        QStringList piles;
        for (const TPileKey& k : otherwise)
            piles << QStringLiteral("%1-%2").arg(k.site).arg(k.pile);
        text += QStringLiteral(" Обработаны иначе (участок-свая): %1.").arg(piles.join(QStringLiteral(", ")));
    }
    return text;
}

} // namespace

// What the summary pages gather from the piles' rows, and what the pages are drawn with.
struct TSiteReport::Summary {
    QString scheme;
    TReportHeader header;
    QString description; // the project's
    QStringList classNames;
    std::vector<double> classCounts;
    // Per class: judged by the engineer, taken from the first pass, proposed to piles not judged.
    std::vector<int> byEngineer, taken, proposed;
    std::optional<double> first, last; // the blows' date-times
    std::vector<TPileKey> otherwise;   // piles processed otherwise than by default
    TReportPage layout = LoadReportLayout(QStringLiteral("SiteReport"));
    QFontMetricsF metrics{SiteTableFont(layout)};
    std::vector<TSiteTableRow> rows;
    TPileReportCharts charts;
    std::unique_ptr<TReportPdfWriter> writer;
    // Guards the site speeds, which a pile analysed on another thread may ask for.
    std::mutex mutex;
    std::map<int, TSiteSpeed> siteSpeeds;
    // The first pass: the piles copied out of the tables, read once when a pile is first analysed.
    std::vector<TFirstPassPile> firstPassPiles;
    std::once_flag firstPassOnce;
    std::map<TPileKey, TFirstPassResult> firstPass;
};

TSiteReport::TSiteReport(TPileAnalyser& analyser, std::optional<int> site, const std::vector<TPileKey>& only)
    : analyser_(analyser), sites_(analyser.Sites()), selection_(!only.empty()),
      summary_(std::make_unique<Summary>()) {
    if (site) {
        if (std::find(sites_.begin(), sites_.end(), *site) == sites_.end())
            throw TReportError(QStringLiteral("В проекте нет участка %1").arg(*site).toStdString());
        sites_ = {*site};
    }
    const auto chosen = [&](TPileKey key) {
        return only.empty() || std::find(only.begin(), only.end(), key) != only.end();
    };
    if (selection_) // only the sites of the piles chosen
        std::erase_if(sites_, [&](int s) {
            return std::none_of(only.begin(), only.end(), [s](TPileKey k) { return k.site == s; });
        });
    for (const TPileRows& p : analyser.Piles())
        if (std::find(sites_.begin(), sites_.end(), p.key.site) != sites_.end()) {
            sitePiles_.push_back(analyser.Input(p.key));
            if (chosen(p.key))
                piles_.push_back(sitePiles_.back());
        }
    if (piles_.empty())
        throw TReportError("В проекте нет свай");
    Summary& s = *summary_;
    s.scheme = analyser.Verdicts().Scheme();
    s.header = analyser.Verdicts().Header();
    s.description = analyser.DataModule().Description().trimmed();
    s.classNames = classscheme::Classes(s.scheme);
    s.classCounts.assign(std::size_t(s.classNames.size()) + 1, 0);
    for (std::vector<int>* counts : {&s.byEngineer, &s.taken, &s.proposed})
        counts->assign(std::size_t(s.classNames.size()), 0);
    for (int reported : sites_)
        for (TFirstPassPile& p :
             FirstPassPiles(analyser.Piles(), analyser.Measurements(), analyser.Verdicts(), reported))
            s.firstPassPiles.push_back(std::move(p));
}

TSiteReport::~TSiteReport() = default;

TSiteSpeed TSiteReport::SiteSpeedOf(int site) const {
    const std::lock_guard lock(summary_->mutex);
    const auto known = summary_->siteSpeeds.find(site);
    if (known != summary_->siteSpeeds.end())
        return known->second;
    std::vector<TPileInput> inputs;
    for (const TPileInput& p : sitePiles_)
        if (p.key.site == site)
            inputs.push_back(p);
    return summary_->siteSpeeds[site] = analyser_.SiteSpeed(inputs);
}

const TFirstPassResult* TSiteReport::FirstPassOf(TPileKey key) const {
    Summary& s = *summary_;
    std::call_once(s.firstPassOnce, [&s] {
        const std::vector<TFirstPassResult> results = RunFirstPass(s.firstPassPiles, {s.scheme, {}, 0, {}});
        for (std::size_t i = 0; i < s.firstPassPiles.size() && i < results.size(); ++i)
            s.firstPass.emplace(TPileKey{s.firstPassPiles[i].site, s.firstPassPiles[i].pile}, results[i]);
        s.firstPassPiles.clear();
    });
    const auto found = s.firstPass.find(key);
    return found == s.firstPass.end() ? nullptr : &found->second;
}

std::shared_ptr<const TPileAnalysis> TSiteReport::Analyse(int pile) const {
    const TPileInput& input = piles_[std::size_t(pile)];
    FirstPassOf(input.key); // the site's first pass read off the tables' thread
    return analyser_.Analyse(input, [this, &input] { return SiteSpeedOf(input.key.site).speed; });
}

void TSiteReport::AddRow(const TPileAnalysis& r) {
    Summary& s = *summary_;
    for (const TBlowReport& b : r.blows) {
        s.first = std::min(s.first.value_or(b.dateTime), b.dateTime);
        s.last = std::max(s.last.value_or(b.dateTime), b.dateTime);
    }
    const qsizetype c = s.classNames.indexOf(r.verdict.cls);
    ++s.classCounts[c < 0 ? s.classCounts.size() - 1 : std::size_t(c)];
    if (c >= 0)
        ++(r.verdict.classFirstPass ? s.taken : s.byEngineer)[std::size_t(c)];
    const TFirstPassResult* proposal = FirstPassOf(r.key);
    const qsizetype p = proposal ? s.classNames.indexOf(proposal->cls) : -1;
    if (p >= 0 && r.verdict.cls.isEmpty())
        ++s.proposed[std::size_t(p)];
    if (!(r.verdict.processing == TProcessingParams{}))
        s.otherwise.push_back(r.key);
    const QString none = QStringLiteral("—");
    s.rows.push_back(SiteTableRow(
        s.metrics,
        {QString::number(r.key.site), QString::number(r.key.pile),
         r.firstBlow ? piletexts::Date(*r.firstBlow) : none,
         piletexts::Number("0.00", r.verdict.length, none),
         piletexts::SpeedWithSource(r, piletexts::TSpeedFormat::Table),
         piletexts::Number("0.00", r.toeDepth, none), piletexts::Defects(r),
         r.verdict.cls.isEmpty() ? none : r.verdict.cls,
         proposal && !proposal->cls.isEmpty()
             ? proposal->cls + QStringLiteral(", ") + piletexts::Number("0.00", proposal->classConfidence)
             : none,
         r.verdict.remark}));
}

void TSiteReport::Begin(QIODevice& device) {
    Summary& s = *summary_;
    QStringList siteNames, speeds;
    for (int site : sites_) {
        siteNames << QString::number(site);
        speeds << speedLine(site, SiteSpeedOf(site));
    }
    QString title =
        (sites_.size() == 1 ? QStringLiteral("Отчёт по участку ") : QStringLiteral("Отчёт по участкам ")) +
        siteNames.join(QStringLiteral(", "));
    if (selection_) {
        QStringList piles;
        for (const TPileInput& p : piles_)
            piles << (sites_.size() == 1 ? QString::number(p.key.pile)
                                         : QStringLiteral("%1-%2").arg(p.key.site).arg(p.key.pile));
        title += QStringLiteral(", сваи ") + piles.join(QStringLiteral(", "));
    }
    QString dates;
    if (s.first) {
        const QString first = piletexts::Date(*s.first), last = piletexts::Date(*s.last);
        dates = first == last ? QStringLiteral("Дата испытаний: %1").arg(first)
                              : QStringLiteral("Даты испытаний: с %1 по %2").arg(first, last);
    }
    dates += QStringLiteral("      Свай: %1      Схема классов: %2").arg(piles_.size()).arg(s.scheme);
    QStringList classes;
    for (qsizetype i = 0; i <= s.classNames.size(); ++i) {
        classes << QStringLiteral("%1: %2")
                       .arg(i == s.classNames.size() ? QStringLiteral("без класса")
                                                     : piletexts::ClassWithMeaning(s.scheme, s.classNames[i]))
                       .arg(s.classCounts[std::size_t(i)]);
        // Whose the class is, and what the first pass proposes to the piles nobody has judged.
        if (i < s.classNames.size())
            classes << QStringLiteral("      инженер %1, первый проход %2, предложено %3")
                           .arg(s.byEngineer[std::size_t(i)])
                           .arg(s.taken[std::size_t(i)])
                           .arg(s.proposed[std::size_t(i)]);
    }

    const TSiteTableRow header = SiteTableHeader(s.metrics);
    const TReportPage tableLayout = LoadReportLayout(QStringLiteral("SiteTable"));
    const std::vector<std::size_t> perPage =
        PaginateSiteTable(s.rows, header.height, s.layout.Find(QStringLiteral("PileTable")).Place.height(),
                          tableLayout.Find(QStringLiteral("PileTable")).Place.height());
    pages_ = int(perPage.size()) + PileCount();
    QCustomPlot classChart;
    classChart.resize(kClassChartSize);
    fillClassChart(classChart, s.classNames + QStringList{QStringLiteral("—")}, s.classCounts);
    s.writer = std::make_unique<TReportPdfWriter>(device);
    std::size_t firstRow = 0;
    for (std::size_t i = 0; i < perPage.size(); ++i) {
        TReportPage page = i == 0 ? s.layout : tableLayout;
        page.SetText(QStringLiteral("TitleMemo"), title);
        if (i == 0) {
            page.SetText(QStringLiteral("HeaderMemo"), ReportHeaderText(s.header));
            page.SetText(QStringLiteral("DescriptionMemo"), s.description);
            page.SetText(QStringLiteral("DatesMemo"), dates);
            page.SetText(QStringLiteral("ClassMemo"), classes.join(QLatin1Char('\r')));
            page.SetChart(QStringLiteral("ClassChart"), classChart);
            page.SetText(QStringLiteral("SpeedMemo"), speeds.join(QLatin1Char('\r')));
            page.SetText(QStringLiteral("ProcessingMemo"), processingText(s.otherwise));
        }
        AddSiteTable(page, header, std::span<const TSiteTableRow>(s.rows).subspan(firstRow, perPage[i]));
        firstRow += perPage[i];
        page.SetText(QStringLiteral("PageMemo"),
                     QStringLiteral("Страница %1 из %2").arg(++written_).arg(pages_));
        s.writer->Add(page);
    }
}

void TSiteReport::AddPilePage(const TPileAnalysis& a) {
    TReportPage page = LoadReportLayout(QStringLiteral("PileReport"));
    PileReportBuild(page, a, summary_->scheme, summary_->charts, summary_->header, true, FirstPassOf(a.key));
    page.SetText(QStringLiteral("PageMemo"), QStringLiteral("Страница %1 из %2").arg(++written_).arg(pages_));
    summary_->writer->Add(page);
}

TSiteReportResult WriteSiteReport(QIODevice& device, TPileAnalyser& analyser, std::optional<int> site,
                                  const TReportProgress& progress, const std::vector<TPileKey>& only) {
    TSiteReport report(analyser, site, only);
    const int piles = report.PileCount(), total = report.Steps();
    const auto step = [&](int done) { return !progress || progress(done, total); };
    for (int i = 0; i < piles; ++i) {
        if (!step(i))
            return TSiteReportResult::Cancelled;
        report.AddRow(*report.Analyse(i));
    }
    report.Begin(device);
    for (int i = 0; i < piles; ++i) {
        if (!step(piles + i))
            return TSiteReportResult::Cancelled;
        report.AddPilePage(*report.Analyse(i));
    }
    if (progress)
        progress(total, total);
    return TSiteReportResult::Written;
}

TSiteReportResult SaveReportFile(const QString& fileName,
                                 const std::function<TSiteReportResult(QIODevice&)>& write, QString& error) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        error = FailureText(FailureOf(file, platform::LastSystemError()));
        return TSiteReportResult::Failed;
    }
    try {
        if (write(file) == TSiteReportResult::Cancelled) {
            file.cancelWriting();
            return TSiteReportResult::Cancelled;
        }
    } catch (const TReportError& e) {
        file.cancelWriting();
        error = QString::fromStdString(e.what());
        return TSiteReportResult::Failed;
    }
    if (!file.commit()) {
        error = FailureText(FailureOf(file, platform::LastSystemError()));
        return TSiteReportResult::Failed;
    }
    return TSiteReportResult::Written;
}

TSiteReportResult SaveSiteReport(const QString& fileName, TPileAnalyser& analyser, std::optional<int> site,
                                 const TReportProgress& progress, QString& error,
                                 const std::vector<TPileKey>& only) {
    return SaveReportFile(
        fileName, [&](QIODevice& device) { return WriteSiteReport(device, analyser, site, progress, only); },
        error);
}
