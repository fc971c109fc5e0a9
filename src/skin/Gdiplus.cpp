#include "skin/Gdiplus.h"

bool StartProcessGdiplus() {
    static GdiplusSession session;
    return session.Ok();
}
