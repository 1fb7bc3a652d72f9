#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "SsmGenerator.h"
#include "TraceRig.h"
#include "TrcI_HFSG.h"
#include "TrcI_HFSpG.h"
#include "TrcP_HFSG.h"
#include "TrcP_HFSpG.h"
#include "TrcV_HFSG.h"
#include "TrcV_HFSpG.h"
#include "tTrace_server.h"
#include "tTrcT.h"

namespace {

using SeismoChain = PictureChain<tTrcV_HFSG, tTrcP_HFSG, tTrcI_HFSG>;
using SpectroChain = PictureChain<tTrcV_HFSpG, tTrcP_HFSpG, tTrcI_HFSpG>;

struct Pile {
    double length;
    double defectDepth;
};
const Pile kPiles[] = {{6, 0}, {10, 0}, {14, 0}, {18, 6}, {24, 0}};
constexpr double kVelocity = 4000.0;
constexpr double kPulseDepth = 0.0004 * kVelocity / 2; // depth of the half-sine's crest after its onset

// Writes one file per pile and reads sensor 1 of each through the catalogue's readers.
tTrc__DataList ReadPiles(const QString& folder) {
    tTrc__DataList list;
    for (std::size_t i = 0; i < std::size(kPiles); ++i) {
        ssmgen::FileSpec fileSpec;
        fileSpec.pileNumber = std::uint16_t(i + 1);
        fileSpec.velocity = float(kVelocity);
        fileSpec.pile.length = kPiles[i].length;
        if (kPiles[i].defectDepth > 0) // a narrowing to about half, 2 m long
            fileSpec.pile.profile = {{pilemodel::SectionKind::Narrowing, kPiles[i].defectDepth, 2.0, 0.55}};
        fileSpec.pile.waveVelocity = kVelocity;
        fileSpec.pile.seed = std::uint32_t(i + 3);
        const QString name = QString("pile%1.ssm").arg(i + 1);
        std::string error;
        if (!ssmgen::write(QDir(folder).filePath(name).toStdString(), fileSpec, error))
            ADD_FAILURE() << error;
        tTrc__File_identifier id(folder, name);
        tTrcT::Unknown().Identify(id);
        tTrc__DataList channels;
        id.reader->ProduceChannels(tFilterFlags{true, false, true}, id, channels);
        FileFailure why;
        if (channels.size() != 1 || id.reader->LoadPoints(id, *channels[0], why) != tTrcT::Ok) {
            ADD_FAILURE() << "cannot read " << name.toStdString();
            continue;
        }
        channels[0]->source = nullptr; // the identifier goes out of scope here
        list.push_back(std::move(channels[0]));
    }
    return list;
}

// Depth of the crest of the largest positive swing deeper than `from` in a seismo curve.
double CrestDepth(const IArray<double[2]>& curve, double from, double to) {
    double best = -1e9, depth = 0;
    for (const double* p : curve)
        if (p[1] > from && p[1] < to && p[0] > best) {
            best = p[0];
            depth = p[1];
        }
    return depth;
}

} // namespace

TEST(GeneratedFolder, ToeReflectionsLineUpAtThePilesLengths) {
    QTemporaryDir dir;
    const tTrc__DataList list = ReadPiles(dir.path());
    ASSERT_EQ(list.size(), std::size(kPiles));

    tAppInt app;
    app.velocity = kVelocity;
    TabControls seismoTab, spectroTab;
    SeismoChain seismo(app, seismoTab);
    SpectroChain spectro(app, spectroTab);
    tTrace_server server(&app);
    server.Add(&seismo.values);
    server.Add(&spectro.values);
    seismoTab.track->setValue(30);
    server.node.SetChanged();
    server.Reset();
    server.BuildChanged(list);

    const QString keep = qEnvironmentVariable("VX_TRACE_PICTURES");
    if (!keep.isEmpty()) {
        seismoTab.picture->image().save(keep + "/seismo.png");
        spectroTab.picture->image().save(keep + "/spectro.png");
        seismo.image.WholeTrace(&seismo.processing).save(keep + "/seismo-whole.png");
    }

    for (std::size_t i = 0; i < std::size(kPiles); ++i) {
        const double length = kPiles[i].length;
        // The toe echo's crest sits half a pulse below the toe, in the values and in the picture.
        const auto& curve = seismo.values.measures.Item(i).points;
        const double from = kPiles[i].defectDepth > 0 ? kPiles[i].defectDepth + 2 : 2.5;
        EXPECT_NEAR(CrestDepth(curve, from, length + 3), length + kPulseDepth, 0.3) << length;
        if (length + kPulseDepth > 30)
            continue;
        const int x0 = 20 + 25 + 50 * int(i);
        // The rows where the black lobe is widest: their middle is the crest.
        int firstWidest = 0, lastWidest = 0, widest = 0;
        for (int y = 20 + int(from * 20); y < 20 + int((length + 3) * 20) && y < 649; ++y) {
            int width = 0;
            while (width < 25 && seismoTab.Pixel(x0 + width + 1, y) == kBlack)
                ++width;
            if (width > widest) {
                widest = width;
                firstWidest = y;
            }
            if (width == widest)
                lastWidest = y;
        }
        const double crestRow = (firstWidest + lastWidest) / 2.0;
        EXPECT_NEAR((crestRow - 20) / 20.0, length + kPulseDepth, 0.3) << length; // 629 / 30 = 20 px/m
    }
    // The spectro trace swells at the pile's length: echoes every 2L/V repeat at V/2L, placed at
    // depth V / (2f) = L. The lines lie apart there by L^2 * 2 * step / V.
    const double lineStep = 1.0 / (8192 * double(list[0]->samplePeriod));
    for (std::size_t i = 0; i < std::size(kPiles); ++i) {
        const double length = kPiles[i].length;
        if (kPiles[i].defectDepth > 0)
            continue;
        double best = -1, depth = 0;
        for (const double* p : spectro.values.depthSpectra.Item(i).points)
            if (p[1] > 0.75 * length && p[1] < 1.3 * length && p[0] > best) {
                best = p[0];
                depth = p[1];
            }
        EXPECT_NEAR(depth, length, length * length * lineStep / kVelocity + 0.3) << length;
    }
    // The pile with a defect shows its echo too.
    ASSERT_GT(kPiles[3].defectDepth, 0);
    EXPECT_NEAR(CrestDepth(seismo.values.measures.Item(3).points, 2.5, kPiles[3].defectDepth + 2),
                kPiles[3].defectDepth + kPulseDepth, 0.3);
}
