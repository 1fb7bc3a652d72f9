// Arbitrary bytes as a project file: the reader refuses them or yields tables that can be
// opened, indexed and read row by row, verdicts included.
#include "MeasureResult.h"
#include "ProjectFile.h"
#include "TVerdictTable.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    vxds::DataTable desc, table, verdicts;
    FileFailure why;
    if (!readProjectPackets(in, bytes.size(), desc, table, &verdicts, why))
        return 0;
    desc.open();
    table.open();
    verdicts.open();
    try {
        verdicts.setIndex("SiteNumber;PileNumber");
        const TVerdictTable read(verdicts);
        read.Scheme();
        for (const auto& [site, pile] : read.Piles())
            read.Find(site, pile);
    } catch (const vxds::DataSetError&) {
        // two verdicts of one pile, or the fields are not those of the verdict table
    }
    try {
        table.setIndex("DateTime;SiteNumber;PileNumber");
    } catch (const vxds::DataSetError&) {
        // two rows share a key, or the fields are not those of a project
    }
    const int dataField = table.fieldIndex("Data");
    for (table.first(); table.recordCount() > 0;) {
        TMeasureResult r;
        if (dataField >= 0)
            unpackMeasure(vxds::asBytes(table.value(dataField)), r);
        if (!table.next())
            break;
    }
    return 0;
}
