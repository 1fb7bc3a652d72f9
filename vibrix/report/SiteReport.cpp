#include "SiteReport.h"

#include "FailureText.h"
#include "NumberFormat.h"
#include "PileReport.h"
#include "PlatformFiles.h"
#include "ReportPainter.h"
#include "TPileAnalyser.h"

#include <QFontMetricsF>
#include <QSaveFile>
#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr QSize kClassChartSize(356, 150);
constexpr double kCellPadding = 3;
constexpr double kLeastRowHeight = 20;

struct Column {
    const char* title;
    double width; // layout units; the columns fill the table's width
};
const Column kColumns[] = {{"Участок", 50},  {"Свая", 40},    {"Дата", 70},
                           {"L, м", 46},     {"c, м/с", 110}, {"Подошва, м", 62},
                           {"Дефекты", 150}, {"Класс", 42},   {"Примечание", 146}};
constexpr std::size_t kColumnCount = std::size(kColumns);

struct Row {
    QStringList cells;
    double height = kLeastRowHeight;
};

QString number(const QString& pattern, double v) {
    return FormatFloat(pattern, v);
}

QString numbers(const std::vector<int>& list) {
    QStringList out;
    for (int n : list)
        out << QString::number(n);
    return out.join(QStringLiteral(", "));
}

// The page's font measured in layout units, as the painter sets it.
QFont layoutFont(const TReportPage& page) {
    QFont font;
    font.setFamilies({page.FontFamily, QStringLiteral("Liberation Serif")});
    font.setStyleHint(QFont::Serif);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(qRound(page.FontSize * kLayoutUnitsPerInch / 72.0));
    return font;
}

double rowHeight(const QFontMetricsF& metrics, const QStringList& cells) {
    double height = kLeastRowHeight;
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        const QRectF room(0, 0, kColumns[i].width - 2 * kCellPadding, 10000);
        const QRectF used = metrics.boundingRect(room, Qt::TextWordWrap, cells[qsizetype(i)]);
        height = std::max(height, used.height() + 2 * kCellPadding);
    }
    return height;
}

void addText(TReportPage& page, const QRectF& place, const QString& text) {
    TReportObject o;
    o.Type = TReportObject::Kind::Text;
    o.Place = place.adjusted(kCellPadding, kCellPadding, -kCellPadding, 0);
    o.Text = text;
    o.Wrap = true;
    page.Objects.push_back(std::move(o));
}

void addLine(TReportPage& page, QPointF from, QPointF to) {
    TReportObject o;
    o.Type = TReportObject::Kind::Line;
    o.Place = QRectF(from, to);
    page.Objects.push_back(std::move(o));
}

// Draws the header and `rows` into the page's table place, ruled.
void addTable(TReportPage& page, const Row& header, std::span<const Row> rows) {
    const QRectF table = page.Find(QStringLiteral("PileTable")).Place;
    double y = table.top();
    addLine(page, {table.left(), y}, {table.right(), y});
    const auto addRow = [&](const Row& row) {
        double x = table.left();
        for (std::size_t i = 0; i < kColumnCount; ++i) {
            addText(page, QRectF(x, y, kColumns[i].width, row.height), row.cells[qsizetype(i)]);
            x += kColumns[i].width;
        }
        y += row.height;
        addLine(page, {table.left(), y}, {table.right(), y});
    };
    addRow(header);
    for (const Row& row : rows)
        addRow(row);
    double x = table.left();
    addLine(page, {x, table.top()}, {x, y});
    for (const Column& c : kColumns) {
        x += c.width;
        addLine(page, {x, table.top()}, {x, y});
    }
}

// How many rows fit each page: the first page's table, then the continuation's.
std::vector<std::size_t> paginate(const std::vector<Row>& rows, double header, double first, double next) {
    std::vector<std::size_t> counts;
    std::size_t at = 0;
    double room = first - header;
    std::size_t count = 0;
    while (at < rows.size()) {
        if (rows[at].height <= room || count == 0) {
            room -= rows[at].height;
            ++count;
            ++at;
            continue;
        }
        counts.push_back(count);
        count = 0;
        room = next - header;
    }
    counts.push_back(count);
    return counts;
}

struct Summary {
    QString title;
    QString dates;
    QString classes;
    QString speeds;
    QString processing;
    QStringList classNames;
    std::vector<double> classCounts;
    std::vector<Row> rows;
};

void fillClassChart(QCustomPlot& plot, const Summary& s) {
    plot.clearPlottables();
    auto* bars = new QCPBars(plot.xAxis, plot.yAxis);
    bars->setBrush(QColor(120, 150, 200));
    bars->setPen(QPen(Qt::black, 0.8));
    bars->setWidth(0.6);
    QVector<double> keys, values;
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    for (qsizetype i = 0; i < s.classNames.size(); ++i) {
        keys << double(i + 1);
        values << s.classCounts[std::size_t(i)];
        ticker->addTick(double(i + 1), s.classNames[i]);
    }
    bars->setData(keys, values, true);
    plot.xAxis->setTicker(ticker);
    plot.xAxis->setRange(0.4, double(s.classNames.size()) + 0.6);
    plot.xAxis->setLabel(QStringLiteral("класс"));
    plot.yAxis->setLabel(QStringLiteral("свай"));
    auto integers = QSharedPointer<QCPAxisTickerFixed>::create();
    integers->setTickStep(1);
    integers->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    plot.yAxis->setTicker(integers);
    plot.yAxis->setNumberFormat(QStringLiteral("f"));
    plot.yAxis->setNumberPrecision(0);
    const double top =
        s.classCounts.empty() ? 1 : *std::max_element(s.classCounts.begin(), s.classCounts.end());
    plot.yAxis->setRange(0, std::max(1.0, top) * 1.15);
}

QString speedLine(int site, const TSiteSpeed& speed) {
    if (!speed.speed)
        return QStringLiteral("Участок %1: скорость волны участка не определена (нужны не менее трёх свай "
                              "известной длины со сходными скоростями)")
            .arg(site);
    const double spread = std::max(*speed.max - *speed.speed, *speed.speed - *speed.min) / *speed.speed * 100;
    QString line =
        QStringLiteral("Участок %1: скорость волны %2 м/с, от %3 до %4 м/с (разброс ±%5 %), по сваям %6")
            .arg(site)
            .arg(VelocityToStr(*speed.speed), VelocityToStr(*speed.min), VelocityToStr(*speed.max),
                 number("0.0", spread), numbers(speed.used));
    if (!speed.excluded.empty())
        line += QStringLiteral("; не вошли сваи %1").arg(numbers(speed.excluded));
    return line;
}

QString processingText(const std::vector<TPileKey>& otherwise) {
    const TProcessingParams d;
    QString text = QStringLiteral("Обработка по умолчанию: фильтр %1 Гц (порядок %2), усиление у подошвы %3, "
                                  "порог корреляции ударов %4, резонансы мобильности в полосе %5–%6 Гц.")
                       .arg(number("0", d.lowpass))
                       .arg(d.lowpassOrder)
                       .arg(number("0.0", d.amplify), number("0.00", d.threshold), number("0", d.bandLow),
                            number("0", d.bandHigh));
    if (!otherwise.empty()) {
        QStringList piles;
        for (const TPileKey& k : otherwise)
            piles << QStringLiteral("%1-%2").arg(k.site).arg(k.pile);
        text += QStringLiteral(" Обработаны иначе (участок-свая): %1.").arg(piles.join(QStringLiteral(", ")));
    }
    return text;
}

// Every number of the summary, from one analysis of each pile.
Summary summarise(TPileAnalyser& analyser, const std::vector<int>& sites, const std::vector<TPileKey>& piles,
                  const QFontMetricsF& metrics, const std::function<bool(int)>& step) {
    Summary s;
    const QString scheme = analyser.Verdicts().Scheme();
    s.classNames = classscheme::Classes(scheme);
    s.classCounts.assign(std::size_t(s.classNames.size()) + 1, 0);
    std::optional<double> first, last;
    std::vector<TPileKey> otherwise;
    for (std::size_t i = 0; i < piles.size(); ++i) {
        if (!step(int(i)))
            return s;
        const TPileAnalysis& r = analyser.Analyse(piles[i]);
        for (const TBlowReport& b : r.blows) {
            first = std::min(first.value_or(b.dateTime), b.dateTime);
            last = std::max(last.value_or(b.dateTime), b.dateTime);
        }
        const qsizetype c = s.classNames.indexOf(r.verdict.cls);
        ++s.classCounts[c < 0 ? s.classCounts.size() - 1 : std::size_t(c)];
        if (!(r.verdict.processing == TProcessingParams{}))
            otherwise.push_back(r.key);
        Row row;
        row.cells = {QString::number(r.key.site),
                     QString::number(r.key.pile),
                     r.firstBlow ? pilereport::Date(*r.firstBlow) : QStringLiteral("—"),
                     r.verdict.length ? number("0.00", *r.verdict.length) : QStringLiteral("—"),
                     r.waveSpeed > 0 ? VelocityToStr(r.waveSpeed) + QStringLiteral(" (") +
                                           SpeedSourceText(r.waveSpeedSource) + ")"
                                     : QStringLiteral("—"),
                     r.toeDepth ? number("0.00", *r.toeDepth) : QStringLiteral("—"),
                     pilereport::Defects(r),
                     r.verdict.cls.isEmpty() ? QStringLiteral("—") : r.verdict.cls,
                     r.verdict.remark};
        row.height = rowHeight(metrics, row.cells);
        s.rows.push_back(std::move(row));
    }
    s.classNames << QStringLiteral("—");

    QStringList siteNames;
    for (int site : sites)
        siteNames << QString::number(site);
    s.title =
        (sites.size() == 1 ? QStringLiteral("Отчёт по участку ") : QStringLiteral("Отчёт по участкам ")) +
        siteNames.join(QStringLiteral(", "));
    if (first)
        s.dates = pilereport::Date(*first) == pilereport::Date(*last)
                      ? QStringLiteral("Дата испытаний: %1").arg(pilereport::Date(*first))
                      : QStringLiteral("Даты испытаний: с %1 по %2")
                            .arg(pilereport::Date(*first), pilereport::Date(*last));
    s.dates += QStringLiteral("      Свай: %1      Схема классов: %2").arg(piles.size()).arg(scheme);

    QStringList classes;
    for (qsizetype i = 0; i < s.classNames.size(); ++i) {
        const bool none = i + 1 == s.classNames.size();
        const QString name =
            none ? QStringLiteral("без класса")
                 : s.classNames[i] + QStringLiteral(" — ") + classscheme::Meaning(scheme, s.classNames[i]);
        classes << QStringLiteral("%1: %2").arg(name).arg(s.classCounts[std::size_t(i)]);
    }
    s.classes = classes.join(QLatin1Char('\r'));
    QStringList speeds;
    for (int site : sites)
        speeds << speedLine(site, analyser.Site(site));
    s.speeds = speeds.join(QLatin1Char('\r'));
    s.processing = processingText(otherwise);
    return s;
}

} // namespace

TSiteReportResult WriteSiteReport(QIODevice& device, TPileAnalyser& analyser, std::optional<int> site,
                                  const TReportProgress& progress) {
    std::vector<int> sites = analyser.Sites();
    if (site) {
        if (std::find(sites.begin(), sites.end(), *site) == sites.end())
            throw TReportError(QStringLiteral("В проекте нет участка %1").arg(*site).toStdString());
        sites = {*site};
    }
    std::vector<TPileKey> piles;
    for (const TPileRows& p : analyser.Piles())
        if (std::find(sites.begin(), sites.end(), p.key.site) != sites.end())
            piles.push_back(p.key);
    if (piles.empty())
        throw TReportError("В проекте нет свай");

    // Each pile is read twice: for the table, then for its page.
    const int total = 2 * int(piles.size());
    bool cancelled = false;
    const auto step = [&](int done) {
        cancelled = cancelled || (progress && !progress(done, total));
        return !cancelled;
    };

    TReportPage summaryPage = LoadReportLayout(QStringLiteral("SiteReport"));
    const QFontMetricsF metrics(layoutFont(summaryPage));
    const Summary s = summarise(analyser, sites, piles, metrics, step);
    if (cancelled)
        return TSiteReportResult::Cancelled;

    Row header;
    for (const Column& c : kColumns)
        header.cells << QString::fromUtf8(c.title);
    header.height = rowHeight(metrics, header.cells);
    const TReportPage tableLayout = LoadReportLayout(QStringLiteral("SiteTable"));
    const std::vector<std::size_t> perPage =
        paginate(s.rows, header.height, summaryPage.Find(QStringLiteral("PileTable")).Place.height(),
                 tableLayout.Find(QStringLiteral("PileTable")).Place.height());
    const int summaryPages = int(perPage.size());
    const int pages = summaryPages + int(piles.size());

    QCustomPlot classChart;
    classChart.resize(kClassChartSize);
    fillClassChart(classChart, s);
    TPileReportCharts charts;
    TReportPage page;
    std::size_t firstRow = 0;
    const QString pageText = QStringLiteral("Страница %1 из %2");
    WriteReportPdf(device, pages, [&](int i) -> const TReportPage& {
        if (cancelled) {
            page = TReportPage(); // the rest of a document that is not kept
            return page;
        }
        if (i < summaryPages) {
            page = i == 0 ? summaryPage : tableLayout;
            page.SetText(QStringLiteral("TitleMemo"), s.title);
            if (i == 0) {
                page.SetText(QStringLiteral("DatesMemo"), s.dates);
                page.SetText(QStringLiteral("ClassMemo"), s.classes);
                page.SetChart(QStringLiteral("ClassChart"), classChart);
                page.SetText(QStringLiteral("SpeedMemo"), s.speeds);
                page.SetText(QStringLiteral("ProcessingMemo"), s.processing);
            }
            const std::size_t count = perPage[std::size_t(i)];
            addTable(page, header, std::span<const Row>(s.rows).subspan(firstRow, count));
            firstRow += count;
        } else {
            const int n = i - summaryPages;
            if (!step(int(piles.size()) + n))
                return page;
            page = PileReportPage(analyser, piles[std::size_t(n)], charts);
        }
        page.SetText(QStringLiteral("PageMemo"), pageText.arg(i + 1).arg(pages));
        return page;
    });
    if (cancelled)
        return TSiteReportResult::Cancelled;
    if (progress)
        progress(total, total);
    return TSiteReportResult::Written;
}

TSiteReportResult SaveSiteReport(const QString& fileName, TPileAnalyser& analyser, std::optional<int> site,
                                 const TReportProgress& progress, QString& error) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        error = FailureText(FailureOf(file, platform::LastSystemError()));
        return TSiteReportResult::Failed;
    }
    try {
        if (WriteSiteReport(file, analyser, site, progress) == TSiteReportResult::Cancelled) {
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
