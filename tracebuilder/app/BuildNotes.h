#pragma once
// What a build of the traces tells the user when it is done: the files it went on without, and
// the channels whose columns cannot show depths as they should.

#include <QString>

#include "tAppInt.h"
#include "tTrcFiles.h"

// One text naming the files left out with the reason, the channels whose time stamps are broken,
// and, with the velocities taken from the files, the files that hold none; empty when all is well.
QString BuildNotes(const tLeftOutList& leftOut, const tTrc__DataList& built, const tAppInt& app);
