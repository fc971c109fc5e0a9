// The browser cache's size limit and the cleaning of browser and Flash caches.
#pragma once

void SetIeCacheLimit();
