#include "SiteReportTable.h"

#include "ReportPainter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kCellPadding = 3;
constexpr double kLeastRowHeight = 20;

struct Column {
    const char* title;
    double width; // layout units, the least; the columns fill the table's width
};
const Column kColumns[] = {
    {"Участок", 50},         {"Свая", 40},     {"Дата", 70},  {"L, м", 46},       {"c, м/с", 110},
    {"Подошва,\u00a0м", 62}, {"Дефекты", 104}, {"Класс", 42}, {"Предложено", 64}, {"Примечание", 128}};
constexpr std::size_t kColumnCount = std::size(kColumns);
// The defects, then the remarks, give room to the captions. A unit stays beside its caption.
constexpr std::size_t kGivingColumns[] = {6, kColumnCount - 1};

// The columns' widths for this font: each at least as wide as the longest word of its caption,
// whatever the font the system draws it in; what a caption takes more the defects give, then the
// remarks.
std::vector<double> columnWidths(const QFontMetricsF& metrics) {
    std::vector<double> widths, least;
    double more = 0;
    for (const Column& c : kColumns) {
        double word = 0;
        for (const QString& w : QString::fromUtf8(c.title).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            word = std::max(word, metrics.horizontalAdvance(w));
        least.push_back(std::ceil(word) + 2 * kCellPadding + 1);
        widths.push_back(std::max(c.width, least.back()));
        more += widths.back() - c.width;
    }
    for (std::size_t giving : kGivingColumns) {
        const double given = std::min(more, std::max(0.0, widths[giving] - least[giving]));
        widths[giving] -= given;
        more -= given;
    }
    return widths;
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

// A text that wraps never leaves its last word alone on a line (nor a unit without its number):
// the last two words are bound by a no-break space where together they fit the line.
QString lastWordsBound(const QFontMetricsF& metrics, const QString& text, double width) {
    QString bound = text.trimmed();
    const qsizetype space = bound.lastIndexOf(QLatin1Char(' '));
    if (space <= 0 || bound.contains(QLatin1Char('\n')) || metrics.horizontalAdvance(bound) <= width)
        return text;
    const qsizetype before = bound.lastIndexOf(QLatin1Char(' '), space - 1);
    if (metrics.horizontalAdvance(bound.mid(before + 1)) > width)
        return text;
    bound[space] = QChar::Nbsp;
    return bound;
}

} // namespace

TSiteTableRow SiteTableRow(const QFontMetricsF& metrics, QStringList cells) {
    TSiteTableRow row{std::move(cells), kLeastRowHeight, columnWidths(metrics)};
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        QString& cell = row.cells[qsizetype(i)];
        cell = lastWordsBound(metrics, cell, row.widths[i] - 2 * kCellPadding);
        const QRectF room(0, 0, row.widths[i] - 2 * kCellPadding, 10000);
        const QRectF used = metrics.boundingRect(room, Qt::TextWordWrap, row.cells[qsizetype(i)]);
        row.height = std::max(row.height, used.height() + 2 * kCellPadding);
    }
    return row;
}

TSiteTableRow SiteTableHeader(const QFontMetricsF& metrics) {
    QStringList cells;
    for (const Column& c : kColumns)
        cells << QString::fromUtf8(c.title);
    return SiteTableRow(metrics, cells);
}

QFont SiteTableFont(const TReportPage& page) {
    QFont font;
    font.setFamilies({page.FontFamily, QStringLiteral("Liberation Serif")});
    font.setStyleHint(QFont::Serif);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(qRound(page.FontSize * kLayoutUnitsPerInch / 72.0));
    return font;
}

void AddSiteTable(TReportPage& page, const TSiteTableRow& header, std::span<const TSiteTableRow> rows) {
    const QRectF table = page.Find(QStringLiteral("PileTable")).Place;
    double y = table.top();
    addLine(page, {table.left(), y}, {table.right(), y});
    const auto addRow = [&](const TSiteTableRow& row) {
        double x = table.left();
        for (std::size_t i = 0; i < kColumnCount; ++i) {
            addText(page, QRectF(x, y, header.widths[i], row.height), row.cells[qsizetype(i)]);
            x += header.widths[i];
        }
        y += row.height;
        addLine(page, {table.left(), y}, {table.right(), y});
    };
    addRow(header);
    for (const TSiteTableRow& row : rows)
        addRow(row);
    double x = table.left();
    addLine(page, {x, table.top()}, {x, y});
    for (const double width : header.widths) {
        x += width;
        addLine(page, {x, table.top()}, {x, y});
    }
}

std::vector<std::size_t> PaginateSiteTable(const std::vector<TSiteTableRow>& rows, double header,
                                           double first, double next) {
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
