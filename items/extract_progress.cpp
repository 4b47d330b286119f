#include "items/extract_signals.h"

int32_t ExtractProgress(int32_t percent, void* context) {
    auto* signals = static_cast<CExtractSignals*>(context);
    if (!signals)
        return 1;
    if (signals->PollCancel()) {
        signals->SetStopped();
        return 0;
    }
    if (percent > -1)
        signals->ShowProgress(percent);
    return 1;
}
