// Both screenshot programs on a generated demo folder: a name they do not know fails the run
// and is named, a known one is written as a picture of the window.
#include "SsmGenerator.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <utility>

namespace {

struct Outcome {
    int exitCode = -1;
    QString errors;
};

class ScreenshotPrograms : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_FALSE(ssmgen::writeDemoFolder(demo().toStdString(), error).empty()) << error;
    }
    QString demo() const { return root.filePath("demo-ssm"); }
    QString out() const { return root.filePath("img"); }

    Outcome run(const QString& program, const QStringList& names) const {
        QProcess p;
        p.start(program, QStringList{demo(), out()} + names);
        EXPECT_TRUE(p.waitForFinished(300000)) << program.toStdString();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromLocal8Bit(p.readAllStandardError())};
    }

    QTemporaryDir root;
};

TEST_F(ScreenshotPrograms, AnUnknownPictureFailsTheRunAndIsNamed) {
    const std::pair<QString, QString> programs[] = {
        {QStringLiteral(VIBRIX_SCREENSHOTS), QStringLiteral("vibrix-about.png")},
        {QStringLiteral(TRACEBUILDER_SCREENSHOTS), QStringLiteral("tracebuilder-extract.png")}};
    for (const auto& [program, known] : programs) {
        const Outcome r = run(program, {known, "no-such-window.png"});
        EXPECT_NE(r.exitCode, 0) << program.toStdString();
        EXPECT_TRUE(r.errors.contains("no-such-window.png")) << r.errors.toStdString();
        // Nothing is made of a run that cannot be complete.
        EXPECT_TRUE(QDir(out()).entryList(QDir::Files).isEmpty()) << program.toStdString();
    }
}

TEST_F(ScreenshotPrograms, TheMainWindowIsWrittenAtItsInitialSize) {
    const Outcome r = run(VIBRIX_SCREENSHOTS, {"vibrix-main.png"});
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    QImage picture;
    ASSERT_TRUE(picture.load(QDir(out()).filePath("vibrix-main.png"), "PNG"));
    EXPECT_EQ(picture.size(), QSize(1024, 700)); // the size the main window opens at
    // A window with its grid, texts and curves, not a blank grab.
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 4)
        for (int x = 0; x < picture.width(); x += 4)
            colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 50);
}

} // namespace
