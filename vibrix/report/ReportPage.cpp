#include "ReportPage.h"

#include <qcustomplot.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

constexpr double kMmPerInch = 25.4;

[[noreturn]] void fail(const QString& text) {
    throw TReportError(text.toStdString());
}

template <typename Page> auto& findIn(Page& page, const QString& name) {
    const auto it = std::find_if(page.Objects.begin(), page.Objects.end(),
                                 [&](const TReportObject& o) { return o.Name == name; });
    if (it == page.Objects.end())
        fail(QStringLiteral("В макете отчёта %1 нет объекта %2").arg(page.Name, name));
    return *it;
}

TReportObject::Kind kindOf(const QString& text, const QString& layout) {
    static const std::pair<const char*, TReportObject::Kind> kinds[] = {
        {"text", TReportObject::Kind::Text},
        {"chart", TReportObject::Kind::Chart},
        {"picture", TReportObject::Kind::Picture},
        {"shape", TReportObject::Kind::Shape},
        {"line", TReportObject::Kind::Line}};
    for (const auto& [name, kind] : kinds)
        if (text == QLatin1String(name))
            return kind;
    fail(QStringLiteral("Неизвестный вид объекта %1 в макете отчёта %2").arg(text, layout));
}

QPointF pointOf(const QJsonValue& v) {
    const QJsonArray a = v.toArray();
    return {a.at(0).toDouble(), a.at(1).toDouble()};
}

TReportObject objectOf(const QJsonObject& o, const QString& layout) {
    TReportObject object;
    object.Type = kindOf(o.value("kind").toString(), layout);
    object.Name = o.value("name").toString();
    if (object.Type == TReportObject::Kind::Line) {
        object.Place = QRectF(pointOf(o.value("from")), pointOf(o.value("to")));
    } else {
        const QJsonArray p = o.value("place").toArray();
        if (p.size() != 4)
            fail(QStringLiteral("Объект без места в макете отчёта %1").arg(layout));
        object.Place = QRectF(p.at(0).toDouble(), p.at(1).toDouble(), p.at(2).toDouble(), p.at(3).toDouble());
    }
    object.Text = o.value("text").toString();
    object.Wrap = o.value("wrap").toBool();
    return object;
}

} // namespace

TReportObject& TReportPage::Find(const QString& name) {
    return findIn(*this, name);
}

const TReportObject& TReportPage::Find(const QString& name) const {
    return findIn(*this, name);
}

void TReportPage::SetText(const QString& name, const QString& text) {
    Find(name).Text = text;
}

void TReportPage::SetChart(const QString& name, QCustomPlot& chart) {
    Find(name).Chart = &chart;
}

void TReportPage::SetPicture(const QString& name, const QImage& picture) {
    Find(name).Image = picture;
}

void TReportPage::SetFill(const QString& name, const QColor& colour) {
    Find(name).Fill = colour;
}

QSizeF TReportPage::PaperUnits() const {
    return PaperMm / kMmPerInch * kLayoutUnitsPerInch;
}

QPointF TReportPage::BandOrigin() const {
    const QSizeF margin = (PaperUnits() - Band) / 2;
    return {std::max(0.0, margin.width()), std::max(0.0, margin.height())};
}

TReportPage LoadReportLayout(const QString& name) {
    QFile file(QStringLiteral(":/reports/%1.json").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Нет макета отчёта %1").arg(name));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (doc.isNull())
        fail(QStringLiteral("Макет отчёта %1 повреждён: %2").arg(name, error.errorString()));
    const QJsonObject root = doc.object();
    TReportPage page;
    page.Name = name;
    const QPointF paper = pointOf(root.value("paper"));
    const QPointF band = pointOf(root.value("band"));
    page.PaperMm = {paper.x(), paper.y()};
    page.Band = {band.x(), band.y()};
    const QJsonObject font = root.value("font").toObject();
    page.FontFamily = font.value("family").toString(page.FontFamily);
    page.FontSize = font.value("size").toDouble(page.FontSize);
    for (const QJsonValue& v : root.value("objects").toArray())
        page.Objects.push_back(objectOf(v.toObject(), name));
    if (page.Objects.empty() || !(page.PaperMm.width() > 0 && page.PaperMm.height() > 0))
        fail(QStringLiteral("Макет отчёта %1 пуст").arg(name));
    return page;
}
