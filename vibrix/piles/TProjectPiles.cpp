#include "TProjectPiles.h"

#include "MainDataModuleUnit.h"

#include <algorithm>
#include <map>

TProjectPiles::TProjectPiles(vxds::DataTable& measurements, vxds::DataTable& verdicts,
                             std::function<void()> changed)
    : measurements_(measurements), verdicts_(verdicts), changed_(std::move(changed)) {
    measurements_.addObserver(this);
    verdicts_.addObserver(this);
}

TProjectPiles::~TProjectPiles() {
    measurements_.removeObserver(this);
    verdicts_.removeObserver(this);
}

void TProjectPiles::Changed() {
    dirty_ = true;
    if (changed_)
        changed_();
}

const std::vector<TPileRows>& TProjectPiles::Piles() const {
    if (dirty_)
        Regroup();
    return piles_;
}

const TPileRows* TProjectPiles::Find(TPileKey key) const {
    const auto& piles = Piles();
    const auto it = std::lower_bound(piles.begin(), piles.end(), key,
                                     [](const TPileRows& p, const TPileKey& k) { return p.key < k; });
    return it != piles.end() && it->key == key ? &*it : nullptr;
}

// The table's order is date-time first, so the rows of each pile come in the order of the blows.
void TProjectPiles::Regroup() const {
    std::map<TPileKey, std::vector<int>> groups;
    if (measurements_.active())
        for (int pos = 0; pos < measurements_.recordCount(); ++pos)
            groups[{vxds::asInt(measurements_.valueAt(pos, measurefield::kSite)),
                    vxds::asInt(measurements_.valueAt(pos, measurefield::kPile))}]
                .push_back(pos);
    if (verdicts_.active())
        for (int pos = 0; pos < verdicts_.recordCount(); ++pos) {
            const TPileKey key{vxds::asInt(verdicts_.valueAt(pos, verdictfield::kSite)),
                               vxds::asInt(verdicts_.valueAt(pos, verdictfield::kPile))};
            if (key.site >= 0) // the project's own row has site -1
                groups[key];
        }
    piles_.clear();
    piles_.reserve(groups.size());
    for (auto& [key, rows] : groups)
        piles_.push_back({key, std::move(rows)});
    dirty_ = false;
}
