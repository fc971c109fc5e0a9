#include "framework/IeZoom.h"

bool OpticalZoomAvailable(IOleCommandTarget* control) {
    if (!control) return false;
    OLECMD command{kOleCmdOpticalZoom, 0};
    return SUCCEEDED(control->QueryStatus(nullptr, 1, &command, nullptr)) && (command.cmdf & OLECMDF_SUPPORTED) &&
           (command.cmdf & OLECMDF_ENABLED);
}

bool SetOpticalZoom(IOleCommandTarget* control, int percent) {
    if (!control || percent <= 0) return false;
    VARIANT in;
    ::VariantInit(&in);
    in.vt = VT_I4;
    in.lVal = percent;
    // No prompt: a page must never see a question about it.
    return SUCCEEDED(control->Exec(nullptr, kOleCmdOpticalZoom, OLECMDEXECOPT_DONTPROMPTUSER, &in, nullptr));
}
