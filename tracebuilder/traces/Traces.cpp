#include "Traces.h"

void tTrcV::Attach(tTrcP* processing) {
    if (processing == nullptr)
        throw tTrcError(tTrcError::MissingObject);
    config->syn.Attach(&processing->config->syn);
    processing->values = this;
    users.push_back(processing);
}

tTrcP::tTrcP(tTrcCnf* ownConfig, tTrcI* imageObject) : config(ownConfig), image(imageObject) {
    if (imageObject == nullptr)
        throw tTrcError(tTrcError::MissingObject);
}
