#include "features/CacheClean.h"

// Not built yet: arrives with the cache-cleaning step.
void SetIeCacheLimit() {}
