// Plays an uninstalled executable: leaves the batch that deletes it behind, then ends.
#include "app/SelfDelete.h"

int wmain() {
    DeleteSelf();
    return 0;
}
