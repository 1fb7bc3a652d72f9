#pragma once
// The main window on private folders (program, configuration, documents, runtime), with
// scripted dialogs, generated measurement files and projects, and the Russian locale.

#include "../../support/ScriptedDialogs.h"
#include "DownloadUnit.h"
#include "MainUnit.h"
#include "SsmGenerator.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        QCoreApplication::setApplicationName(QStringLiteral("Vibrix4"));
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        for (const char* sub : {"program", "config", "documents", "runtime", "data"})
            QDir(root.path()).mkdir(QString::fromLatin1(sub));
        places = {at("program"), at("config"), at("documents"), at("runtime")};
    }
    void TearDown() override {
        window.reset();
        QLocale::setDefault(QLocale::c());
    }

    QString at(const QString& name) const { return root.filePath(name); }

    // Measurement files of the given piles (site 1) in data/<folder>, a minute apart.
    QString writeFolder(const QString& folder, std::initializer_list<int> piles, int firstMinute = 0) {
        QDir(at("data")).mkpath(folder);
        const QString dir = at("data/" + folder);
        int minute = firstMinute;
        for (int pile : piles) {
            ssmgen::FileSpec s;
            s.siteNumber = 1;
            s.pileNumber = std::uint16_t(pile);
            s.pile.seed = std::uint32_t(pile);
            s.fileTime = std::chrono::sys_days{std::chrono::year{2026} / 6 / 15} + std::chrono::hours(8) +
                         std::chrono::minutes(minute++);
            std::string error;
            EXPECT_TRUE(
                ssmgen::write(QDir(dir).filePath(QString("p%1.ssm").arg(pile)).toStdString(), s, error))
                << error;
        }
        return dir;
    }

    // A saved project holding the files of `folder`.
    QString projectOf(const QString& name, const QString& folder) {
        const QString file = at("data/" + name);
        TMainDataModule dm;
        EXPECT_TRUE(dm.CreateProject(file));
        EXPECT_TRUE(dm.OpenProject(file));
        for (const QFileInfo& f : QDir(folder).entryInfoList({"*.ssm"}, QDir::Files, QDir::Name))
            EXPECT_EQ(dm.AddMeasureFile(f.filePath(), toDateTimeValue(f.lastModified())), 0);
        EXPECT_TRUE(dm.CloseProject());
        return file;
    }

    TMainForm& open(const QString& projectFile = {}) {
        window = std::make_unique<TMainForm>(dialogs, places, projectFile);
        return *window;
    }

    // The window shown over a project of two piles' measurements.
    TMainForm& openSite() {
        TMainForm& w = open(projectOf("site.cdsm", writeFolder("in", {3, 4})));
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        return w;
    }

    // A file's bytes, "<missing>" when it cannot be read.
    static QByteArray bytesOf(const QString& name) {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    // Closes the window as the user does; true when it closed.
    bool closeWindow() {
        window->show();
        return window->close();
    }

    QString iniText() const {
        QFile f(window ? window->SettingsFile() : places.SettingsFile());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    template <typename T = QWidget> T* find(const QString& name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void trigger(const QString& action) { find<QAction>(action)->trigger(); }
    // Typed key by key, Cyrillic letters too (QTest's key clicks know only ASCII).
    static void typeText(QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(widget, &press);
            QCoreApplication::sendEvent(widget, &release);
        }
    }
    bool enabled(const QString& action) const { return find<QAction>(action)->isEnabled(); }

    // The piles of the grid's rows, as the user sees them.
    std::vector<int> gridPiles() const;

    QTemporaryDir root;
    TProgramPlaces places;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMainForm> window;
};

inline std::vector<int> WindowFixture::gridPiles() const {
    std::vector<int> out;
    const auto* grid = find<QAbstractItemView>(QStringLiteral("DBGrid"));
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out.push_back(grid->model()->index(r, 2).data().toInt());
    return out;
}
