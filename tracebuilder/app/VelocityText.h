#pragma once
// How the pictures tell the velocity that turned their times into depths.

#include <QString>

#include <span>

#include "tAppInt.h"

// "2000 м/с" without the files' velocities; with them "из файлов, 4000 м/с" for one velocity in
// force, "из файлов, 3800–4200 м/с" for several, and "из файлов" while nothing is shown. Each
// file velocity counts as the velocity in force for it (`velocity` where the file holds none).
QString VelocityText(const tAppInt& app, std::span<const float> fileVelocities);
