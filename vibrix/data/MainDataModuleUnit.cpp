#include "MainDataModuleUnit.h"

#include "FailureText.h"
#include "ProjectFile.h"

using vxds::DataSetError;
using vxds::DataTable;
using vxds::FieldType;

namespace {

const QString kMainIndex = QStringLiteral("DateTime;SiteNumber;PileNumber");
const QString kVerdictIndex = QStringLiteral("SiteNumber;PileNumber");

const std::vector<vxds::FieldDef> kVibrixFields = {{"DateTime", FieldType::DateTime, 0},
                                                   {"SiteNumber", FieldType::Int32, 0},
                                                   {"PileNumber", FieldType::Int32, 0},
                                                   {"Data", FieldType::Blob, 0},
                                                   {"Comment", FieldType::Memo, 0}};
const std::vector<vxds::FieldDef> kDescFields = {
    {"Name", FieldType::String, 20}, {"Version", FieldType::Int32, 0}, {"Comment", FieldType::Memo, 0}};
const std::vector<vxds::FieldDef> kVerdictFields = {{"SiteNumber", FieldType::Int32, 0},
                                                    {"PileNumber", FieldType::Int32, 0},
                                                    {"Changed", FieldType::DateTime, 0},
                                                    {"Verdict", FieldType::Memo, 0}};

} // namespace

TMainDataModule::TMainDataModule()
    : cdsVibrix(kVibrixFields), cdsDesc(kDescFields), cdsVerdict(kVerdictFields) {
    for (DataTable* t : {&cdsVibrix, &cdsDesc, &cdsVerdict}) {
        const auto changed = [this](DataTable& d) { cdsmOnChanges(d); };
        t->beforeInsert = t->beforeEdit = t->beforePost = t->beforeDelete = changed;
    }
    cdsVibrix.afterScroll = [this](DataTable& d) { cdsVibrixAfterScroll(d); };
}

// Never 0 once changed, and no signed overflow however many changes there are.
void TMainDataModule::cdsmOnChanges(DataTable&) {
    ChangeCount = int((unsigned(ChangeCount) + 1u) | 1u);
}

void TMainDataModule::cdsVibrixAfterScroll(DataTable& table) {
    if (table.state() == DataTable::State::Browse && OnAfterScrollResult)
        OnAfterScrollResult(table);
}

int TMainDataModule::AddMeasureFile(const QString& fileName, double dateTime) {
    reader_.read(fileName);
    return AddMeasure(reader_.measure(fileName, dateTime));
}

int TMainDataModule::AddMeasure(const TReadMeasure& m) {
    if (m.kind != TReadMeasure::Kind::Measurement)
        return 1;
    if (RecordExists(m.DateTime, m.SiteNumber, m.PileNumber))
        return 2;
    return storeValue(m.DateTime, m.SiteNumber, m.PileNumber, m.Stored) ? 0 : 1;
}

bool TMainDataModule::RecordExists(double dateTime, int siteNumber, int pileNumber) {
    if (!cdsVibrix.active() || !cdsVibrix.hasIndex())
        return false;
    try {
        return cdsVibrix.findKey({dateTime, std::int32_t(siteNumber), std::int32_t(pileNumber)});
    } catch (const DataSetError&) {
        return false; // a pending edit that cannot be posted; the append will say so
    }
}

bool TMainDataModule::StoreMeasure(const TMeasureResult& r) {
    return storeValue(r.DateTime, r.SiteNumber, r.PileNumber, packMeasure(r));
}

bool TMainDataModule::storeValue(double dateTime, std::int32_t siteNumber, std::int32_t pileNumber,
                                 const QByteArray& value) {
    try {
        cdsVibrix.postIfEditing();
        cdsVibrix.appendRecord({dateTime, siteNumber, pileNumber, value, QString()});
        return true;
    } catch (const DataSetError&) {
        return false;
    }
}

bool TMainDataModule::LoadMeasure(TMeasureResult& r) {
    r = TMeasureResult{};
    try {
        cdsVibrix.postIfEditing();
    } catch (const DataSetError&) {
        return false;
    }
    if (IsProjectEmpty())
        return false;
    return unpackMeasure(vxds::asBytes(cdsVibrix.value("Data")), r);
}

bool TMainDataModule::CreateProject(const QString& fileName) {
    closeTables();
    cdsDesc.createDataSet();
    cdsDesc.appendRecord({QStringLiteral("Vibrix4"), std::int32_t(65537), QString()});
    cdsVibrix.createDataSet();
    cdsVerdict.createDataSet();
    const bool written = WriteProjectFile(fileName);
    closeTables();
    ChangeCount = 0;
    return written;
}

bool TMainDataModule::OpenProject(const QString& fileName) {
    if (!ReadProjectFile(fileName)) {
        FileName.clear();
        return false;
    }
    FileName = fileName;
    try {
        cdsDesc.open();
        cdsVibrix.open();
        cdsVibrix.setIndex(kMainIndex);
        cdsVerdict.open();
        cdsVerdict.setIndex(kVerdictIndex);
    } catch (const DataSetError&) {
        // Two rows of one key: no writer of ours makes such a file.
        LastError = FailureText({FailureKind::Damaged, 0});
        closeTables();
        return false;
    }
    ChangeCount = 0;
    return true;
}

bool TMainDataModule::WriteProjectFile(const QString& fileName) {
    FileFailure why;
    if (saveProjectFile(fileName, cdsDesc, cdsVibrix, &cdsVerdict, why))
        return true;
    LastError = FailureText(why);
    return false;
}

bool TMainDataModule::ReadProjectFile(const QString& fileName) {
    FileFailure why;
    // Packets describe themselves; only the tables of a project are taken.
    if (!loadProjectFile(fileName, cdsDesc, cdsVibrix, &cdsVerdict, why))
        LastError = FailureText(why);
    else if (cdsVibrix.fields() == kVibrixFields && cdsDesc.fields() == kDescFields &&
             cdsVerdict.fields() == kVerdictFields)
        return true;
    else
        LastError = FailureText({FailureKind::Damaged, 0});
    closeTables();
    return false;
}

bool TMainDataModule::SaveProject() {
    if (!IsProjectOpen())
        return false;
    PostChanges();
    if (!WriteProjectFile(FileName))
        return false;
    ChangeCount = 0;
    return true;
}

bool TMainDataModule::CloseProject() {
    // Only an open project is written: closed tables hold no rows to save.
    if (IsProjectOpen()) {
        PostChanges();
        if (!FileName.isEmpty() && !WriteProjectFile(FileName))
            return false;
    }
    closeTables();
    ChangeCount = 0;
    return true;
}

void TMainDataModule::DiscardProject() {
    FileName.clear();
    CloseProject();
}

void TMainDataModule::closeTables() {
    cdsVibrix.close();
    cdsDesc.close();
    cdsVerdict.close();
    cdsVibrix.setFields(kVibrixFields);
    cdsDesc.setFields(kDescFields);
    cdsVerdict.setFields(kVerdictFields);
}

void TMainDataModule::PostChanges() {
    cdsDesc.postIfEditing();
    cdsVibrix.postIfEditing();
    cdsVerdict.postIfEditing();
}

bool TMainDataModule::IsProjectOpen() const {
    return cdsVibrix.active() && cdsDesc.active() && cdsVerdict.active();
}

bool TMainDataModule::IsProjectEmpty() const {
    return !IsProjectOpen() || cdsVibrix.isEmpty();
}

bool TMainDataModule::IsProjectModified() const {
    return IsProjectOpen() && ChangeCount != 0;
}

void TMainDataModule::DeleteAllRecords() {
    if (!IsProjectOpen())
        return;
    PostChanges();
    DisableViews();
    cdsVibrix.emptyTable();
    EnableViews();
    cdsmOnChanges(cdsVibrix);
}

void TMainDataModule::DisableViews() {
    cdsVibrix.disableControls();
}

void TMainDataModule::EnableViews() {
    cdsVibrix.enableControls();
}

void TMainDataModule::SaveRecNo() {
    SavedRecNo = cdsVibrix.recNo();
    savedKey_.reset();
    if (cdsVibrix.active() && !cdsVibrix.isEmpty())
        savedKey_ = vxds::Row{cdsVibrix.value(QStringLiteral("DateTime")),
                              cdsVibrix.value(QStringLiteral("SiteNumber")),
                              cdsVibrix.value(QStringLiteral("PileNumber"))};
}

void TMainDataModule::RestoreRecNo() {
    if (savedKey_ && cdsVibrix.active() && cdsVibrix.hasIndex() && cdsVibrix.findKey(*savedKey_))
        return;
    cdsVibrix.moveBy(SavedRecNo - cdsVibrix.recNo());
}

QString TMainDataModule::Description() const {
    return cdsDesc.active() && cdsDesc.recordCount() > 0
               ? vxds::asText(cdsDesc.valueAt(0, descfield::kComment))
               : QString();
}
