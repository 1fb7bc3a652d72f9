#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "CatalogueWidgets.h"
#include "NumberText.h"
#include "SsmFolder.h"
#include "TextExtraction.h"

namespace {

QStringList textFiles(const QString& folder) {
    return QDir(folder).entryList({"*.txt"}, QDir::Files, QDir::Name);
}

QByteArray contents(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

QList<QByteArray> linesOf(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    EXPECT_TRUE(lines.last().isEmpty()); // the last line ends too
    lines.removeLast();
    return lines;
}

class Extraction : public ::testing::Test {
protected:
    ssmgen::FileSpec fileSpec(ssm::Version v, std::uint8_t site, std::uint16_t pile, int seed) {
        auto s = SsmFolder::fileSpec(v, site, pile);
        s.sensor1 = SsmFolder::rampWords(seed, 0);
        s.sensor2 = SsmFolder::rampWords(seed, 1);
        s.ticksPerSample = 20;
        s.tickPeriod = 1e-6f;
        return s;
    }
    QString out(const QString& name) const { return target.path() + "/" + name; }

    SsmFolder source, target;
    CatalogueWidgets w;
};

TEST_F(Extraction, EachCheckedChannelGoesToItsOwnNamedFile) {
    const auto s = fileSpec(ssm::Version::V1_1, 3, 12, 7);
    source.write("abc_017.ssm", s);
    w.list(source.path());
    const QStringList written = w.files.Extract(target.path()).written;
    EXPECT_EQ(textFiles(target.path()), (QStringList{"abc__П_3_C_12_К_1.txt", "abc__П_3_C_12_К_2.txt"}));
    EXPECT_EQ(written, textFiles(target.path()));

    for (int c = 0; c < 2; ++c) {
        const auto lines = linesOf(contents(out(QString("abc__П_3_C_12_К_%1.txt").arg(c + 1))));
        ASSERT_EQ(lines.size(), 16128);
        const auto& words = c == 0 ? *s.sensor1 : *s.sensor2;
        EXPECT_TRUE(lines[0].startsWith("0 "));
        EXPECT_EQ(lines[0], "0 " + QByteArray::number(words[256] - 32768) + "\r");
        for (int i : {1, 5000, 16127}) {
            const QByteArray expected = generalFloatText(i * 20 * double(1e-6f)).toUtf8() + " " +
                                        QByteArray::number(int(words[256 + i]) - 32768) + "\r";
            EXPECT_EQ(lines[i], expected) << c << " " << i;
        }
    }
}

TEST_F(Extraction, NumbersUseTheLocaleSeparatorAndTheExponentForm) {
    source.write("t_1.ssm", fileSpec(ssm::Version::V1_2, 1, 1, 0));
    w.list(source.path());
    w.files.Extract(target.path());
    const auto lines = linesOf(contents(out("t__П_1_C_1_К_1.txt")));
    ASSERT_GE(lines.size(), 11);
    // 20 ticks of a float 1e-6 s, printed with 15 significant digits
    EXPECT_TRUE(lines[1].startsWith("1,99999999495049E-5 ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[10].startsWith("0,000199999999495049 ")) << lines[10].toStdString();
    EXPECT_EQ(lines[1].count(','), 1); // amplitudes are whole numbers
}

TEST_F(Extraction, LineCountsFollowTheVersion) {
    source.write("v10_1.ssm", fileSpec(ssm::Version::V1_0, 1, 1, 0));
    source.write("v12_1.ssm", fileSpec(ssm::Version::V1_2, 1, 2, 0));
    w.list(source.path());
    w.files.Extract(target.path());
    EXPECT_EQ(linesOf(contents(out("v10__П_1_C_1_К_2.txt"))).size(), 15872);
    EXPECT_EQ(linesOf(contents(out("v12__П_1_C_2_К_1.txt"))).size(), 16128);
}

TEST_F(Extraction, OnlyCheckedChannelsOfNamesWithAnUnderscore) {
    source.write("plain.ssm", fileSpec(ssm::Version::V1_1, 1, 1, 0));
    source.write("p_2.ssm", fileSpec(ssm::Version::V1_1, 5, 6, 0));
    w.list(source.path());
    ASSERT_EQ(w.checkList.count(), 4);
    EXPECT_TRUE(w.checkLines()[0].contains("p_2.ssm"));
    w.checkList.item(1)->setCheckState(Qt::Unchecked);
    w.files.CollectChecked(); // what the traces are built from
    const tTrcFiles::Extraction done = w.files.Extract(target.path());
    EXPECT_EQ(textFiles(target.path()), QStringList{"p__П_5_C_6_К_1.txt"});
    EXPECT_EQ(done.written, QStringList{"p__П_5_C_6_К_1.txt"});
    EXPECT_EQ(done.skipped, 2); // both channels of plain.ssm
    // The extraction collected for itself: the traces' list is the one before it.
    w.checkList.item(0)->setCheckState(Qt::Unchecked);
    w.files.Extract(target.path());
    EXPECT_EQ(w.files.checked().size(), 3u);
}

TEST_F(Extraction, ChannelTwoOnlyFilter) {
    source.write("a_1.ssm", fileSpec(ssm::Version::V1_1, 1, 1, 0));
    source.write("b_1.ssm", fileSpec(ssm::Version::V1_0, 1, 2, 0));
    w.list(source.path());
    QTest::mouseClick(&w.onOff, Qt::LeftButton);
    QTest::mouseClick(&w.channel1, Qt::LeftButton);
    w.files.Extract(target.path());
    const QStringList names = textFiles(target.path());
    ASSERT_EQ(names.size(), 2);
    for (const QString& n : names)
        EXPECT_TRUE(n.endsWith("_К_2.txt")) << n.toStdString();
}

TEST_F(Extraction, CollidingNamesAreNumberedInsteadOfOverwritten) {
    source.write("abc_017.ssm", fileSpec(ssm::Version::V1_1, 3, 12, 1));
    source.write("abc_018.ssm", fileSpec(ssm::Version::V1_1, 3, 12, 2));
    source.write("abc_019.ssm", fileSpec(ssm::Version::V1_1, 3, 12, 3));
    w.list(source.path());
    w.files.Extract(target.path());
    EXPECT_EQ(textFiles(target.path()), (QStringList{"abc__П_3_C_12_К_1 (2).txt", "abc__П_3_C_12_К_1 (3).txt",
                                                     "abc__П_3_C_12_К_1.txt", "abc__П_3_C_12_К_2 (2).txt",
                                                     "abc__П_3_C_12_К_2 (3).txt", "abc__П_3_C_12_К_2.txt"}));
    // each file holds its own measurement, in the order of the check list
    const auto first = linesOf(contents(out("abc__П_3_C_12_К_1.txt")));
    const auto second = linesOf(contents(out("abc__П_3_C_12_К_1 (2).txt")));
    const auto third = linesOf(contents(out("abc__П_3_C_12_К_1 (3).txt")));
    EXPECT_EQ(first[0], "0 257\r"); // word 256 of the ramp with seed 1
    EXPECT_EQ(second[0], "0 258\r");
    EXPECT_EQ(third[0], "0 259\r");
}

TEST_F(Extraction, ExistingFilesOfAnEarlierRunAreReplaced) {
    source.write("r_1.ssm", fileSpec(ssm::Version::V1_1, 1, 1, 0));
    QFile old(out("r__П_1_C_1_К_1.txt"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(2000000, 'x'));
    old.close();
    w.list(source.path());
    w.files.Extract(target.path());
    EXPECT_EQ(textFiles(target.path()).size(), 2);
    EXPECT_EQ(linesOf(contents(out("r__П_1_C_1_К_1.txt"))).size(), 16128);
}

TEST_F(Extraction, AFileThatCannotBeCreatedStopsTheExtraction) {
    source.write("a_1.ssm", fileSpec(ssm::Version::V1_1, 1, 1, 0));
    source.write("b_1.ssm", fileSpec(ssm::Version::V1_1, 2, 2, 0));
    ASSERT_TRUE(QDir(target.path()).mkdir("a__П_1_C_1_К_2.txt")); // in the way of the second file
    w.list(source.path());
    try {
        w.files.Extract(target.path());
        FAIL() << "the extraction must report the file it cannot write";
    } catch (const tFileError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()),
                  QStringLiteral("Не удалось записать файл «%1»: это не обычный файл "
                                 "(папка, канал или устройство)")
                      .arg(QDir::toNativeSeparators(out("a__П_1_C_1_К_2.txt"))));
    }
    EXPECT_EQ(textFiles(target.path()), QStringList{"a__П_1_C_1_К_1.txt"}); // written before the failure
    EXPECT_THROW(w.files.Extract(target.path() + "/missing/folder"), tFileError);
}

TEST(TextFile, WriteTextFileWritesEveryPointInOrder) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    SsmFolder target;
    tTrc__Data d;
    d.points.SetCount(3);
    const double points[3][2] = {{-32768, 0}, {0.5, 1.25e-7}, {32767, 123456.75}};
    for (int i = 0; i < 3; ++i) {
        d.points.Item(i)[0] = points[i][0];
        d.points.Item(i)[1] = points[i][1];
    }
    const QString path = target.path() + "/x.txt";
    tTrcFiles::WriteTextFile(path, d);
    EXPECT_EQ(contents(path), QByteArray("0 -32768\r\n1,25E-7 0,5\r\n123456,75 32767\r\n"));
    QLocale::setDefault(QLocale::c());
}

} // namespace

namespace {

TEST_F(Extraction, AFileGoneSinceTheListingIsNamedAndTheOthersAreWritten) {
    source.write("a_1.ssm", fileSpec(ssm::Version::V1_1, 1, 1, 0));
    source.write("b_1.ssm", fileSpec(ssm::Version::V1_2, 2, 2, 0));
    source.write("plain.ssm", fileSpec(ssm::Version::V1_2, 3, 3, 0));
    w.list(source.path());
    QFile::remove(source.path() + "/a_1.ssm");
    tTextExtraction run = w.files.PrepareExtraction(target.path());
    ASSERT_EQ(run.Total(), 6);
    while (!run.Finished())
        run.Step();
    EXPECT_EQ(textFiles(target.path()), (QStringList{"b__П_2_C_2_К_1.txt", "b__П_2_C_2_К_2.txt"}));
    EXPECT_FALSE(run.Complete());
    EXPECT_EQ(run.Summary(), QStringLiteral("Извлечено файлов: 2 в папку %1\n"
                                            "Пропущено каналов: 2 — в именах их файлов нет знака «_».\n"
                                            "Не удалось прочитать файлы (1):\n"
                                            "a_1.ssm — файл или папка не найдены")
                                 .arg(QDir::toNativeSeparators(target.path())));
}

TEST_F(Extraction, AStoppedExtractionSaysHowManyChannelsAreLeft) {
    for (int i = 1; i <= 3; ++i)
        source.write(QString("p_%1.ssm").arg(i), fileSpec(ssm::Version::V1_1, 1, std::uint16_t(i), i));
    w.list(source.path());
    tTextExtraction run = w.files.PrepareExtraction(target.path());
    run.Step();
    run.Step();
    run.Stop();
    EXPECT_TRUE(run.Finished());
    EXPECT_EQ(textFiles(target.path()).size(), 2);
    EXPECT_EQ(run.Summary(), QStringLiteral("Извлечено файлов: 2 в папку %1\n"
                                            "Извлечение прервано: не записано каналов: 4.")
                                 .arg(QDir::toNativeSeparators(target.path())));
}

} // namespace
