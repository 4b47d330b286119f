// The gallery as a program, for a person to try the buttons with the mouse and keys.
#include "framework/app.h"
#include "tests/ui/gallery_dlg.h"

namespace {

class CGalleryApp : public CApp {
protected:
    BOOL InitInstance() override {
        CGalleryDlg dlg;
        dlg.DoModal();
        return FALSE;
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CGalleryApp app;
    return app.Run();
}
