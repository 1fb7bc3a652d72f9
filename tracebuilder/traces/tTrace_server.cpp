#include "tTrace_server.h"

namespace {

tSYN& Mark(tTrcV* v) {
    return v->config->syn;
}
tSYN& Mark(tTrcP* p) {
    return p->config->syn;
}
tSYN& Mark(tTrcI* i) {
    return i->config->syn;
}

} // namespace

void tTrace_server::Add(tTrcV* values) {
    if (values == nullptr)
        throw tTrcError(tTrcError::MissingObject);
    list.push_back(values);
    node.Attach(&Mark(values));
}

void tTrace_server::Reset() {
    for (tTrcV* v : list) {
        v->Clear();
        Mark(v).ResetChanged();
        for (tTrcP* p : v->users) {
            p->Clear();
            Mark(p).ResetChanged();
            p->image->Clear();
            Mark(p->image).ResetChanged();
        }
    }
}

void tTrace_server::ClearChanged() {
    if (list.empty() || !node.NeedsUpdate())
        return;
    for (tTrcV* v : list) {
        if (!Mark(v).NeedsUpdate())
            continue;
        if (Mark(v).IsChanged())
            v->Clear();
        for (tTrcP* p : v->users) {
            if (!Mark(p).NeedsUpdate())
                continue;
            if (Mark(p).IsChanged())
                p->Clear();
            if (Mark(p->image).IsChanged())
                p->image->Clear();
        }
    }
}

void tTrace_server::BuildChanged(const tTrc__DataList& measurements) {
    built = true;
    if (list.empty() || !node.NeedsUpdate())
        return;
    for (tTrcV* v : list) {
        if (!Mark(v).NeedsUpdate())
            continue;
        if (Mark(v).IsChanged())
            v->Calc(measurements);
        for (tTrcP* p : v->users) {
            if (!Mark(p).NeedsUpdate())
                continue;
            if (Mark(p).IsChanged())
                p->Calc();
            if (Mark(p->image).IsChanged()) {
                p->image->Draw(p);
                p->image->DrawAxes();
            }
            Mark(p).ResetChanged();
            Mark(p->image).ResetChanged();
        }
        Mark(v).ResetChanged();
    }
    node.ResetChanged();
}

void tTrace_server::Poll(const tTrc__DataList& measurements) {
    if (!built || !node.NeedsUpdate())
        return;
    ClearChanged();
    BuildChanged(measurements);
}
