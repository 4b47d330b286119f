/* The skin bitmaps of the icon buttons, the same in both programs: 68 x 18, four 17 x 18
   images (normal, hover, pressed, disabled) on magenta, the transparent colour. */
#ifndef VANTREL_RESOURCES_BUTTON_BITMAPS_H
#define VANTREL_RESOURCES_BUTTON_BITMAPS_H

#define IDB_CANCEL_BUTTON 184
#define IDB_OK_BUTTON 186

#endif
