#include "ui/label.h"

void DrawLabel(HDC dc, const std::string& label, RECT box, UINT format) {
    DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &box, format);
}

SIZE MeasureLabel(HDC dc, const std::string& label) {
    RECT box = {0, 0, 0, 0};
    DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &box, DT_SINGLELINE | DT_CALCRECT);
    return SIZE{box.right - box.left, box.bottom - box.top};
}

void DrawLabelDisabled(HDC dc, const std::string& label, int x, int y, int width, int height) {
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(label.c_str()),
               static_cast<WPARAM>(label.size()), x, y, width, height, DST_PREFIXTEXT | DSS_DISABLED);
}
