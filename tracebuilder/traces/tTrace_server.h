#pragma once
// Runs the chains of its values objects: a build recomputes everything, a poll re-runs only the
// objects whose markers (or whose ancestors' markers) changed.

#include <vector>

#include "Traces.h"
#include "tAppInt.h"
#include "tSYN.h"

class tTrace_server {
public:
    explicit tTrace_server(tAppInt* appParams) : app(appParams) {}
    tTrace_server(const tTrace_server&) = delete;
    tTrace_server& operator=(const tTrace_server&) = delete;

    // Appends a values object; its marker goes below the server's root marker.
    void Add(tTrcV* values);
    // Clears every object and every object's mark.
    void Reset();
    // Clears the results of every changed object; the marks stay.
    void ClearChanged();
    // Recomputes and redraws every changed object, then clears the marks. An error ends the pass
    // and leaves the marks not yet cleared, so the next poll runs the same work again.
    void BuildChanged(const tTrc__DataList& measurements);
    // Does nothing before the first build or when nothing changed.
    void Poll(const tTrc__DataList& measurements);

    tAppInt* const app; // not owned
    bool built = false;
    tSYN node;
    std::vector<tTrcV*> list; // not owned, in the order of computation
};
