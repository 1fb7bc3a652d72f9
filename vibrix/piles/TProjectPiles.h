#pragma once
// The piles of a project: its measurements grouped by (site, pile), the blows of each in the order
// they were struck, and the piles that keep a verdict after their records were deleted. Follows
// the measurement and verdict tables: a row inserted or removed, or a reset, makes it group again
// when asked next, and is told to `changed`.

#include "DataTable.h"
#include "TableObserver.h"

#include <QMetaType>

#include <functional>
#include <vector>

struct TPileKey {
    int site = 0;
    int pile = 0;
    auto operator<=>(const TPileKey&) const = default;
};

Q_DECLARE_METATYPE(TPileKey)

struct TPileRows {
    TPileKey key;
    std::vector<int> rows; // positions in the measurement table, in date-time order; empty for a
                           // pile known only by its verdict
};

class TProjectPiles : private vxds::TableObserver {
public:
    TProjectPiles(vxds::DataTable& measurements, vxds::DataTable& verdicts,
                  std::function<void()> changed = {});
    ~TProjectPiles() override;
    TProjectPiles(const TProjectPiles&) = delete;
    TProjectPiles& operator=(const TProjectPiles&) = delete;

    // Ordered by site, then pile.
    const std::vector<TPileRows>& Piles() const;
    // Null when the project has no such pile.
    const TPileRows* Find(TPileKey key) const;

private:
    void rowInserted(int) override { Changed(); }
    void rowRemoved(int) override { Changed(); }
    void rowChanged(int) override {} // an edit changes a comment or a verdict, never a key
    void tableReset() override { Changed(); }
    void currentChanged(int) override {}
    void Regroup() const;
    void Changed();

    vxds::DataTable& measurements_;
    vxds::DataTable& verdicts_;
    std::function<void()> changed_;
    mutable std::vector<TPileRows> piles_;
    mutable bool dirty_ = true;
};
