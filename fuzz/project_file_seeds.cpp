// Writes valid project files into the folder given: a new empty project, one with small
// hand-made rows and comments, and one with a generated measurement.
#include "MainDataModuleUnit.h"
#include "SsmGenerator.h"

#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    TMainDataModule dm;
    bool ok = dm.CreateProject(out.filePath("empty.cdsm"));

    dm.cdsDesc.createDataSet();
    dm.cdsDesc.appendRecord({QStringLiteral("Vibrix4"), std::int32_t(65537), QStringLiteral("Объект")});
    dm.cdsVibrix.createDataSet();
    for (int i = 0; i < 3; ++i)
        dm.cdsVibrix.appendRecord({45000.0 + i, std::int32_t(1), std::int32_t(300 + i),
                                   QByteArray(64, char(i)), QStringLiteral("свая")});
    ok = dm.WriteProjectFile(out.filePath("small.cdsm")) && ok;
    dm.DiscardProject();

    const QString ssm = out.filePath("measure.ssm.tmp");
    std::string error;
    ok = ssmgen::write(ssm.toStdString(), ssmgen::FileSpec{}, error) && ok;
    ok = dm.CreateProject(out.filePath("one.cdsm")) && dm.OpenProject(out.filePath("one.cdsm")) && ok;
    ok = dm.AddMeasureFile(ssm, 45123.5) == 0 && dm.CloseProject() && ok;
    QFile::remove(ssm);
    if (!ok)
        std::fprintf(stderr, "could not write the seeds: %s %s\n", qPrintable(dm.LastError), error.c_str());
    return ok ? 0 : 1;
}
