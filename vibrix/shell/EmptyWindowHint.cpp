#include "EmptyWindowHint.h"

#include <QVBoxLayout>

TEmptyWindowHint::TEmptyWindowHint(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("EmptyWindowHint"));
    setAlignment(Qt::AlignCenter);
    setMargin(12);
    QFont larger = font();
    larger.setPointSizeF(larger.pointSizeF() * 1.3);
    setFont(larger);
    setStyleSheet(QStringLiteral("color: #505050;"));
}

QWidget* TEmptyWindowHint::Around(QWidget* pages, TEmptyWindowHint*& hint) {
    auto* centre = new QWidget;
    hint = new TEmptyWindowHint(centre);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(hint);
    layout->addWidget(pages, 1);
    return centre;
}

void TEmptyWindowHint::Show(bool projectOpen, bool hasRecords) {
    if (!projectOpen)
        setText(QStringLiteral("Создайте проект (Ctrl+N) или откройте (Ctrl+O)"));
    else if (!hasRecords)
        setText(QStringLiteral("Добавьте файлы измерений: Обработка → Добавить файлы"));
    setVisible(!projectOpen || !hasRecords);
}
