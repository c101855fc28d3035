#include "systeme/heure.h"

std::tm heure_locale(std::time_t instant) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &instant);
#else
  localtime_r(&instant, &local);
#endif
  return local;
}
