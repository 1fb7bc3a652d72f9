#include "AboutUnit.h"

#include "Named.h"
#include "UserDialogs.h"
#include "VibrixVersion.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

TVersionInfo ProgramVersionInfo() {
    return {{QStringLiteral("ProductName"), QStringLiteral(VIBRIX_PRODUCT_NAME)},
            {QStringLiteral("FileVersion"), QStringLiteral(VIBRIX_FILE_VERSION)},
            {QStringLiteral("Year"), QStringLiteral(VIBRIX_BUILD_YEAR)}};
}

TAboutForm::TAboutForm(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::Tool), dialogs_(dialogs) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("О программе"));
    const auto label = [this](const char* name) {
        return Named(new QLabel(this), QString::fromLatin1(name));
    };
    ProductNameLabel = label("ProductNameLabel");
    CommentsLabel = label("CommentsLabel");
    FileVersionLabel = label("FileVersionLabel");
    YearLabel = label("YearLabel");
    CompanyNameLabel = label("CompanyNameLabel");
    CompanyPhoneLabel = label("CompanyPhoneLabel");
    CompanyEMailLabel = label("CompanyEMailLabel");
    CompanyWebLabel = label("CompanyWebLabel");
    QFont big = ProductNameLabel->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    ProductNameLabel->setFont(big);
    CommentsLabel->setWordWrap(true);
    for (QLabel* link : {CompanyEMailLabel, CompanyWebLabel}) {
        QFont f = link->font();
        f.setUnderline(true);
        link->setFont(f);
        link->setStyleSheet(QStringLiteral("color: blue"));
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    for (QLabel* l : {ProductNameLabel, CommentsLabel, FileVersionLabel, YearLabel, CompanyNameLabel,
                      CompanyPhoneLabel, CompanyEMailLabel, CompanyWebLabel})
        layout->addWidget(l);
    layout->addSpacing(12);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

void TAboutForm::Fill(const TVersionInfo& info) {
    const auto set = [&info](const char* key, QLabel* label, const QString& prefix = {}) -> QString {
        const auto it = info.constFind(QString::fromLatin1(key));
        if (it == info.constEnd())
            return {};
        label->setText(prefix + *it);
        return *it;
    };
    const QString product = set("ProductName", ProductNameLabel);
    if (!product.isEmpty())
        ProductName = product;
    set("Comments", CommentsLabel);
    set("FileVersion", FileVersionLabel, QStringLiteral("Версия "));
    set("Year", YearLabel);
    set("CompanyName", CompanyNameLabel);
    set("CompanyPhone", CompanyPhoneLabel, QStringLiteral("тел. "));
    const QString mail = set("CompanyEMail", CompanyEMailLabel, QStringLiteral("e-mail: "));
    if (!mail.isEmpty())
        EMail = mail;
    if (!set("CompanyWeb", CompanyWebLabel, QStringLiteral("http://")).isEmpty())
        Web = CompanyWebLabel->text();
    // A label still without text would only leave a gap.
    for (QLabel* l : findChildren<QLabel*>())
        l->setVisible(!l->text().isEmpty());
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return false;
    if (watched == CompanyEMailLabel && !EMail.isEmpty())
        dialogs_.openUrl(QUrl(QStringLiteral("mailto:") + EMail + QStringLiteral("?subject=") + ProductName));
    else if (watched == CompanyWebLabel && !Web.isEmpty())
        dialogs_.openUrl(QUrl(Web));
    return false;
}
