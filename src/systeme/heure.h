// The local time of day and date.
#pragma once

#include <ctime>

// `instant` in the local time zone.
std::tm heure_locale(std::time_t instant);
