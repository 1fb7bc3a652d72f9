// Writes project files into the folder given: a new empty project, one with a generated
// measurement, and the files no writer of ours makes, which the reader refuses (small hand-made
// rows, a date-time that is not finite, unusable stored parameters, two description rows).
#include "MainDataModuleUnit.h"
#include "SsmGenerator.h"
#include "TVerdictTable.h"

#include <QDir>

#include <cstdio>
#include <limits>

namespace {

// A stored measurement with the given parameters and silent channels.
QByteArray stored(double sampleFreq, std::int32_t sampleLen) {
    TMeasureResult r;
    r.DateTime = 45000.5;
    r.SampleFreq = sampleFreq;
    r.SampleLen = sampleLen;
    return packMeasure(r);
}

// Writes one description row per entry of `descriptions` and the given measurement rows.
bool writeTables(TMainDataModule& dm, const QString& file, int descriptions,
                 const std::vector<vxds::Row>& rows) {
    dm.cdsDesc.createDataSet();
    for (int i = 0; i < descriptions; ++i)
        dm.cdsDesc.appendRecord({QStringLiteral("Vibrix4"), std::int32_t(65537), QStringLiteral("Объект")});
    dm.cdsVibrix.createDataSet();
    for (const vxds::Row& row : rows)
        dm.cdsVibrix.appendRecord(row);
    const bool ok = dm.WriteProjectFile(file);
    dm.DiscardProject();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    TMainDataModule dm;
    bool ok = dm.CreateProject(out.filePath("empty.cdsm"));

    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<vxds::Row> small;
    for (int i = 0; i < 3; ++i)
        small.push_back({45000.0 + i, std::int32_t(1), std::int32_t(300 + i), QByteArray(64, char(i)),
                         QStringLiteral("свая")});
    ok = writeTables(dm, out.filePath("small.cdsm"), 1, small) && ok;
    ok = writeTables(dm, out.filePath("nan_time.cdsm"), 1,
                     {{nan, std::int32_t(1), std::int32_t(1), stored(50000, 16384), QString()}}) &&
         ok;
    ok = writeTables(dm, out.filePath("zero_frequency.cdsm"), 1,
                     {{1.0, std::int32_t(1), std::int32_t(1), stored(0, 16384), QString()}}) &&
         ok;
    ok = writeTables(dm, out.filePath("odd_length.cdsm"), 1,
                     {{1.0, std::int32_t(1), std::int32_t(1), stored(50000, 1000), QString()}}) &&
         ok;
    ok = writeTables(dm, out.filePath("null_cells.cdsm"), 1, std::vector<vxds::Row>(200, vxds::Row(5))) && ok;
    ok = writeTables(dm, out.filePath("two_descriptions.cdsm"), 2, {}) && ok;

    const QString ssm = out.filePath("measure.ssm.tmp");
    std::string error;
    ok = ssmgen::write(ssm.toStdString(), ssmgen::FileSpec{}, error) && ok;
    ok = dm.CreateProject(out.filePath("one.cdsm")) && dm.OpenProject(out.filePath("one.cdsm")) && ok;
    ok = dm.AddMeasureFile(ssm, 45123.5) == 0 && dm.CloseProject() && ok;
    // The same project with a verdict and a class scheme: the third packet.
    ok = QFile::copy(out.filePath("one.cdsm"), out.filePath("verdict.cdsm")) &&
         dm.OpenProject(out.filePath("verdict.cdsm")) && ok;
    TPileVerdict verdict;
    verdict.length = 12;
    verdict.defects = {{2.5, DefectKinds().front()}};
    verdict.cls = "II";
    TVerdictTable(dm.cdsVerdict).Store(1, 1, verdict);
    TVerdictTable(dm.cdsVerdict).SetScheme(classscheme::kLetters);
    ok = dm.CloseProject() && ok;
    QFile::remove(ssm);
    if (!ok)
        std::fprintf(stderr, "could not write the seeds: %s %s\n", qPrintable(dm.LastError), error.c_str());
    return ok ? 0 : 1;
}
