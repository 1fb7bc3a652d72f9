#include "MainActions.h"

#include "Hints.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyle>
#include <QToolBar>

namespace {

// The window's style with the tool bar's buttons and gaps packed closer.
class TCloseToolBarStyle : public QProxyStyle {
public:
    explicit TCloseToolBarStyle(QObject* owner) { setParent(owner); }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        switch (metric) {
        case PM_ToolBarItemSpacing:
            return 0;
        case PM_ToolBarSeparatorExtent:
            return 5;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        const QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
        return type == CT_ToolButton ? QSize(size.width() + 2, s.height()) : s;
    }
};

} // namespace

TMainActions::TMainActions(QMainWindow* window) : QObject(window) {
    CreateNewProjectAction =
        make("CreateNewProjectAction", "Создать", "Создать|Создать новый проект", QStringLiteral("Ctrl+N"));
    OpenProjectAction =
        make("OpenProjectAction", "Открыть", "Открыть|Открыть проект", QStringLiteral("Ctrl+O"));
    SaveProjectAction =
        make("SaveProjectAction", "Сохранить", "Сохранить|Сохранить проект", QStringLiteral("Ctrl+S"));
    SaveProjectAsAction =
        make("SaveProjectAsAction", "Сохранить как…", "Сохранить как|Сохранить проект под другим именем",
             QStringLiteral("Ctrl+Shift+S"));
    CloseProjectAction = make("CloseProjectAction", "Закрыть", "Закрыть|Закрыть проект");
    PrintReportAction = make("PrintReportAction", "Отчёт", "Отчёт|Печать отчёта");
    PileReportAction = make("PileReportAction", "Отчёт по свае…", "|Отчёт по свае текущей записи");
    SiteReportAction =
        make("SiteReportAction", "Отчёт по участку…", "|Отчёт по всем сваям проекта в файл PDF");
    ChosenPilesReportAction = make("ChosenPilesReportAction", "Отчёт по выделенным сваям…",
                                   "|Отчёт по сваям, выделенным в списке страницы «Сваи», в файл PDF");
    ReportHeaderAction = make("ReportHeaderAction", "Свойства отчёта…",
                              "|Организация, объект, заказчик, прибор, оператор, метод и кто подписывает");
    ExitApplicationAction =
        make("ExitApplicationAction", "Выход", "Выход|Завершение приложения", QStringLiteral("Ctrl+E"));
    CancelChangesAction = make("CancelChangesAction", "Отменить изменения",
                               "Отменить изменения|Отменить изменения в проекте", QStringLiteral("Ctrl+Z"));
    DeleteAllRecordsAction = make("DeleteAllRecordsAction", "Удалить все записи",
                                  "Удалить все записи|Удалить все записи из проекта");
    Ch0SignalAction = make("Ch0SignalAction", "Датчик №1", "|Показать/скрыть сигнал датчика №1");
    Ch1SignalAction = make("Ch1SignalAction", "Датчик №2", "|Показать/скрыть сигнал датчика №2");
    HamSignalAction = make("HamSignalAction", "Молоток", "|Показать/скрыть сигнал молотка");
    InvertSignalAction = make("InvertSignalAction", "Инверсия", "|Инвертировать сигналы");
    Ch0SpectrumAction = make("Ch0SpectrumAction", "Датчик №1", "|Показать/скрыть спект сигнала датчика №1");
    Ch1SpectrumAction = make("Ch1SpectrumAction", "Датчик №2", "|Показать/скрыть спектр сигнала датчика №2");
    FreqSpectrumAction = make("FreqSpectrumAction", "Частота", "|Спектр: частота");
    DepthSpectrumAction = make("DepthSpectrumAction", "Глубина", "|Спектр: глубина");
    SignalExportAction =
        make("SignalExportAction", "Экспорт сигнала", "Экспорт сигнала|Экспорт сигнала (*.csv)");
    SpectrExportAction =
        make("SpectrExportAction", "Экспорт спектра", "Экспорт спектра|Экспорт спектра (*.csv)");
    FTProcessingAction =
        make("FTProcessingAction", "ЧВ-анализ", "|Частотно-временной анализ (в отдельном окне)");
    AddSSMToProjAction =
        make("AddSSMToProjAction", "Добавить файлы", "Добавить файлы|Добавить файлы (*.ssm) в проект");
    ViewWindowAction = make("ViewWindowAction", "Окно просмотра…",
                            "|Сигнал от 0 до заданного времени, спектр по глубине до заданной глубины");
    KeepValuesAction = make("KeepValuesAction", "Сохранять усиление и скорость",
                            "|Не менять усиление и скорость при переходе к другой записи");
    NextPileAfterClassAction =
        make("NextPileAfterClassAction", "После класса — к следующей свае",
             "|На странице «Сваи» цифра (или буква) класса ставит класс и переходит к следующей свае списка");
    ColorsAction = make("ColorsAction", "Цвета", "|Задание цветов");
    SiteSpeedAction = make("SiteSpeedAction", "Скорость волны по участку…",
                           "|Скорость волны участков и сваи, по которым она найдена");
    miHelp = make("miHelp", "Справка", "|Справка", QStringLiteral("F1"));
    AboutMenuItem = make("AboutMenuItem", "О программе", "|О программе");

    for (QAction* a : {Ch0SignalAction, Ch1SignalAction, HamSignalAction, InvertSignalAction,
                       Ch0SpectrumAction, Ch1SpectrumAction, FreqSpectrumAction, DepthSpectrumAction,
                       ViewWindowAction, KeepValuesAction, NextPileAfterClassAction})
        a->setCheckable(true);
    SpectrumTypeGroup = new QActionGroup(this);
    SpectrumTypeGroup->setExclusive(true);
    SpectrumTypeGroup->addAction(FreqSpectrumAction);
    SpectrumTypeGroup->addAction(DepthSpectrumAction);

    const QStyle* style = window->style();
    CreateNewProjectAction->setIcon(style->standardIcon(QStyle::SP_FileIcon));
    OpenProjectAction->setIcon(style->standardIcon(QStyle::SP_DialogOpenButton));
    SaveProjectAction->setIcon(style->standardIcon(QStyle::SP_DialogSaveButton));
    SaveProjectAsAction->setIcon(style->standardIcon(QStyle::SP_DialogSaveButton));
    CloseProjectAction->setIcon(style->standardIcon(QStyle::SP_DialogCloseButton));
    CancelChangesAction->setIcon(style->standardIcon(QStyle::SP_BrowserReload));
    DeleteAllRecordsAction->setIcon(style->standardIcon(QStyle::SP_TrashIcon));
    PrintReportAction->setIcon(style->standardIcon(QStyle::SP_FileDialogDetailedView));
    SignalExportAction->setIcon(style->standardIcon(QStyle::SP_ArrowRight));
    AddSSMToProjAction->setIcon(style->standardIcon(QStyle::SP_DirOpenIcon));
    buildMenus(window);
    buildToolBar(window);
}

QAction* TMainActions::make(const QString& name, const QString& caption, const QString& hint,
                            const QString& shortcut) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    ApplyHint(a, hint);
    if (!shortcut.isEmpty())
        a->setShortcut(QKeySequence(shortcut));
    return a;
}

void TMainActions::buildMenus(QMainWindow* window) {
    QMenuBar* bar = window->menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("Файл"));
    file->addActions({CreateNewProjectAction, OpenProjectAction});
    file->addSeparator();
    file->addActions({SaveProjectAction, SaveProjectAsAction, CloseProjectAction});
    file->addSeparator();
    file->addActions({PrintReportAction, PileReportAction, SiteReportAction, ChosenPilesReportAction,
                      SpectrExportAction, SignalExportAction});
    file->addAction(ReportHeaderAction);
    file->addSeparator();
    file->addAction(ExitApplicationAction);
    QMenu* edit = edit_ = bar->addMenu(QStringLiteral("Правка"));
    edit->addAction(CancelChangesAction);
    edit->addSeparator();
    edit->addAction(DeleteAllRecordsAction);
    QMenu* view = bar->addMenu(QStringLiteral("Вид"));
    QMenu* signal = view->addMenu(QStringLiteral("Сигнал"));
    signal->addActions({Ch0SignalAction, Ch1SignalAction, HamSignalAction, InvertSignalAction});
    QMenu* spectrum = view->addMenu(QStringLiteral("Спектр"));
    spectrum->addActions({Ch0SpectrumAction, Ch1SpectrumAction});
    spectrum->addSeparator();
    spectrum->addActions({FreqSpectrumAction, DepthSpectrumAction});
    view->addSeparator();
    view->addActions({ViewWindowAction, KeepValuesAction, NextPileAfterClassAction});
    view->addSeparator();
    view->addAction(ColorsAction);
    QMenu* processing = bar->addMenu(QStringLiteral("Обработка"));
    processing->addActions({AddSSMToProjAction, FTProcessingAction});
    processing->addSeparator();
    processing->addAction(SiteSpeedAction);
    QMenu* help = bar->addMenu(QStringLiteral("Помощь"));
    help->addActions({miHelp, AboutMenuItem});
}

void TMainActions::buildToolBar(QMainWindow* window) {
    ToolBar = window->addToolBar(QStringLiteral("Панель инструментов"));
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    // Captions rather than pictures: the buttons say what they do and, packed closer than the
    // style would, still fit the narrowest window.
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* closer = new TCloseToolBarStyle(ToolBar);
    ToolBar->addActions({CreateNewProjectAction, OpenProjectAction});
    ToolBar->addSeparator();
    ToolBar->addActions({SaveProjectAction, SaveProjectAsAction, CloseProjectAction});
    ToolBar->addSeparator();
    ToolBar->addActions({CancelChangesAction, DeleteAllRecordsAction});
    ToolBar->addSeparator();
    ToolBar->addActions({PrintReportAction, SignalExportAction});
    ToolBar->addSeparator();
    ToolBar->addAction(AddSSMToProjAction);
    ToolBar->setStyle(closer);
    for (QWidget* button : ToolBar->findChildren<QWidget*>())
        button->setStyle(closer);
}

void TMainActions::AddSteps(QAction* back, QAction* forward) {
    QAction* first = edit_->actions().value(0);
    edit_->insertActions(first, {back, forward});
    edit_->insertSeparator(first);
}

void TMainActions::Update(bool open, bool modified, bool hasRows) {
    SaveProjectAction->setEnabled(modified);
    CancelChangesAction->setEnabled(modified);
    CloseProjectAction->setEnabled(open);
    SaveProjectAsAction->setEnabled(open);
    AddSSMToProjAction->setEnabled(open);
    ReportHeaderAction->setEnabled(open);
    SiteSpeedAction->setEnabled(hasRows);
    for (QAction* a : {PrintReportAction, PileReportAction, SiteReportAction, ChosenPilesReportAction,
                       DeleteAllRecordsAction, Ch0SignalAction, Ch1SignalAction, HamSignalAction,
                       InvertSignalAction, Ch0SpectrumAction, Ch1SpectrumAction, FreqSpectrumAction,
                       DepthSpectrumAction, SignalExportAction, SpectrExportAction, FTProcessingAction})
        a->setEnabled(hasRows);
}
