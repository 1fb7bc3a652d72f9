#pragma once
// The text of a PDF as pdftotext -layout lays it out; only that within `crop` (points from the
// paper's top-left corner) when given.

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QString>
#include <QTemporaryDir>

// The first page of a PDF as pdftoppm renders it at `dpi`.
inline QImage PdfPicture(const QByteArray& pdf, int dpi) {
    QTemporaryDir dir;
    QFile file(dir.filePath("page.pdf"));
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return {};
    file.close();
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {"-png", "-singlefile", "-r", QString::number(dpi), file.fileName(), dir.filePath("page")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QImage(dir.filePath("page.png"));
}

inline QString PdfText(const QByteArray& pdf, const QRectF& crop = QRectF()) {
    QTemporaryDir dir;
    QFile file(dir.filePath("page.pdf"));
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return {};
    file.close();
    QStringList args{QStringLiteral("-layout")};
    if (!crop.isNull()) {
        const QRect r = crop.toAlignedRect();
        args << "-x" << QString::number(r.x()) << "-y" << QString::number(r.y()) << "-W"
             << QString::number(r.width()) << "-H" << QString::number(r.height());
    }
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args << file.fileName() << QStringLiteral("-"));
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}
