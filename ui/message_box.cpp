#include "ui/message_box.h"

#include "framework/app.h"
#include "ui/text.h"

namespace {

int ShowMessageBox(UINT idText, const std::string& caption, UINT type, HWND parent) {
    HWND owner = parent ? parent : GetMainWindow();
    return MessageBoxA(owner, LoadText(idText).c_str(), caption.c_str(), type);
}

}  // namespace

int MessageBoxId(UINT idText, UINT type, HWND parent) {
    return ShowMessageBox(idText, GetAppName(), type, parent);
}

int MessageBoxIds(UINT idText, UINT idCaption, UINT type, HWND parent) {
    return ShowMessageBox(idText, LoadText(idCaption), type, parent);
}
