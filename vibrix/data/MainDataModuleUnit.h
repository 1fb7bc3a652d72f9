#pragma once
// The data module: the project tables, the project file operations and the measurement
// record's way into and out of a row. GUI thread only.

#include "DataTable.h"
#include "MeasureResult.h"

#include <functional>
#include <optional>

// The positions of the fields in a row of the measurement table and of the verdict table, for
// every reader of the rows (the field lists in MainDataModuleUnit.cpp follow this order).
namespace measurefield {
constexpr int kDateTime = 0, kSite = 1, kPile = 2, kData = 3, kComment = 4;
} // namespace measurefield
namespace descfield {
constexpr int kName = 0, kVersion = 1, kComment = 2;
} // namespace descfield
namespace verdictfield {
constexpr int kSite = 0, kPile = 1, kChanged = 2, kVerdict = 3;
} // namespace verdictfield

class TMainDataModule {
public:
    TMainDataModule(); // DataModuleCreate

    vxds::DataTable cdsVibrix; // DateTime, SiteNumber, PileNumber, Data, Comment
    vxds::DataTable cdsDesc;   // Name, Version, Comment
    // SiteNumber, PileNumber, Changed, Verdict: the engineer's verdict of each pile as a JSON
    // text, unique on (site, pile); written into the file only when it holds rows.
    vxds::DataTable cdsVerdict;

    QString FileName;
    int ChangeCount = 0;
    int SavedRecNo = 0;
    std::function<void(vxds::DataTable&)> OnAfterScrollResult;
    // Why the last project write or read failed, in the user's words ("файл повреждён ...").
    QString LastError;

    // 0: row added; 1: not a measurement file or not stored; 2: key already present.
    // Throws MeasureFileError when the file cannot be read.
    int AddMeasureFile(const QString& fileName, double dateTime);
    // The same for a file an import has read already (an unreadable one: 1).
    int AddMeasure(const TReadMeasure& m);
    bool RecordExists(double dateTime, int siteNumber, int pileNumber);
    bool StoreMeasure(const TMeasureResult& r);
    bool LoadMeasure(TMeasureResult& r);

    // The project's description ("Описание"); empty without a project.
    QString Description() const;
    bool CreateProject(const QString& fileName);
    bool OpenProject(const QString& fileName);
    bool WriteProjectFile(const QString& fileName);
    bool ReadProjectFile(const QString& fileName);
    // Both keep the tables open and ChangeCount as it was when the file cannot be written.
    bool SaveProject();
    bool CloseProject();
    void DiscardProject();
    void PostChanges();

    bool IsProjectOpen() const;
    bool IsProjectEmpty() const;
    bool IsProjectModified() const;

    void DeleteAllRecords();
    void DisableViews();
    void EnableViews();
    // Remembers the current record by its key (date, site, pile) and its number.
    void SaveRecNo();
    // Back to the record remembered, wherever the rows have moved it; to its number when it is gone.
    void RestoreRecNo();

private:
    void cdsmOnChanges(vxds::DataTable&);
    void cdsVibrixAfterScroll(vxds::DataTable& table);
    void closeTables();
    bool storeValue(double dateTime, std::int32_t siteNumber, std::int32_t pileNumber,
                    const QByteArray& value);

    MeasureFile reader_; // reused by every file of an import
    std::optional<vxds::Row> savedKey_;
};
