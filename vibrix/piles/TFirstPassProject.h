#pragma once
// The first pass as a project's piles meet it: the piles read from the project's tables (the
// command-line tool and the pile page read them alike), a proposal taken into a verdict, and
// which proposals ask the engineer to look first.

#include "TFirstPassSite.h"
#include "TPileVerdict.h"
#include "TProjectPiles.h"
#include "TVerdictTable.h"

#include <optional>
#include <vector>

namespace vxds {
class DataTable;
}

// The piles of a project (of one site) as the first pass reads them, in pile order: their blows
// from the measurement table, the verdict's design values and processing. Piles known only by
// their verdict are left out.
std::vector<TFirstPassPile> FirstPassPiles(const std::vector<TPileRows>& piles,
                                           const vxds::DataTable& measurements, const TVerdictTable& verdicts,
                                           std::optional<int> site = std::nullopt);

// The mark a finding becomes in a verdict, at its depth read at `speed`; none for short and long,
// which are lengths.
std::optional<TDefectMark> FindingMark(const TFinding& f, double speed);

// The proposal taken into a verdict: its class (when it proposes one) and its findings as marks,
// each marked as the first pass's. The marks of an earlier proposal taken give way; the
// engineer's own marks stay.
void TakeProposal(const TFirstPassResult& r, TPileVerdict& v);
// The proposal taken into the verdict of a pile nobody has judged; false when there is nothing to
// take or the pile is judged.
bool ApplyProposal(const TFirstPassResult& r, TPileVerdict& v);
// Whether the proposal has anything to take into a verdict.
bool HasProposal(const TFirstPassResult& r);

// The proposal asks the engineer to look first: a class III/IV (C/D), a pile shorter than
// designed, a toe not seen, no class, or a class proposed with a confidence below one half.
bool NeedsAttention(const TFirstPassResult& r, const QString& scheme);
