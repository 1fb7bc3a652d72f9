#include "PatternTicker.h"

#include "NumberFormat.h"

#include <qcustomplot.h>

namespace {

class TPatternTicker : public QCPAxisTicker {
public:
    explicit TPatternTicker(QString pattern) : FPattern(std::move(pattern)) {}

protected:
    QString getTickLabel(double tick, const QLocale&, QChar, int) override {
        return FormatFloat(FPattern, tick);
    }

private:
    QString FPattern;
};

} // namespace

void SetAxisPattern(QCPAxis* axis, const QString& pattern) {
    axis->setTicker(QSharedPointer<QCPAxisTicker>(new TPatternTicker(pattern)));
}
